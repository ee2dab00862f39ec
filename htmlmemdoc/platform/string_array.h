// string_array.h: CStringArray, a growable array of CString.
// Reads outside the array yield an empty string; writes outside it through
// SetAt do nothing; SetAtGrow and the non-const operator[] grow the array,
// filling new slots with empty strings. A negative index is never stored:
// the non-const operator[] then hands out a scratch string that is emptied
// on each such access. An empty array holds no allocation.

#ifndef HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_
#define HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_

#include <memory>
#include <vector>

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/object.h"

class HTMLMEMDOC_EXPORT CStringArray : public CObject {
 public:
  CStringArray() = default;
  ~CStringArray() override;

  int GetSize() const {
    return m_pItems ? static_cast<int>(m_pItems->size()) : 0;
  }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  int IsEmpty() const { return GetSize() == 0; }

  // Sets the number of elements; a negative size counts as 0. `growBy` is
  // accepted for compatibility and ignored.
  void SetSize(int newSize, int growBy = -1);
  void RemoveAll() { m_pItems.reset(); }

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
  std::vector<CString>& Items();  // created when first needed

  std::unique_ptr<std::vector<CString>> m_pItems;
};

#endif  // HTMLMEMDOC_PLATFORM_STRING_ARRAY_H_
