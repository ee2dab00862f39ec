// page_loss.h: what a page holds that writing it back would not: the
// stretches the reader passes over (text between the page's tags, comments
// between layers, the page script, an element a later one replaced,
// attributes of the page's frame tags), the layers the renderer leaves out
// (plain layers, media layers whose reference is empty), style properties
// a rule does not write as the page gave them, and frameset content other
// than frames.

#ifndef HTMLMEMDOC_PAGES_PAGE_LOSS_H_
#define HTMLMEMDOC_PAGES_PAGE_LOSS_H_

#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

struct PageLoss {
  std::string kind;  // "plain layer", "comment", "style property", ...
  std::string id;    // the layer's id or the rule's name, when it has one
  int line = 0;      // where it starts in the page text; 0 when unknown
  std::string what;  // the thing itself, cut short
};

// Everything `document`, read from `text`, would not write back. The read
// record must be the one of that read (layers added since have line 0).
// `written` is the document its plain rendering reads back as.
std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text,
                                 const CHtmlMemDoc& written);
// The same, rendering the document and reading it back itself.
std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text);

// One loss on a line: "line 12: plain layer P1: <div id=P1>just text</div>".
std::string DescribeLoss(const PageLoss& loss);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_LOSS_H_
