// style_values.cpp: tests and conversions of style property values.

#include "htmlmemdoc/style/style_values.h"

#include <cstdio>
#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/style/color_names.h"

namespace htmlmemdoc {

int IsPlainIdentifier(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  while (*text != '\0') {
    const int length = CharLength(text);
    if (length == 1 && !IsAlnumAscii(*text) && *text != '-' && *text != '_' &&
        *text != ' ') {
      return 0;
    }
    text += length;
  }
  return 1;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int ParseHexColor(const char* digits, unsigned long& value) {
  const char* p = digits != nullptr ? digits : "";
  while (*p == '0' || *p == ' ') ++p;
  while (*p == 'x' || *p == 'X' || *p == ' ') ++p;
  value = 0;
  for (int count = 0; count < 8; ++count, ++p) {
    if (*p == '\0') return 1;
    const int digit = HexDigit(*p);
    if (digit < 0) return 0;
    value = value * 16 + static_cast<unsigned long>(digit);
  }
  return 1;
}

namespace {

const char* const kAlignKeywords[] = {"left", "center", "right"};
const char* const kPositionKeywords[] = {"relative", "absolute"};
const char* const kVisibilityKeywords[] = {"visible", "hidden"};

struct CKeywords {
  const char* const* words;
  int count;
};

CKeywords KeywordsOf(StyleField field) {
  switch (field) {
    case kTextAlignField:
      return {kAlignKeywords, 3};
    case kPositionField:
      return {kPositionKeywords, 2};
    case kVisibilityField:
      return {kVisibilityKeywords, 2};
    default:
      return {nullptr, 0};
  }
}

}  // namespace

int ReadLeadingInt(const char* text, int& value) {
  return *text != '\0' && ScanLeadingInt(text, value);
}

int ReadZIndex(const char* text, int& value) {
  if (*text == '\0') return 0;
  int number = 0;  // like atoi: no digits read as 0
  ScanLeadingInt(text, number);
  value = number;
  return 1;
}

int ReadFlag(const char* text, const char* keyword, int& flag) {
  if (*text == '\0') return 0;
  flag = CompareNoCase(text, keyword) == 0;
  return 1;
}

int ReadKeyword(const char* text, StyleField field, int& number) {
  const CKeywords keywords = KeywordsOf(field);
  for (int i = 0; i < keywords.count; ++i) {
    if (CompareNoCase(text, keywords.words[i]) == 0) {
      number = i + 1;
      return 1;
    }
  }
  return 0;
}

const char* KeywordText(StyleField field, int number) {
  const CKeywords keywords = KeywordsOf(field);
  return number >= 1 && number <= keywords.count ? keywords.words[number - 1]
                                                 : nullptr;
}

int ReadColor(const char* text, unsigned long& color) {
  if (*text == '\0') return 0;
  if (text[0] == '#') return ParseHexColor(text + 1, color);
  return LookupColorName(text, color);
}

CFieldText NumberText(int value, const char* unit) {
  CFieldText result;
  char digits[12];
  char* first = digits + sizeof digits;
  unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value)
                                      : static_cast<unsigned long>(value);
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  char* out = result.text;
  if (value < 0) *out++ = '-';
  const size_t count = static_cast<size_t>(digits + sizeof digits - first);
  std::memcpy(out, first, count);
  std::strcpy(out + count, unit);
  return result;
}

CFieldText ColorText(unsigned long color) {
  static const char kHex[] = "0123456789abcdef";
  CFieldText result;
  char* out = result.text;
  *out++ = '#';
  for (int shift = 0; shift < 24; shift += 8) {  // red, green, blue
    *out++ = kHex[(color >> (shift + 4)) & 0xF];
    *out++ = kHex[(color >> shift) & 0xF];
  }
  *out = '\0';
  return result;
}

}  // namespace htmlmemdoc
