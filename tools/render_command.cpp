// render_command.cpp: reads a page and writes it back.

#include "tools/render_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/page_reader.h"

int RunRender(const RenderOptions& options) {
  CHtmlMemDoc document;
  std::string problem;
  htmlmemdoc::PageFile pageFile;
  const int read = ReadPageOrSay(options.page, pageFile, document);
  if (read != kExitOk) return read;
  return WritePage(document, options.out);
}
