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

// Whether `layer` holds the `length` bytes at `markup` (null: no text).
bool SameMarkup(const CHtmlTextBase& layer, const char* markup, size_t length) {
  const char* own = layer;
  if (own == nullptr || markup == nullptr) return own == markup;
  return layer.GetOuterTextLength() == length &&
         std::memcmp(own, markup, length) == 0;
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

// The written list `list` is, or kWrittenLists for another one.
size_t ReadBack::WrittenKind(const CHtmlTextList& list) const {
  size_t kind = 0;
  while (kind < kWrittenLists && &list != &WrittenLayers(*m_written, kind))
    ++kind;
  return kind;
}

int ReadBack::ElementRead(const CHtmlTextList& list,
                          const CHtmlTextBase& element) {
  const size_t kind = WrittenKind(list);
  if (kind < kWrittenLists) {
    const char* markup = element;
    Match(kind, markup, markup != nullptr ? element.GetOuterTextLength() : 0);
    if (m_hook) m_hook(kind, m_lists[kind].echoes.size() - 1, element);
  }
  return m_keep ? 1 : 0;
}

// Without a hook to show it to or a reading to keep, a layer is matched
// from its markup and never made.
int ReadBack::LayerMarkupRead(const CHtmlTextList& list, const char* markup,
                              size_t length) {
  if (m_hook || m_keep) return 1;
  const size_t kind = WrittenKind(list);
  if (kind < kWrittenLists) Match(kind, markup, length);
  return 0;
}

std::unique_ptr<CHtmlMemDoc> ReadBack::TakeRead() {
  if (!m_keep || m_written == nullptr) return nullptr;
  m_written->SetReadObserver(nullptr);  // this object is not the owner's
  return std::move(m_written);
}

void ReadBack::Match(size_t kind, const char* markup, size_t length) {
  ListState& state = m_lists[kind];
  const CObList& list = WrittenLayers(m_rendered, kind);
  while (state.next != nullptr) {
    const auto* kept = static_cast<const CHtmlLayer*>(list.GetNext(state.next));
    if (SameMarkup(*kept, markup, length)) {
      state.echoes.push_back(*kept);
      return;
    }
    state.lost.push_back(kept);
  }
  state.copies.emplace_back(markup != nullptr ? markup : "", length);
  state.echoes.push_back(state.copies.back().c_str());
}

}  // namespace htmlmemdoc
