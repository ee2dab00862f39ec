// style_fields.cpp: the property names of a style's fields.

#include "htmlmemdoc/style/style_fields.h"

namespace htmlmemdoc {

const char* const kRenderedNames[kRenderedFieldCount] = {
    " font-size:",      " font-style:",  " font-weight:",    " text-align:",
    " color:",          " border:",      " margin-top:",     " margin-bottom:",
    " padding-top:",    " padding-bottom:", " line-height:", " position:",
    " visibility:",     " z-index:",     " width:",          " height:",
    " left:",           " top:"};

const CStyleProperty kPlainProperties[21] = {
    {"font-size", kFontSizeField},         {"font-style", kFontStyleField},
    {"font-weight", kFontWeightField},     {"text-align", kTextAlignField},
    {"color", kColorField},                {"visibility", kVisibilityField},
    {"position", kPositionField},          {"z-index", kZIndexField},
    {"width", kWidthField},                {"height", kHeightField},
    {"left", kLeftField},                  {"top", kTopField},
    {"border-style", kBorderStyleField},   {"border-width", kBorderWidthField},
    {"border-color", kBorderColorField},   {"margin-top", kMarginTopField},
    {"margin-bottom", kMarginBottomField}, {"padding-top", kPaddingTopField},
    {"padding-bottom", kPaddingBottomField},
    {"line-height", kLineHeightField},     {"cursor", kCursorField}};

const char* const kBorderSides[4] = {"border-left", "border-top",
                                     "border-right", "border-bottom"};
const char kFontFamilyProperty[] = "font-family";
const char* const kBackgroundProperties[2] = {"background-image",
                                              "layer-background-image"};

}  // namespace htmlmemdoc
