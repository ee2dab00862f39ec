// files_command.h: `htmlmemdoc files PAGE`, which lists every file a page
// refers to.

#ifndef HTMLMEMDOC_TOOLS_FILES_COMMAND_H_
#define HTMLMEMDOC_TOOLS_FILES_COMMAND_H_

#include <string>

// Prints each file the page refers to once, one per line, as the page
// names it (image and embed sources, layer backgrounds, the page
// background, the background sound, preloaded images). With `imagesOnly`,
// prints the image layers' sources instead, one per layer. Returns a
// ToolExit code.
int RunFiles(const std::string& page, bool imagesOnly);

#endif  // HTMLMEMDOC_TOOLS_FILES_COMMAND_H_
