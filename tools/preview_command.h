// preview_command.h: `htmlmemdoc preview PAGE -o OUT.png`, a picture of the
// page as a browser shows it.

#ifndef HTMLMEMDOC_TOOLS_PREVIEW_COMMAND_H_
#define HTMLMEMDOC_TOOLS_PREVIEW_COMMAND_H_

#include <string>

struct PreviewOptions {
  std::string page;
  std::string output;  // the PNG file to write
  int width = 1024;    // the browser window, in pixels
  int height = 768;
};

// Reads the page, renders it, and has headless Chromium take a screenshot
// of the rendering with the page's own folder as the base of its relative
// file names. OUT is replaced only once the picture is complete. Returns a
// ToolExit code; kExitUsage with a message naming the package when
// Chromium is not installed.
int RunPreview(const PreviewOptions& options);

#endif  // HTMLMEMDOC_TOOLS_PREVIEW_COMMAND_H_
