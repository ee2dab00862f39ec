// byte_set.h: a constant set of single bytes as a table (internal to the
// library). Built at compile time from the bytes of a string, it answers
// membership with one load, where strspn and strcspn would first build a
// table of their own on every call.

#ifndef HTMLMEMDOC_PLATFORM_BYTE_SET_H_
#define HTMLMEMDOC_PLATFORM_BYTE_SET_H_

namespace htmlmemdoc {

class CByteSet {
 public:
  // The bytes of `bytes` up to its NUL.
  constexpr explicit CByteSet(const char* bytes) : m_has(), m_stops() {
    for (; *bytes != '\0'; ++bytes) {
      m_has[static_cast<unsigned char>(*bytes)] = true;
      m_stops[static_cast<unsigned char>(*bytes)] = true;
    }
    m_stops[0] = true;
  }
  // A member; the NUL never is one.
  constexpr bool Has(char c) const {
    return m_has[static_cast<unsigned char>(c)];
  }
  // A member or the NUL: where a scan for a member stops at the latest,
  // answered in one load.
  constexpr bool Stops(char c) const {
    return m_stops[static_cast<unsigned char>(c)];
  }

 private:
  bool m_has[256];
  bool m_stops[256];
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_BYTE_SET_H_
