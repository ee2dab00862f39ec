// frames.cpp: the frameset and its frames.

#include "htmlmemdoc/elements/frames.h"

IMPLEMENT_DYNCREATE(CHtmlFrame, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlFrameSet, CHtmlTextBase)

CHtmlFrameSet::CHtmlFrameSet() : m_frameList(10) {}

CHtmlFrameSet::~CHtmlFrameSet() {
  while (!m_frameList.IsEmpty()) delete m_frameList.RemoveHead();
}
