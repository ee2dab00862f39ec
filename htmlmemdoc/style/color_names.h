// color_names.h: the colour names a style's "color" may hold (internal to
// the library), with their values as 0x00RRGGBB.

#ifndef HTMLMEMDOC_STYLE_COLOR_NAMES_H_
#define HTMLMEMDOC_STYLE_COLOR_NAMES_H_

namespace htmlmemdoc {

struct CColorName {
  const char* name;     // upper case
  unsigned long value;  // 0x00RRGGBB
};

const int kColorNameCount = 140;
extern const CColorName kColorNames[kColorNameCount];

// 1 and the row's value when `name` equals a table name (ASCII case
// ignored, whole name only); 0 and `value` unchanged otherwise.
int LookupColorName(const char* name, unsigned long& value);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_COLOR_NAMES_H_
