// ob_list.h: CObList, an ordered list of CObject pointers, and POSITION.
// The list never owns or destroys the objects it points to. A POSITION is
// an opaque handle to one node; it stays valid until that node is removed.
// Nodes are allocated `blockSize` at a time and reused after removal; the
// blocks are freed by RemoveAll and the destructor.
// Every operation is defined on an empty list and on a null POSITION: reads
// then yield null and iteration ends.

#ifndef HTMLMEMDOC_PLATFORM_OB_LIST_H_
#define HTMLMEMDOC_PLATFORM_OB_LIST_H_

#include <vector>

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/object.h"

struct CPositionTag;
typedef CPositionTag* POSITION;

class HTMLMEMDOC_EXPORT CObList : public CObject {
 public:
  explicit CObList(int blockSize = 10);
  ~CObList() override;  // frees the nodes, not the objects
  CObList(const CObList&) = delete;
  CObList& operator=(const CObList&) = delete;

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  int IsEmpty() const { return m_nCount == 0; }

  CObject* GetHead() const;  // null when empty
  CObject* GetTail() const;  // null when empty
  POSITION AddHead(CObject* object);
  POSITION AddTail(CObject* object);
  CObject* RemoveHead();  // null when empty
  CObject* RemoveTail();  // null when empty
  void RemoveAll();

  POSITION GetHeadPosition() const;
  POSITION GetTailPosition() const;
  // The object at `position`; `position` moves to the next (previous)
  // node, or to null after the last one.
  CObject* GetNext(POSITION& position) const;
  CObject* GetPrev(POSITION& position) const;
  CObject* GetAt(POSITION position) const;
  void SetAt(POSITION position, CObject* object);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, CObject* object);
  POSITION InsertAfter(POSITION position, CObject* object);

  // The node at the zero-based `index`, or null when out of range. A walk
  // over the indexes in order (or in reverse) costs one step per index.
  POSITION FindIndex(int index) const;
  // The first node at or after `startAfter` (the head when null) that holds
  // `object`, or null.
  POSITION Find(CObject* object, POSITION startAfter = nullptr) const;

 private:
  struct CNode;
  POSITION LinkBetween(CNode* prev, CNode* next, CObject* object);
  CNode* NewNode();
  void FreeNode(CNode* node);

  CNode* m_pHead = nullptr;
  CNode* m_pTail = nullptr;
  int m_nCount = 0;
  int m_nBlockSize;
  CNode* m_pFree = nullptr;      // removed nodes, linked through pNext
  std::vector<CNode*> m_blocks;  // each allocated with new[] of blockSize
  // The node FindIndex returned last and its index; null after any change
  // to the list's links.
  mutable CNode* m_pLastFound = nullptr;
  mutable int m_nLastFoundIndex = 0;
};

#endif  // HTMLMEMDOC_PLATFORM_OB_LIST_H_
