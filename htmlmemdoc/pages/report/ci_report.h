// ci_report.h: a site run's findings (site_findings.h) in the two forms
// CI systems read: SARIF 2.1.0, which code-scanning services show beside
// the file and line, and JUnit XML, which test dashboards show as one test
// case per page. docs/site-report.md describes both.

#ifndef HTMLMEMDOC_PAGES_REPORT_CI_REPORT_H_
#define HTMLMEMDOC_PAGES_REPORT_CI_REPORT_H_

#include <string>

#include "htmlmemdoc/pages/site/site_run.h"

namespace htmlmemdoc {

// The SARIF log as JSON text: one run, a rule per kind of finding, a
// result per finding with its page, line and column, the paths relative
// to the site's root (the base id "SITEROOT").
std::string SiteReportSarif(const SiteReport& report);

// The JUnit XML: a test case per page, failed by that page's findings,
// and a last case, "site", failed by the findings of no page (unreadable
// folders, unused files, refused renames). Both carry the marks of
// site_scan.h, so that neither is ever read as a file of the site.
std::string SiteReportJunit(const SiteReport& report);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_CI_REPORT_H_
