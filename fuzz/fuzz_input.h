// fuzz_input.h: helpers shared by the fuzz targets: a silent message box,
// and cutting the fuzzer's bytes into NUL-terminated strings.

#ifndef HTMLMEMDOC_FUZZ_FUZZ_INPUT_H_
#define HTMLMEMDOC_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "htmlmemdoc/platform/message_box.h"

// Message boxes would write to standard error for every syntax error.
inline int IgnoreMessage(const char*, unsigned, void*) { return IDOK; }

inline void SilenceMessages() { AfxSetMessageBoxHandler(&IgnoreMessage, nullptr); }

// The input cut at each byte 0x01 into at most `count` strings (fewer
// pieces give empty strings); NUL bytes end the piece they stand in, as
// they end a C string.
inline std::vector<std::string> SplitInput(const uint8_t* data, size_t size,
                                           size_t count) {
  std::vector<std::string> pieces(count);
  size_t piece = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0x01 && piece + 1 < count) {
      ++piece;
    } else {
      pieces[piece] += static_cast<char>(data[i]);
    }
  }
  for (std::string& p : pieces) p.resize(std::strlen(p.c_str()));
  return pieces;
}

// Stops the run with a message when an invariant does not hold.
#define FUZZ_CHECK(condition)                                             \
  do {                                                                    \
    if (!(condition)) {                                                   \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                           \
      std::abort();                                                       \
    }                                                                     \
  } while (0)

#endif  // HTMLMEMDOC_FUZZ_FUZZ_INPUT_H_
