// run_program.h: running another program (a media converter, Chromium)
// and finding it on the PATH, on POSIX systems and on Windows.

#ifndef HTMLMEMDOC_PAGES_EXPORT_RUN_PROGRAM_H_
#define HTMLMEMDOC_PAGES_EXPORT_RUN_PROGRAM_H_

#include <string>
#include <vector>

namespace htmlmemdoc {

// The first of `names` found as a program in a folder of the PATH ("" for
// none); on Windows each name is also tried with ".exe".
std::string FindProgram(const std::vector<std::string>& names);

struct ProgramRun {
  bool ok = false;      // it ran and exited 0 in time
  bool exited = false;  // it ran and exited in time, with whatever code
  // Otherwise why, in a phrase: "exited with 1: <its last error line>",
  // "took longer than 60 s", "cannot be started".
  std::string why;
};

// Runs `program` with `args`, its output discarded, and waits for it at
// most `seconds` (then ends it). The last line it wrote to its error
// output goes into `why` when it fails. `environment` ("NAME=value")
// replaces those variables of this program's environment for it (POSIX;
// Windows passes the environment as it is).
ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& args, int seconds,
                      const std::vector<std::string>& environment = {});

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_RUN_PROGRAM_H_
