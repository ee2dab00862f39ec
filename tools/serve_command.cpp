// serve_command.cpp: starts the editor server on the folder and prints
// where it is; it opens no browser by itself.

#include "tools/serve_command.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "htmlmemdoc/platform/file_system.h"
#include "tools/editor/editor_server.h"
#include "tools/page_reader.h"

int RunServe(const ServeOptions& options) {
  std::error_code error;
  if (!std::filesystem::is_directory(htmlmemdoc::FsPath(options.root), error)) {
    std::fprintf(stderr, "htmlmemdoc: %s is no folder\n", options.root.c_str());
    return kExitUsage;
  }
  EditorOptions editor;
  editor.root = options.root;
  editor.port = options.port;
  EditorServer server(editor);
  if (server.Bind() < 0) {
    std::fprintf(stderr, "htmlmemdoc: cannot listen on 127.0.0.1:%d\n",
                 options.port);
    return kExitUsage;
  }
  std::printf(
      "Editing the pages below %s at\n%s\n(only this computer can "
      "reach it; Ctrl+C ends it)\n",
      options.root.c_str(), server.Address().c_str());
  std::fflush(stdout);
  server.Serve();
  return kExitOk;
}
