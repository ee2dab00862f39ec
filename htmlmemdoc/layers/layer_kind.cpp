// layer_kind.cpp: a layer's kind from its class record, the most derived
// class first (a video layer is also an image layer, a live-audio layer
// also an embed layer).

#include "htmlmemdoc/layers/embed_layer.h"
#include "htmlmemdoc/layers/image_layer.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/layers/text_layer.h"

HtmlLayerKind CHtmlLayer::GetLayerKind() const {
  if (IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) return HtmlLayerVideo;
  if (IsKindOf(RUNTIME_CLASS(CHtmlImageLayer))) return HtmlLayerImage;
  if (IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))) return HtmlLayerText;
  if (IsKindOf(RUNTIME_CLASS(CHtmlLiveAudioLayer))) return HtmlLayerLiveAudio;
  if (IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) return HtmlLayerEmbed;
  return HtmlLayerPlain;
}
