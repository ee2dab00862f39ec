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
  std::memcpy(lower, exact, stride);
  std::memcpy(upper, exact, stride);
  MakeLowerBytes(lower, m_nLength);
  MakeUpperBytes(upper, m_nLength);
  m_hasLetters = std::memcmp(lower, upper, m_nLength) != 0;
  m_exact = exact;
  m_lower = lower;
  m_upper = upper;
  if (m_nLength > 0) {
    const unsigned char first = static_cast<unsigned char>(exact[0]);
    const unsigned char last = static_cast<unsigned char>(exact[m_nLength - 1]);
    bool high = false;
    for (size_t i = 0; i < m_nLength; ++i)
      high = high || static_cast<unsigned char>(exact[i]) >= 0x80;
    m_utf8Boundaries = first >= 0x80 || last >= 0x80;
    m_doubleByteBoundaries = first >= 0x40 || high;
  }
}

int CCaseForms::OnBoundaries(const char* text, const char* p) const {
  if (CodePageTable() != nullptr) {
    return !m_doubleByteBoundaries ||
           (IsCharBoundary(text, p) &&
            IsCharBoundary(p, p + m_nLength));
  }
  if (!m_utf8Boundaries) return 1;
  if (static_cast<unsigned char>(m_exact[0]) >= 0x80 &&
      !IsCharBoundary(text, p)) {
    return 0;
  }
  return static_cast<unsigned char>(m_exact[m_nLength - 1]) < 0x80 ||
         IsCharBoundary(text, p + m_nLength);
}

}  // namespace htmlmemdoc
