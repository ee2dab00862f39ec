// head_elements.cpp: class records of the head and body elements.

#include "htmlmemdoc/elements/head_elements.h"

IMPLEMENT_DYNCREATE(CHtmlMeta, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlTitle, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlScript, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlBody, CHtmlTextBase)

unsigned int CHtmlScript::GetMaxOuterTextLength() const {
  return kMaxScriptLength;
}
