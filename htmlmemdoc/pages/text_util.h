// text_util.h: small text helpers the shared layer's checks have in
// common (internal to the layer).

#ifndef HTMLMEMDOC_PAGES_TEXT_UTIL_H_
#define HTMLMEMDOC_PAGES_TEXT_UTIL_H_

#include <map>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

// An element's markup, "" when it has none.
std::string MarkupOf(const CHtmlTextBase& element);

// The id of a layer's div, "" when it has none.
std::string LayerId(const CHtmlTextBase& layer);

// The text between a title element's tags ("<title>Home</title>" gives
// "Home"); false when the element holds no tag to take it from.
bool TitleText(const CHtmlTextBase& title, std::string& text);

std::string Lower(std::string text);            // ASCII letters only
std::string Trim(const std::string& text);      // blanks at both ends
std::string Squeezed(const std::string& text);  // every blank gone

// The declarations of a CSS declaration list ("left: 1px; top:2px"), by
// lower-case name, each value trimmed, the last of a name winning.
std::map<std::string, std::string> Declarations(const std::string& list);

// `path` as a relative URL: each byte outside the unreserved set and "/"
// escaped, so a name holding #, ?, " or % still names its file.
std::string UrlOf(const std::string& path);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_TEXT_UTIL_H_
