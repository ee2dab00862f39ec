// byte_set.h: a constant set of single bytes as a table (internal to the
// library). Built at compile time from the bytes of a string, it answers
// membership with one load, where strspn and strcspn would first build a
// table of their own on every call.

#ifndef HTMLMEMDOC_PLATFORM_BYTE_SET_H_
#define HTMLMEMDOC_PLATFORM_BYTE_SET_H_

namespace htmlmemdoc {

class CByteSet {
 public:
  // The bytes of `bytes` up to its NUL, and the NUL too when `withNul`:
  // a scan for a stop byte then stops at the end of the text by itself.
  constexpr explicit CByteSet(const char* bytes, bool withNul = false)
      : m_has() {
    for (; *bytes != '\0'; ++bytes) {
      m_has[static_cast<unsigned char>(*bytes)] = true;
    }
    m_has[0] = withNul;
  }
  constexpr bool Has(char c) const {
    return m_has[static_cast<unsigned char>(c)];
  }

 private:
  bool m_has[256];
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_BYTE_SET_H_
