// check_command.cpp: reads each page into a fresh document and reports the
// result after the page's name.

#include "tools/check_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/page_reader.h"

int RunCheck(const std::vector<std::string>& pages) {
  int exitCode = kExitOk;
  for (const std::string& page : pages) {
    CHtmlMemDoc document;
    std::string problem;
    switch (ReadPage(page, document, problem)) {
      case kPageOk:
        std::printf("%s: ok\n", page.c_str());
        break;
      case kPageFailed:
        std::printf("%s: %s\n", page.c_str(), problem.c_str());
        if (exitCode == kExitOk) exitCode = kExitPageFailed;
        break;
      case kPageUnreadable:
        std::fflush(stdout);
        std::fprintf(stderr, "htmlmemdoc: cannot read %s\n", problem.c_str());
        exitCode = kExitUsage;
        break;
    }
  }
  std::fflush(stdout);
  return exitCode;
}
