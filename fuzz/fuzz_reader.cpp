// Reads arbitrary bytes as a page, renders it, and reads and renders the
// rendering three times more; whenever those readings succeed, the last
// two renderings must be equal: rendering reaches a fixed point. Two rounds
// are not always enough, and a rendering does not always read again: the
// reader keeps some shapes as they stood that cut differently once
// rendered (a title without its end tag runs on to the "<" of "</head>"; a
// frame tag without ">" takes in the "</frameset>" after it, which the
// frameset then writes a second time; a style rule that comes out of a
// script's text only on the second read writes its per-side border, which
// the third read drops). docs/robustness.md lists them. A read that
// declines every layer before making it must read as one that makes them.

#include <cstdio>
#include <string>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

namespace {

// Declines every layer before it is made, and every other element.
class DeclineAll : public CHtmlReadObserver {
 public:
  int ElementRead(const CHtmlTextList&, const CHtmlTextBase&) override {
    return 0;
  }
  int LayerMarkupRead(const CHtmlTextList&, const char*, size_t) override {
    return 0;
  }
};

// A read that declines every layer before making it reads as one that
// makes them: the same result, fault and record.
void CompareDeclinedRead(const std::string& text, const CHtmlMemDoc& made,
                         int madeRead) {
  CHtmlMemDoc declined;
  DeclineAll observer;
  declined.SetReadObserver(&observer);
  FUZZ_CHECK(declined.ReadFromString(text.c_str()) == madeRead);
  const CHtmlReadError& a = made.GetReadError();
  const CHtmlReadError& b = declined.GetReadError();
  FUZZ_CHECK(a.reason == b.reason && a.offset == b.offset);
  FUZZ_CHECK(made.GetReadItemCount() == declined.GetReadItemCount());
  for (int i = 0; i < made.GetReadItemCount(); ++i) {
    const CHtmlReadItem& x = *made.GetReadItem(i);
    const CHtmlReadItem& y = *declined.GetReadItem(i);
    FUZZ_CHECK(x.kind == y.kind && x.begin == y.begin && x.end == y.end);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::string text(reinterpret_cast<const char*>(data), size);
  CHtmlMemDoc first;
  const int read = first.ReadFromString(text.c_str());
  CompareDeclinedRead(text, first, read);
  if (!read) return 0;
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
  CHtmlMemDoc fourth;
  if (!fourth.ReadFromString(thrice)) return 0;
  CString again;
  fourth.RenderToString(again, 0, nullptr);
  FUZZ_CHECK(thrice == again);
  char* copy = nullptr;
  FUZZ_CHECK(second.RenderToString(copy, 1, nullptr));
  ::operator delete(copy);
  return 0;
}
