// site_command.cpp: lists the site, reads its pages on all cores, fixes
// them on all cores when asked, then reports.

#include "tools/site_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/report/ci_report.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/report/site_report.h"
#include "htmlmemdoc/pages/site/site_scan.h"
#include "htmlmemdoc/platform/file_system.h"
#include "tools/batch.h"
#include "tools/page_reader.h"

using htmlmemdoc::ReferenceKind;
using htmlmemdoc::SiteReport;

namespace {

std::string SummaryLine(const SiteReport& report) {
  const htmlmemdoc::SiteCounts counts = htmlmemdoc::CountSite(report);
  std::string line = htmlmemdoc::ShownName(report.root, ":") + ": " +
                     std::to_string(report.pages.size()) + " pages";
  if (counts.unreadablePages > 0)
    line += " (" + std::to_string(counts.unreadablePages) + " do not read)";
  line += ", " + std::to_string(counts.references) + " references:";
  for (int kind = 0; kind < htmlmemdoc::kReferenceKinds; ++kind) {
    // An ambiguous name is rare: told only when there is one.
    if (static_cast<ReferenceKind>(kind) == ReferenceKind::kAmbiguous &&
        counts.kinds[static_cast<size_t>(kind)] == 0)
      continue;
    line += std::string(kind == 0 ? " " : ", ") +
            std::to_string(counts.kinds[static_cast<size_t>(kind)]) + " " +
            htmlmemdoc::KindName(static_cast<ReferenceKind>(kind));
  }
  line += "; " + std::to_string(report.unused.size()) + " files unused";
  if (report.fixRun) {
    line += std::string("; ") +
            (report.fixOptions.dryRun ? "would fix " : "fixed ") +
            std::to_string(counts.fixedReferences) + " references in " +
            std::to_string(counts.fixedPages) + " pages, " +
            std::to_string(counts.leftAlone) + " left alone";
    if (counts.refusedPages > 0)
      line += ", " + std::to_string(counts.refusedPages) + " pages not written";
  }
  return line;
}

std::string ReferenceLine(const SiteReport& report, size_t page, size_t index) {
  return "  line " +
         std::to_string(report.pages[page].references[index].reference.line) +
         ": " + htmlmemdoc::DescribeReference(report, page, index);
}

void PrintText(const SiteReport& report, bool verbose, std::FILE* out) {
  std::fprintf(out, "%s\n", SummaryLine(report).c_str());
  for (size_t p = 0; p < report.pages.size(); ++p) {
    const htmlmemdoc::SitePage& page = report.pages[p];
    if (page.outside) {
      std::fprintf(out,
                   "%s: outside: a link to a file outside the site, not "
                   "read\n",
                   htmlmemdoc::ShownName(page.path, ":").c_str());
      continue;
    }
    if (!page.file.Ok()) {
      htmlmemdoc::PageFile shown = page.file;
      shown.path = page.path;
      std::fprintf(out, "%s\n", ProblemLine(shown).c_str());
      continue;
    }
    std::string lines;
    for (size_t i = 0; i < page.references.size(); ++i) {
      const ReferenceKind kind = page.references[i].kind;
      if (verbose ||
          (kind != ReferenceKind::kOk && kind != ReferenceKind::kExternal))
        lines += ReferenceLine(report, p, i) + "\n";
    }
    if (report.fixRun && report.fixes[p].state == htmlmemdoc::PageFix::kRefused)
      lines += "  not written: " + report.fixes[p].refusal.why + "\n";
    if (!lines.empty())
      std::fprintf(out, "%s:\n%s",
                   htmlmemdoc::ShownName(page.path, ":").c_str(),
                   lines.c_str());
  }
  for (const std::string& file : report.unused)
    std::fprintf(out, "unused: %s\n", htmlmemdoc::ShownName(file, ":").c_str());
  for (const htmlmemdoc::SiteRename& rename : report.renames) {
    std::fprintf(out, "%s %s -> %s%s\n",
                 rename.done ? "renamed" : "not renamed", rename.from.c_str(),
                 rename.to.c_str(),
                 rename.refusal ? (": " + rename.refusal.why).c_str() : "");
  }
}

// Whether a report may go to `path`: a new file, one that is no regular
// file (a terminal, a pipe), or an earlier report, whose start holds
// `mark`; never a page or any other file of the site.
bool MayHoldReport(const std::string& path, const char* mark) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(htmlmemdoc::FsPath(path), error))
    return true;
  std::ifstream file(htmlmemdoc::FsPath(path), std::ios::binary);
  std::string start(1 << 16, '\0');
  file.read(&start[0], static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<size_t>(file.gcount()));
  if (start.find(mark) != std::string::npos) return true;
  std::fprintf(stderr,
               "htmlmemdoc: will not write the report over %s: it holds no "
               "site report\n",
               htmlmemdoc::ShownName(path, ":").c_str());
  return false;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "htmlmemdoc: cannot write %s\n",
               htmlmemdoc::ShownName(path, ":").c_str());
  return false;
}

}  // namespace

int RunSite(const SiteOptions& options) {
  // Checked before anything is read or fixed.
  const std::pair<const std::string&, const char*> reports[] = {
      {options.json, htmlmemdoc::kSiteReportJsonMark},
      {options.html, htmlmemdoc::kSiteReportMark},
      {options.sarif, htmlmemdoc::kSiteReportJsonMark},
      {options.junit, htmlmemdoc::kSiteReportXmlMark}};
  for (const auto& [path, mark] : reports)
    if (!path.empty() && !MayHoldReport(path, mark)) return kExitUsage;
  const htmlmemdoc::SiteTree tree(options.root);
  if (tree.Folders().empty()) {
    SayCannotRead(options.root, tree.UnreadableFolders().front().reason);
    return kExitUsage;
  }
  const SiteReport report = htmlmemdoc::RunSite(
      tree, options.fix ? &options.fixOptions : nullptr,
      [](size_t count, const std::function<void(size_t)>& job) {
        RunInParallel(count, job, [](size_t) {});
      });
  int code = htmlmemdoc::HasProblems(report) ? kExitPageFailed : kExitOk;
  for (const auto& folder : report.unreadableFolders) {
    SayCannotRead(folder.folder, folder.reason);
    code = kExitUsage;
  }
  const bool dryRun = options.fix && options.fixOptions.dryRun;
  if (dryRun) {
    for (const htmlmemdoc::PageFix& fix : report.fixes)
      std::fputs(fix.diff.c_str(), stdout);
  }
  PrintText(report, options.verbose, dryRun ? stderr : stdout);
  if (!options.json.empty() &&
      !WriteFile(
          options.json,
          htmlmemdoc::JsonText(htmlmemdoc::SiteReportJson(report), 2) + "\n")) {
    code = kExitUsage;
  }
  if (!options.sarif.empty() &&
      !WriteFile(options.sarif, htmlmemdoc::SiteReportSarif(report)))
    code = kExitUsage;
  if (!options.junit.empty() &&
      !WriteFile(options.junit, htmlmemdoc::SiteReportJunit(report)))
    code = kExitUsage;
  if (!options.html.empty()) {
    const size_t slash = options.html.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : options.html.substr(0, slash + 1);
    if (!WriteFile(options.html, htmlmemdoc::SiteReportHtml(report, folder)))
      code = kExitUsage;
  }
  return code;
}
