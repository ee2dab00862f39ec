// scan.cpp: the scanning primitives.
//
// FindNoCase matches three forms of one needle: as written, lower-cased and
// upper-cased. Searching the text three times and keeping the earliest hit
// gives the same answer as one pass that, at each position, tries the three
// forms at once; the pass jumps between candidate positions with the C
// library's vectorised searches for the needle's first byte in its case
// forms, and stops at the first position where a form matches on character
// boundaries. In a double-byte code page the boundaries come from one walk
// over the text for the whole search (CBoundaryWalk), as a trail byte may
// equal a needle's first letter.

#include "htmlmemdoc/core/scan.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "htmlmemdoc/core/case_forms.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/platform/message_box.h"
#include "htmlmemdoc/platform/path.h"

namespace htmlmemdoc {

const char kBlanks[] = " \t\r\n";
constexpr CByteSet kBlankSet(" \t\r\n");

namespace {

// Next position at or after `p` holding the needle's first byte in either
// case, or null at the end of the text.
const char* NextCandidate(const char* p, char lower, char upper) {
  if (lower == upper) return std::strchr(p, lower);
  const char set[3] = {lower, upper, '\0'};
  p += std::strcspn(p, set);
  return *p != '\0' ? p : nullptr;
}

int Saturate(long long value) {
  return value > INT_MAX
             ? INT_MAX
             : (value < INT_MIN ? INT_MIN : static_cast<int>(value));
}

// A needle of ASCII bytes only, short enough to be joined from its parts
// on the stack: the common case (a tag or attribute name), compared in
// place at each candidate without building case forms. In UTF-8 an ASCII
// needle starts and ends on character boundaries wherever it stands; in a
// double-byte code page too when its first byte cannot be a trail byte
// ("<div"), else its place must start a character.
class CShortNeedle {
 public:
  // False for a needle that is empty, longer than the room, or holds a
  // byte above 0x7F.
  bool Join(const char* part1, const char* part2, const char* part3) {
    for (const char* part : {part1, part2, part3}) {
      for (; part != nullptr && *part != '\0'; ++part) {
        if (static_cast<unsigned char>(*part) >= 0x80 ||
            m_length == sizeof m_text) {
          return false;
        }
        m_text[m_length++] = *part;
      }
    }
    return m_length > 0;
  }
  char First() const { return m_text[0]; }
  size_t Length() const { return m_length; }
  // Whether the needle stands at `p` as written, in lower case or in
  // upper case; reads no further than the first byte that differs.
  bool At(const char* p) const {
    bool exact = true, lower = true, upper = true;
    for (size_t i = 0; i < m_length; ++i) {
      const char n = m_text[i];
      exact = exact && p[i] == n;
      lower = lower && p[i] == ToLowerAscii(n);
      upper = upper && p[i] == ToUpperAscii(n);
      if (!(exact || lower || upper)) return false;
    }
    return true;
  }

 private:
  char m_text[32];
  size_t m_length = 0;
};

}  // namespace

const char* FindNoCase(const char* text, const char* part1, const char* part2,
                       const char* part3) {
  CShortNeedle shortNeedle;
  if (shortNeedle.Join(part1, part2, part3)) {
    const char lower = ToLowerAscii(shortNeedle.First());
    const char upper = ToUpperAscii(shortNeedle.First());
    const bool anywhere = CodePageTable() == nullptr ||
                          static_cast<unsigned char>(lower) < 0x40;
    CBoundaryWalk boundaries(text);
    for (const char* p = text; p != nullptr;
         p = NextCandidate(p + 1, lower, upper)) {
      if (shortNeedle.At(p) &&
          (anywhere || boundaries.Encloses(p, shortNeedle.Length())))
        return p;
      if (*p == '\0') break;  // an empty text
    }
    return nullptr;
  }
  const CCaseForms needle(part1, part2, part3);
  if (needle.Length() == 0) return text;
  const char lower = needle.LowerFirst();
  const char upper = needle.UpperFirst();
  CBoundaryWalk boundaries(text);
  for (const char* p = NextCandidate(text, lower, upper); p != nullptr;
       p = NextCandidate(p + 1, lower, upper)) {
    if (needle.BytesAt(p) && boundaries.Encloses(p, needle.Length())) return p;
  }
  return nullptr;
}

int StartsWithNoCase(const char* text, const char* part1, const char* part2,
                     const char* part3) {
  const CCaseForms needle(part1, part2, part3);
  return needle.Length() == 0 || needle.MatchesAt(text, text);
}

void SkipChars(const char*& cursor, const char* set) {
  cursor += std::strspn(cursor, set);
}

void SkipToChars(const char*& cursor, const char* set) {
  cursor += CodePageTable() == nullptr ? std::strcspn(cursor, set)
                                       : SpanToDelimiter(cursor, set);
}

void AdvanceLineColumn(char ch, int& line, int& column, int tabWidth) {
  if (ch == '\n' || ch == '\r') {
    line = Saturate(static_cast<long long>(line) + 1);
    column = 1;
  } else if (ch == '\t') {
    column = Saturate(static_cast<long long>(column) + tabWidth);
  } else {
    column = Saturate(static_cast<long long>(column) + 1);
  }
}

void ReportSyntaxError(int line, int column) {
  char message[260];
  std::snprintf(message, sizeof message, "HTML syntax error at Ln%d, Col%d",
                line, column);
  AfxMessageBox(message, MB_OK, 0);
}

void StripDirectory(char* path) {
  if (path == nullptr) return;
  CPathParts parts;
  SplitPath(path, parts);
  // The name and extension are a tail of the path, so they fit in place.
  const std::string kept = parts.name + parts.extension;
  std::memcpy(path, kept.c_str(), kept.size() + 1);
}

void StripDirectory(CString& path) {
  const int kMaxKept = 259;
  const char* text = path;
  char buffer[kMaxKept + 1];
  const size_t length = FitOnBoundary(text, std::strlen(text), kMaxKept);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  StripDirectory(buffer);
  path = buffer;
}

int ScanLeadingInt(const char* text, int& value) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return 0;
  long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (*p - '0');
  }
  value = Saturate(negative ? -magnitude : magnitude);
  return 1;
}

void GetFileExtension(const char* path, CString& extension) {
  CPathParts parts;
  SplitPath(path, parts);
  extension = parts.extension.c_str();
}

}  // namespace htmlmemdoc
