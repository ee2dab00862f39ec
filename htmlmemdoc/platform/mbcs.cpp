// mbcs.cpp: the multi-byte helpers. Character boundaries follow the rule in
// the header: a lead byte claims the continuation bytes behind it only when
// all of them are there, so any byte that is not claimed is a character of
// its own and every ASCII byte is always a boundary.

#include "htmlmemdoc/platform/mbcs.h"

#include <cstring>

namespace htmlmemdoc {

namespace {

inline unsigned char Byte(const char* p) {
  return static_cast<unsigned char>(*p);
}

inline int IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// Bytes that a lead byte announces after itself; 0 for a non-lead byte.
inline int TrailCount(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return 1;
  if (b >= 0xE0 && b <= 0xEF) return 2;
  if (b >= 0xF0 && b <= 0xF4) return 3;
  return 0;
}

int HasOnlyAsciiBytes(const char* set) {
  for (; *set != '\0'; ++set) {
    if (Byte(set) >= 0x80) return 0;
  }
  return 1;
}

// 1 when the character at `p` is a single byte that belongs to `set`.
int IsDelimiterAt(const char* p, const char* set) {
  return CharLength(p) == 1 && std::strchr(set, *p) != nullptr;
}

// Length of the run of delimiters at `p` (strspn by characters).
size_t SpanOfDelimiters(const char* p, const char* set) {
  if (HasOnlyAsciiBytes(set)) return std::strspn(p, set);
  const char* q = p;
  while (*q != '\0' && IsDelimiterAt(q, set)) ++q;
  return static_cast<size_t>(q - p);
}

// Length of the run of non-delimiters at `p` (strcspn by characters).
size_t SpanOfToken(const char* p, const char* set) {
  if (HasOnlyAsciiBytes(set)) return std::strcspn(p, set);
  const char* q = p;
  while (*q != '\0' && !IsDelimiterAt(q, set)) q += CharLength(q);
  return static_cast<size_t>(q - p);
}

}  // namespace

int CharLength(const char* p) {
  int trail = TrailCount(Byte(p));
  for (int i = 1; i <= trail; ++i) {
    if (!IsContinuation(Byte(p + i))) return 1;  // cut-off sequence
  }
  return trail + 1;
}

int IsCharBoundary(const char* start, const char* p) {
  if (p <= start || !IsContinuation(Byte(p))) return 1;
  // Find the nearest byte before `p` that is not a continuation byte; `p`
  // is inside a character when that byte is a lead whose sequence is
  // complete and reaches past `p`.
  for (int back = 1; back <= 3 && p - back >= start; ++back) {
    const char* q = p - back;
    if (IsContinuation(Byte(q))) continue;
    return CharLength(q) <= back;
  }
  return 1;
}

void MakeLowerText(char* text) {
  for (; *text != '\0'; ++text) *text = ToLowerAscii(*text);
}

void MakeUpperText(char* text) {
  for (; *text != '\0'; ++text) *text = ToUpperAscii(*text);
}

const char* FindText(const char* text, const char* needle) {
  const size_t length = std::strlen(needle);
  if (length == 0) return text;
  const int checkEnd = Byte(needle + length - 1) >= 0x80;
  for (const char* p = std::strchr(text, needle[0]); p != nullptr;
       p = std::strchr(p + 1, needle[0])) {
    if (std::strncmp(p, needle, length) != 0) continue;
    if (!IsCharBoundary(text, p)) continue;
    if (checkEnd && !IsCharBoundary(text, p + length)) continue;
    return p;
  }
  return nullptr;
}

const char* FindTextIgnoringCase(const char* text, const char* needle) {
  const size_t length = std::strlen(needle);
  if (length == 0) return text;
  const char lower = ToLowerAscii(needle[0]);
  const char upper = ToUpperAscii(needle[0]);
  const int checkEnd = Byte(needle + length - 1) >= 0x80;
  // Candidates are near each other in markup ("s" for "src"), where a
  // plain loop beats a library search that sets up its tables per call.
  auto next = [lower, upper](const char* p) {
    while (*p != '\0' && *p != lower && *p != upper) ++p;
    return p;
  };
  const char second = ToLowerAscii(needle[1]);  // the NUL for a 1-byte one
  for (const char* p = next(text); *p != '\0'; p = next(p + 1)) {
    if (length > 1 && ToLowerAscii(p[1]) != second) continue;
    if (!EqualNoCase(p, strnlen(p, length), needle, length)) continue;
    if (!IsCharBoundary(text, p)) continue;
    if (checkEnd && !IsCharBoundary(text, p + length)) continue;
    return p;
  }
  return nullptr;
}

int CompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(ToLowerAscii(*a));
    unsigned char y = static_cast<unsigned char>(ToLowerAscii(*b));
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

int EqualNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength != bLength) return 0;
  for (size_t i = 0; i < aLength; ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return 0;
  }
  return 1;
}

char* CTokenizer::Next(const char* delimiters) {
  if (m_pNext == nullptr) return nullptr;
  char* start = m_pNext + SpanOfDelimiters(m_pNext, delimiters);
  if (*start == '\0') {
    m_pNext = nullptr;
    return nullptr;
  }
  char* end = start + SpanOfToken(start, delimiters);
  if (*end == '\0') {
    m_pNext = nullptr;
  } else {
    *end = '\0';
    m_pNext = end + 1;
  }
  return start;
}

// 1 when `delimiters` is all ASCII, with m_table then holding it.
int CSpanTokenizer::UseTable(const char* delimiters) {
  if (delimiters == m_pTableSet) return 1;
  if (!HasOnlyAsciiBytes(delimiters)) return 0;
  m_table[0] = m_table[1] = m_table[2] = m_table[3] = 0;
  for (const char* d = delimiters; *d != '\0'; ++d) {
    m_table[Byte(d) >> 6] |= 1ull << (Byte(d) & 63);
  }
  m_pTableSet = delimiters;
  return 1;
}

int CSpanTokenizer::Next(const char* delimiters, CTextSpan& token) {
  if (m_pNext == nullptr) return 0;
  const char* start = m_pNext;
  const char* end;
  if (UseTable(delimiters)) {
    while (IsDelimiter(*start)) ++start;  // the NUL is no delimiter
    end = start;
    while (*end != '\0' && !IsDelimiter(*end)) ++end;
  } else {
    start += SpanOfDelimiters(start, delimiters);
    end = start + SpanOfToken(start, delimiters);
  }
  return Found(start, end, token);
}

}  // namespace htmlmemdoc
