// style_values.cpp: tests and conversions of style property values.

#include "htmlmemdoc/style/style_values.h"

#include "htmlmemdoc/platform/mbcs.h"

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

}  // namespace htmlmemdoc
