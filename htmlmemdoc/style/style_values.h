// style_values.h: tests and conversions of style property values (internal
// to the library).

#ifndef HTMLMEMDOC_STYLE_STYLE_VALUES_H_
#define HTMLMEMDOC_STYLE_STYLE_VALUES_H_

namespace htmlmemdoc {

// 1 for a non-null, non-empty text made only of ASCII letters and digits,
// '-', '_' and spaces, where a multi-byte character counts as a letter.
int IsPlainIdentifier(const char* text);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_STYLE_VALUES_H_
