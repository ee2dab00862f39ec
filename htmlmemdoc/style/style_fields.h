// style_fields.h: the text fields of a style and the property names that
// fill and render them, shared by CHtmlStyle and CInlineStyle (internal to
// the library).

#ifndef HTMLMEMDOC_STYLE_STYLE_FIELDS_H_
#define HTMLMEMDOC_STYLE_STYLE_FIELDS_H_

namespace htmlmemdoc {

// The first kRenderedFieldCount fields in the order a rendering writes
// them; the others are read but never written (the border's parts and the
// cursor) or written in a form of their own (the background image).
enum StyleField : int {
  kFontSizeField,
  kFontStyleField,
  kFontWeightField,
  kTextAlignField,
  kColorField,
  kBorderField,  // from border-left, -top, -right or -bottom
  kMarginTopField,
  kMarginBottomField,
  kPaddingTopField,
  kPaddingBottomField,
  kLineHeightField,
  kPositionField,
  kVisibilityField,
  kZIndexField,
  kWidthField,
  kHeightField,
  kLeftField,
  kTopField,
  kRenderedFieldCount,
  kBorderStyleField = kRenderedFieldCount,
  kBorderWidthField,
  kBorderColorField,
  kCursorField,
  kBackgroundImageField,
  kStyleFieldCount
};

// How a rendering writes field i < kRenderedFieldCount: " font-size:".
extern const char* const kRenderedNames[kRenderedFieldCount];

// A property whose whole value (trimmed) is a field's text.
struct CStyleProperty {
  const char* name;
  StyleField field;
};
extern const CStyleProperty kPlainProperties[21];

// Properties stored otherwise: the value after its first blank becomes the
// border; the value of font-family is split into the family list; the
// address inside url(...) becomes the background image.
extern const char* const kBorderSides[4];
extern const char kFontFamilyProperty[];
extern const char* const kBackgroundProperties[2];

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_STYLE_FIELDS_H_
