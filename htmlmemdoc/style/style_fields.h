// style_fields.h: the text fields of a style and the property names that
// fill and render them, shared by CHtmlStyle and CInlineStyle (internal to
// the library).

#ifndef HTMLMEMDOC_STYLE_STYLE_FIELDS_H_
#define HTMLMEMDOC_STYLE_STYLE_FIELDS_H_

#include <cstddef>

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

// How a rendering writes field i < kRenderedFieldCount (" font-size:"),
// and the length of that text.
extern const char* const* const kRenderedNames;
extern const unsigned char* const kRenderedNameLengths;

// What reading a declaration of a known property stores.
enum PropertyAction : unsigned char {
  kStoreField,       // the value (trimmed) is the field's text
  kStoreBorder,      // the value after its first blank is the border
  kStoreFamilies,    // the value is split into the family list
  kStoreBackground,  // the address inside url(...) is the background
};

struct CStyleProperty {
  const char* name;  // in lower case
  unsigned char length;
  PropertyAction action;
  StyleField field;  // the field it fills
};

// The known property named by the `length` bytes at `name`, ASCII case
// ignored; null for any other name (the per-side border widths included).
const CStyleProperty* FindStyleProperty(const char* name, size_t length);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_STYLE_FIELDS_H_
