// edit_command.h: `htmlmemdoc edit PAGE [--layer ID ...] [page options]`,
// which changes a layer or the page and writes the page as `render` does.

#ifndef HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_
#define HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_

#include <string>

#include "htmlmemdoc/pages/page/page_edit.h"
#include "htmlmemdoc/pages/page/page_write.h"

struct EditOptions {
  std::string page;
  htmlmemdoc::PageEdit edit;
  std::string refusal;  // why a number given cannot be set; "" when all can
  htmlmemdoc::WriteOptions out;
};

// Makes every requested change (see ApplyEdit) and writes the page only
// when all of them were made. Returns kExitOk; kExitPageFailed when the
// page does not read, a change cannot be made safely or the write check
// refuses (the message says why); kExitUsage for bad options or files.
int RunEdit(const EditOptions& options);

#endif  // HTMLMEMDOC_TOOLS_EDIT_COMMAND_H_
