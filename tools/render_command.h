// render_command.h: `htmlmemdoc render PAGE [-o OUT] [--encode]
// [--base PATH] [--allow-loss]`, which reads a page and writes it back in
// the library's layout.

#ifndef HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
#define HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_

#include <string>

#include "htmlmemdoc/pages/page/page_write.h"

struct RenderOptions {
  std::string page;
  htmlmemdoc::WriteOptions out;
};

// Reads the page and writes it as WritePage does; writes nothing when the
// page does not read. Returns a ToolExit code.
int RunRender(const RenderOptions& options);

#endif  // HTMLMEMDOC_TOOLS_RENDER_COMMAND_H_
