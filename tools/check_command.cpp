// check_command.cpp: reads each page into a fresh document, with the
// library's syntax-error message captured rather than shown, and reports it
// after the page's name.

#include "tools/check_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/message_capture.h"

namespace {

enum PageResult { kPageOk, kPageFailed, kPageUnreadable };

// 1 when `path` names a file that can be opened for reading; otherwise
// prints why not.
int CheckReadable(const std::string& path) {
  CStdioFile file;
  CFileException error;
  if (file.Open(path.c_str(), CFile::modeRead, &error)) return 1;
  std::fprintf(stderr, "htmlmemdoc: cannot read %s\n",
               static_cast<const char*>(error.GetErrorMessage()));
  return 0;
}

PageResult CheckPage(const std::string& path) {
  if (!CheckReadable(path)) return kPageUnreadable;
  CMessageCapture capture;
  CHtmlMemDoc document;
  int ok = 0;
  try {
    ok = document.ReadFromFile(path.c_str());
  } catch (CFileException* error) {
    std::fprintf(stderr, "htmlmemdoc: %s\n",
                 static_cast<const char*>(error->GetErrorMessage()));
    error->Delete();
    return kPageUnreadable;
  }
  if (ok) {
    std::printf("%s: ok\n", path.c_str());
    return kPageOk;
  }
  if (capture.Messages().empty()) {
    std::printf("%s: not a page: the text does not begin with <html>\n",
                path.c_str());
  } else {
    std::printf("%s: %s\n", path.c_str(), capture.Messages().front().c_str());
  }
  return kPageFailed;
}

}  // namespace

int RunCheck(const std::vector<std::string>& pages) {
  int exitCode = kExitOk;
  for (const std::string& page : pages) {
    const PageResult result = CheckPage(page);
    if (result == kPageUnreadable) exitCode = kExitUsage;
    if (result == kPageFailed && exitCode == kExitOk) {
      exitCode = kExitPageFailed;
    }
  }
  std::fflush(stdout);
  return exitCode;
}
