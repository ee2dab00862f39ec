// mbcs.cpp: the multi-byte helpers. In UTF-8 character boundaries follow
// the rule in the header: a lead byte claims the continuation bytes behind
// it only when all of them are there, so any byte that is not claimed is a
// character of its own and every ASCII byte is always a boundary. In a
// double-byte code page each helper walks the text forward from a place
// known to start a character.

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

// Whether a set of delimiters holds a byte that may be a trail byte of the
// code page in use, so that a scan for them must step over characters.
int NeedsCharacterSteps(const char* set) {
  if (CodePageTable() == nullptr) return 0;
  for (; *set != '\0'; ++set) {
    if (Byte(set) >= 0x40) return 1;
  }
  return 0;
}

// Applies `change` to every byte of `text` that is a character of its own.
template <typename Change>
void ChangeSingleBytes(char* text, size_t length, Change change) {
  const CCodePageTable* table = CodePageTable();
  for (size_t i = 0; i < length; ++i) {
    if (table != nullptr && i + 1 < length && table->Pairs(text + i)) {
      ++i;
    } else {
      text[i] = change(text[i]);
    }
  }
}

// Compares `length` bytes of `a` and `b` (up to the NUL when
// `stopAtNul`) in a double-byte code page: a double-byte character as it
// is, a single byte without regard to ASCII case; <0, 0 or >0.
int CompareDoubleByte(const CCodePageTable& table, const char* a,
                      const char* b, size_t length, bool stopAtNul) {
  for (size_t i = 0; i < length; ++i) {
    const bool pair = i + 1 < length && table.Pairs(a + i);
    const unsigned char x = pair ? Byte(a + i) : ToLowerAscii(a[i]);
    const unsigned char y = pair ? Byte(b + i) : ToLowerAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0 && stopAtNul) return 0;
    if (pair && (++i, a[i] != b[i])) return Byte(a + i) < Byte(b + i) ? -1 : 1;
  }
  return 0;
}

// 1 when the character at `p` is a single byte that belongs to `set`.
int IsDelimiterAt(const char* p, const char* set) {
  return CharLength(p) == 1 && std::strchr(set, *p) != nullptr;
}

// Length of the run of delimiters at `p` (strspn by characters).
size_t SpanOfDelimiters(const char* p, const char* set) {
  if (HasOnlyAsciiBytes(set) && !NeedsCharacterSteps(set))
    return std::strspn(p, set);
  const char* q = p;
  while (*q != '\0' && IsDelimiterAt(q, set)) ++q;
  return static_cast<size_t>(q - p);
}

}  // namespace

size_t SpanToDelimiter(const char* p, const char* set) {
  if (HasOnlyAsciiBytes(set) && !NeedsCharacterSteps(set))
    return std::strcspn(p, set);
  const char* q = p;
  while (*q != '\0' && !IsDelimiterAt(q, set)) q += CharLength(q);
  return static_cast<size_t>(q - p);
}

int CharLength(const char* p) {
  if (const CCodePageTable* table = CodePageTable())
    return table->Pairs(p) ? 2 : 1;
  int trail = TrailCount(Byte(p));
  for (int i = 1; i <= trail; ++i) {
    if (!IsContinuation(Byte(p + i))) return 1;  // cut-off sequence
  }
  return trail + 1;
}

int IsCharBoundary(const char* start, const char* p) {
  if (CodePageTable() != nullptr) {
    const char* q = start;
    while (q < p) q += CharLength(q);
    return q == p;
  }
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

int CBoundaryWalk::Encloses(const char* p, size_t length) {
  if (CodePageTable() == nullptr)
    return IsCharBoundary(m_text, p) && IsCharBoundary(m_text, p + length);
  while (m_next < p) m_next += CharLength(m_next);
  return m_next == p && IsCharBoundary(p, p + length);
}

void MakeLowerText(char* text) { MakeLowerBytes(text, std::strlen(text)); }

void MakeUpperText(char* text) { MakeUpperBytes(text, std::strlen(text)); }

void MakeLowerBytes(char* text, size_t length) {
  ChangeSingleBytes(text, length, ToLowerAscii);
}

void MakeUpperBytes(char* text, size_t length) {
  ChangeSingleBytes(text, length, ToUpperAscii);
}

const char* FindText(const char* text, const char* needle) {
  const size_t length = std::strlen(needle);
  if (length == 0) return text;
  CBoundaryWalk boundaries(text);
  for (const char* p = std::strchr(text, needle[0]); p != nullptr;
       p = std::strchr(p + 1, needle[0])) {
    if (std::strncmp(p, needle, length) != 0) continue;
    if (boundaries.Encloses(p, length)) return p;
  }
  return nullptr;
}

const char* FindTextIgnoringCase(const char* text, const char* needle) {
  const size_t length = std::strlen(needle);
  if (length == 0) return text;
  const char lower = ToLowerAscii(needle[0]);
  const char upper = ToUpperAscii(needle[0]);
  CBoundaryWalk boundaries(text);
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
    if (boundaries.Encloses(p, length)) return p;
  }
  return nullptr;
}

int CompareNoCase(const char* a, const char* b) {
  if (const CCodePageTable* table = CodePageTable())
    return CompareDoubleByte(*table, a, b, static_cast<size_t>(-1), true);
  for (;; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(ToLowerAscii(*a));
    unsigned char y = static_cast<unsigned char>(ToLowerAscii(*b));
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

int EqualNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength != bLength) return 0;
  if (const CCodePageTable* table = CodePageTable())
    return CompareDoubleByte(*table, a, b, aLength, false) == 0;
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
  char* end = start + SpanToDelimiter(start, delimiters);
  if (*end == '\0') {
    m_pNext = nullptr;
  } else {
    *end = '\0';
    m_pNext = end + 1;
  }
  return start;
}

const char* CSpanTokenizer::EndOfToken(const char* p,
                                       const CByteSet& delimiters) {
  while (!delimiters.Stops(*p)) p += CharLength(p);
  return p;
}

// 1 when `delimiters` is all ASCII and a byte scan finds them, with
// m_table then holding it.
int CSpanTokenizer::UseTable(const char* delimiters) {
  if (delimiters == m_pTableSet) return 1;
  if (!HasOnlyAsciiBytes(delimiters) || NeedsCharacterSteps(delimiters))
    return 0;
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
    end = start + SpanToDelimiter(start, delimiters);
  }
  return Found(start, end, token);
}

}  // namespace htmlmemdoc
