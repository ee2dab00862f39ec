// string_array.h: CStringArray, a growable array of CString.
// Reads outside the array yield an empty string; writes outside it through
// SetAt do nothing; SetAtGrow and the non-const operator[] grow the array,
// filling new slots with empty strings. A negative index is never stored:
// the non-const operator[] then hands out a scratch string that the array
// empties on each such access.

#ifndef HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_
#define HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_

#include <vector>

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/object.h"

class HTMLMEMDOC_EXPORT CStringArray : public CObject {
 public:
  CStringArray() = default;
  ~CStringArray() override;

  int GetSize() const { return static_cast<int>(m_items.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  int IsEmpty() const { return m_items.empty(); }

  // Sets the number of elements; a negative size counts as 0. `growBy` is
  // accepted for compatibility and ignored.
  void SetSize(int newSize, int growBy = -1);
  void RemoveAll() { m_items.clear(); }

  const CString& GetAt(int index) const;
  void SetAt(int index, const char* value);
  void SetAtGrow(int index, const char* value);
  int Add(const char* value);  // returns the new element's index
  void InsertAt(int index, const char* value, int count = 1);
  void RemoveAt(int index, int count = 1);

  const CString& operator[](int index) const { return GetAt(index); }
  CString& operator[](int index);
  CString& ElementAt(int index) { return (*this)[index]; }

 private:
  void GrowTo(int index);  // makes `index` (not negative) a valid slot

  std::vector<CString> m_items;
  CString m_scratch;
};

#endif  // HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_
