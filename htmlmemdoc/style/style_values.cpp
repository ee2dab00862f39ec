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

}  // namespace htmlmemdoc
