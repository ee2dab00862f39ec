// frames.h: a frame page's <frameset ...> block. CHtmlFrameSet keeps the
// frameset start tag as its markup and owns one CHtmlFrame per <frame ...>
// tag that followed it in the block. Frame dimensions carry a unit: "120"
// or "120px" pixels, "50%" percent, "2*" or "*" a relative share.

#ifndef HTMLMEMDOC_ELEMENTS_FRAMES_H_
#define HTMLMEMDOC_ELEMENTS_FRAMES_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/ob_list.h"

// The unit of a frame dimension.
enum HtmlUnit : int {
  HtmlUnitRelative = 1,  // "2*" or "*"
  HtmlUnitPixel = 2,     // "120" or "120px"
  HtmlUnitPercent = 3    // "50%"
};

// One <frame ...> tag. Attributes are those of the tag name "frame".
class HTMLMEMDOC_EXPORT CHtmlFrame : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlFrame)

 public:
  int GetID(CString& id) const;
  int GetID(char* buffer, int bufferSize) const;
  int GetName(CString& name) const;
  int GetName(char* buffer, int bufferSize) const;
  int GetSrc(CString& src) const;
  int GetSrc(char* buffer, int bufferSize) const;
  int SetSrc(const char* src);  // adds "src" when missing
  int SetSrc(CString& src);

  // The number and unit of "width" / "height" (up to 15 bytes); a value
  // without a leading number reads as 0. Fails, leaving both outputs
  // unchanged, when the attribute is missing or too long.
  int GetWidth(int& value, HtmlUnit& unit) const;
  int GetHeight(int& value, HtmlUnit& unit) const;

  // Replace the number and keep the unit: "50%" becomes "30%". Fail,
  // changing nothing, when the attribute is missing (they never add it) or
  // when the new number and the kept unit together exceed 15 bytes.
  int SetWidth(int value);
  int SetHeight(int value);

 private:
  int GetDimension(const char* attr, int& value, HtmlUnit& unit) const;
  int SetDimension(const char* attr, int value);
};

class HTMLMEMDOC_EXPORT CHtmlFrameSet : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlFrameSet)

 public:
  CHtmlFrameSet();
  ~CHtmlFrameSet() override;  // deletes every frame

  using CHtmlTextBase::Init;
  // Takes a frameset block: keeps its start tag (from "<frameset" through
  // its ">") as the markup and rebuilds the frame list from every
  // "<frame..." tag after it. Without "<frameset" the markup stays as it
  // was and the list is emptied. Returns 1.
  int Init(const char* text) override;

  int GetID(CString& id) const;
  int GetID(char* buffer, int bufferSize) const;
  int GetName(CString& name) const;
  int GetName(char* buffer, int bufferSize) const;

  // The number of frames (not a success flag).
  int GetFrameCount() const { return m_frameList.GetCount(); }
  // The frame at the zero-based `index`, or null; the frame set keeps it,
  // and it lives until the next Init or the frame set's destruction.
  CHtmlFrame* GetAt(int index) const;

  // Writes the block: the start tag, each frame's tag on a line of its
  // own, then "\n</frameset>\n". Returns 0, leaving `out` alone, when there
  // is no start tag.
  int RenderOutputString(CString& out) const;
  // Hands the pieces of that block, in order, to `write(text, length)`;
  // returns 0, handing nothing, when there is no start tag.
  template <typename Write>
  int WriteBlock(Write&& write) const;

  // The frames in block order; owned by the frame set.
  CObList m_frameList;

 private:
  void DeleteFrames();
};

template <typename Write>
int CHtmlFrameSet::WriteBlock(Write&& write) const {
  if (GetOuterTextLength() == 0) return 0;
  write(static_cast<const char*>(*this), GetOuterTextLength());
  for (POSITION pos = m_frameList.GetHeadPosition(); pos != nullptr;) {
    const CHtmlFrame& frame =
        *static_cast<const CHtmlFrame*>(m_frameList.GetNext(pos));
    write("\n", 1);
    if (frame.GetOuterTextLength() != 0) {
      write(static_cast<const char*>(frame), frame.GetOuterTextLength());
    }
  }
  write("\n</frameset>\n", 13);
  return 1;
}

#endif  // HTMLMEMDOC_ELEMENTS_FRAMES_H_
