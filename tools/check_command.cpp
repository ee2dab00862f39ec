// check_command.cpp: reads every page on all cores and reports each after
// its name, in the order of the arguments.

#include "tools/check_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/batch.h"
#include "tools/page_reader.h"

namespace {

struct Outcome {
  PageResult result = kPageOk;
  std::string problem;
};

}  // namespace

int RunCheck(const std::vector<std::string>& arguments) {
  const std::vector<std::string> pages = ExpandPages(arguments);
  if (pages.empty()) {
    std::fprintf(stderr, "htmlmemdoc: no .htm or .html pages found\n");
    return kExitUsage;
  }
  std::vector<Outcome> outcomes(pages.size());
  int exitCode = kExitOk;
  RunInParallel(
      pages.size(),
      [&](size_t i) {
        CHtmlMemDoc document;
        outcomes[i].result = ReadPage(pages[i], document, outcomes[i].problem);
      },
      [&](size_t i) {
        const Outcome& outcome = outcomes[i];
        const char* page = pages[i].c_str();
        if (outcome.result == kPageOk) {
          std::printf("%s: ok\n", page);
        } else if (outcome.result == kPageFailed) {
          std::printf("%s: %s\n", page, outcome.problem.c_str());
          if (exitCode == kExitOk) exitCode = kExitPageFailed;
        } else {
          std::fflush(stdout);
          std::fprintf(stderr, "htmlmemdoc: cannot read %s\n",
                       outcome.problem.c_str());
          exitCode = kExitUsage;
        }
        std::fflush(stdout);
      });
  return exitCode;
}
