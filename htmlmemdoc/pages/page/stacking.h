// stacking.h: the layers whose place on top of another writing the page
// would change. Positioned layers of one z-index stack in page order: of
// two that overlap, the later one is on top. The library writes layers
// kind by kind (text, then image, video and embed layers), so an earlier
// layer of a later-written kind ends up on top of a later layer it
// overlaps: a caption placed over a photo goes under it.

#ifndef HTMLMEMDOC_PAGES_PAGE_STACKING_H_
#define HTMLMEMDOC_PAGES_PAGE_STACKING_H_

#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

struct StackingChange {
  const CHtmlLayer* under;  // was on top, would be under
  const CHtmlLayer* over;   // one layer it would go under
};

// Every layer of `document` that writing it would put under a layer it
// overlaps and was on top of, each once and in page order, with one such
// layer named for the first `named` of them (`over` is null for the
// rest). A layer counts when its div's style gives its left, top, width
// and height in pixels (no other box can be known without a browser); a
// missing z-index stacks as 0, as "auto" does. The pointers are the
// document's. Costs O(n log^2 n) for n layers, however they overlap.
std::vector<StackingChange> FindStackingChanges(const CHtmlMemDoc& document,
                                                size_t named);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_STACKING_H_
