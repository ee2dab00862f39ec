// layer_markup.h: what each layer class's Init takes, told from the markup
// alone, so that a reader knows whether a layer would be made, and so its
// list, before making it (internal to the library).

#ifndef HTMLMEMDOC_LAYERS_LAYER_MARKUP_H_
#define HTMLMEMDOC_LAYERS_LAYER_MARKUP_H_

#include <cstddef>

#include "htmlmemdoc/layers/layer.h"

namespace htmlmemdoc {

// The live-audio layer's own test of its markup: an embed tag and a
// master sound.
int HasLiveAudioEmbed(const char* markup);

// 1 when Init of a new layer of `kind` succeeds on `markup`, a text of
// `length` bytes.
int InitTakes(HtmlLayerKind kind, const char* markup, size_t length);

// A new layer of `kind`, owned by the caller.
CHtmlLayer* NewLayerOf(HtmlLayerKind kind);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_LAYERS_LAYER_MARKUP_H_
