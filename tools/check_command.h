// check_command.h: `htmlmemdoc check PAGE...`, which reads each page and
// says whether it is well formed.

#ifndef HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
#define HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_

#include <string>
#include <vector>

// Prints "PAGE: ok" or "PAGE: <reason>" for each page on standard output
// and problems with the files themselves on standard error. Returns kExitOk
// when every page reads, kExitPageFailed when any page has a syntax error,
// kExitUsage when any file cannot be read.
int RunCheck(const std::vector<std::string>& pages);

#endif  // HTMLMEMDOC_TOOLS_CHECK_COMMAND_H_
