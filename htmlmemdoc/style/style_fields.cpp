// style_fields.cpp: the property names of a style's fields.

#include "htmlmemdoc/style/style_fields.h"

#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

namespace {

constexpr unsigned char Length(const char* name) {
  unsigned char length = 0;
  while (name[length] != '\0') ++length;
  return length;
}

struct CRenderedNames {
  const char* name[kRenderedFieldCount];
  unsigned char length[kRenderedFieldCount];
};

constexpr CRenderedNames MakeRenderedNames() {
  CRenderedNames names = {
      {" font-size:", " font-style:", " font-weight:", " text-align:",
       " color:", " border:", " margin-top:", " margin-bottom:",
       " padding-top:", " padding-bottom:", " line-height:", " position:",
       " visibility:", " z-index:", " width:", " height:", " left:", " top:"},
      {}};
  for (int i = 0; i < kRenderedFieldCount; ++i) {
    names.length[i] = Length(names.name[i]);
  }
  return names;
}

constexpr CRenderedNames kRendered = MakeRenderedNames();

}  // namespace

const char* const* const kRenderedNames = kRendered.name;
const unsigned char* const kRenderedNameLengths = kRendered.length;

namespace {

constexpr CStyleProperty Property(const char* name, PropertyAction action,
                                  StyleField field) {
  return {name, Length(name), action, field};
}

constexpr CStyleProperty kProperties[] = {
    Property("font-size", kStoreField, kFontSizeField),
    Property("font-style", kStoreField, kFontStyleField),
    Property("font-weight", kStoreField, kFontWeightField),
    Property("text-align", kStoreField, kTextAlignField),
    Property("color", kStoreField, kColorField),
    Property("visibility", kStoreField, kVisibilityField),
    Property("position", kStoreField, kPositionField),
    Property("z-index", kStoreField, kZIndexField),
    Property("width", kStoreField, kWidthField),
    Property("height", kStoreField, kHeightField),
    Property("left", kStoreField, kLeftField),
    Property("top", kStoreField, kTopField),
    Property("border-style", kStoreField, kBorderStyleField),
    Property("border-width", kStoreField, kBorderWidthField),
    Property("border-color", kStoreField, kBorderColorField),
    Property("margin-top", kStoreField, kMarginTopField),
    Property("margin-bottom", kStoreField, kMarginBottomField),
    Property("padding-top", kStoreField, kPaddingTopField),
    Property("padding-bottom", kStoreField, kPaddingBottomField),
    Property("line-height", kStoreField, kLineHeightField),
    Property("cursor", kStoreField, kCursorField),
    Property("border-left", kStoreBorder, kBorderField),
    Property("border-top", kStoreBorder, kBorderField),
    Property("border-right", kStoreBorder, kBorderField),
    Property("border-bottom", kStoreBorder, kBorderField),
    Property("font-family", kStoreFamilies, kStyleFieldCount),
    Property("background-image", kStoreBackground, kBackgroundImageField),
    Property("layer-background-image", kStoreBackground, kBackgroundImageField),
};

constexpr int kPropertyCount = sizeof kProperties / sizeof kProperties[0];
constexpr size_t kLongestName = 22;

// The properties by name length: those of length n are
// order[first[n]] up to order[first[n + 1]].
struct CLengthIndex {
  unsigned char first[kLongestName + 2];
  unsigned char order[kPropertyCount];
};

constexpr CLengthIndex MakeLengthIndex() {
  CLengthIndex index{};
  int next = 0;
  for (size_t length = 0; length <= kLongestName; ++length) {
    index.first[length] = static_cast<unsigned char>(next);
    for (int i = 0; i < kPropertyCount; ++i) {
      if (kProperties[i].length == length) {
        index.order[next++] = static_cast<unsigned char>(i);
      }
    }
  }
  index.first[kLongestName + 1] = static_cast<unsigned char>(next);
  return index;
}

constexpr CLengthIndex kByLength = MakeLengthIndex();
static_assert(kByLength.first[kLongestName + 1] == kPropertyCount,
              "every property name is at most kLongestName bytes");

// 1 when the `length` bytes at `name` spell `lower` (lower-case ASCII of
// that length) with ASCII case ignored.
int SpellsNoCase(const char* name, const char* lower, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (ToLowerAscii(name[i]) != lower[i]) return 0;
  }
  return 1;
}

}  // namespace

const CStyleProperty* FindStyleProperty(const char* name, size_t length) {
  if (length == 0 || length > kLongestName) return nullptr;
  for (int k = kByLength.first[length]; k < kByLength.first[length + 1]; ++k) {
    const CStyleProperty& property = kProperties[kByLength.order[k]];
    if (SpellsNoCase(name, property.name, length)) return &property;
  }
  return nullptr;
}

}  // namespace htmlmemdoc
