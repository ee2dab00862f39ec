// render_command.h: `htmlmemdoc render PAGE [-o OUT] [--encode]
// [--base PATH]`, which reads a page and writes it back in the library's
// layout.

#ifndef HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
#define HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_

#include <string>

struct RenderOptions {
  std::string page;
  std::string output;    // empty: standard output
  bool encode = false;   // replace unsafe characters in file references
  std::string basePath;  // empty: no file-name case matching
};

// Writes the rendered page to standard output (line feeds), or to the
// output file as the library writes page files (CR LF). A regular output
// file is replaced only once the whole text is written: the text goes to a
// temporary file beside it, renamed into place at the end. An output that
// exists and is not a regular file (a device, a pipe) is written directly.
// Returns a ToolExit code.
int RunRender(const RenderOptions& options);

#endif  // HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
