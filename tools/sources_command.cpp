// sources_command.cpp: lists the files the pages refer to.

#include "tools/sources_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <set>

#include "htmlmemdoc/pages/page/page_references.h"
#include "htmlmemdoc/pages/site/page_walk.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "tools/batch.h"
#include "tools/page_reader.h"

namespace {

struct Listing {
  htmlmemdoc::PageFile page;
  std::vector<std::string> files;
};

// Every reference the page holds, each once (ASCII case ignored, the
// first form kept).
void ListAll(const CHtmlMemDoc& document, const std::string& text,
             std::vector<std::string>& files) {
  std::set<std::string> seen;
  for (const auto& reference : htmlmemdoc::FindReferences(document, text)) {
    if (seen.insert(htmlmemdoc::Lower(reference.value)).second)
      files.push_back(reference.value);
  }
}

void ListFiles(const std::string& path, SourcesKind kind, Listing& listing) {
  CHtmlMemDoc document;
  htmlmemdoc::PageFile& page = listing.page;
  page = ReadPageArgument(path);
  if (!page.Ok() || !htmlmemdoc::LoadPage(page, document)) return;
  if (kind == SourcesKind::kAll) {
    ListAll(document, page.text, listing.files);
    return;
  }
  const bool imagesOnly = kind == SourcesKind::kImages;
  CStringArray files;
  const int ok =
      imagesOnly ? document.GetAllImageSrc(files) : document.GetAllSrc(files);
  if (!ok) {
    page.problem.kind = htmlmemdoc::PageProblem::kNotText;
    page.problem.message =
        "a layer names no file (an image without src or dynsrc, or an "
        "embed without src)";
    return;
  }
  for (int i = 0; i < files.GetSize(); ++i) {
    listing.files.emplace_back(static_cast<const char*>(files[i]));
  }
}

}  // namespace

int RunSources(const std::vector<std::string>& arguments, SourcesKind kind) {
  const htmlmemdoc::PageWalk walk = htmlmemdoc::WalkPages(arguments);
  const std::vector<std::string>& pages = walk.pages;
  int exitCode = kExitOk;
  for (const auto& folder : walk.unreadable) {
    SayCannotRead(folder.folder, folder.reason);
    exitCode = kExitUsage;
  }
  if (pages.empty()) {
    std::fprintf(stderr, "htmlmemdoc: no .htm or .html pages found\n");
    return kExitUsage;
  }
  const bool prefix = pages.size() > 1;
  std::vector<Listing> listings(pages.size());
  RunInParallel(
      pages.size(), [&](size_t i) { ListFiles(pages[i], kind, listings[i]); },
      [&](size_t i) {
        const Listing& listing = listings[i];
        const std::string lead =
            prefix ? htmlmemdoc::ShownName(pages[i], ": ") + ": " : "";
        for (const std::string& file : listing.files) {
          std::printf("%s%s\n", lead.c_str(), file.c_str());
        }
        std::fflush(stdout);
        const int code = ExitCodeOf(listing.page.problem);
        if (code != kExitOk) {
          std::fprintf(stderr, "%s\n", ProblemLine(listing.page).c_str());
        }
        if (code == kExitUsage || (code != kExitOk && exitCode == kExitOk)) {
          exitCode = code;
        }
      });
  return exitCode;
}
