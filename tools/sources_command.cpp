// sources_command.cpp: lists a page's referenced files.

#include "tools/sources_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/page_reader.h"

int RunSources(const std::string& page, bool imagesOnly) {
  CHtmlMemDoc document;
  const int read = ReadPageOrSay(page, document);
  if (read != kExitOk) return read;
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
