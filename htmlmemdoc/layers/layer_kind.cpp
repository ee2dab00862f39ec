// layer_kind.cpp: a layer's kind from its class record, the most derived
// class first (a video layer is also an image layer, a live-audio layer
// also an embed layer), and from the markup a reader is about to make a
// layer of.

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/layers/embed_layer.h"
#include "htmlmemdoc/layers/image_layer.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/layers/layer_markup.h"
#include "htmlmemdoc/layers/text_layer.h"
#include "htmlmemdoc/layers/text_range.h"

HtmlLayerKind CHtmlLayer::GetLayerKind() const {
  if (IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) return HtmlLayerVideo;
  if (IsKindOf(RUNTIME_CLASS(CHtmlImageLayer))) return HtmlLayerImage;
  if (IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))) return HtmlLayerText;
  if (IsKindOf(RUNTIME_CLASS(CHtmlLiveAudioLayer))) return HtmlLayerLiveAudio;
  if (IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) return HtmlLayerEmbed;
  return HtmlLayerPlain;
}

int htmlmemdoc::HasLiveAudioEmbed(const char* markup) {
  return FindNoCase(markup, "<embed") != nullptr &&
         FindNoCase(markup, "mastersound") != nullptr;
}

// Every layer class takes what CHtmlTextBase::Init takes (a text of one to
// kMaxOuterTextLength bytes); a text layer also needs its text tag, a
// live-audio layer its embed.
int htmlmemdoc::InitTakes(HtmlLayerKind kind, const char* markup,
                          size_t length) {
  if (length == 0 || length > CHtmlTextBase::kMaxOuterTextLength) return 0;
  if (kind == HtmlLayerText) {
    const char* name = nullptr;
    int nameLength = 0;
    return FindTextTag(markup, name, nameLength);
  }
  return kind != HtmlLayerLiveAudio || HasLiveAudioEmbed(markup);
}

CHtmlLayer* htmlmemdoc::NewLayerOf(HtmlLayerKind kind) {
  switch (kind) {
    case HtmlLayerText:
      return new CHtmlTextLayer;
    case HtmlLayerImage:
      return new CHtmlImageLayer;
    case HtmlLayerVideo:
      return new CHtmlVideoLayer;
    case HtmlLayerEmbed:
      return new CHtmlEmbedLayer;
    case HtmlLayerLiveAudio:
      return new CHtmlLiveAudioLayer;
    default:
      return new CHtmlLayer;
  }
}
