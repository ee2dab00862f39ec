// code_page.h: pages of different code pages in one process. The library
// reads bytes from 0x80 up in one code page for the whole process; here
// each page keeps its own, and every use of a page holds the process at
// that code page. Uses of pages of the same code page share the hold and
// run at once; a use of another waits until they are done, then switches.

#ifndef HTMLMEMDOC_PYTHON_CODE_PAGE_H_
#define HTMLMEMDOC_PYTHON_CODE_PAGE_H_

#include <pybind11/pybind11.h>

namespace htmlmemdoc_py {

// The code page `name` names: None, 65001 or "utf-8" for UTF-8, or 932,
// 936, 949, 950 (the double-byte code pages); ValueError for any other.
int CodePageOf(const pybind11::object& name);

// Holds the process at `codePage` while it lives. Made with the
// interpreter lock held; a wait lets go of it. A thread may hold again at
// the code page it holds (a use within a use), never at another.
class CodePageHold {
 public:
  explicit CodePageHold(int codePage);
  ~CodePageHold();
  CodePageHold(const CodePageHold&) = delete;
  CodePageHold& operator=(const CodePageHold&) = delete;
};

// Sets the codec str and bytes cross with (convert.h) to `codePage`'s
// while it lives: the page's text is str in its own code page.
class CodecScope {
 public:
  explicit CodecScope(int codePage);
  ~CodecScope();
  CodecScope(const CodecScope&) = delete;
  CodecScope& operator=(const CodecScope&) = delete;

 private:
  const char* m_before;
};

// Python's codec for the current thread's text: "utf-8" unless a
// CodecScope says otherwise.
const char* CurrentCodec();

}  // namespace htmlmemdoc_py

#endif  // HTMLMEMDOC_PYTHON_CODE_PAGE_H_
