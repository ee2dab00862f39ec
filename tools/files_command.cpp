// files_command.cpp: lists a page's referenced files.

#include "tools/files_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/page_reader.h"

int RunFiles(const std::string& page, bool imagesOnly) {
  CHtmlMemDoc document;
  std::string problem;
  switch (ReadPage(page, document, problem)) {
    case kPageOk:
      break;
    case kPageFailed:
      std::fprintf(stderr, "%s: %s\n", page.c_str(), problem.c_str());
      return kExitPageFailed;
    case kPageUnreadable:
      std::fprintf(stderr, "htmlmemdoc: cannot read %s\n", problem.c_str());
      return kExitUsage;
  }
  CStringArray files;
  const int ok =
      imagesOnly ? document.GetAllImageSrc(files) : document.GetAllSrc(files);
  if (!ok) {
    std::fprintf(stderr,
                 "%s: a layer names no file (an image without src or dynsrc, "
                 "or an embed without src)\n",
                 page.c_str());
    return kExitPageFailed;
  }
  for (int i = 0; i < files.GetSize(); ++i) {
    std::printf("%s\n", static_cast<const char*>(files[i]));
  }
  return kExitOk;
}
