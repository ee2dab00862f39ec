// page_writer.cpp: prints what the shared layer's write check finds, and
// writes the page when it may.

#include "tools/page_writer.h"

#include <cstdio>
#include <utility>

#include "tools/page_reader.h"

int WritePage(const CHtmlMemDoc& document, htmlmemdoc::PageFile& page,
              const htmlmemdoc::WriteOptions& options) {
  const htmlmemdoc::WriteCheck check =
      htmlmemdoc::CheckWrite(document, std::move(page.text), options);
  const std::string name = htmlmemdoc::ShownName(page.path, ":");
  if (!check.losses.empty()) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(),
                 options.allowLoss ? "written without what the page held here:"
                                   : "writing it back would lose:");
    for (const htmlmemdoc::PageLoss& loss : check.losses) {
      std::fprintf(stderr, "  %s\n", htmlmemdoc::DescribeLoss(loss).c_str());
    }
  }
  if (check.refusal) {
    const bool loss = check.refusal.code == htmlmemdoc::RefusalCode::kLoss;
    std::fprintf(stderr, "htmlmemdoc: %s%s; nothing written\n",
                 check.refusal.why.c_str(),
                 loss ? " (--allow-loss writes it all the same)" : "");
    return kExitPageFailed;
  }
  const htmlmemdoc::Refusal failure =
      htmlmemdoc::WriteText(check.text, options);
  if (!failure) return kExitOk;
  std::fprintf(stderr, "htmlmemdoc: %s\n", failure.why.c_str());
  return kExitUsage;
}
