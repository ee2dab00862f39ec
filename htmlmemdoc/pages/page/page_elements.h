// page_elements.h: what the services layer reads off the library's
// elements: their markup, a layer's id and kind, a title's text, the one
// walk over a document's layers, the lookup of a layer by its id, and
// where each layer the page writes stands in page order.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_ELEMENTS_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_ELEMENTS_H_

#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

// An element's markup, "" when it has none.
std::string MarkupOf(const CHtmlTextBase& element);

// The id of a layer's div, "" when it has none.
std::string LayerId(const CHtmlTextBase& layer);

// The name of a layer's kind: "plain", "text", "image", "video", "embed"
// or "live audio".
const char* LayerKindName(const CHtmlLayer& layer);

// The text between a title element's tags ("<title>Home</title>" gives
// "Home"); false when the element holds no tag to take it from.
bool TitleText(const CHtmlTextBase& title, std::string& text);

// Calls `visit` with every layer of `document`, kind by kind as its lists
// hold them (text, image, video, embed, plain), the order in which it
// writes them.
template <typename Visit>
void ForEachLayer(const CHtmlMemDoc& document, Visit visit) {
  const CObList* lists[] = {&document.m_textLayerList,
                            &document.m_imageLayerList,
                            &document.m_videoLayerList,
                            &document.m_embedLayerList, &document.m_layerList};
  for (const CObList* list : lists) {
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
      visit(*static_cast<const CHtmlLayer*>(list->GetNext(pos)));
  }
}

// The first layer in page order whose div has the id `id` (the one a
// person sees first); null when none has. The layer belongs to the
// document.
CHtmlLayer* FindLayer(CHtmlMemDoc& document, const std::string& id);
const CHtmlLayer* FindLayer(const CHtmlMemDoc& document, const std::string& id);

// The document's layers in page order (GetLayersInPageOrder), which stay
// the document's.
std::vector<CHtmlLayer*> LayersInPageOrder(const CHtmlMemDoc& document);

// The place in page order of each layer the document writes, in the order
// it writes them: kind by kind, without the plain layers and the media
// layers whose reference is empty, which it leaves out. A preview of the
// rendering finds each layer's block by it.
std::vector<int> WrittenLayerPlaces(const CHtmlMemDoc& document);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_ELEMENTS_H_
