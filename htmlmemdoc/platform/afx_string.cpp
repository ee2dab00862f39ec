// afx_string.cpp: CString over std::string. Index arguments are clamped
// before any access, so every operation is defined for every argument.

#include "htmlmemdoc/platform/afx_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "htmlmemdoc/platform/mbcs.h"

namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

int Clamp(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

const char kWhiteSpace[] = " \t\r\n\v\f";

int IsTrimmable(char c, const char* set) {
  return static_cast<unsigned char>(c) < 0x80 && c != '\0' &&
         std::strchr(set, c) != nullptr;
}

}  // namespace

CString::CString(const char* text) : m_str(OrEmpty(text)) {}

CString::CString(const char* text, int length) {
  if (text == nullptr || length <= 0) return;
  m_str.assign(text, strnlen(text, static_cast<size_t>(length)));
}

CString::CString(char ch, int repeat) {
  if (repeat > 0) m_str.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text) {
  m_str = OrEmpty(text);
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return '\0';
  return m_str[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) return;
  m_str[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text) {
  m_str += text.m_str;
  return *this;
}

CString& CString::operator+=(const char* text) {
  m_str += OrEmpty(text);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}

void CString::Append(const char* text, int length) {
  if (text != nullptr && length > 0) {
    m_str.append(text, static_cast<size_t>(length));
  }
}

int CString::Compare(const char* text) const {
  return std::strcmp(m_str.c_str(), OrEmpty(text));
}

int CString::CompareNoCase(const char* text) const {
  return htmlmemdoc::CompareNoCase(m_str.c_str(), OrEmpty(text));
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength() || ch == '\0') return -1;
  const char* base = m_str.c_str();
  const char* hit = std::strchr(base + start, ch);
  return hit != nullptr ? static_cast<int>(hit - base) : -1;
}

int CString::Find(const char* text, int start) const {
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  const char* base = m_str.c_str();
  const char* hit = htmlmemdoc::FindText(base + start, OrEmpty(text));
  return hit != nullptr ? static_cast<int>(hit - base) : -1;
}

int CString::ReverseFind(char ch) const {
  if (ch == '\0') return -1;
  const char* base = m_str.c_str();
  const char* hit = std::strrchr(base, ch);
  return hit != nullptr ? static_cast<int>(hit - base) : -1;
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  CString result;
  result.m_str =
      m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count));
  return result;
}

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return Mid(GetLength() - count, count);
}

void CString::MakeLower() {
  for (char& c : m_str) c = htmlmemdoc::ToLowerAscii(c);
}

void CString::MakeUpper() {
  for (char& c : m_str) c = htmlmemdoc::ToUpperAscii(c);
}

int CString::Replace(const char* from, const char* to) {
  const size_t fromLength = std::strlen(OrEmpty(from));
  if (fromLength == 0) return 0;
  const char* base = m_str.c_str();
  std::string result;
  int count = 0;
  const char* p = base;
  for (const char* hit = htmlmemdoc::FindText(p, from); hit != nullptr;
       hit = htmlmemdoc::FindText(p, from)) {
    result.append(p, static_cast<size_t>(hit - p));
    result += OrEmpty(to);
    p = hit + fromLength;
    ++count;
  }
  if (count == 0) return 0;
  result.append(p, m_str.size() - static_cast<size_t>(p - base));
  m_str.swap(result);
  return count;
}

int CString::Replace(char from, char to) {
  int count = 0;
  for (char& c : m_str) {
    if (c == from) {
      c = to;
      ++count;
    }
  }
  return count;
}

void CString::TrimLeftIf(const char* set) {
  size_t i = 0;
  while (i < m_str.size() && IsTrimmable(m_str[i], set)) ++i;
  m_str.erase(0, i);
}

void CString::TrimRightIf(const char* set) {
  size_t n = m_str.size();
  while (n > 0 && IsTrimmable(m_str[n - 1], set)) --n;
  m_str.resize(n);
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
    m_str.clear();
  } else {
    std::string result(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(&result[0], result.size(), OrEmpty(format), args);
    result.resize(static_cast<size_t>(length));
    m_str.swap(result);
  }
  va_end(args);
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_str.resize(static_cast<size_t>(minLength));
  return &m_str[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_str.c_str()));
  m_str.resize(static_cast<size_t>(Clamp(newLength, 0, GetLength())));
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
