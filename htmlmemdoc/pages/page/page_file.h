// page_file.h: a page file read once into the text the library reads, and
// that text read into a document, with whatever stands in the way told as
// data a person can act on. What every front end (the tool, the Python
// package, the editor) reads a page with.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_FILE_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_FILE_H_

#include <cstdio>
#include <functional>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

struct PageProblem {
  enum Kind {
    kNone,
    kUnreadable,  // the file cannot be opened or read (`message` says why)
    kNotText,     // empty, or holding a NUL byte (`message` says where)
    kRefused      // the library does not read it (the fields below say why)
  };
  Kind kind = kNone;
  std::string message;  // the library's own message for kRefused
  int error = 0;  // kUnreadable: the system's error number (errno), or 0
  HtmlReadReason reason = HtmlReadOk;
  int line = 0;          // where the thing found starts: 1-based line and
  int column = 0;        // column, a tab counting as one column
  std::string found;     // what stands there: "<link> in the head"
  std::string expected;  // what a layout page has there

  // The kind as a refusal's code: none, unreadable, not-text, not-a-page.
  RefusalCode Code() const;
};

struct PageFile {
  std::string path;
  // The page as the library reads a file: every line ended by "\n", a
  // carriage return before a line end dropped.
  std::string text;
  // The file's own line ends: true when its first line ends with CR LF (or
  // it has a single line), as the library writes page files; false when
  // with a bare line feed. Writers that keep a page's line ends use it.
  bool crlf = true;
  PageProblem problem;

  bool Ok() const { return problem.kind == PageProblem::kNone; }
};

// Reads the file at `path` once, from start to end, so that a fifo or
// standard input reads as a regular file does. A directory, an empty file
// and one holding a NUL byte are problems of their own.
PageFile ReadPageFile(const std::string& path);

// The same, for a caller that handles signals itself: when a signal
// interrupts the open or a read (a fifo with no writer blocks in both), the
// call is made again if `keepGoing()` says so; else the file is unreadable
// ("Interrupted system call"). The plain form above never goes on.
PageFile ReadPageFile(const std::string& path,
                      const std::function<bool()>& keepGoing);

// The plain form, leaving the file's bytes in `bytes` as well (empty when
// it cannot be read).
PageFile ReadPageFile(const std::string& path, std::string& bytes);

// Every byte of the file at `path`; false with errno set when it cannot be
// read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Appends every byte left in the open `file` (standard input, say) to
// `bytes`; false with errno set when a read fails.
bool ReadStreamBytes(std::FILE* file, std::string& bytes);

// The page of a file at `path` that holds `bytes` (read already): its text,
// or the problem of an empty file or one holding a NUL byte.
PageFile PageFileOf(const std::string& path, const std::string& bytes);
// The same, taking the bytes' buffer for the text.
PageFile PageFileOf(const std::string& path, std::string&& bytes);

// The text ReadFromFile builds from a file holding `bytes`.
std::string PageTextOf(const std::string& bytes);
// The same, made in the buffer of `bytes`, which it takes.
std::string PageTextOf(std::string&& bytes);

// Reads `page.text` into `document` with the library's message captured.
// Returns true, or false with `page.problem` saying what was found where
// and what a layout page has there.
bool LoadPage(PageFile& page, CHtmlMemDoc& document);

// A page name as a person should see it in a line of output: as it is when
// it holds only printable UTF-8 other than `separator`, else in double
// quotes with control bytes, quotes, backslashes and bytes that are not
// UTF-8 escaped (\n, \", \\, \x01).
std::string ShownName(const std::string& name, const std::string& separator);

// True when `text` is well-formed UTF-8.
bool IsUtf8(const std::string& text);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_FILE_H_
