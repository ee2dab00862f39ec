// case_forms.cpp: builds the three forms of a needle side by side, in a
// buffer inside the object for short needles.

#include "htmlmemdoc/core/case_forms.h"

#include <cstring>

namespace htmlmemdoc {

namespace {

size_t LengthOf(const char* part) {
  return part != nullptr ? std::strlen(part) : 0;
}

char* Append(char* out, const char* part) {
  const size_t length = LengthOf(part);
  if (length > 0) std::memcpy(out, part, length);
  return out + length;
}

}  // namespace

CCaseForms::CCaseForms(const char* part1, const char* part2, const char* part3)
    : m_nLength(LengthOf(part1) + LengthOf(part2) + LengthOf(part3)) {
  const size_t stride = m_nLength + 1;
  char* forms = m_inline;
  if (stride > kInline) {
    m_long.resize(3 * stride);
    forms = &m_long[0];
  }
  char* exact = forms;
  char* end = Append(Append(Append(exact, part1), part2), part3);
  *end = '\0';
  char* lower = forms + stride;
  char* upper = forms + 2 * stride;
  for (size_t i = 0; i <= m_nLength; ++i) {
    lower[i] = ToLowerAscii(exact[i]);
    upper[i] = ToUpperAscii(exact[i]);
    m_hasLetters = m_hasLetters || lower[i] != upper[i];
  }
  m_exact = exact;
  m_lower = lower;
  m_upper = upper;
  m_checkBoundaries =
      m_nLength > 0 &&
      (static_cast<unsigned char>(exact[0]) >= 0x80 ||
       static_cast<unsigned char>(exact[m_nLength - 1]) >= 0x80);
}

int CCaseForms::OnBoundaries(const char* text, const char* p) const {
  if (static_cast<unsigned char>(m_exact[0]) >= 0x80 &&
      !IsCharBoundary(text, p)) {
    return 0;
  }
  return static_cast<unsigned char>(m_exact[m_nLength - 1]) < 0x80 ||
         IsCharBoundary(text, p + m_nLength);
}

}  // namespace htmlmemdoc
