// mem_doc.cpp: the document's construction and its small operations.

#include "htmlmemdoc/document/mem_doc.h"

namespace {

const int kDefaultTabWidth = 4;

int Append(CHtmlTextList& list, CHtmlTextBase* element) {
  if (element == nullptr) return 0;
  list.AddTail(element);
  return 1;
}

}  // namespace

CHtmlMemDoc::CHtmlMemDoc() : m_nTabWidth(kDefaultTabWidth) {}

CHtmlMemDoc::~CHtmlMemDoc() = default;

int CHtmlMemDoc::DeleteBodyContents() {
  m_styleList.DeleteAll();
  m_textLayerList.DeleteAll();
  m_imageLayerList.DeleteAll();
  m_videoLayerList.DeleteAll();
  return 1;
}

int CHtmlMemDoc::AddTextLayer(CHtmlTextLayer* layer) {
  return Append(m_textLayerList, layer);
}

int CHtmlMemDoc::AddImageLayer(CHtmlImageLayer* layer) {
  return Append(m_imageLayerList, layer);
}

int CHtmlMemDoc::AddVideoLayer(CHtmlVideoLayer* layer) {
  return Append(m_videoLayerList, layer);
}

int CHtmlMemDoc::AddEmbedLayer(CHtmlEmbedLayer* layer) {
  return Append(m_embedLayerList, layer);
}
