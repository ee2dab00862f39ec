// session_model.cpp: DescribePage lists layers kind by kind, as the
// document's lists hold them (ForEachLayer's order); each gets its place
// in page order beside.

#include "htmlmemdoc/pages/report/session_model.h"

#include <unordered_map>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/report/page_model.h"

namespace htmlmemdoc {

nlohmann::json SessionModel(const PageSession& session) {
  const CHtmlMemDoc& document = session.Document();
  nlohmann::json model =
      DescribePage(document, session.Text(), session.Losses());
  CObList inPageOrder;
  document.GetLayersInPageOrder(inPageOrder);
  std::unordered_map<const CObject*, int> places;
  int place = 0;
  for (POSITION pos = inPageOrder.GetHeadPosition(); pos != nullptr;)
    places[inPageOrder.GetNext(pos)] = place++;
  nlohmann::json& layers = model["layers"];
  size_t at = 0;
  ForEachLayer(document, [&](const CHtmlLayer& layer) {
    if (at < layers.size()) layers[at++]["index"] = places[&layer];
  });
  return model;
}

}  // namespace htmlmemdoc
