// edit_command.cpp: reads the page, makes the changes through the shared
// layer's guarded edit, and writes the page only when all were made.

#include "tools/edit_command.h"

#include <cstdio>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "tools/page_reader.h"
#include "tools/page_writer.h"

int RunEdit(const EditOptions& options) {
  const htmlmemdoc::PageEdit& edit = options.edit;
  if (!options.refusal.empty()) {
    std::fprintf(stderr, "htmlmemdoc: %s; nothing written\n",
                 options.refusal.c_str());
    return kExitPageFailed;
  }
  if (edit.ChangesLayer() && edit.layer.empty()) {
    std::fprintf(stderr, "htmlmemdoc: layer changes need --layer ID\n");
    return kExitUsage;
  }
  CHtmlMemDoc document;
  htmlmemdoc::PageFile page;
  const int read = ReadPageOrSay(options.page, page, document);
  if (read != kExitOk) return read;
  if (edit.NamesLayer() &&
      htmlmemdoc::FindLayer(document, edit.layer) == nullptr) {
    std::fprintf(stderr, "htmlmemdoc: no layer with the id %s in %s\n",
                 edit.layer.c_str(),
                 htmlmemdoc::ShownName(options.page, ":").c_str());
    return kExitUsage;
  }
  const htmlmemdoc::Refusal failure = htmlmemdoc::ApplyEdit(document, edit);
  if (failure) {
    std::fprintf(stderr, "htmlmemdoc: %s; nothing written\n",
                 failure.why.c_str());
    return kExitPageFailed;
  }
  return WritePage(document, page, options.out);
}
