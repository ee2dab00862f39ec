// case_forms.h: a needle in the three forms FindNoCase looks for (as
// written, all lower case, all upper case), with the test of whether one of
// them stands at a place in a text (internal to the library).

#ifndef HTMLMEMDOC_CORE_CASE_FORMS_H_
#define HTMLMEMDOC_CORE_CASE_FORMS_H_

#include <cstddef>
#include <string>

#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

class CCaseForms {
 public:
  // The needle is part1 + part2 + part3; null parts are skipped.
  CCaseForms(const char* part1, const char* part2 = nullptr,
             const char* part3 = nullptr);
  CCaseForms(const CCaseForms&) = delete;  // the forms point into *this
  CCaseForms& operator=(const CCaseForms&) = delete;

  size_t Length() const { return m_nLength; }
  char LowerFirst() const { return m_lower[0]; }
  char UpperFirst() const { return m_upper[0]; }

  // 1 when one of the forms stands at `p`, starting and ending on
  // character boundaries of the text that begins at `text`. Reads no
  // further than the first byte that differs (so never past the NUL). In a
  // double-byte code page a needle that must be checked for boundaries
  // (one that starts with a possible trail byte, or holds a byte from 0x80
  // up) costs a walk from `text` to `p`: a search uses BytesAt and a
  // CBoundaryWalk instead.
  int MatchesAt(const char* text, const char* p) const {
    return BytesAt(p) && OnBoundaries(text, p);
  }

  // 1 when one of the forms stands at `p`, boundaries aside.
  int BytesAt(const char* p) const {
    const char* exact = m_exact;
    const char* lower = m_lower;
    const char* upper = m_upper;
    bool isExact = true;
    bool isLower = m_hasLetters;
    bool isUpper = m_hasLetters;
    for (size_t i = 0; i < m_nLength; ++i) {
      const char c = p[i];
      isExact = isExact && c == exact[i];
      isLower = isLower && c == lower[i];
      isUpper = isUpper && c == upper[i];
      if (!(isExact || isLower || isUpper)) return 0;
    }
    return 1;
  }

 private:
  static const size_t kInline = 32;

  int OnBoundaries(const char* text, const char* p) const;

  size_t m_nLength = 0;
  bool m_hasLetters = false;
  // Whether a match must be checked for boundaries: in UTF-8 when the
  // needle starts or ends above 0x7F, in a double-byte code page when it
  // starts with a possible trail byte or holds a byte above 0x7F.
  bool m_utf8Boundaries = false;
  bool m_doubleByteBoundaries = false;
  const char* m_exact;
  const char* m_lower;
  const char* m_upper;
  char m_inline[3 * kInline];
  std::string m_long;  // the three forms of a needle too long to inline
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_CORE_CASE_FORMS_H_
