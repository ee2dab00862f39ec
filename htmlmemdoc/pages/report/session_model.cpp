// session_model.cpp: what a viewer was shown is kept as each layer's
// markup in page order; a change is found by comparing the markup of
// every layer with it, a pass over the page's text with no model made of
// the layers that stayed as they were.

#include "htmlmemdoc/pages/report/session_model.h"

#include <algorithm>
#include <iterator>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/report/page_model.h"

using nlohmann::json;

namespace htmlmemdoc {
namespace {

json Entry(const CHtmlLayer& layer, size_t index) {
  json entry = DescribeLayer(layer);
  entry["index"] = index;
  return entry;
}

bool Same(const CHtmlLayer& layer, const std::string& shown) {
  const char* markup = layer;
  const size_t length = layer.GetOuterTextLength();
  return length == shown.size() &&
         (length == 0 || std::equal(shown.begin(), shown.end(), markup));
}

}  // namespace

json SessionView::Whole(const PageSession& session) {
  const CHtmlMemDoc& document = session.Document();
  json model = DescribePage(document, session.Text(), session.Losses());
  json layers = json::array();
  m_shown.clear();
  for (const CHtmlLayer* layer : LayersInPageOrder(document)) {
    layers.push_back(Entry(*layer, m_shown.size()));
    m_shown.push_back(MarkupOf(*layer));
  }
  model["layers"] = std::move(layers);
  model["revision"] = ++m_revision;
  return model;
}

json SessionView::Changes(const PageSession& session) {
  const CHtmlMemDoc& document = session.Document();
  const std::vector<CHtmlLayer*> now = LayersInPageOrder(document);
  json changes = {{"page", DescribePageProperties(document, session.Text(),
                                                  session.Losses())},
                  {"revision", ++m_revision}};
  json layers = json::array();
  if (now.size() == m_shown.size()) {
    for (size_t i = 0; i < now.size(); ++i) {
      if (Same(*now[i], m_shown[i])) continue;
      layers.push_back(Entry(*now[i], i));
      m_shown[i] = MarkupOf(*now[i]);
    }
    changes["layers"] = std::move(layers);
    return changes;
  }
  // Layers made or taken out: the stretch between the layers that stayed
  // at the start and at the end is replaced.
  size_t head = 0;
  while (head < now.size() && head < m_shown.size() &&
         Same(*now[head], m_shown[head]))
    ++head;
  size_t tail = 0;
  while (tail < now.size() - head && tail < m_shown.size() - head &&
         Same(*now[now.size() - 1 - tail], m_shown[m_shown.size() - 1 - tail]))
    ++tail;
  std::vector<std::string> shown(
      std::make_move_iterator(m_shown.begin()),
      std::make_move_iterator(m_shown.begin() + head));
  for (size_t i = head; i < now.size() - tail; ++i) {
    layers.push_back(Entry(*now[i], i));
    shown.push_back(MarkupOf(*now[i]));
  }
  shown.insert(shown.end(), std::make_move_iterator(m_shown.end() - tail),
               std::make_move_iterator(m_shown.end()));
  changes["splice"] = {{"at", head},
                       {"remove", m_shown.size() - head - tail},
                       {"layers", std::move(layers)}};
  m_shown = std::move(shown);
  return changes;
}

}  // namespace htmlmemdoc
