// afx_string.h: CString, a growable NUL-terminated byte string, one pointer
// in size: the empty string costs no allocation, and a text costs one block
// holding its length, its room and its bytes. Indexes and lengths are in
// bytes. Case changes touch ASCII letters only,
// and searches never match inside a multi-byte (UTF-8) character. A null
// `const char*` argument counts as the empty string, and the conversion to
// `const char*` never yields null. Index arguments beyond the string are
// clamped to it; no operation reads or writes outside the string.

#ifndef HTMLMEMDOC_PLATFORM_AFX_STRING_H_
#define HTMLMEMDOC_PLATFORM_AFX_STRING_H_

#include <cstddef>

#include "htmlmemdoc/export.h"

class HTMLMEMDOC_EXPORT CString {
 public:
  CString() noexcept;
  CString(const char* text);              // NOLINT: implicit, as hosts expect
  CString(const char* text, int length);  // at most `length` bytes
  CString(char ch, int repeat = 1);       // NOLINT
  CString(const CString& other);
  CString(CString&& other) noexcept;  // `other` is left empty
  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const char* text);
  CString& operator=(char ch);
  ~CString();

  int GetLength() const { return Data()->length; }
  int IsEmpty() const { return GetLength() == 0; }
  // Makes the string empty and frees its room.
  void Empty();

  // The byte at `index`, or '\0' when `index` is outside the string.
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }
  // Replaces the byte at `index`; does nothing outside the string.
  void SetAt(int index, char ch);

  operator const char*() const { return m_pchData; }  // NOLINT

  CString& operator+=(const CString& text);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);
  // Appends `length` bytes of `text` (which must hold that many).
  void Append(const char* text, int length);

  // strcmp-like results; CompareNoCase ignores ASCII letter case.
  int Compare(const char* text) const;
  int CompareNoCase(const char* text) const;

  // Byte index of the first match at or after `start`, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  int ReverseFind(char ch) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  void MakeLower();
  void MakeUpper();

  // Replaces every occurrence, left to right, without overlap; returns the
  // number of replacements. An empty `from` replaces nothing.
  int Replace(const char* from, const char* to);
  int Replace(char from, char to);

  // Remove leading / trailing bytes: white space (space, \t, \r, \n, \v,
  // \f), one character, or any byte of a set. Only ASCII bytes are removed.
  void TrimLeft();
  void TrimLeft(char ch);
  void TrimLeft(const char* set);
  void TrimRight();
  void TrimRight(char ch);
  void TrimRight(const char* set);

  // printf-style formatting into this string.
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // Direct access for C-style fillers: GetBuffer returns room for at least
  // `minLength` bytes plus a NUL (bytes past the text read as NUL);
  // ReleaseBuffer sets the length to `newLength`, or to the length up to the
  // first NUL when it is -1.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);
  // Sets the length to `length` (a negative one counts as 0) and returns
  // the text for a filler that writes all of it: the bytes past the old
  // text are not cleared first, which spares a pass over a large buffer.
  char* GetBufferSetLength(int length);
  // Makes room for `length` bytes, so that appending up to that length
  // allocates nothing more; the text is unchanged.
  void Preallocate(int length);

 private:
  struct CStringData {
    int length;    // bytes of text, before the NUL
    int capacity;  // bytes of room, before the NUL that ends the room
  };

  struct CEmptyBlock;
  static const CEmptyBlock kEmpty;
  static char* EmptyText();

  CStringData* Data() const {
    return reinterpret_cast<CStringData*>(m_pchData - sizeof(CStringData));
  }
  int Capacity() const { return Data()->capacity; }
  // Room for `capacity` bytes that keeps the first `keep` bytes of the text;
  // everything past them reads as NUL.
  void Reserve(int capacity, int keep, bool clear = true);
  void SetLength(int length);
  void Assign(const char* text, int length);
  void AppendBytes(const char* text, int length);
  void Release();
  void TrimLeftIf(const char* set);
  void TrimRightIf(const char* set);

  char* m_pchData;  // the text in a block after its CStringData
};

HTMLMEMDOC_EXPORT CString operator+(const CString& a, const CString& b);
HTMLMEMDOC_EXPORT CString operator+(const CString& a, const char* b);
HTMLMEMDOC_EXPORT CString operator+(const char* a, const CString& b);
HTMLMEMDOC_EXPORT CString operator+(const CString& a, char b);
HTMLMEMDOC_EXPORT CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) {
  return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, const char* b) {
  return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b) {
  return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) {
  return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, const char* b) {
  return a.Compare(b) < 0;
}
inline bool operator<(const char* a, const CString& b) {
  return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b) { return b < a; }
inline bool operator>(const CString& a, const char* b) { return b < a; }
inline bool operator>(const char* a, const CString& b) { return b < a; }
inline bool operator<=(const CString& a, const CString& b) { return !(b < a); }
inline bool operator<=(const CString& a, const char* b) { return !(b < a); }
inline bool operator<=(const char* a, const CString& b) { return !(b < a); }
inline bool operator>=(const CString& a, const CString& b) { return !(a < b); }
inline bool operator>=(const CString& a, const char* b) { return !(a < b); }
inline bool operator>=(const char* a, const CString& b) { return !(a < b); }

#endif  // HTMLMEMDOC_PLATFORM_AFX_STRING_H_
