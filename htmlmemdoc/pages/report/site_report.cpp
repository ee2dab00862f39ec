// site_report.cpp: the JSON is built from the report item by item; the
// HTML page is written from the same counts and the problems alone, with
// its style inline and no script, so it opens anywhere as it is.

#include "htmlmemdoc/pages/report/site_report.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace htmlmemdoc {
namespace {

const char* StateName(PageFix::State state) {
  return state == PageFix::kFixed     ? "fixed"
         : state == PageFix::kRefused ? "refused"
                                      : "untouched";
}

json ReferenceJson(const SiteReport& report, size_t page, size_t index) {
  const CheckedReference& checked = report.pages[page].references[index];
  const PageReference& reference = checked.reference;
  json item = {
      {"value", reference.value},
      {"kind", KindName(checked.kind)},
      {"line", reference.line},
      {"column", reference.column},
      {"element", reference.element},
      {"id", reference.id.empty() ? json(nullptr) : json(reference.id)},
      {"tag", reference.tag},
      {"attribute", reference.attribute}};
  if (checked.kind == ReferenceKind::kCase) item["onDisk"] = checked.onDisk;
  if (!report.fixRun) return item;
  const std::string fixed = FixedTo(report, page, index);
  const std::string why = LeftAlone(report, page, index);
  if (!fixed.empty()) item["fixedTo"] = fixed;
  if (!why.empty()) item["leftAlone"] = why;
  return item;
}

json PageJson(const SiteReport& report, size_t index) {
  const SitePage& page = report.pages[index];
  json entry = {{"page", page.path},
                {"readable", !page.outside && page.file.Ok()}};
  if (page.outside) entry["outside"] = true;
  entry["problem"] = nullptr;
  if (!page.outside && !page.file.Ok()) {
    entry["problem"] = ProblemJson(page.file.problem);
  }
  json references = json::array();
  for (size_t i = 0; i < page.references.size(); ++i)
    references.push_back(ReferenceJson(report, index, i));
  entry["references"] = references;
  if (report.fixRun) {
    const PageFix& fix = report.fixes[index];
    entry["fix"] = {{"state", StateName(fix.state)}};
    AddRefusal(entry["fix"], fix.refusal);
    if (report.fixOptions.dryRun) entry["fix"]["diff"] = fix.diff;
  }
  return entry;
}

std::string LinkTo(const SiteReport& report, const std::string& page,
                   const std::string& reportFolder) {
  std::error_code error;
  const fs::path target = fs::absolute(FsPath(report.root + "/" + page), error);
  const fs::path from = fs::absolute(FsPath(reportFolder), error);
  fs::path relative = target.lexically_relative(from);
  if (relative.empty()) relative = target;
  return UrlOf(PathText(relative));
}

}  // namespace

json SiteReportJson(const SiteReport& report) {
  const SiteCounts counts = CountSite(report);
  json summary = {{"pages", report.pages.size()},
                  {"unreadablePages", counts.unreadablePages},
                  {"references", counts.references}};
  for (int kind = 0; kind < kReferenceKinds; ++kind) {
    summary[KindName(static_cast<ReferenceKind>(kind))] =
        counts.kinds[static_cast<size_t>(kind)];
  }
  summary["unused"] = report.unused.size();
  json out = {{"version", 1},
              {"site", report.root},
              {"generator", "htmlmemdoc site report"}};
  if (report.fixRun) {
    summary.update({{"fixedPages", counts.fixedPages},
                    {"fixedReferences", counts.fixedReferences},
                    {"leftAlone", counts.leftAlone},
                    {"refusedPages", counts.refusedPages},
                    {"renamed", counts.renamed}});
    out["fixing"] = {{"dryRun", report.fixOptions.dryRun},
                     {"encode", report.fixOptions.encode}};
  }
  out["summary"] = summary;
  json pages = json::array();
  for (size_t p = 0; p < report.pages.size(); ++p)
    pages.push_back(PageJson(report, p));
  out["pages"] = pages;
  out["unused"] = report.unused;
  json renames = json::array();
  for (const SiteRename& rename : report.renames) {
    json entry = {
        {"from", rename.from}, {"to", rename.to}, {"done", rename.done}};
    AddRefusal(entry, rename.refusal);
    renames.push_back(std::move(entry));
  }
  out["renames"] = renames;
  json folders = json::array();
  for (const auto& folder : report.unreadableFolders)
    folders.push_back({{"folder", folder.folder}, {"reason", folder.reason}});
  out["unreadableFolders"] = folders;
  return out;
}

std::string SiteReportHtml(const SiteReport& report,
                           const std::string& reportFolder) {
  const SiteCounts counts = CountSite(report);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta "
      "charset=\"utf-8\">\n" +
      std::string(kSiteReportMark) + "\n" +
      "<title>Site report: " + EscapeHtml(report.root) +
      "</title>\n"
      "<style>\nbody { font: 14px/1.4 sans-serif; margin: 2em; }\n"
      "table { border-collapse: collapse; margin-bottom: 2em; }\n"
      "th, td { border: 1px solid #bbb; padding: 0.2em 0.6em; "
      "text-align: left; vertical-align: top; }\n"
      "th { background: #eee; }\n"
      ".case, .unsafe, .ambiguous { color: #8a5a00; }\n"
      ".missing, .outside, .unreadable, .unused { color: #b00020; }\n"
      "code { font-size: 13px; }\n</style>\n</head>\n<body>\n"
      "<h1>Site report: " +
      EscapeHtml(report.root) +
      "</h1>\n"
      "<table id=\"counts\">\n<tr><th>pages</th><td data-count=\"pages\">" +
      std::to_string(report.pages.size()) +
      "</td></tr>\n"
      "<tr><th>pages that do not read</th>"
      "<td data-count=\"unreadablePages\">" +
      std::to_string(counts.unreadablePages) +
      "</td></tr>\n"
      "<tr><th>references</th><td data-count=\"references\">" +
      std::to_string(counts.references) + "</td></tr>\n";
  for (int kind = 0; kind < kReferenceKinds; ++kind) {
    const std::string name = KindName(static_cast<ReferenceKind>(kind));
    html += "<tr><th>" + name + "</th><td data-count=\"" + name + "\">" +
            std::to_string(counts.kinds[static_cast<size_t>(kind)]) +
            "</td></tr>\n";
  }
  html += "<tr><th>unused files</th><td data-count=\"unused\">" +
          std::to_string(report.unused.size()) + "</td></tr>\n</table>\n";
  html +=
      "<h2>Problems by page</h2>\n<table id=\"problems\">\n"
      "<tr><th>page</th><th>line</th><th>kind</th><th>reference</th>"
      "<th>detail</th></tr>\n";
  for (size_t p = 0; p < report.pages.size(); ++p) {
    const SitePage& page = report.pages[p];
    const std::string link = "<a href=\"" +
                             LinkTo(report, page.path, reportFolder) + "\">" +
                             EscapeHtml(page.path) + "</a>";
    if (page.outside) {
      html += "<tr class=\"outside\"><td>" + EscapeHtml(page.path) +
              "</td><td></td><td>outside</td><td></td><td>a link to a file "
              "outside the site, not read</td></tr>\n";
    } else if (!page.file.Ok()) {
      html += "<tr class=\"unreadable\"><td>" + link + "</td><td>" +
              std::to_string(page.file.problem.line) +
              "</td><td>does not read</td><td></td><td>" +
              EscapeHtml(DescribeProblem(page.file.problem)) + "</td></tr>\n";
    }
    for (size_t i = 0; i < page.references.size(); ++i) {
      const CheckedReference& checked = page.references[i];
      if (!IsProblemKind(checked.kind)) continue;
      const std::string kind = KindName(checked.kind);
      std::string detail = checked.reference.element;
      if (!checked.reference.id.empty()) detail += " " + checked.reference.id;
      if (checked.kind == ReferenceKind::kCase)
        detail += "; on disk: " + checked.onDisk;
      const std::string fixed = FixedTo(report, p, i);
      if (!fixed.empty()) detail += "; fixed to " + fixed;
      const std::string why = LeftAlone(report, p, i);
      if (!why.empty()) detail += "; left alone: " + why;
      html += "<tr class=\"" + kind + "\"><td>" + link + "</td><td>" +
              std::to_string(checked.reference.line) + "</td><td>" + kind +
              "</td><td><code>" + EscapeHtml(checked.reference.value) +
              "</code></td><td>" + EscapeHtml(detail) + "</td></tr>\n";
    }
  }
  html += "</table>\n<h2>Files no page refers to</h2>\n<ul id=\"unused\">\n";
  for (const std::string& file : report.unused)
    html += "<li class=\"unused\"><code>" + EscapeHtml(file) + "</code></li>\n";
  return html + "</ul>\n</body>\n</html>\n";
}

}  // namespace htmlmemdoc
