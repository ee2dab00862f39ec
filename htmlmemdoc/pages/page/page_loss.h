// page_loss.h: what a page holds that writing it back would not: the
// stretches the reader passes over (text between the page's tags, comments
// between layers, the page script, an element a later one replaced,
// attributes of the page's frame tags), the layers the renderer leaves out
// (plain layers, media layers whose reference is empty), style properties
// a rule does not write as the page gave them, and frameset content other
// than frames.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_LOSS_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_LOSS_H_

#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/read_back.h"

namespace htmlmemdoc {

struct PageLoss {
  std::string kind;  // "plain layer", "comment", "style property", ...
  std::string id;    // the layer's id or the rule's name, when it has one
  int line = 0;      // where it starts in the page text; 0 when unknown
  std::string what;  // the thing itself, cut short
  // How many losses the entry stands for: more than 1 for the last entry
  // of a kind found more than kMostLossesOfAKind times, whose `what` then
  // says how many more there are and whose line is the first of them.
  size_t count = 1;
};

// Losses of one kind listed one by one; a page of a hundred thousand
// repeated body tags is told in a few lines and little memory.
const size_t kMostLossesOfAKind = 100;

// The number of losses the entries stand for.
size_t CountLosses(const std::vector<PageLoss>& losses);

// Everything `document`, read from `text`, would not write back, found in
// two steps: what the page text shows, then what a rendering read back
// shows, so that the text can go before the rendering is made. The read
// record must be the one of that read (layers added since have line 0).
class LossFinder {
 public:
  // Looks at the text; it is not needed afterwards.
  LossFinder(const CHtmlMemDoc& document, const std::string& text);
  ~LossFinder();
  LossFinder(const LossFinder&) = delete;
  LossFinder& operator=(const LossFinder&) = delete;

  // Adds the layers `written`, the document's plain rendering read back,
  // has lost, and returns every loss by line. Call once.
  std::vector<PageLoss> Finish(const ReadBack& written);

 private:
  struct Found;
  const CHtmlMemDoc& m_document;
  std::unique_ptr<Found> m_found;
};

// Both steps, rendering the document and reading it back itself.
std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text);
// The same, freeing `text` before the rendering is made: a large page's
// text and its rendering are never in memory together.
std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 std::string&& text);

// What `check` finds in a page file: reads `page`'s text into a document
// (on failure `page.problem` says why, and nothing is lost) and returns
// what writing it back would lose. The text is freed on the way.
std::vector<PageLoss> CheckPageFile(PageFile& page);

// The line each of the document's read items starts on in `text`, the
// text it read, in one pass (the items stand in page order); with
// `columns`, the column each starts at there too (1-based, in bytes).
std::vector<int> ReadItemLines(const CHtmlMemDoc& document,
                               const std::string& text,
                               std::vector<int>* columns = nullptr);

// One loss on a line: "line 12: plain layer P1: <div id=P1>just text</div>".
std::string DescribeLoss(const PageLoss& loss);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_LOSS_H_
