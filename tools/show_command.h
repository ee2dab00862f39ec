// show_command.h: `htmlmemdoc show PAGE [--json]`, which prints what the
// library reads from a page.

#ifndef HTMLMEMDOC_TOOLS_SHOW_COMMAND_H_
#define HTMLMEMDOC_TOOLS_SHOW_COMMAND_H_

#include <string>

// Prints the page's model (see DescribePage) as text for a reader, or as
// JSON. Returns a ToolExit code.
int RunShow(const std::string& page, bool asJson);

#endif  // HTMLMEMDOC_TOOLS_SHOW_COMMAND_H_
