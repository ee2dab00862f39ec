// page_layers.h: making, copying and removing a page's layers. A layer is
// made as the library makes every layer it reads: an object of its kind's
// class is given the layer's markup through Init and put in the
// document's list of that kind. The markup is written as the page's own
// layers are (a div placed by its style attribute, holding the kind's
// element), so that the page reads back with it as a layer of that kind;
// its box, text and source are then set through the guarded edit.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_LAYERS_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_LAYERS_H_

#include <string>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

// The kinds a layer can be made of, as LayerKindName names them: "text,
// image, video, embed or live audio", for messages.
extern const char kNewLayerKinds[];

// A new layer of `kind` with the div id `id`, stacked above every other
// layer, 100 pixels square at the page's corner, holding the text "Text"
// or an empty source (the edit then sets the one asked for), added to the
// document, which owns it; `made` is set to it. `source` is the file the
// layer is to show: a live-audio layer's type is told by its extension.
// Refused, with nothing made, for an unknown kind or no source for a
// layer other than text (bad-value), an id a layer has (in-the-way), or a
// page without a body tag (wrong-kind). `id` must be one a double quoted
// value holds (the edit's check of an id).
Refusal MakeLayer(CHtmlMemDoc& document, const std::string& kind,
                  const std::string& id, const std::string& source,
                  CHtmlLayer*& made);

// A copy of `layer`, one of the document's, with its markup as it is,
// added after the document's layers; `made` is set to it. Refused for a
// plain layer, which no page writes (wrong-kind), and for `id` when a
// layer has it (in-the-way); the copy's id is the caller's to set.
Refusal CopyLayer(CHtmlMemDoc& document, const CHtmlLayer& layer,
                  const std::string& id, CHtmlLayer*& made);

// Takes `layer` out of the document and destroys it.
void DestroyLayer(CHtmlMemDoc& document, CHtmlLayer* layer);

// Why a layer cannot take the id `id`: another layer has it.
Refusal IdTaken(const std::string& id);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_LAYERS_H_
