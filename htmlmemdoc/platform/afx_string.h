// afx_string.h: CString, a growable NUL-terminated byte string.
// Indexes and lengths are in bytes. Case changes touch ASCII letters only,
// and searches never match inside a multi-byte (UTF-8) character. A null
// `const char*` argument counts as the empty string, and the conversion to
// `const char*` never yields null. Index arguments beyond the string are
// clamped to it; no operation reads or writes outside the string.

#ifndef HTMLMEMDOC_PLATFORM_AFX_STRING_H_
#define HTMLMEMDOC_PLATFORM_AFX_STRING_H_

#include <string>

#include "htmlmemdoc/export.h"

class HTMLMEMDOC_EXPORT CString {
 public:
  CString() = default;
  CString(const char* text);              // NOLINT: implicit, as hosts expect
  CString(const char* text, int length);  // at most `length` bytes
  CString(char ch, int repeat = 1);       // NOLINT
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* text);
  CString& operator=(char ch);
  ~CString() = default;

  int GetLength() const { return static_cast<int>(m_str.size()); }
  int IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  // The byte at `index`, or '\0' when `index` is outside the string.
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }
  // Replaces the byte at `index`; does nothing outside the string.
  void SetAt(int index, char ch);

  operator const char*() const { return m_str.c_str(); }  // NOLINT

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
  // `minLength` bytes plus a NUL; ReleaseBuffer sets the length to
  // `newLength`, or to the length up to the first NUL when it is -1.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);


 private:
  void TrimLeftIf(const char* set);
  void TrimRightIf(const char* set);

  std::string m_str;
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
