// Reads arbitrary bytes as a page, renders it, and reads and renders the
// rendering twice more; whenever those readings succeed, the last two
// renderings must be equal: rendering reaches a fixed point. One round is
// not always enough, and a rendering does not always read again: the reader
// keeps some shapes as they stood that cut differently once rendered (a
// title without its end tag runs on to the "<" of "</head>"; a frame tag
// without ">" takes in the "</frameset>" after it, which the frameset then
// writes a second time). docs/robustness.md lists them.

#include <cstdio>
#include <string>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::string text(reinterpret_cast<const char*>(data), size);
  CHtmlMemDoc first;
  if (!first.ReadFromString(text.c_str())) return 0;
  CString once;
  first.RenderToString(once, 0, nullptr);
  CHtmlMemDoc second;
  if (!second.ReadFromString(once)) return 0;
  CString twice;
  second.RenderToString(twice, 0, nullptr);
  CHtmlMemDoc third;
  if (!third.ReadFromString(twice)) return 0;
  CString thrice;
  third.RenderToString(thrice, 0, nullptr);
  FUZZ_CHECK(twice == thrice);
  char* copy = nullptr;
  FUZZ_CHECK(second.RenderToString(copy, 1, nullptr));
  ::operator delete(copy);
  return 0;
}
