// site_report.h: what a site check found (and, with --fix, did) as data:
// counts, every page with every reference, the files no page names, the
// renames; as JSON (the schema is in docs/site-report.md) and as one
// self-contained HTML page for a person.

#ifndef HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_
#define HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/site/site_fix.h"

namespace htmlmemdoc {

struct SiteReport {
  std::string root;
  std::vector<SiteTree::Unreadable> unreadableFolders;
  std::vector<SitePage> pages;
  std::vector<std::string> unused;
  bool fixing = false;
  SiteFixOptions fix;
  std::vector<PageFix> fixes;  // one per page when fixing
  std::vector<SiteRename> renames;
};

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

nlohmann::json SiteReportJson(const SiteReport& report);

// The page, its links to the site's pages relative to `reportFolder`.
std::string SiteReportHtml(const SiteReport& report,
                           const std::string& reportFolder);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_
