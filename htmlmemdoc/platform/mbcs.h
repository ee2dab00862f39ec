// mbcs.h: multi-byte text helpers (internal to the library).
// Text is bytes. Bytes below 0x80 are single characters. From 0x80 up the
// text follows the process's code page (code_page.h). In UTF-8, the
// default, a lead byte 0xC2..0xF4 followed by all the continuation bytes
// (0x80..0xBF) it announces is one multi-byte character; every other byte,
// including a stray continuation byte or a cut-off sequence, is a
// character of its own. In a double-byte code page a lead byte followed by
// one of the page's trail bytes is one character, and a trail byte may be
// an ASCII letter or "\\": so there an ASCII byte is a character of its
// own only where a character starts, which a scan finds by walking forward
// (UTF-8 allows looking back). Searches never start or end a match inside
// a multi-byte character, case changes touch only ASCII letters that are
// characters of their own, and identifier tests accept a multi-byte
// character whole.

#ifndef HTMLMEMDOC_PLATFORM_MBCS_H_
#define HTMLMEMDOC_PLATFORM_MBCS_H_

#include <atomic>
#include <cstddef>

#include "htmlmemdoc/platform/byte_set.h"

namespace htmlmemdoc {

// The lead and trail bytes of a code page other than UTF-8.
struct CCodePageTable {
  int number;
  bool lead[256];
  bool trail[256];
  // Whether `p` starts a double-byte character (never past a NUL, which
  // is no trail byte).
  bool Pairs(const char* p) const {
    return lead[static_cast<unsigned char>(p[0])] &&
           trail[static_cast<unsigned char>(p[1])];
  }
};

// The code page in use; null for UTF-8. Set by HtmlMemDocSetCodePage.
extern std::atomic<const CCodePageTable*> g_codePageTable;
inline const CCodePageTable* CodePageTable() {
  return g_codePageTable.load(std::memory_order_relaxed);
}

// Length in bytes (1 to 4) of the character that starts at `p`; 1 at the
// terminating NUL.
int CharLength(const char* p);

// 1 when position `p` of the text that begins at `start` is not inside a
// multi-byte character. In UTF-8 it looks back at most three bytes, never
// before `start`; in a double-byte code page it walks from `start`, so a
// caller that tests many places of one text uses CBoundaryWalk.
int IsCharBoundary(const char* start, const char* p);

// Tests places of one text, in increasing order, for whether a range
// starts and ends on character boundaries, at the cost of one walk over
// the text for all of them.
class CBoundaryWalk {
 public:
  explicit CBoundaryWalk(const char* text) : m_text(text), m_next(text) {}
  // 1 when [p, p + length) starts and ends on boundaries; `p` is no lower
  // than in the call before, and the range lies within the text.
  int Encloses(const char* p, size_t length);

 private:
  const char* m_text;
  const char* m_next;  // the first boundary not yet passed
};

inline char ToLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}
inline char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}
inline int IsAlnumAscii(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
         (c >= 'A' && c <= 'Z');
}

// In-place case change of the ASCII letters of a NUL-terminated text, or
// of `length` bytes.
void MakeLowerText(char* text);
void MakeUpperText(char* text);
void MakeLowerBytes(char* text, size_t length);
void MakeUpperBytes(char* text, size_t length);

// First occurrence of `needle` in `text` that starts and ends on character
// boundaries, or null. An empty needle matches at `text`.
const char* FindText(const char* text, const char* needle);

// The same search without regard to ASCII letter case: what FindText finds
// in lower-cased copies of both texts.
const char* FindTextIgnoringCase(const char* text, const char* needle);

// Length of the run of characters at `p` up to the first that is a
// single-byte member of `set` or the NUL: strcspn by characters.
size_t SpanToDelimiter(const char* p, const char* set);

// Compares without regard to ASCII letter case; <0, 0 or >0 like strcmp.
int CompareNoCase(const char* a, const char* b);
// Same for two byte ranges; equal only when the lengths are equal too.
int EqualNoCase(const char* a, size_t aLength, const char* b, size_t bLength);

// A destructive tokenizer over a writable copy of a text, with the
// semantics of the C runtime's strtok: leading delimiters are skipped, a
// token runs to the next delimiter, which is overwritten by a NUL, and the
// next call goes on behind it. The delimiter set may change per call; only
// single-byte characters are delimiters.
class CTokenizer {
 public:
  explicit CTokenizer(char* text) : m_pNext(text) {}
  // The next token, or null when only delimiters, or nothing, remain.
  char* Next(const char* delimiters);

 private:
  char* m_pNext;  // where the next call starts; null when exhausted
};

// A non-destructive form over a read-only text: tokens are byte ranges of
// the text, and the delimiter that ended a token is stepped over just as
// the destructive form does.
struct CTextSpan {
  const char* begin;
  const char* end;
};

class CSpanTokenizer {
 public:
  explicit CSpanTokenizer(const char* text) : m_pNext(text) {}
  // 1 and the next token in `token`, or 0 when no token remains. A set of
  // ASCII delimiters is turned into a table once and known again by its
  // address, so the text of a set must not change between calls.
  int Next(const char* delimiters, CTextSpan& token);
  // The same with a set of single-byte delimiters given as a table.
  int Next(const CByteSet& delimiters, CTextSpan& token) {
    if (m_pNext == nullptr) return 0;
    const char* start = m_pNext;
    while (delimiters.Has(*start)) ++start;  // the NUL is no member
    const char* end = start;
    if (delimiters.MayBeTrail() && CodePageTable() != nullptr) {
      end = EndOfToken(end, delimiters);
    } else {
      while (!delimiters.Stops(*end)) ++end;
    }
    return Found(start, end, token);
  }
  // Where the next call would start scanning (null when exhausted).
  const char* Position() const { return m_pNext; }

 private:
  int UseTable(const char* delimiters);
  // The first delimiter or NUL at or after `p` that is a character of its
  // own.
  static const char* EndOfToken(const char* p, const CByteSet& delimiters);
  int Found(const char* start, const char* end, CTextSpan& token) {
    if (*start == '\0') {
      m_pNext = nullptr;
      return 0;
    }
    m_pNext = (*end == '\0') ? nullptr : end + 1;
    token.begin = start;
    token.end = end;
    return 1;
  }
  bool IsDelimiter(char c) const {
    const unsigned char b = static_cast<unsigned char>(c);
    return ((m_table[b >> 6] >> (b & 63)) & 1) != 0;
  }

  const char* m_pNext;
  const char* m_pTableSet = nullptr;  // the set m_table holds
  unsigned long long m_table[4];      // bit b set for a delimiter byte b
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_MBCS_H_
