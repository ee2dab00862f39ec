// string_array.cpp: CStringArray over a std::vector<CString> made when the
// first element arrives.

#include "htmlmemdoc/platform/string_array.h"

namespace {

const CString& EmptyString() {
  static const CString empty;
  return empty;
}

}  // namespace

CStringArray::~CStringArray() = default;

std::vector<CString>& CStringArray::Items() {
  if (!m_pItems) m_pItems.reset(new std::vector<CString>);
  return *m_pItems;
}

void CStringArray::SetSize(int newSize, int) {
  if (newSize <= 0) {
    RemoveAll();
  } else {
    Items().resize(static_cast<size_t>(newSize));
  }
}

const CString& CStringArray::GetAt(int index) const {
  if (index < 0 || index >= GetSize()) return EmptyString();
  return (*m_pItems)[static_cast<size_t>(index)];
}

void CStringArray::GrowTo(int index) {
  if (index >= GetSize()) Items().resize(static_cast<size_t>(index) + 1);
}

void CStringArray::SetAt(int index, const char* value) {
  if (index < 0 || index >= GetSize()) return;
  (*m_pItems)[static_cast<size_t>(index)] = value;
}

void CStringArray::SetAtGrow(int index, const char* value) {
  if (index < 0) return;
  GrowTo(index);
  (*m_pItems)[static_cast<size_t>(index)] = value;
}

int CStringArray::Add(const char* value) {
  Items().emplace_back(value);
  return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const char* value, int count) {
  if (index < 0 || count <= 0) return;
  if (index > GetSize()) SetSize(index);
  Items().insert(Items().begin() + index, static_cast<size_t>(count),
                 CString(value));
}

void CStringArray::RemoveAt(int index, int count) {
  if (index < 0 || index >= GetSize() || count <= 0) return;
  const int removed = count < GetSize() - index ? count : GetSize() - index;
  m_pItems->erase(m_pItems->begin() + index,
                  m_pItems->begin() + index + removed);
}

CString& CStringArray::operator[](int index) {
  if (index < 0) {
    static thread_local CString scratch;
    scratch.Empty();
    return scratch;
  }
  GrowTo(index);
  return (*m_pItems)[static_cast<size_t>(index)];
}
