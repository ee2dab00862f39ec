// style_values.h: tests and conversions of style property values (internal
// to the library).

#ifndef HTMLMEMDOC_STYLE_STYLE_VALUES_H_
#define HTMLMEMDOC_STYLE_STYLE_VALUES_H_

#include "htmlmemdoc/style/style_fields.h"

namespace htmlmemdoc {

// 1 for a non-null, non-empty text made only of ASCII letters and digits,
// '-', '_' and spaces, where a multi-byte character counts as a letter.
int IsPlainIdentifier(const char* text);

// Reads the hexadecimal digits of a colour written after "#": leading "0"s
// and blanks, then "x"s and blanks, are skipped; up to eight digits follow
// and make one number ("ff0000" is 0xFF0000, "fff" is 0xFFF). Returns 1 at
// the end of the text or after eight digits, 0 at any other byte, with
// `value` then holding the digits read so far. Nothing left reads as 0.
int ParseHexColor(const char* digits, unsigned long& value);

// Conversions of one field's text, shared by CHtmlStyle and CInlineStyle.
// Each read fails (0, output untouched unless said otherwise) on an empty
// text.

// The leading integer, whatever follows ("50%" gives 50); fails also when
// the text does not start with a number.
int ReadLeadingInt(const char* text, int& value);
// z-index: the leading integer, 0 when there is none ("auto").
int ReadZIndex(const char* text, int& value);
// 1 in `flag` when the text is `keyword` (ASCII case ignored), else 0.
int ReadFlag(const char* text, const char* keyword, int& flag);
// The 1-based number of the text among the keywords of `field` (text-align,
// position or visibility), ASCII case ignored; fails for any other text.
int ReadKeyword(const char* text, StyleField field, int& number);
// The keyword of number `number` of `field`, or null outside the range.
const char* KeywordText(StyleField field, int number);
// "#rrggbb" through ParseHexColor (which may leave a partial value on
// failure), anything else through the colour names.
int ReadColor(const char* text, unsigned long& color);

// The text a setter writes: a number in decimal followed by a unit of at
// most 8 bytes ("-12px"), and a COLORREF (red in the low byte) as
// "#rrggbb".
struct CFieldText {
  char text[24];
};
CFieldText NumberText(int value, const char* unit);
CFieldText ColorText(unsigned long color);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_STYLE_VALUES_H_
