// check_command.cpp: reads every page on all cores and reports each after
// its name, in the order of the arguments.

#include "tools/check_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/batch.h"
#include "tools/page_reader.h"

namespace {

struct Outcome {
  htmlmemdoc::PageFile page;
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
        htmlmemdoc::PageFile& page = outcomes[i].page;
        page = htmlmemdoc::ReadPageFile(pages[i]);
        if (page.Ok()) htmlmemdoc::LoadPage(page, document);
      },
      [&](size_t i) {
        const htmlmemdoc::PageFile& page = outcomes[i].page;
        const int code = ExitCodeOf(page.problem);
        if (code == kExitOk) {
          std::printf("%s: ok\n", htmlmemdoc::ShownName(page.path, ":").c_str());
        } else if (code == kExitPageFailed) {
          std::printf("%s\n", ProblemLine(page).c_str());
          if (exitCode == kExitOk) exitCode = kExitPageFailed;
        } else {
          std::fflush(stdout);
          std::fprintf(stderr, "%s\n", ProblemLine(page).c_str());
          exitCode = kExitUsage;
        }
        std::fflush(stdout);
      });
  return exitCode;
}
