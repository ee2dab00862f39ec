// page_reader.h: reading a page for a command, and the tool's exit codes.

#ifndef HTMLMEMDOC_TOOLS_PAGE_READER_H_
#define HTMLMEMDOC_TOOLS_PAGE_READER_H_

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

// Exit codes of the tool.
enum ToolExit { kExitOk = 0, kExitPageFailed = 1, kExitUsage = 2 };

// The exit code a page's problem calls for: 2 when the file cannot be
// read, 1 when it is not a page or does not read, 0 for none.
int ExitCodeOf(const htmlmemdoc::PageProblem& problem);

// Says on standard error that the file or folder `path` cannot be read,
// and why.
void SayCannotRead(const std::string& path, const std::string& reason);

// The line that tells a page's problem: "PAGE:" and the problem, or for a
// file that cannot be read "htmlmemdoc: cannot read PAGE: WHY".
std::string ProblemLine(const htmlmemdoc::PageFile& page);

// The page a command's PAGE argument names: the file at `path`, or
// standard input for "-" (read to its end, as a fifo is).
htmlmemdoc::PageFile ReadPageArgument(const std::string& path);

// Reads the page at `path` (see ReadPageArgument) into `page` and
// `document`; on failure prints
// the problem line to standard error. Returns the exit code.
int ReadPageOrSay(const std::string& path, htmlmemdoc::PageFile& page,
                  CHtmlMemDoc& document);

#endif  // HTMLMEMDOC_TOOLS_PAGE_READER_H_
