// text_util.cpp: small text helpers of the shared layer's checks.

#include "htmlmemdoc/pages/text/text_util.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

std::string Lower(std::string text) {
  MakeLowerBytes(&text[0], text.size());
  return text;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n\f");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

std::string Squeezed(const std::string& text) {
  // The blanks of the C locale: space, and tab to carriage return.
  const auto blank = [](char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
  };
  std::string squeezed;
  squeezed.reserve(text.size());
  for (char c : text) {
    if (!blank(c)) squeezed += c;
  }
  return squeezed;
}

bool HasEnding(const std::string& name, const std::string& end) {
  return name.size() > end.size() &&
         Lower(name.substr(name.size() - end.size())) == end;
}

std::map<std::string, std::string> Declarations(const std::string& list) {
  std::map<std::string, std::string> found;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    const std::string declaration = list.substr(start, end - start);
    const size_t colon = declaration.find(':');
    if (colon != std::string::npos &&
        !Trim(declaration.substr(0, colon)).empty()) {
      found[Lower(Trim(declaration.substr(0, colon)))] =
          Trim(declaration.substr(colon + 1));
    }
    start = end + 1;
  }
  return found;
}

std::string UrlOf(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url;
  for (unsigned char c : path) {
    if (std::isalnum(c) || std::strchr("-._~/", c) != nullptr) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

size_t CountLineFeeds(const char* begin, const char* end) {
  const uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  size_t count = 0;
#ifdef __SSE2__
  // Sixteen bytes at a time: each lane counts its line feeds (a compare
  // gives -1 where one is) for up to 255 rounds, then the lanes are summed.
  const __m128i feed = _mm_set1_epi8('\n');
  while (end - begin >= 16) {
    const size_t rounds =
        std::min<size_t>(static_cast<size_t>(end - begin) / 16, 255);
    __m128i lanes = _mm_setzero_si128();
    for (size_t i = 0; i < rounds; ++i, begin += 16) {
      const __m128i bytes =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, feed));
    }
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; end - begin >= 8; begin += 8) {
    uint64_t word;
    std::memcpy(&word, begin, 8);
    // A byte of `x` is 0 where the text holds a line feed; its top bit
    // ends up set in `zero` exactly there (no carry crosses bytes).
    const uint64_t x = word ^ (kOnes * '\n');
    const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    count += static_cast<size_t>(((zero >> 7) * kOnes) >> 56);
  }
  for (; begin < end; ++begin) count += *begin == '\n';
  return count;
}

const char* SkipAscii(const char* begin, const char* end) {
  for (; end - begin >= 8; begin += 8) {
    uint64_t word;
    std::memcpy(&word, begin, 8);
    if ((word & 0x8080808080808080ULL) != 0) break;
  }
  while (begin < end && static_cast<unsigned char>(*begin) < 0x80) ++begin;
  return begin;
}

bool IsAscii(const std::string& text) {
  return SkipAscii(text.data(), text.data() + text.size()) ==
         text.data() + text.size();
}

namespace {

// The length of the well-formed UTF-8 sequence at `p` (before `end`) whose
// first byte is at or above 0x80, or 0: no overlong form, no surrogate,
// nothing above U+10FFFF.
size_t Utf8SequenceAt(const unsigned char* p, const unsigned char* end) {
  const size_t left = static_cast<size_t>(end - p);
  const auto tail = [&](size_t i) { return i < left && (p[i] & 0xC0) == 0x80; };
  if (p[0] >= 0xC2 && p[0] <= 0xDF) return tail(1) ? 2 : 0;
  if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    if (left < 2 || (p[0] == 0xE0 && p[1] < 0xA0) ||
        (p[0] == 0xED && p[1] > 0x9F))
      return 0;
    return tail(1) && tail(2) ? 3 : 0;
  }
  if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    if (left < 2 || (p[0] == 0xF0 && p[1] < 0x90) ||
        (p[0] == 0xF4 && p[1] > 0x8F))
      return 0;
    return tail(1) && tail(2) && tail(3) ? 4 : 0;
  }
  return 0;
}

}  // namespace

bool IsWellFormedUtf8(const std::string& text) {
  const char* at = text.data();
  const char* const end = at + text.size();
  while ((at = SkipAscii(at, end)) != end) {
    const size_t length =
        Utf8SequenceAt(reinterpret_cast<const unsigned char*>(at),
                       reinterpret_cast<const unsigned char*>(end));
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string BytesHash(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx",
                static_cast<unsigned long long>(hash));
  return text;
}

namespace {

// The entity HTML and XML write `c` as in text and double-quoted values:
// & < > "; null for any other.
const char* HtmlEntity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  static const char kReplacement[] = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  const auto* at = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = at + text.size();
  while (at < end) {
    const unsigned char c = *at;
    if (c >= 0x80) {
      const size_t length = Utf8SequenceAt(at, end);
      // U+FFFE and U+FFFF are no XML characters either.
      const bool nonCharacter = length == 3 && c == 0xEF && at[1] == 0xBF &&
                                (at[2] == 0xBE || at[2] == 0xBF);
      if (length == 0 || nonCharacter) {
        out += kReplacement;
        at += length == 0 ? 1 : length;
      } else {
        out.append(reinterpret_cast<const char*>(at), length);
        at += length;
      }
      continue;
    }
    if (const char* entity = HtmlEntity(static_cast<char>(c))) {
      out += entity;
    } else if (c == '\'') {
      out += "&apos;";
    } else if (c == '\t' || c == '\n' || c == '\r') {
      // Kept through attribute-value normalization as references.
      out += "&#" + std::to_string(c) + ";";
    } else if (c < 0x20) {
      out += kReplacement;
    } else {
      out += static_cast<char>(c);
    }
    ++at;
  }
  return out;
}

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const char* entity = HtmlEntity(c);
    if (entity != nullptr)
      out += entity;
    else
      out += c;
  }
  return out;
}

std::string ColorHex(unsigned long rgb) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex = "#000000";
  for (size_t at = 6; at > 0; --at, rgb >>= 4) hex[at] = kDigits[rgb & 0xF];
  return hex;
}

std::string WithBase(std::string html, const std::string& href) {
  const size_t head = html.find("<head>\n");
  html.insert(head == std::string::npos ? 0 : head + 7,
              "<base href=\"" + href + "\">\n");
  return html;
}

std::string SafeFileName(const std::string& name) {
  // The Latin-1 letters U+00C0 to U+00FF as the ASCII letter they carry.
  static const char kLatin[] =
      "aaaaaaaceeeeiiiidnooooo_ouuuuytsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
  const std::string lower = Lower(name);
  std::string safe;
  for (size_t at = 0; at < lower.size(); ++at) {
    const unsigned char c = static_cast<unsigned char>(lower[at]);
    size_t length = 1;
    if (c >= 0x80) {
      length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      for (size_t i = 1; i < length; ++i) {
        if (at + i >= lower.size() ||
            (static_cast<unsigned char>(lower[at + i]) & 0xC0) != 0x80)
          length = 1;  // not UTF-8: the byte alone
      }
    }
    if (length == 2 && c == 0xC3) {
      safe += kLatin[static_cast<unsigned char>(lower[at + 1]) & 0x3F];
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '-' || c == '_') {
      safe += static_cast<char>(c);
    } else {
      safe += '_';  // one for each character
    }
    at += length - 1;
  }
  if (!safe.empty() && safe[0] == '.') safe.insert(0, "_");
  return safe;
}

namespace {

void AppendUtf8(unsigned long code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsAsciiAlnum(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The numeric reference after "&#" at `at` ("38;", "x26"): its character
// into `out` and its length (the ";" counted when there); 0 when no digit
// follows. A browser reads the digits with or without the ";".
size_t NumericReference(const std::string& text, size_t at, std::string& out) {
  const bool hex = at < text.size() && (text[at] == 'x' || text[at] == 'X');
  const size_t from = at + hex;
  size_t end = from;
  unsigned long code = 0;
  for (; end < text.size(); ++end) {
    const unsigned char c = static_cast<unsigned char>(text[end]);
    if (!(hex ? std::isxdigit(c) : std::isdigit(c))) break;
    const unsigned long digit =
        std::isdigit(c)
            ? c - '0'
            : static_cast<unsigned long>(std::tolower(c) - 'a' + 10);
    if (code <= 0x10FFFF) code = code * (hex ? 16 : 10) + digit;
  }
  if (end == from) return 0;
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    code = 0xFFFD;  // as a browser reads it
  AppendUtf8(code, out);
  return end - at + (end < text.size() && text[end] == ';');
}

// The named reference after "&" at `at` ("amp;"): its character into `out`
// and its length; 0 when it is none this reader knows. Without its ";",
// a name a browser reads so (amp, lt, gt, quot, nbsp, and AMP, LT, GT,
// QUOT in capitals) counts only when no
// letter, digit or "=" follows, as in an attribute's value.
size_t NamedReference(const std::string& text, size_t at, std::string& out) {
  static const std::map<std::string, std::pair<unsigned long, bool>> kNamed = {
      {"amp", {'&', true}}, {"quot", {'"', true}}, {"apos", {'\'', false}},
      {"lt", {'<', true}},  {"gt", {'>', true}},   {"nbsp", {0xA0, true}},
      {"AMP", {'&', true}}, {"QUOT", {'"', true}}, {"LT", {'<', true}},
      {"GT", {'>', true}}};
  size_t end = at;
  while (end < text.size() && end - at < 8 && IsAsciiAlnum(text[end])) ++end;
  const auto found = kNamed.find(text.substr(at, end - at));
  if (found == kNamed.end()) return 0;
  const bool closed = end < text.size() && text[end] == ';';
  if (!closed &&
      (!found->second.second ||
       (end < text.size() && (IsAsciiAlnum(text[end]) || text[end] == '='))))
    return 0;
  AppendUtf8(found->second.first, out);
  return end - at + closed;
}

}  // namespace

std::string DecodeCharacterReferences(const std::string& text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    size_t length = 0;
    if (text[at] == '&' && at + 1 < text.size()) {
      length = text[at + 1] == '#' ? NumericReference(text, at + 2, decoded)
                                   : NamedReference(text, at + 1, decoded);
      if (length > 0) length += text[at + 1] == '#';
    }
    if (length == 0)
      decoded += text[at];
    else
      at += length;
  }
  return decoded;
}

}  // namespace htmlmemdoc
