// site_findings.cpp: the findings follow HasProblems item by item, so a
// CI report fails a site exactly when the tool's exit code does.

#include "htmlmemdoc/pages/report/site_findings.h"

#include "htmlmemdoc/pages/page/read_problem.h"

namespace htmlmemdoc {
namespace {

// The rules of SiteRules(), by index.
enum Rule : size_t {
  kReferenceCase,
  kReferenceMissing,
  kReferenceOutside,
  kReferenceUnsafe,
  kReferenceAmbiguous,
  kPageUnreadable,
  kPageOutside,
  kPageNotWritten,
  kFolderUnreadable,
  kFileUnused,
  kRenameRefused
};

// The rule of a reference of a kind IsProblemKind accepts.
size_t ReferenceRule(ReferenceKind kind) {
  switch (kind) {
    case ReferenceKind::kCase:
      return kReferenceCase;
    case ReferenceKind::kMissing:
      return kReferenceMissing;
    case ReferenceKind::kOutside:
      return kReferenceOutside;
    case ReferenceKind::kUnsafe:
      return kReferenceUnsafe;
    default:
      return kReferenceAmbiguous;
  }
}

SiteFinding Finding(size_t rule, const std::string& file, std::string message,
                    long page = -1) {
  SiteFinding finding;
  finding.rule = rule;
  finding.file = file;
  finding.message = std::move(message);
  finding.page = page;
  return finding;
}

void AddPageFindings(const SiteReport& report, size_t p,
                     std::vector<SiteFinding>& out) {
  const SitePage& page = report.pages[p];
  const long index = static_cast<long>(p);
  if (page.outside) {
    out.push_back(Finding(kPageOutside, page.path,
                          "a link to a file outside the site, not read",
                          index));
    return;
  }
  if (!page.file.Ok()) {
    SiteFinding finding = Finding(kPageUnreadable, page.path,
                                  ProblemWhat(page.file.problem), index);
    finding.line = page.file.problem.line;
    finding.column = page.file.problem.column;
    out.push_back(std::move(finding));
    return;
  }
  if (report.fixRun && report.fixes[p].state == PageFix::kRefused) {
    out.push_back(Finding(kPageNotWritten, page.path,
                          "not written: " + report.fixes[p].refusal.why,
                          index));
  }
  for (size_t i = 0; i < page.references.size(); ++i) {
    const CheckedReference& checked = page.references[i];
    if (!IsProblemKind(checked.kind)) continue;
    if (!report.fixOptions.dryRun && !FixedTo(report, p, i).empty()) continue;
    SiteFinding finding = Finding(ReferenceRule(checked.kind), page.path,
                                  DescribeReference(report, p, i), index);
    finding.line = checked.reference.line;
    finding.column = checked.reference.column;
    out.push_back(std::move(finding));
  }
}

}  // namespace

const std::vector<SiteRule>& SiteRules() {
  static const std::vector<SiteRule> kRules = {
      {"reference-case", "ReferenceInWrongCase",
       "A reference names a file of the site in another letter case than "
       "the file's name on disk.",
       "warning"},
      {"reference-missing", "ReferenceMissing",
       "A reference names a file that is not in the site.", "error"},
      {"reference-outside", "ReferenceOutsideSite",
       "A reference leads out of the site's folder.", "error"},
      {"reference-unsafe", "ReferenceUnsafeCharacter",
       "A reference holds a character that a web server or a URL treats "
       "specially.",
       "warning"},
      {"reference-ambiguous", "ReferenceAmbiguous",
       "A reference matches several files whose names differ only in letter "
       "case.",
       "warning"},
      {"page-unreadable", "PageDoesNotRead",
       "A page cannot be read, or is not a layout page.", "error"},
      {"page-outside", "PageOutsideSite",
       "A page is a link to a file outside the site, and is not read.",
       "warning"},
      {"page-not-written", "FixNotWritten",
       "A fix of the page was refused, and the page was left as it was.",
       "error"},
      {"folder-unreadable", "FolderUnreadable",
       "A folder of the site cannot be read.", "error"},
      {"file-unused", "FileUnused", "No page of the site names this file.",
       "warning"},
      {"rename-refused", "RenameRefused",
       "A file's rename to a name every page can use was refused.", "error"},
  };
  return kRules;
}

std::vector<SiteFinding> SiteFindings(const SiteReport& report) {
  std::vector<SiteFinding> findings;
  for (size_t p = 0; p < report.pages.size(); ++p)
    AddPageFindings(report, p, findings);
  for (const auto& folder : report.unreadableFolders)
    findings.push_back(Finding(kFolderUnreadable,
                               folder.path == "." ? "" : folder.path,
                               "cannot be read: " + folder.reason));
  for (const std::string& file : report.unused)
    findings.push_back(Finding(kFileUnused, file, "no page names this file"));
  for (const SiteRename& rename : report.renames) {
    if (!rename.refusal) continue;
    findings.push_back(
        Finding(kRenameRefused, rename.from,
                "not renamed to " + rename.to + ": " + rename.refusal.why));
  }
  return findings;
}

}  // namespace htmlmemdoc
