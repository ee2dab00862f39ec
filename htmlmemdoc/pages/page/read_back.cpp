// read_back.cpp: the layers of a rendering read back are matched to the
// document's in one walk per list. A layer read equal to the document's
// next one is that one; every layer of the document passed over before a
// match is lost. A layer read that equals none of the rest leaves them all
// lost, as it would stand between them and any later match.

#include "htmlmemdoc/pages/page/read_back.h"

#include <cstring>

#include "htmlmemdoc/pages/page/message_capture.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

bool SameMarkup(const CHtmlTextBase& a, const CHtmlTextBase& b) {
  const char* x = a;
  const char* y = b;
  if (x == nullptr || y == nullptr) return x == y;
  return a.GetOuterTextLength() == b.GetOuterTextLength() &&
         std::memcmp(x, y, a.GetOuterTextLength()) == 0;
}

class DeclineAll : public CHtmlReadObserver {
 public:
  int ElementRead(const CHtmlTextList&, const CHtmlTextBase&) override {
    return 0;
  }
};

}  // namespace

const CObList& WrittenLayers(const CHtmlMemDoc& document, size_t kind) {
  switch (kind) {
    case kTextLayers:
      return document.m_textLayerList;
    case kImageLayers:
      return document.m_imageLayerList;
    case kVideoLayers:
      return document.m_videoLayerList;
    default:
      return document.m_embedLayerList;
  }
}

ReadBack::ReadBack(const CHtmlMemDoc& rendered, LayerHook hook, bool keep)
    : m_rendered(rendered),
      m_hook(std::move(hook)),
      m_keep(keep),
      m_written(new CHtmlMemDoc) {
  for (size_t kind = 0; kind < kWrittenLists; ++kind) {
    m_lists[kind].next = WrittenLayers(rendered, kind).GetHeadPosition();
  }
  m_written->SetReadObserver(this);
  m_written->SetReadRecordKept(keep ? 1 : 0);
}

std::string ReadBack::Read(const CString& rendering) {
  bool ok;
  {
    CMessageCapture quiet;
    ok = m_written->ReadFromString(static_cast<const char*>(rendering)) != 0;
  }
  for (size_t kind = 0; kind < kWrittenLists; ++kind) {
    ListState& state = m_lists[kind];
    const CObList& list = WrittenLayers(m_rendered, kind);
    while (state.next != nullptr) {
      state.lost.push_back(
          static_cast<const CHtmlLayer*>(list.GetNext(state.next)));
    }
  }
  if (ok) return "";
  // The reason is told from the read record, which the reading did not
  // keep: the rendering is read once more, keeping it.
  CHtmlMemDoc again;
  DeclineAll decline;
  again.SetReadObserver(&decline);
  {
    CMessageCapture quiet;
    again.ReadFromString(static_cast<const char*>(rendering));
  }
  return DescribeProblem(DescribeRefusal(
      std::string(rendering, static_cast<size_t>(rendering.GetLength())),
      again));
}

const char* ReadBack::Echo(size_t kind, size_t index) const {
  const std::vector<const char*>& echoes = m_lists[kind].echoes;
  return index < echoes.size() ? echoes[index] : nullptr;
}

int ReadBack::ElementRead(const CHtmlTextList& list,
                          const CHtmlTextBase& element) {
  for (size_t kind = 0; kind < kWrittenLists; ++kind) {
    if (&list != &WrittenLayers(*m_written, kind)) continue;
    Match(kind, element);
    if (m_hook) m_hook(kind, m_lists[kind].echoes.size() - 1, element);
  }
  return m_keep ? 1 : 0;
}

std::unique_ptr<CHtmlMemDoc> ReadBack::TakeRead() {
  if (!m_keep || m_written == nullptr) return nullptr;
  m_written->SetReadObserver(nullptr);  // this object is not the owner's
  return std::move(m_written);
}

void ReadBack::Match(size_t kind, const CHtmlTextBase& layer) {
  ListState& state = m_lists[kind];
  const CObList& list = WrittenLayers(m_rendered, kind);
  while (state.next != nullptr) {
    const auto* kept = static_cast<const CHtmlLayer*>(list.GetNext(state.next));
    if (SameMarkup(*kept, layer)) {
      state.echoes.push_back(*kept);
      return;
    }
    state.lost.push_back(kept);
  }
  state.copies.push_back(MarkupOf(layer));
  state.echoes.push_back(state.copies.back().c_str());
}

}  // namespace htmlmemdoc
