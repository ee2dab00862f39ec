// render_command.h: `htmlmemdoc render PAGE [-o OUT] [--encode]
// [--base PATH]`, which reads a page and writes it back in the library's
// layout.

#ifndef HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
#define HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_

#include <string>

#include "tools/page_writer.h"

struct RenderOptions {
  std::string page;
  OutputOptions out;
};

// Reads the page and writes it as WritePage does; writes nothing when the
// page does not read. Returns a ToolExit code.
int RunRender(const RenderOptions& options);

#endif  // HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
