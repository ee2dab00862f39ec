// export_report.h: an export's report (export/export_site.h) as lines
// for a terminal, as JSON (the schema is in docs/export.md) and as one
// self-contained HTML page for a person.

#ifndef HTMLMEMDOC_PAGES_REPORT_EXPORT_REPORT_H_
#define HTMLMEMDOC_PAGES_REPORT_EXPORT_REPORT_H_

#include <nlohmann/json.hpp>
#include <string>

#include "htmlmemdoc/pages/export/export_site.h"

namespace htmlmemdoc {

// The summary line, then a line for each page that did not read or was
// not written, each sound, movie or plug-in that will not play, and each
// file not copied.
std::string ExportReportText(const ExportReport& report);

nlohmann::json ExportReportJson(const ExportReport& report);

std::string ExportReportHtml(const ExportReport& report);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_EXPORT_REPORT_H_
