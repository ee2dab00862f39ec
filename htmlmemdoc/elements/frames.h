// frames.h: a frame page's <frameset ...> block. CHtmlFrameSet keeps the
// frameset start tag as its markup and owns one CHtmlFrame per <frame ...>
// tag of the block.

#ifndef HTMLMEMDOC_ELEMENTS_FRAMES_H_
#define HTMLMEMDOC_ELEMENTS_FRAMES_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/ob_list.h"

// The unit of a frame dimension.
enum HtmlUnit : int {
  HtmlUnitRelative = 1,  // "2*" or "*"
  HtmlUnitPixel = 2,     // "120" or "120px"
  HtmlUnitPercent = 3    // "50%"
};

// One <frame ...> tag.
class HTMLMEMDOC_EXPORT CHtmlFrame : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlFrame)
};

class HTMLMEMDOC_EXPORT CHtmlFrameSet : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlFrameSet)

 public:
  CHtmlFrameSet();
  ~CHtmlFrameSet() override;  // deletes every frame

  // The number of frames (not a success flag).
  int GetFrameCount() const { return m_frameList.GetCount(); }

  // The frames in block order; owned by the frame set.
  CObList m_frameList;
};

#endif  // HTMLMEMDOC_ELEMENTS_FRAMES_H_
