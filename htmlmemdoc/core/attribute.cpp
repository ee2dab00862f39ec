// attribute.cpp: locating an attribute in a start tag and reading the
// value behind its name. Tokens are byte ranges of the text itself, so a
// lookup copies nothing.

#include "htmlmemdoc/core/attribute.h"

#include <algorithm>
#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

namespace {

constexpr char kGetSeparators[] = " \n\r\t\"=";
constexpr char kSetSeparators[] = " \n\r\t\"=\f";

}  // namespace

const char* const kGetAttributeSeparators = kGetSeparators;
const char* const kSetAttributeSeparators = kSetSeparators;
constexpr CByteSet kGetAttributeSeparatorSet(kGetSeparators);
constexpr CByteSet kSetAttributeSeparatorSet(kSetSeparators);

namespace {

const char kValueSeparators[] = " \t\r\n=;>\"";

}  // namespace

AttributeSearch LocateAttribute(const char* text, const char* tag,
                                const char* attr, const CByteSet& separators,
                                CAttributeSpot& spot) {
  spot = CAttributeSpot();
  spot.tagBegin = FindNoCase(text, "<", tag);
  if (spot.tagBegin == nullptr) return kAttributeNoTag;
  const size_t attrLength = std::strlen(attr);
  CSpanTokenizer tokens(spot.tagBegin);
  CTextSpan token;
  while (tokens.Next(separators, token)) {
    const size_t length = static_cast<size_t>(token.end - token.begin);
    // Most tokens differ from the name in length: they are passed over
    // without a call, and searched for '>' in place (tokens are short).
    if (length == attrLength &&
        EqualNoCase(token.begin, length, attr, attrLength)) {
      spot.nameBegin = token.begin;
      spot.nameEnd = token.end;
      return kAttributeFound;
    }
    const char* close = std::find(token.begin, token.end, '>');
    if (close != token.end) {
      spot.insertAt = close;
      return kAttributeAbsent;
    }
  }
  return kAttributeNoTagEnd;
}

int IsInsideQuotes(const char* tagBegin, const char* position) {
  int inside = 0;
  for (const char* p = tagBegin; p < position; ++p) {
    if (*p == '"') inside = !inside;
  }
  return inside;
}

int ReadAttributeValue(const char* afterName, CAttributeValue& value) {
  value = CAttributeValue();
  const char* p = afterName;
  while (kBlankSet.Has(*p)) ++p;
  if (*p != '=') return 0;  // a name without a value, such as `nowrap`
  ++p;
  while (kBlankSet.Has(*p)) ++p;
  if (*p == '"') {
    value.quoted = 1;
    value.begin = p + 1;
    const char* close = std::strchr(value.begin, '"');
    value.closed = close != nullptr;
    value.end =
        close != nullptr ? close : value.begin + std::strlen(value.begin);
    value.after = close != nullptr ? close + 1 : value.end;
    return 1;
  }
  SkipChars(p, kValueSeparators);
  value.begin = p;
  SkipToChars(p, kValueSeparators);
  value.end = value.after = p;
  return 1;
}

int FindAttributeValue(const char* text, const char* tag, const char* attr,
                       CAttributeSpot& spot, CAttributeValue& value) {
  return LocateAttribute(text, tag, attr, kGetAttributeSeparatorSet, spot) ==
             kAttributeFound &&
         ReadAttributeValue(spot.nameEnd, value);
}

int GetAttributeOf(const char* text, const char* tag, const char* attr,
                   char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  buffer[0] = '\0';
  if (text == nullptr || tag == nullptr || attr == nullptr || *attr == '\0') {
    return 0;
  }
  CAttributeSpot spot;
  CAttributeValue value;
  if (!FindAttributeValue(text, tag, attr, spot, value)) return 0;
  const size_t length = static_cast<size_t>(value.end - value.begin);
  if (length > static_cast<size_t>(bufferSize) - 1) return 0;
  std::memcpy(buffer, value.begin, length);
  buffer[length] = '\0';
  return 1;
}

}  // namespace htmlmemdoc
