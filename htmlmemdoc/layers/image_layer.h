// image_layer.h: layers that hold an <img> tag: CHtmlImageLayer, and
// CHtmlVideoLayer, whose <img> plays a video through `dynsrc`.

#ifndef HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_
#define HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"

class HTMLMEMDOC_EXPORT CHtmlImageLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlImageLayer)
};

// Its class record names CHtmlLayer as the base, so a kind-of test against
// the image-layer class answers no.
class HTMLMEMDOC_EXPORT CHtmlVideoLayer : public CHtmlImageLayer {
  DECLARE_DYNCREATE(CHtmlVideoLayer)
};

#endif  // HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_
