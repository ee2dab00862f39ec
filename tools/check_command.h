// check_command.h: `htmlmemdoc check [--json] PAGE...`, which reads each
// page and says whether it reads, and what writing it back would lose.

#ifndef HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
#define HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_

#include <string>
#include <vector>

// Reads every page named (folders stand for the .htm and .html pages below
// them) on all cores and reports each in order on standard output: "PAGE:
// ok" with what writing it back would lose as warnings below it, or the
// page's problem. Folders and files that cannot be read are named on
// standard error. A summary line ends the report. With `asJson`, one JSON
// document says the same. Returns kExitUsage when a folder or file could
// not be read or nothing was found, else kExitPageFailed when a page does
// not read, else kExitOk.
int RunCheck(const std::vector<std::string>& arguments, bool asJson);

#endif  // HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
