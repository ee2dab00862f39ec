// ci_report.cpp: both reports are written from SiteFindings, so they fail
// a site exactly when the tool's exit code does. The SARIF log keeps its
// members in the order the format's documentation gives them, with the
// report's mark among its first lines.

#include "htmlmemdoc/pages/report/ci_report.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include "htmlmemdoc/pages/report/site_findings.h"
#include "htmlmemdoc/pages/site/site_scan.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/version.h"

using nlohmann::ordered_json;

namespace htmlmemdoc {
namespace {

const char kBaseId[] = "SITEROOT";

// The site's root as an absolute file URI ending in "/", the base of
// every location.
std::string RootUri(const std::string& root) {
  std::error_code error;
  std::string path = PathText(std::filesystem::absolute(FsPath(root), error));
  if (path.empty() || path[0] != '/') path = "/" + path;  // C:/site
  if (path.back() != '/') path += '/';
  return "file://" + UrlOf(path);
}

ordered_json RulesJson() {
  ordered_json rules = ordered_json::array();
  for (const SiteRule& rule : SiteRules()) {
    rules.push_back({{"id", rule.id},
                     {"name", rule.name},
                     {"shortDescription", {{"text", rule.description}}},
                     {"defaultConfiguration", {{"level", rule.level}}}});
  }
  return rules;
}

ordered_json ResultJson(const SiteFinding& finding) {
  const SiteRule& rule = SiteRules()[finding.rule];
  ordered_json location = {
      {"artifactLocation",
       {{"uri", finding.file.empty() ? "./" : UrlOf(finding.file)},
        {"uriBaseId", kBaseId}}}};
  if (finding.line > 0) {
    location["region"] = {{"startLine", finding.line}};
    if (finding.column > 0) location["region"]["startColumn"] = finding.column;
  }
  return {{"ruleId", rule.id},
          {"ruleIndex", finding.rule},
          {"level", rule.level},
          {"message", {{"text", finding.message}}},
          {"locations", {{{"physicalLocation", location}}}}};
}

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + EscapeXml(value) + "\"";
}

std::string Attribute(const char* name, size_t value) {
  return Attribute(name, std::to_string(value));
}

// One test case, failed by `findings` when there are any.
std::string TestCase(const std::string& suite, const std::string& name,
                     const std::vector<const SiteFinding*>& findings) {
  std::string out =
      "    <testcase" + Attribute("classname", suite) + Attribute("name", name);
  if (findings.empty()) return out + "/>\n";
  std::string details;  // a line per finding
  for (const SiteFinding* finding : findings) {
    std::string line = finding->page < 0 ? finding->file + ": " : "";
    if (finding->line > 0)
      line += std::to_string(finding->line) + ":" +
              std::to_string(finding->column) + ": ";
    line +=
        std::string(SiteRules()[finding->rule].id) + ": " + finding->message;
    details += EscapeXml(line) + "\n";
  }
  std::string message = findings.front()->message;
  if (findings.size() > 1)
    message += " (and " + std::to_string(findings.size() - 1) + " more)";
  return out + ">\n      <failure" +
         Attribute("type", SiteRules()[findings.front()->rule].id) +
         Attribute("message", message) + ">" + details +
         "</failure>\n    </testcase>\n";
}

}  // namespace

std::string SiteReportSarif(const SiteReport& report) {
  ordered_json results = ordered_json::array();
  for (const SiteFinding& finding : SiteFindings(report))
    results.push_back(ResultJson(finding));
  const ordered_json log = {
      {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
      {"version", "2.1.0"},
      {"properties", {{"generator", "htmlmemdoc site report"}}},
      {"runs",
       {{{"tool",
          {{"driver",
            {{"name", "htmlmemdoc"},
             {"version", HTMLMEMDOC_VERSION_STRING},
             {"rules", RulesJson()}}}}},
         {"originalUriBaseIds", {{kBaseId, {{"uri", RootUri(report.root)}}}}},
         {"columnKind", "unicodeCodePoints"},
         {"results", results}}}}};
  return log.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

std::string SiteReportJunit(const SiteReport& report) {
  const std::vector<SiteFinding> findings = SiteFindings(report);
  // The findings of each page, and of the site, in order.
  std::vector<std::vector<const SiteFinding*>> byPage(report.pages.size() + 1);
  for (const SiteFinding& finding : findings) {
    const size_t slot = finding.page < 0 ? report.pages.size()
                                         : static_cast<size_t>(finding.page);
    byPage[slot].push_back(&finding);
  }
  size_t failed = 0;
  for (const auto& page : byPage) failed += page.empty() ? 0 : 1;
  const std::string counts = Attribute("tests", byPage.size()) +
                             Attribute("failures", failed) +
                             Attribute("errors", size_t{0});
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" +
                    std::string(kSiteReportXmlMark) + counts + ">\n" +
                    "  <testsuite" + Attribute("name", report.root) + counts +
                    Attribute("skipped", size_t{0}) + ">\n";
  for (size_t p = 0; p < report.pages.size(); ++p)
    out += TestCase(report.root, report.pages[p].path, byPage[p]);
  out += TestCase(report.root, "site", byPage.back());
  return out + "  </testsuite>\n</testsuites>\n";
}

}  // namespace htmlmemdoc
