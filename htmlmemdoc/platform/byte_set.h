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
      m_mayBeTrail = m_mayBeTrail || static_cast<unsigned char>(*bytes) >= 0x40;
    }
    m_stops[0] = true;
  }
  // Whether a member could be the trail byte of a double-byte character
  // (0x40 and up): only then must a scan step over whole characters.
  constexpr bool MayBeTrail() const { return m_mayBeTrail; }
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
  bool m_mayBeTrail = false;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_BYTE_SET_H_
