// site_findings.h: what a site run leaves to act on, one finding per
// problem, each with a stable rule, the file it is in and where: the form
// that CI reports (SARIF, JUnit) are written from.

#ifndef HTMLMEMDOC_PAGES_REPORT_SITE_FINDINGS_H_
#define HTMLMEMDOC_PAGES_REPORT_SITE_FINDINGS_H_

#include <string>
#include <vector>

#include "htmlmemdoc/pages/site/site_run.h"

namespace htmlmemdoc {

// A kind of finding. Its id never changes once published, so that a CI
// system can track a finding across runs and filter by kind.
struct SiteRule {
  const char* id;           // "reference-case"
  const char* name;         // "ReferenceInWrongCase"
  const char* description;  // one sentence
  const char* level;        // "error", "warning" or "note"
};

// Every rule, in a fixed order (a finding's `rule` indexes it).
const std::vector<SiteRule>& SiteRules();

struct SiteFinding {
  size_t rule = 0;   // into SiteRules()
  std::string file;  // from the site's root: a page, a file, a folder ("" for
                     // the root)
  int line = 0;      // 1-based, and the column in bytes; 0 when the
  int column = 0;    // finding is the whole file
  std::string message;
  long page = -1;  // the report's page it belongs to, or -1 for the site
};

// The report's findings: for each page in order, the page's own problem
// (it does not read, it leads outside the site, its fix was not written)
// and each reference to act on that was not fixed; then the site's
// unreadable folders, unused files and refused renames. Exactly when this
// is empty, HasProblems(report) is false.
std::vector<SiteFinding> SiteFindings(const SiteReport& report);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_SITE_FINDINGS_H_
