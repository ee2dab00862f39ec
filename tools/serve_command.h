// serve_command.h: `htmlmemdoc serve DIR [--port N]`, the editor in the
// browser (see tools/editor/editor_server.h).

#ifndef HTMLMEMDOC_TOOLS_SERVE_COMMAND_H_
#define HTMLMEMDOC_TOOLS_SERVE_COMMAND_H_

#include <string>

struct ServeOptions {
  std::string root;
  int port = 0;  // 0: any free port
};

// Serves until the program is ended; returns an exit code when it cannot
// start.
int RunServe(const ServeOptions& options);

#endif  // HTMLMEMDOC_TOOLS_SERVE_COMMAND_H_
