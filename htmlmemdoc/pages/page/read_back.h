// read_back.h: a rendering of a document read back without keeping it.
// The guards read what a write would put on disk to know that it reads
// again and which of the document's layers it loses; a second document of
// the whole page would double their memory, so the reading keeps no
// element: each layer it gives is compared, list by list, with the
// document's own as it comes.

#ifndef HTMLMEMDOC_PAGES_PAGE_READ_BACK_H_
#define HTMLMEMDOC_PAGES_PAGE_READ_BACK_H_

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

// The layer lists a rendering writes, in the order it writes them.
enum WrittenList : size_t {
  kTextLayers,
  kImageLayers,
  kVideoLayers,
  kEmbedLayers
};
const size_t kWrittenLists = 4;

// The document's list `kind`.
const CObList& WrittenLayers(const CHtmlMemDoc& document, size_t kind);

class ReadBack : public CHtmlReadObserver {
 public:
  // Told of each layer the reading gives: its list, its place in that
  // list, the layer (destroyed once the hook returns).
  using LayerHook =
      std::function<void(size_t kind, size_t index, const CHtmlTextBase&)>;

  // `rendered` must outlive this object and stay unchanged. With `keep`,
  // the reading keeps every element and its read record, for TakeRead.
  explicit ReadBack(const CHtmlMemDoc& rendered, LayerHook hook = nullptr,
                    bool keep = false);

  // Reads `rendering`, made from the document; "" or where and why it
  // does not read again ("LINE:COLUMN: what stands there: why").
  std::string Read(const CString& rendering);

  // The document's layers of list `kind` that the reading did not give
  // back, in list order.
  const std::vector<const CHtmlLayer*>& Lost(size_t kind) const {
    return m_lists[kind].lost;
  }
  // The markup of the layer the reading gave at `index` of list `kind`
  // (the document's own where it came back unchanged), or null.
  const char* Echo(size_t kind, size_t index) const;
  // The single elements read (title, body, sound, frameset).
  const CHtmlMemDoc& Singles() const { return *m_written; }

  // With `keep`, after a Read that read: the document the rendering reads
  // as, whole, its read record that of the rendering. The caller owns it;
  // this object gives it once (null after).
  std::unique_ptr<CHtmlMemDoc> TakeRead();

  int ElementRead(const CHtmlTextList& list,
                  const CHtmlTextBase& element) override;
  int LayerMarkupRead(const CHtmlTextList& list, const char* markup,
                      size_t length) override;

 private:
  struct ListState {
    POSITION next = nullptr;  // the document's first layer not yet met
    std::vector<const CHtmlLayer*> lost;
    std::vector<const char*> echoes;
    std::deque<std::string> copies;  // layers that came back changed
  };

  size_t WrittenKind(const CHtmlTextList& list) const;
  void Match(size_t kind, const char* markup, size_t length);

  const CHtmlMemDoc& m_rendered;
  LayerHook m_hook;
  bool m_keep;
  std::unique_ptr<CHtmlMemDoc> m_written;
  ListState m_lists[kWrittenLists];
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_READ_BACK_H_
