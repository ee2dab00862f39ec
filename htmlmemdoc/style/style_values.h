// style_values.h: tests and conversions of style property values (internal
// to the library).

#ifndef HTMLMEMDOC_STYLE_STYLE_VALUES_H_
#define HTMLMEMDOC_STYLE_STYLE_VALUES_H_

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

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_STYLE_VALUES_H_
