// layer_box.h: a layer's position, size and z-index read from one start tag's
// style attribute in one look, for a caller that needs all four of every layer
// (internal to the library).

#ifndef HTMLMEMDOC_LAYERS_LAYER_BOX_H_
#define HTMLMEMDOC_LAYERS_LAYER_BOX_H_

#include "htmlmemdoc/layers/layer.h"

namespace htmlmemdoc {

struct CPixelBox {
  int left = 0, top = 0, width = 0, height = 0;
  int zIndex = 0;  // what GetZIndex gives, 0 when it fails
};

// 1 with `box` set when GetPixelLeft, GetPixelTop, GetPixelWidth and
// GetPixelHeight of `tag` would all succeed, each with the value it would
// give, and the z-index with them; 0 when any of the four would fail.
int GetPixelBox(const CHtmlLayer& layer, const char* tag, CPixelBox& box);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_LAYERS_LAYER_BOX_H_
