// site_report.h: a site run's report (site/site_run.h) as JSON (the
// schema is in docs/site-report.md) and as one self-contained HTML page
// for a person.

#ifndef HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_
#define HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/site/site_run.h"

namespace htmlmemdoc {

nlohmann::json SiteReportJson(const SiteReport& report);

// The page, its links to the site's pages relative to `reportFolder`.
std::string SiteReportHtml(const SiteReport& report,
                           const std::string& reportFolder);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_SITE_REPORT_H_
