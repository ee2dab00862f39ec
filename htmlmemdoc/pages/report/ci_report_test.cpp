#include "htmlmemdoc/pages/report/ci_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "htmlmemdoc/pages/report/site_findings.h"
#include "htmlmemdoc/pages/site/site_scan.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace {

using htmlmemdoc::PageFix;
using htmlmemdoc::ReferenceKind;

// A page at `path` with one reference of each kind given, on lines 1, 2...
htmlmemdoc::SitePage Page(const std::string& path,
                          std::initializer_list<ReferenceKind> kinds) {
  htmlmemdoc::SitePage page;
  page.path = path;
  int line = 0;
  for (const ReferenceKind kind : kinds) {
    htmlmemdoc::CheckedReference checked;
    checked.kind = kind;
    checked.reference.value = "r" + std::to_string(++line);
    checked.reference.element = "image layer";
    checked.reference.line = line;
    checked.reference.column = 10 + line;
    page.references.push_back(std::move(checked));
  }
  return page;
}

// "RULE FILE LINE:COLUMN" of each finding.
std::string Listed(const htmlmemdoc::SiteReport& report) {
  std::string listed;
  for (const auto& finding : htmlmemdoc::SiteFindings(report))
    listed += std::string(htmlmemdoc::SiteRules()[finding.rule].id) + " " +
              finding.file + " " + std::to_string(finding.line) + ":" +
              std::to_string(finding.column) + "\n";
  return listed;
}

// A report with a fix of page a.htm: which of its references remain
// findings, for each state of the fix; the findings are empty exactly when
// the run leaves nothing to act on.
TEST(SiteFindingsTest, FollowWhatTheRunLeavesToActOn) {
  struct Case {
    PageFix::State state;
    bool dryRun;
    const char* listed;
  } kCases[] = {
      {PageFix::kFixed, false, ""},
      {PageFix::kFixed, true,
       "reference-case a.htm 2:12\nreference-ambiguous a.htm 3:13\n"},
      {PageFix::kRefused, false,
       "page-not-written a.htm 0:0\nreference-case a.htm 2:12\n"
       "reference-ambiguous a.htm 3:13\n"},
  };
  for (const Case& c : kCases) {
    htmlmemdoc::SiteReport report;
    report.pages.push_back(
        Page("a.htm", {ReferenceKind::kOk, ReferenceKind::kCase,
                       ReferenceKind::kAmbiguous, ReferenceKind::kExternal}));
    report.fixRun = true;
    report.fixOptions.dryRun = c.dryRun;
    report.fixes.resize(1);
    report.fixes[0].state = c.state;
    report.fixes[0].changes = {{1, "R2"}};
    report.fixes[0].leftAlone = {{2, "several files"}};
    if (c.state == PageFix::kRefused)
      report.fixes[0].refusal = {htmlmemdoc::RefusalCode::kCannotWrite, "no"};
    // An ambiguous name is left alone: without it the fixed run is clean.
    if (c.state == PageFix::kFixed && !c.dryRun)
      report.pages[0].references[2].kind = ReferenceKind::kOk;
    EXPECT_EQ(c.listed, Listed(report)) << c.state << c.dryRun;
    EXPECT_EQ(htmlmemdoc::HasProblems(report),
              !htmlmemdoc::SiteFindings(report).empty());
  }
}

// Pages that do not read or lead outside, then the site's own findings.
TEST(SiteFindingsTest, ListPagesThenTheSite) {
  htmlmemdoc::SiteReport report;
  report.pages.push_back(Page("b.htm", {ReferenceKind::kMissing}));
  report.pages.push_back(Page("link.htm", {}));
  report.pages.back().outside = true;
  report.pages.push_back(Page("x.htm", {}));
  report.pages.back().file.problem.kind = htmlmemdoc::PageProblem::kRefused;
  report.pages.back().file.problem.line = 4;
  report.pages.back().file.problem.column = 7;
  report.unused = {"old.gif"};
  report.unreadableFolders = {{"s/private", "private", "Permission denied"}};
  EXPECT_EQ(
      "reference-missing b.htm 1:11\npage-outside link.htm 0:0\n"
      "page-unreadable x.htm 4:7\nfolder-unreadable private 0:0\n"
      "file-unused old.gif 0:0\n",
      Listed(report));

  // The SARIF log: a result per finding under its rule, the mark early.
  const std::string sarif = htmlmemdoc::SiteReportSarif(report);
  EXPECT_LT(sarif.find(htmlmemdoc::kSiteReportJsonMark), 200u);
  const auto log = nlohmann::json::parse(sarif);
  const auto& results = log["runs"][0]["results"];
  ASSERT_EQ(5u, results.size());
  EXPECT_EQ("x.htm", results[2]["locations"][0]["physicalLocation"]
                            ["artifactLocation"]["uri"]);
  EXPECT_EQ(
      7,
      results[2]["locations"][0]["physicalLocation"]["region"]["startColumn"]);
  EXPECT_FALSE(
      results[1]["locations"][0]["physicalLocation"].contains("region"));

  // The JUnit XML: a case per page and the site's, each failed.
  const std::string junit = htmlmemdoc::SiteReportJunit(report);
  EXPECT_EQ(0u, junit.find("<?xml")) << junit;
  EXPECT_NE(std::string::npos,
            junit.find(std::string(htmlmemdoc::kSiteReportXmlMark) +
                       " tests=\"4\" failures=\"4\""));
  // A page's one finding is its failure's message as it is.
  EXPECT_NE(std::string::npos,
            junit.find("message=\"missing: r1 (image layer)\">"));
}

TEST(EscapeXmlTest, KeepsWhatXmlHoldsAndReplacesTheRest) {
  struct Case {
    const char* text;
    const char* xml;
  } kCases[] = {
      {"a<b>&\"c'", "a&lt;b&gt;&amp;&quot;c&apos;"},
      {"tab\tline\ncr\r", "tab&#9;line&#10;cr&#13;"},
      {"\x01\x1f", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
       "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"\xff"
       "a\xC3",
       "\xEF\xBF\xBD"
       "a\xEF\xBF\xBD"},
      {"\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.xml, htmlmemdoc::EscapeXml(c.text));
}

}  // namespace
