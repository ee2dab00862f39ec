// embed_layer.h: layers that hold an <embed> tag: CHtmlEmbedLayer, and
// CHtmlLiveAudioLayer, whose <embed> has an audio type and carries the word
// `mastersound`.

#ifndef HTMLMEMDOC_LAYERS_EMBED_LAYER_H_
#define HTMLMEMDOC_LAYERS_EMBED_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"

class HTMLMEMDOC_EXPORT CHtmlEmbedLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlEmbedLayer)
};

class HTMLMEMDOC_EXPORT CHtmlLiveAudioLayer : public CHtmlEmbedLayer {
  DECLARE_DYNCREATE(CHtmlLiveAudioLayer)
};

#endif  // HTMLMEMDOC_LAYERS_EMBED_LAYER_H_
