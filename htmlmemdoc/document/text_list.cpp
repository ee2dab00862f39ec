// text_list.cpp: the owning element list.

#include "htmlmemdoc/document/text_list.h"

CHtmlTextList::CHtmlTextList(int blockSize) : CObList(blockSize) {}

CHtmlTextList::~CHtmlTextList() { DeleteAll(); }

void CHtmlTextList::DeleteAll() {
  while (!IsEmpty()) delete RemoveHead();
}
