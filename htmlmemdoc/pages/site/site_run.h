// site_run.h: a site checked and, when asked, fixed, as data: counts,
// every page with every reference, the files no page names, the renames.
// The run keeps the fix's order, which keeps every name working at every
// moment: link the new names, write the pages, remove the old names.

#ifndef HTMLMEMDOC_PAGES_SITE_SITE_RUN_H_
#define HTMLMEMDOC_PAGES_SITE_SITE_RUN_H_

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/site/site_fix.h"

namespace htmlmemdoc {

struct SiteReport {
  std::string root;
  std::vector<SiteTree::Unreadable> unreadableFolders;
  std::vector<SitePage> pages;
  std::vector<std::string> unused;
  bool fixRun = false;         // whether the run fixed (or tried, dry)
  SiteFixOptions fixOptions;   // how, when it did
  std::vector<PageFix> fixes;  // one per page when it did
  std::vector<SiteRename> renames;
};

// Calls job(i) for each i below `count`, some maybe at once, and returns
// when all are done. The front end gives its own (threads, a progress bar).
using ParallelFor =
    std::function<void(size_t count, const std::function<void(size_t)>& job)>;

// A ParallelFor on `threads` threads (0: one for each core), for a front
// end with no progress to show.
ParallelFor ThreadsFor(unsigned threads);

// Checks the site of `tree`, and fixes it as `fix` says when not null.
SiteReport RunSite(const SiteTree& tree, const SiteFixOptions* fix,
                   const ParallelFor& parallelFor);

// Whether a reference of `kind` is one to act on: in the wrong case,
// missing, outside the site, unsafe or ambiguous.
bool IsProblemKind(ReferenceKind kind);

struct SiteCounts {
  std::array<size_t, kReferenceKinds> kinds{};
  size_t references = 0, unreadablePages = 0;
  size_t fixedPages = 0, fixedReferences = 0, leftAlone = 0, refusedPages = 0,
         renamed = 0;
};
SiteCounts CountSite(const SiteReport& report);

// True when the report leaves something to act on: a reference in the
// wrong case, missing, outside the site or unsafe that was not fixed, a
// page that does not read, an unused file, a fix not made.
bool HasProblems(const SiteReport& report);

// Whether the reference at `index` of page `page` was fixed, or the value
// it was (or with a dry run would be) fixed to; "".
std::string FixedTo(const SiteReport& report, size_t page, size_t index);
// Why it was left as it was; "".
std::string LeftAlone(const SiteReport& report, size_t page, size_t index);

// The reference at `index` of page `page` told on one line: "KIND: VALUE
// (ELEMENT ID)", then " on disk: NAME" for one in the wrong case, "; fixed
// to VALUE" and "; left alone: WHY" when a fix did so.
std::string DescribeReference(const SiteReport& report, size_t page,
                              size_t index);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_SITE_RUN_H_
