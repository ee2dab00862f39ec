// check_command.h: `htmlmemdoc check PAGE...`, which reads each page and
// says whether it is well formed.

#ifndef HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
#define HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_

#include <string>
#include <vector>

// Reads every page named (directories stand for the .htm and .html pages
// below them) on all cores, and prints "PAGE: ok" or "PAGE: <reason>" for
// each, in order, on standard output, and problems with the files
// themselves on standard error. Returns kExitOk when every page reads,
// kExitPageFailed when any page has a syntax error, kExitUsage when any
// file cannot be read or no page was found.
int RunCheck(const std::vector<std::string>& arguments);

#endif  // HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
