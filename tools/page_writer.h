// page_writer.h: writing a document as the `render` and `edit` commands
// do, without ever leaving a half-written file in place of the old one.

#ifndef HTMLMEMDOC_TOOLS_PAGE_WRITER_H_
#define HTMLMEMDOC_TOOLS_PAGE_WRITER_H_

#include <string>

class CHtmlMemDoc;

struct OutputOptions {
  std::string output;    // empty: standard output
  bool encode = false;   // replace unsafe characters in file references
  std::string basePath;  // empty: no file-name case matching
};

// Writes the rendered page to standard output (line feeds), or to the
// output file as the library writes page files (CR LF). A regular output
// file is replaced only once the whole text is written: the text goes to a
// temporary file beside it, renamed into place at the end, keeping the old
// file's permissions. An output that exists and is not a regular file (a
// device, a pipe) is written directly. Returns a ToolExit code and prints
// what went wrong.
int WritePage(const CHtmlMemDoc& document, const OutputOptions& options);

#endif  // HTMLMEMDOC_TOOLS_PAGE_WRITER_H_
