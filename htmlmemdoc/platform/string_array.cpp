// string_array.cpp: CStringArray over std::vector<CString>.

#include "htmlmemdoc/platform/string_array.h"

namespace {

const CString& EmptyString() {
  static const CString empty;
  return empty;
}

}  // namespace

CStringArray::~CStringArray() = default;

void CStringArray::SetSize(int newSize, int) {
  m_items.resize(newSize > 0 ? static_cast<size_t>(newSize) : 0);
}

const CString& CStringArray::GetAt(int index) const {
  if (index < 0 || index >= GetSize()) return EmptyString();
  return m_items[static_cast<size_t>(index)];
}

void CStringArray::GrowTo(int index) {
  if (index >= GetSize()) m_items.resize(static_cast<size_t>(index) + 1);
}

void CStringArray::SetAt(int index, const char* value) {
  if (index < 0 || index >= GetSize()) return;
  m_items[static_cast<size_t>(index)] = value;
}

void CStringArray::SetAtGrow(int index, const char* value) {
  if (index < 0) return;
  GrowTo(index);
  m_items[static_cast<size_t>(index)] = value;
}

int CStringArray::Add(const char* value) {
  m_items.emplace_back(value);
  return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const char* value, int count) {
  if (index < 0 || count <= 0) return;
  if (index > GetSize()) SetSize(index);
  m_items.insert(m_items.begin() + index, static_cast<size_t>(count),
                 CString(value));
}

void CStringArray::RemoveAt(int index, int count) {
  if (index < 0 || index >= GetSize() || count <= 0) return;
  const int removed = count < GetSize() - index ? count : GetSize() - index;
  m_items.erase(m_items.begin() + index, m_items.begin() + index + removed);
}

CString& CStringArray::operator[](int index) {
  if (index < 0) {
    m_scratch.Empty();
    return m_scratch;
  }
  GrowTo(index);
  return m_items[static_cast<size_t>(index)];
}
