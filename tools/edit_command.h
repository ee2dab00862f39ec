// edit_command.h: `htmlmemdoc edit PAGE [--layer ID ...] [page options]`,
// which changes a layer or the page and writes the page as `render` does.

#ifndef HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_
#define HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_

#include <optional>
#include <string>

#include "tools/page_writer.h"

struct EditOptions {
  std::string page;
  std::string layer;  // the id of the layer's div
  std::optional<int> left, top, width, height, zIndex, fontSize;
  std::optional<std::string> visibility;  // "visible" or "hidden"
  std::optional<std::string> text;        // a text layer's text
  std::optional<std::string> src;         // an image, video or embed file
  std::optional<std::string> color;       // "#rrggbb" or a colour name
  std::optional<std::string> background;  // the page's background image
  std::optional<std::string> sound;       // the page's background sound
  bool noSound = false;                   // remove the background sound
  OutputOptions out;
};

// Applies every requested change, in the order of the fields above, and
// writes the page only when all of them succeeded. Returns kExitOk, or
// kExitPageFailed when the page does not read or a change cannot be made
// (the message says which), or kExitUsage for bad options or files.
int RunEdit(const EditOptions& options);

#endif  // HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_
