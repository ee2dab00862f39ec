// mem_doc.cpp: the document's construction and its small operations.

#include "htmlmemdoc/document/mem_doc.h"

#include <algorithm>
#include <vector>

namespace {

const int kDefaultTabWidth = 4;

// The single elements whose read items RecordSingle keeps track of.
enum SingleElement { kTitle, kBody, kSound, kFrameSet };

}  // namespace

CHtmlReadObserver::~CHtmlReadObserver() = default;

int CHtmlReadObserver::LayerMarkupRead(const CHtmlTextList&, const char*,
                                       size_t) {
  return 1;
}

CHtmlMemDoc::CHtmlMemDoc()
    : m_nTabWidth(kDefaultTabWidth),
      m_readError{HtmlReadOk, 0, 0, 0},
      m_pReadText(nullptr),
      m_singleItems{-1, -1, -1, -1},
      m_pDivSearchStart(nullptr),
      m_pDivFound(nullptr),
      m_pObserver(nullptr),
      m_nLayersTaken(0),
      m_bKeepRecord(1) {}

CHtmlMemDoc::~CHtmlMemDoc() = default;

int CHtmlMemDoc::DeleteBodyContents() {
  m_styleList.DeleteAll();
  m_textLayerList.DeleteAll();
  m_imageLayerList.DeleteAll();
  m_videoLayerList.DeleteAll();
  return 1;
}

// Appends `layer` to `list` and marks it as held, unless it is null or a
// document holds it already: a layer in two lists would be destroyed twice.
int CHtmlMemDoc::AdoptLayer(CHtmlTextList& list, CHtmlLayer* layer) {
  if (layer == nullptr || layer->m_pDocument != nullptr) return 0;
  layer->m_pDocument = this;
  layer->m_nPageOrder = ++m_nLayersTaken;
  list.AddTail(layer);
  return 1;
}

// Files `element`, read from [begin, end), at the end of `list` and
// records it, unless the read observer declines it: then it is destroyed
// and recorded without its object.
void CHtmlMemDoc::FileElement(CHtmlTextList& list, CHtmlTextBase* element,
                              const char* begin, const char* end) {
  if (m_pObserver != nullptr && !m_pObserver->ElementRead(list, *element)) {
    delete element;
    element = nullptr;
  } else if (element->IsKindOf(RUNTIME_CLASS(CHtmlLayer))) {
    AdoptLayer(list, static_cast<CHtmlLayer*>(element));
  } else {
    list.AddTail(element);
  }
  Record(HtmlReadElement, begin, end, element);
}

int CHtmlMemDoc::AddTextLayer(CHtmlTextLayer* layer) {
  return AdoptLayer(m_textLayerList, layer);
}

int CHtmlMemDoc::AddImageLayer(CHtmlImageLayer* layer) {
  return AdoptLayer(m_imageLayerList, layer);
}

int CHtmlMemDoc::AddVideoLayer(CHtmlVideoLayer* layer) {
  return AdoptLayer(m_videoLayerList, layer);
}

int CHtmlMemDoc::AddEmbedLayer(CHtmlEmbedLayer* layer) {
  return AdoptLayer(m_embedLayerList, layer);
}

int CHtmlMemDoc::ReleaseLayer(CHtmlLayer* layer) {
  if (layer == nullptr || layer->m_pDocument != this) return 0;
  CHtmlTextList* lists[] = {&m_textLayerList, &m_imageLayerList,
                            &m_videoLayerList, &m_embedLayerList, &m_layerList};
  for (CHtmlTextList* list : lists) {
    POSITION position = list->Find(layer);
    if (position == nullptr) continue;
    list->RemoveAt(position);
    layer->m_pDocument = nullptr;
    return 1;
  }
  return 0;
}

int CHtmlMemDoc::GetLayersInPageOrder(CObList& layers) const {
  const CHtmlTextList* lists[] = {&m_textLayerList, &m_imageLayerList,
                                  &m_videoLayerList, &m_embedLayerList,
                                  &m_layerList};
  std::vector<CHtmlLayer*> all;
  for (const CHtmlTextList* list : lists) {
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
      all.push_back(static_cast<CHtmlLayer*>(list->GetNext(pos)));
    }
  }
  // Layers never taken by a document (order 0) go last, in list order.
  auto order = [](const CHtmlLayer* layer) {
    return layer->m_nPageOrder != 0 ? layer->m_nPageOrder : ~0ul;
  };
  std::stable_sort(all.begin(), all.end(),
                   [&order](const CHtmlLayer* a, const CHtmlLayer* b) {
                     return order(a) < order(b);
                   });
  layers.RemoveAll();
  for (CHtmlLayer* layer : all) layers.AddTail(layer);
  return layers.GetCount();
}

const CHtmlReadItem* CHtmlMemDoc::GetReadItem(int index) const {
  if (index < 0 || index >= GetReadItemCount()) return nullptr;
  return &m_readItems[static_cast<size_t>(index)];
}

void CHtmlMemDoc::StartRecord(const char* text) {
  m_readItems.clear();
  m_readError = CHtmlReadError{HtmlReadOk, 0, 0, 0};
  m_pReadText = text;
  for (int& item : m_singleItems) item = -1;
  m_pDivSearchStart = nullptr;
  m_pDivFound = nullptr;
}

int CHtmlMemDoc::Refuse(HtmlReadReason reason) {
  m_readError.reason = reason;
  return 0;
}

void CHtmlMemDoc::Record(HtmlReadItemKind kind, const char* begin,
                         const char* end, CObject* element) {
  if (!m_bKeepRecord) return;
  m_readItems.push_back(
      CHtmlReadItem{kind, static_cast<long>(begin - m_pReadText),
                    static_cast<long>(end - m_pReadText), element});
}

// A single element read again replaces the one read before: that one's
// item is marked as replaced.
void CHtmlMemDoc::RecordSingle(CHtmlTextBase& element, const char* begin,
                               const char* end) {
  const int which = &element == &m_title     ? kTitle
                    : &element == &m_body    ? kBody
                    : &element == &m_bgSound ? kSound
                                             : kFrameSet;
  if (!m_bKeepRecord) return;
  int& last = m_singleItems[which];
  if (last >= 0) m_readItems[static_cast<size_t>(last)].kind = HtmlReadReplaced;
  last = GetReadItemCount();
  Record(HtmlReadElement, begin, end, &element);
}
