// run_program.h: running another program (Chromium, for preview) and
// finding it on the PATH, on POSIX systems and on Windows.

#ifndef HTMLMEMDOC_TOOLS_RUN_PROGRAM_H_
#define HTMLMEMDOC_TOOLS_RUN_PROGRAM_H_

#include <string>
#include <vector>

// The first of `names` found as a program in a folder of the PATH ("" for
// none); on Windows each name is also tried with ".exe".
std::string FindProgram(const std::vector<std::string>& names);

// Runs `program` with `args`, its output and errors discarded, and waits
// for it at most `seconds` (then ends it); true when it ran and exited 0.
bool RunProgram(const std::string& program,
                const std::vector<std::string>& args, int seconds);

#endif  // HTMLMEMDOC_TOOLS_RUN_PROGRAM_H_
