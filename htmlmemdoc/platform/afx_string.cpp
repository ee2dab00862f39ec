// afx_string.cpp: CString over a block of its own: a CStringData header,
// the bytes, and NULs to the end of the room, so that the text is always
// NUL-terminated and a filler's buffer never exposes stale bytes. Index
// arguments are clamped before any access, so every operation is defined
// for every argument.

#include "htmlmemdoc/platform/afx_string.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

#include "htmlmemdoc/platform/mbcs.h"

namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

size_t LengthOf(const char* text) { return std::strlen(text); }

int Clamp(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

const char kWhiteSpace[] = " \t\r\n\v\f";

int IsTrimmable(char c, const char* set) {
  return static_cast<unsigned char>(c) < 0x80 && c != '\0' &&
         std::strchr(set, c) != nullptr;
}

}  // namespace

// The empty string of every CString that holds no text: a header of zero
// length and room, then its NUL. It is never written.
struct CString::CEmptyBlock {
  CStringData header;
  char nul;
};
const CString::CEmptyBlock CString::kEmpty = {{0, 0}, '\0'};

char* CString::EmptyText() { return const_cast<char*>(&kEmpty.nul); }

CString::CString() noexcept : m_pchData(EmptyText()) {}

CString::CString(const char* text) : m_pchData(EmptyText()) {
  if (text != nullptr) Assign(text, static_cast<int>(LengthOf(text)));
}

CString::CString(const char* text, int length) : m_pchData(EmptyText()) {
  if (text == nullptr || length <= 0) return;
  Assign(text, static_cast<int>(strnlen(text, static_cast<size_t>(length))));
}

CString::CString(char ch, int repeat) : m_pchData(EmptyText()) {
  if (repeat <= 0 || ch == '\0') return;
  Reserve(repeat, 0);
  std::memset(m_pchData, ch, static_cast<size_t>(repeat));
  Data()->length = repeat;
}

CString::CString(const CString& other) : m_pchData(EmptyText()) {
  Assign(other.m_pchData, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData) {
  other.m_pchData = EmptyText();
}

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_pchData, other.GetLength());
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    Release();
    m_pchData = other.m_pchData;
    other.m_pchData = EmptyText();
  }
  return *this;
}

CString::~CString() { Release(); }

CString& CString::operator=(const char* text) {
  Assign(OrEmpty(text), static_cast<int>(LengthOf(OrEmpty(text))));
  return *this;
}

CString& CString::operator=(char ch) {
  Assign(&ch, ch != '\0' ? 1 : 0);
  return *this;
}

void CString::Release() {
  if (m_pchData != EmptyText()) ::operator delete(Data());
  m_pchData = EmptyText();
}

void CString::Empty() { Release(); }

void CString::Reserve(int capacity, int keep, bool clear) {
  if (capacity < 0 ||
      static_cast<size_t>(capacity) >
          static_cast<size_t>(INT_MAX) - 1 - sizeof(CStringData)) {
    throw std::length_error("CString too long");
  }
  void* block = ::operator new(sizeof(CStringData) + capacity + 1);
  CStringData* data = static_cast<CStringData*>(block);
  data->length = keep;
  data->capacity = capacity;
  char* text = reinterpret_cast<char*>(data + 1);
  std::memcpy(text, m_pchData, static_cast<size_t>(keep));
  if (clear) {
    std::memset(text + keep, 0, static_cast<size_t>(capacity - keep) + 1);
  } else {
    text[capacity] = '\0';
  }
  Release();
  m_pchData = text;
}

void CString::SetLength(int length) {
  const int old = GetLength();
  if (length < old) {
    std::memset(m_pchData + length, 0, static_cast<size_t>(old - length));
  }
  if (m_pchData != EmptyText()) Data()->length = length;
}

// `text` may lie inside this string. A length below 1 empties it.
void CString::Assign(const char* text, int length) {
  if (length <= 0) {
    Release();
    return;
  }
  if (length > Capacity()) {
    // Every byte of the new room is written, so none is cleared first; a
    // text inside this string is copied before its room is freed.
    const std::less_equal<const char*> atMost;
    const bool inside = atMost(m_pchData, text) &&
                        atMost(text, m_pchData + Capacity());
    CString copy;
    CString& target = inside ? copy : *this;
    target.Reserve(length, 0, false);
    std::memcpy(target.m_pchData, text, static_cast<size_t>(length));
    target.Data()->length = length;
    if (inside) *this = std::move(copy);
    return;
  }
  std::memmove(m_pchData, text, static_cast<size_t>(length));
  SetLength(length);
}

// `text` may lie inside this string.
void CString::AppendBytes(const char* text, int length) {
  if (length <= 0) return;
  const int old = GetLength();
  if (length > INT_MAX - old) throw std::length_error("CString too long");
  if (old + length > Capacity()) {
    const int grown = old <= INT_MAX / 2 - 1 ? old * 2 : INT_MAX - 64;
    CString bigger;
    bigger.Reserve(old + length > grown ? old + length : grown, 0);
    std::memcpy(bigger.m_pchData, m_pchData, static_cast<size_t>(old));
    std::memcpy(bigger.m_pchData + old, text, static_cast<size_t>(length));
    bigger.Data()->length = old + length;
    *this = std::move(bigger);
    return;
  }
  std::memmove(m_pchData + old, text, static_cast<size_t>(length));
  Data()->length = old + length;
}

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return '\0';
  return m_pchData[index];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) return;
  m_pchData[index] = ch;
}

CString& CString::operator+=(const CString& text) {
  AppendBytes(text.m_pchData, text.GetLength());
  return *this;
}

CString& CString::operator+=(const char* text) {
  AppendBytes(OrEmpty(text), static_cast<int>(LengthOf(OrEmpty(text))));
  return *this;
}

CString& CString::operator+=(char ch) {
  if (ch != '\0') AppendBytes(&ch, 1);
  return *this;
}

void CString::Append(const char* text, int length) {
  if (text != nullptr && length > 0) AppendBytes(text, length);
}

int CString::Compare(const char* text) const {
  return std::strcmp(m_pchData, OrEmpty(text));
}

int CString::CompareNoCase(const char* text) const {
  return htmlmemdoc::CompareNoCase(m_pchData, OrEmpty(text));
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength() || ch == '\0') return -1;
  const char* hit = std::strchr(m_pchData + start, ch);
  return hit != nullptr ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::Find(const char* text, int start) const {
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  const char* hit = htmlmemdoc::FindText(m_pchData + start, OrEmpty(text));
  return hit != nullptr ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const {
  if (ch == '\0') return -1;
  const char* hit = std::strrchr(m_pchData, ch);
  return hit != nullptr ? static_cast<int>(hit - m_pchData) : -1;
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  CString result;
  result.Assign(m_pchData + first, count);
  return result;
}

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

void CString::MakeLower() { htmlmemdoc::MakeLowerText(m_pchData); }

void CString::MakeUpper() { htmlmemdoc::MakeUpperText(m_pchData); }

int CString::Replace(const char* from, const char* to) {
  const size_t fromLength = LengthOf(OrEmpty(from));
  if (fromLength == 0) return 0;
  to = OrEmpty(to);
  const int toLength = static_cast<int>(LengthOf(to));
  CString result;
  int count = 0;
  const char* p = m_pchData;
  for (const char* hit = htmlmemdoc::FindText(p, from); hit != nullptr;
       hit = htmlmemdoc::FindText(p, from)) {
    result.AppendBytes(p, static_cast<int>(hit - p));
    result.AppendBytes(to, toLength);
    p = hit + fromLength;
    ++count;
  }
  if (count == 0) return 0;
  result.AppendBytes(p, GetLength() - static_cast<int>(p - m_pchData));
  *this = std::move(result);
  return count;
}

int CString::Replace(char from, char to) {
  if (from == '\0') return 0;
  int count = 0;
  for (char* c = m_pchData; *c != '\0'; ++c) {
    if (*c == from) {
      *c = to;
      ++count;
    }
  }
  return count;
}

void CString::TrimLeftIf(const char* set) {
  int i = 0;
  while (i < GetLength() && IsTrimmable(m_pchData[i], set)) ++i;
  if (i == 0) return;
  std::memmove(m_pchData, m_pchData + i, static_cast<size_t>(GetLength() - i));
  SetLength(GetLength() - i);
}

void CString::TrimRightIf(const char* set) {
  int n = GetLength();
  while (n > 0 && IsTrimmable(m_pchData[n - 1], set)) --n;
  SetLength(n);
}

void CString::TrimLeft() { TrimLeftIf(kWhiteSpace); }
void CString::TrimLeft(char ch) {
  const char set[2] = {ch, '\0'};
  TrimLeftIf(set);
}
void CString::TrimLeft(const char* set) { TrimLeftIf(OrEmpty(set)); }
void CString::TrimRight() { TrimRightIf(kWhiteSpace); }
void CString::TrimRight(char ch) {
  const char set[2] = {ch, '\0'};
  TrimRightIf(set);
}
void CString::TrimRight(const char* set) { TrimRightIf(OrEmpty(set)); }

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, OrEmpty(format), copy);
  va_end(copy);
  if (length <= 0) {
    Release();
  } else {
    CString result;
    result.Reserve(length, 0);
    std::vsnprintf(result.m_pchData, static_cast<size_t>(length) + 1,
                   OrEmpty(format), args);
    result.Data()->length = static_cast<int>(LengthOf(result.m_pchData));
    *this = std::move(result);
  }
  va_end(args);
}

char* CString::GetBuffer(int minLength) {
  const int room = minLength > GetLength() ? minLength : GetLength();
  if (m_pchData == EmptyText() || room > Capacity()) Reserve(room, GetLength());
  return m_pchData;
}

void CString::ReleaseBuffer(int newLength) {
  if (m_pchData == EmptyText()) return;
  const int length = newLength < 0
                         ? static_cast<int>(strnlen(
                               m_pchData, static_cast<size_t>(Capacity())))
                         : Clamp(newLength, 0, Capacity());
  // Bytes the filler left past the new end go back to NUL.
  std::memset(m_pchData + length, 0, static_cast<size_t>(Capacity() - length));
  Data()->length = length;
}

char* CString::GetBufferSetLength(int length) {
  if (length < 0) length = 0;
  if (m_pchData == EmptyText() || length > Capacity()) {
    // The new room is exactly `length`: nothing past it to keep NUL.
    Reserve(length, length < GetLength() ? length : GetLength(), false);
  } else if (length < GetLength()) {
    std::memset(m_pchData + length, 0,
                static_cast<size_t>(GetLength() - length));
  }
  Data()->length = length;
  m_pchData[length] = '\0';
  return m_pchData;
}

void CString::Preallocate(int length) {
  if (length > Capacity()) Reserve(length, GetLength());
}

CString operator+(const CString& a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}
CString operator+(const CString& a, const char* b) {
  CString result(a);
  result += b;
  return result;
}
CString operator+(const char* a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}
CString operator+(const CString& a, char b) {
  CString result(a);
  result += b;
  return result;
}
CString operator+(char a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}
