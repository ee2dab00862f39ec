// sources_command.h: `htmlmemdoc sources PAGE`, which lists every file a page
// refers to.

#ifndef HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_
#define HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_

#include <string>

// Prints each file the page refers to once, one per line, as the page
// names it (image and embed sources, layer backgrounds, the page
// background, the background sound, preloaded images). With `imagesOnly`,
// prints the image layers' sources instead, one per layer. Returns a
// ToolExit code.
int RunSources(const std::string& page, bool imagesOnly);

#endif  // HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_
