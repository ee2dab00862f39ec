// page_elements.cpp: each lookup is one pass over the document's layers.

#include "htmlmemdoc/pages/page/page_elements.h"

#include <unordered_map>

#include "htmlmemdoc/document/source_rewriting.h"

namespace htmlmemdoc {

std::string MarkupOf(const CHtmlTextBase& element) {
  const char* text = element;
  return text != nullptr ? text : "";
}

std::string LayerId(const CHtmlTextBase& layer) {
  CString id;
  return layer.GetAttribute("div", "id", id) ? static_cast<const char*>(id)
                                             : "";
}

const char* LayerKindName(const CHtmlLayer& layer) {
  static const char* const kKinds[] = {"plain", "text",  "image",
                                       "video", "embed", "live audio"};
  return kKinds[layer.GetLayerKind()];
}

bool TitleText(const CHtmlTextBase& title, std::string& text) {
  const char* markup = title;
  if (markup == nullptr || *markup == '\0') return false;
  const std::string whole(markup);
  const size_t open = whole.find('>');
  if (open == std::string::npos) return false;
  const size_t close = whole.find('<', open + 1);
  text = whole.substr(open + 1, close == std::string::npos ? std::string::npos
                                                           : close - open - 1);
  return true;
}

const CHtmlLayer* FindLayer(const CHtmlMemDoc& document,
                            const std::string& id) {
  CObList layers;
  document.GetLayersInPageOrder(layers);
  CString value;  // a div without an id matches no id, not even ""
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;) {
    const auto* layer = static_cast<const CHtmlLayer*>(layers.GetNext(pos));
    if (layer->GetAttribute("div", "id", value) && value == id.c_str())
      return layer;
  }
  return nullptr;
}

CHtmlLayer* FindLayer(CHtmlMemDoc& document, const std::string& id) {
  return const_cast<CHtmlLayer*>(
      FindLayer(static_cast<const CHtmlMemDoc&>(document), id));
}

std::vector<CHtmlLayer*> LayersInPageOrder(const CHtmlMemDoc& document) {
  CObList layers;
  document.GetLayersInPageOrder(layers);
  std::vector<CHtmlLayer*> ordered;
  ordered.reserve(static_cast<size_t>(layers.GetCount()));
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;)
    ordered.push_back(static_cast<CHtmlLayer*>(layers.GetNext(pos)));
  return ordered;
}

std::vector<int> WrittenLayerPlaces(const CHtmlMemDoc& document) {
  std::unordered_map<const CObject*, int> places;
  for (const CHtmlLayer* layer : LayersInPageOrder(document))
    places.emplace(layer, static_cast<int>(places.size()));
  std::vector<int> written;
  ForEachLayer(document, [&](const CHtmlLayer& layer) {
    const HtmlLayerKind kind = layer.GetLayerKind();
    if (kind == HtmlLayerPlain) return;
    const char* markup = layer;
    CSrcValue value;
    if (kind != HtmlLayerText && markup != nullptr &&
        htmlmemdoc::FindSrcValue(kind == HtmlLayerVideo ? "dynsrc" : "src",
                                 markup, value) &&
        value.begin == value.end)
      return;
    written.push_back(places[&layer]);
  });
  return written;
}

}  // namespace htmlmemdoc
