// layer_box.h: several properties of one start tag's style attribute read
// in one look, for a caller that needs them of every layer: the box and
// z-index, or what a page's description shows (internal to the library).

#ifndef HTMLMEMDOC_LAYERS_LAYER_BOX_H_
#define HTMLMEMDOC_LAYERS_LAYER_BOX_H_

#include <string>

#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/style/style_fields.h"

namespace htmlmemdoc {

struct CPixelBox {
  int left = 0, top = 0, width = 0, height = 0;
  int zIndex = 0;  // what GetZIndex gives, 0 when it fails
};

// One property as its getter gives it: `ok` whether the getter succeeds,
// and then the number (a keyword's 1-based number, a flag, an integer) or
// the colour.
struct CStyleValue {
  int ok = 0;
  int number = 0;
  unsigned long color = 0;
};

// The properties `fields` (each one a getter reads: position, size,
// z-index, visibility, alignment, font size, weight, style, colour) of
// `tag`'s style, read from one copy of it into `values`.
void GetStyleValues(const CHtmlLayer& layer, const char* tag,
                    const StyleField* fields, CStyleValue* values, int count);

// 1 with `box` set when GetPixelLeft, GetPixelTop, GetPixelWidth and
// GetPixelHeight of `tag` would all succeed, each with the value it would
// give, and the z-index with them; 0 when any of the four would fail.
int GetPixelBox(const CHtmlLayer& layer, const char* tag, CPixelBox& box);

// The font families of `tag`'s style as GetStyle and GetFontFamily give
// them, joined by ", "; "" when there are none or GetStyle fails.
std::string GetFontFamilies(const CHtmlLayer& layer, const char* tag);

// GetStyleValues and GetFontFamilies of the same tag from one reading of
// its style: the values into `values`, the families returned.
std::string GetStyleValuesAndFamilies(const CHtmlLayer& layer, const char* tag,
                                      const StyleField* fields,
                                      CStyleValue* values, int count);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_LAYERS_LAYER_BOX_H_
