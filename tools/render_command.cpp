// render_command.cpp: reads a page and writes it back.

#include "tools/render_command.h"

#include "tools/page_reader.h"
#include "tools/page_writer.h"

int RunRender(const RenderOptions& options) {
  CHtmlMemDoc document;
  htmlmemdoc::PageFile page;
  const int read = ReadPageOrSay(options.page, page, document);
  if (read != kExitOk) return read;
  return WritePage(document, page, options.out);
}
