// sources_command.cpp: lists the files the pages refer to.

#include "tools/sources_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/batch.h"
#include "tools/page_reader.h"

namespace {

struct Listing {
  PageResult result = kPageOk;
  std::string problem;
  std::vector<std::string> files;
};

void ListFiles(const std::string& page, bool imagesOnly, Listing& listing) {
  CHtmlMemDoc document;
  listing.result = ReadPage(page, document, listing.problem);
  if (listing.result != kPageOk) return;
  CStringArray files;
  const int ok =
      imagesOnly ? document.GetAllImageSrc(files) : document.GetAllSrc(files);
  if (!ok) {
    listing.result = kPageFailed;
    listing.problem =
        "a layer names no file (an image without src or dynsrc, or an "
        "embed without src)";
    return;
  }
  for (int i = 0; i < files.GetSize(); ++i) {
    listing.files.emplace_back(static_cast<const char*>(files[i]));
  }
}

}  // namespace

int RunSources(const std::vector<std::string>& arguments, bool imagesOnly) {
  const std::vector<std::string> pages = ExpandPages(arguments);
  if (pages.empty()) {
    std::fprintf(stderr, "htmlmemdoc: no .htm or .html pages found\n");
    return kExitUsage;
  }
  const bool prefix = pages.size() > 1;
  std::vector<Listing> listings(pages.size());
  int exitCode = kExitOk;
  RunInParallel(
      pages.size(),
      [&](size_t i) { ListFiles(pages[i], imagesOnly, listings[i]); },
      [&](size_t i) {
        const Listing& listing = listings[i];
        const std::string lead = prefix ? pages[i] + ": " : "";
        for (const std::string& file : listing.files) {
          std::printf("%s%s\n", lead.c_str(), file.c_str());
        }
        std::fflush(stdout);
        if (listing.result == kPageFailed) {
          std::fprintf(stderr, "%s: %s\n", pages[i].c_str(),
                       listing.problem.c_str());
          if (exitCode == kExitOk) exitCode = kExitPageFailed;
        } else if (listing.result == kPageUnreadable) {
          std::fprintf(stderr, "htmlmemdoc: cannot read %s\n",
                       listing.problem.c_str());
          exitCode = kExitUsage;
        }
      });
  return exitCode;
}
