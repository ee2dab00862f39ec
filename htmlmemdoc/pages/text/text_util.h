// text_util.h: small text helpers the shared layer's checks have in
// common (internal to the layer).

#ifndef HTMLMEMDOC_PAGES_TEXT_TEXT_UTIL_H_
#define HTMLMEMDOC_PAGES_TEXT_TEXT_UTIL_H_

#include <cstddef>
#include <map>
#include <string>

namespace htmlmemdoc {

std::string Lower(std::string text);            // ASCII letters only
std::string Trim(const std::string& text);      // blanks at both ends
std::string Squeezed(const std::string& text);  // every blank gone
// Whether `name` is longer than `end` and ends with it in any letter case
// (`end` in lower case: ".htm").
bool HasEnding(const std::string& name, const std::string& end);
// The line feeds in [begin, end), counted eight bytes at a time.
size_t CountLineFeeds(const char* begin, const char* end);
// The first byte of [begin, end) at or above 0x80, or `end`; eight bytes
// at a time.
const char* SkipAscii(const char* begin, const char* end);
// Whether every byte of `text` is below 0x80.
bool IsAscii(const std::string& text);
// Whether `text` is well-formed UTF-8 (no overlong form, no surrogate,
// nothing above U+10FFFF).
bool IsWellFormedUtf8(const std::string& text);

// The declarations of a CSS declaration list ("left: 1px; top:2px"), by
// lower-case name, each value trimmed, the last of a name winning.
std::map<std::string, std::string> Declarations(const std::string& list);

// `path` as a relative URL: each byte outside the unreserved set and "/"
// escaped, so a name holding #, ?, " or % still names its file.
std::string UrlOf(const std::string& path);

// `name`, a file's name without its folder, as one every page can refer to
// on any server: ASCII letters in lower case (a server that tells cases
// apart finds the file however a person types it then), digits, ".", "-"
// and "_"; a Latin-1 letter becomes the ASCII letter it carries ("ö" "o"),
// every other character (or byte that is not UTF-8) one "_", and a name
// beginning with "." (hidden) gets "_" before it. "" stays "".
std::string SafeFileName(const std::string& name);

// `text` fit for HTML text and double-quoted attribute values: & < > "
// as entities.
std::string EscapeHtml(const std::string& text);
// `text` as XML character data or an attribute value: & < > " ' escaped,
// and what XML 1.0 cannot hold (a byte sequence that is no well-formed
// UTF-8, a control character other than tab, line feed and carriage
// return) made U+FFFD.
std::string EscapeXml(const std::string& text);

// An attribute value as a browser reads it: each character reference
// (&amp; &quot; &apos; &lt; &gt; &nbsp;, &#NN; and &#xHH;, some without
// their ";" as a browser reads them) made the
// character it names, in UTF-8; anything else as it is.
std::string DecodeCharacterReferences(const std::string& text);

// A colour as the library's getters give it (red in the high byte) as
// "#rrggbb".
std::string ColorHex(unsigned long rgb);

// `html` with a <base href="`href`"> element after its "<head>" line (at
// its start when it has none), so that relative names resolve against
// `href`; `href` must be fit for an attribute value.
std::string WithBase(std::string html, const std::string& href);

// A fingerprint of `bytes` as 16 hex digits (64-bit FNV-1a): it tells a
// changed file, it is no secret.
std::string BytesHash(const std::string& bytes);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_TEXT_TEXT_UTIL_H_
