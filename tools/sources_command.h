// sources_command.h: `htmlmemdoc sources PAGE...`, which lists every file
// the pages refer to.

#ifndef HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_
#define HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_

#include <string>
#include <vector>

// For each page named (directories stand for the .htm and .html pages below
// them), read on all cores, prints each file the page refers to once, one
// per line, as the page names it (image and embed sources, layer
// backgrounds, the page background, the background sound, preloaded
// images); with kImages, the image layers' sources, one per layer; with
// kAll, every reference `site` checks (the sources of video layers, frames
// and external scripts, every tag's background and the layers' links
// too), each once. With more than one page each line starts with "PAGE: ".
// Returns a ToolExit code: the worst of the pages'.
enum class SourcesKind { kFiles, kImages, kAll };
int RunSources(const std::vector<std::string>& arguments, SourcesKind kind);

#endif  // HTMLMEMDOC_TOOLS_SOURCES_COMMAND_H_
