// ob_list.cpp: a doubly linked list of object pointers. A POSITION is the
// address of a node, cast to the opaque handle type.

#include "htmlmemdoc/platform/ob_list.h"

#include <cstddef>
#include <cstdlib>

struct CObList::CNode {
  CNode* pNext;
  CNode* pPrev;
  CObject* pObject;
};

namespace {

template <typename Node>
Node* NodeOf(POSITION position) {
  return reinterpret_cast<Node*>(position);
}

template <typename Node>
POSITION PositionOf(Node* node) {
  return reinterpret_cast<POSITION>(node);
}

}  // namespace

CObList::CObList(int blockSize)
    : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}

CObList::~CObList() { RemoveAll(); }

CObList::CNode* CObList::NewNode() {
  if (m_pFree == nullptr) {
    CNode* block = new CNode[static_cast<size_t>(m_nBlockSize)];
    m_blocks.push_back(block);
    for (int i = 0; i < m_nBlockSize; ++i) FreeNode(&block[i]);
  }
  CNode* node = m_pFree;
  m_pFree = node->pNext;
  return node;
}

void CObList::FreeNode(CNode* node) {
  node->pNext = m_pFree;
  m_pFree = node;
}

CObject* CObList::GetHead() const {
  return m_pHead != nullptr ? m_pHead->pObject : nullptr;
}

CObject* CObList::GetTail() const {
  return m_pTail != nullptr ? m_pTail->pObject : nullptr;
}

POSITION CObList::AddHead(CObject* object) {
  return InsertBefore(GetHeadPosition(), object);
}

POSITION CObList::AddTail(CObject* object) {
  return InsertAfter(GetTailPosition(), object);
}

CObject* CObList::RemoveHead() {
  if (m_pHead == nullptr) return nullptr;
  CObject* object = m_pHead->pObject;
  RemoveAt(PositionOf(m_pHead));
  return object;
}

CObject* CObList::RemoveTail() {
  if (m_pTail == nullptr) return nullptr;
  CObject* object = m_pTail->pObject;
  RemoveAt(PositionOf(m_pTail));
  return object;
}

void CObList::RemoveAll() {
  for (CNode* block : m_blocks) delete[] block;
  m_blocks.clear();
  m_pHead = m_pTail = m_pFree = m_pLastFound = nullptr;
  m_nCount = 0;
}

POSITION CObList::GetHeadPosition() const { return PositionOf(m_pHead); }
POSITION CObList::GetTailPosition() const { return PositionOf(m_pTail); }

CObject* CObList::GetNext(POSITION& position) const {
  CNode* node = NodeOf<CNode>(position);
  if (node == nullptr) return nullptr;
  position = PositionOf(node->pNext);
  return node->pObject;
}

CObject* CObList::GetPrev(POSITION& position) const {
  CNode* node = NodeOf<CNode>(position);
  if (node == nullptr) return nullptr;
  position = PositionOf(node->pPrev);
  return node->pObject;
}

CObject* CObList::GetAt(POSITION position) const {
  CNode* node = NodeOf<CNode>(position);
  return node != nullptr ? node->pObject : nullptr;
}

void CObList::SetAt(POSITION position, CObject* object) {
  CNode* node = NodeOf<CNode>(position);
  if (node != nullptr) node->pObject = object;
}

void CObList::RemoveAt(POSITION position) {
  CNode* node = NodeOf<CNode>(position);
  if (node == nullptr) return;
  (node->pPrev != nullptr ? node->pPrev->pNext : m_pHead) = node->pNext;
  (node->pNext != nullptr ? node->pNext->pPrev : m_pTail) = node->pPrev;
  FreeNode(node);
  m_pLastFound = nullptr;
  --m_nCount;
}

// Links a new node between `prev` and `next` (either may be null at the
// ends of the list).
POSITION CObList::LinkBetween(CNode* prev, CNode* next, CObject* object) {
  CNode* node = NewNode();
  *node = CNode{next, prev, object};
  (prev != nullptr ? prev->pNext : m_pHead) = node;
  (next != nullptr ? next->pPrev : m_pTail) = node;
  ++m_nCount;
  m_pLastFound = nullptr;
  return PositionOf(node);
}

// A null `position` inserts at the head (before) or at the tail (after).
POSITION CObList::InsertBefore(POSITION position, CObject* object) {
  CNode* next = position != nullptr ? NodeOf<CNode>(position) : m_pHead;
  return LinkBetween(next != nullptr ? next->pPrev : nullptr, next, object);
}

POSITION CObList::InsertAfter(POSITION position, CObject* object) {
  CNode* prev = position != nullptr ? NodeOf<CNode>(position) : m_pTail;
  return LinkBetween(prev, prev != nullptr ? prev->pNext : nullptr, object);
}

// Walks from the nearest of the head, the tail and the node found last, so
// that a loop over the indexes in order takes one step per index.
POSITION CObList::FindIndex(int index) const {
  if (index < 0 || index >= m_nCount) return nullptr;
  CNode* node = m_pHead;
  int at = 0;
  if (m_pLastFound != nullptr &&
      std::abs(index - m_nLastFoundIndex) < index) {
    node = m_pLastFound;
    at = m_nLastFoundIndex;
  }
  if (m_nCount - 1 - index < std::abs(index - at)) {
    node = m_pTail;
    at = m_nCount - 1;
  }
  for (; at < index; ++at) node = node->pNext;
  for (; at > index; --at) node = node->pPrev;
  m_pLastFound = node;
  m_nLastFoundIndex = index;
  return PositionOf(node);
}

POSITION CObList::Find(CObject* object, POSITION startAfter) const {
  CNode* node =
      startAfter != nullptr ? NodeOf<CNode>(startAfter)->pNext : m_pHead;
  for (; node != nullptr; node = node->pNext) {
    if (node->pObject == object) return PositionOf(node);
  }
  return nullptr;
}
