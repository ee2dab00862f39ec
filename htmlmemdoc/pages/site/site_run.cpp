// site_run.cpp: the scan reads every page once, in parallel; a report
// written into the site before is no page of it. The fix looks each
// renamed file up in a map.

#include "htmlmemdoc/pages/site/site_run.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <utility>

namespace htmlmemdoc {
namespace {

// The pages that are site reports written below the site, and their
// fixes, taken out: they are no pages of it.
void DropReports(SiteReport& report) {
  size_t kept = 0;
  for (size_t i = 0; i < report.pages.size(); ++i) {
    if (report.pages[i].report) continue;
    if (kept != i) {  // a move onto itself would empty it
      report.pages[kept] = std::move(report.pages[i]);
      if (report.fixRun) report.fixes[kept] = std::move(report.fixes[i]);
    }
    ++kept;
  }
  report.pages.resize(kept);
  if (report.fixRun) report.fixes.resize(kept);
}

// Reads every page once. A page a fix changes keeps what was read; without
// renames it is fixed at once, so that a worker holds one page at a time.
void Scan(const SiteTree& tree, const ParallelFor& parallelFor,
          SiteReport& report) {
  const std::vector<std::string> paths = SitePages(tree);
  report.pages.resize(paths.size());
  KeepRead keep;
  if (report.fixRun) {
    report.fixes.resize(paths.size());
    keep = [encode = report.fixOptions.encode](const CheckedReference& c) {
      return !FixTarget(c, encode).empty();
    };
  }
  const bool fixAtOnce = report.fixRun && !report.fixOptions.encode;
  const RenameCheck noRenames = [](SiteTree::FileId) {
    return static_cast<const SiteRename*>(nullptr);
  };
  parallelFor(paths.size(), [&](size_t i) {
    report.pages[i] = ScanPage(tree, paths[i], keep);
    if (fixAtOnce)
      report.fixes[i] =
          FixPage(tree, report.pages[i], report.fixOptions, noRenames);
  });
  DropReports(report);
  report.unused = UnusedFiles(tree, report.pages);
}

// With renames: the new names linked, then every page written, then the
// old names removed, so that every name a page holds works at every moment.
void FixWithRenames(const SiteTree& tree, const ParallelFor& parallelFor,
                    SiteReport& report) {
  const SiteFixOptions& options = report.fixOptions;
  report.renames = PlanRenames(tree, report.pages);
  if (!options.dryRun) LinkNewNames(tree, report.renames);
  std::map<std::pair<int, int>, const SiteRename*> renamed;
  for (const SiteRename& rename : report.renames)
    renamed.emplace(std::make_pair(rename.file.folder, rename.file.entry),
                    &rename);
  const RenameCheck renames = [&renamed](SiteTree::FileId file) {
    const auto at = renamed.find({file.folder, file.entry});
    return at != renamed.end() ? at->second : nullptr;
  };
  parallelFor(report.pages.size(), [&](size_t i) {
    report.fixes[i] = FixPage(tree, report.pages[i], options, renames);
  });
  if (!options.dryRun)
    RemoveOldNames(tree, report.pages, report.fixes, report.renames);
}

// The entry of `entries` (in order of reference index) for reference
// `index`, or null: one binary search, as reports ask for every reference.
const std::string* EntryFor(
    const std::vector<std::pair<size_t, std::string>>& entries, size_t index) {
  const auto at = std::lower_bound(entries.begin(), entries.end(), index,
                                   [](const std::pair<size_t, std::string>& e,
                                      size_t i) { return e.first < i; });
  return at != entries.end() && at->first == index ? &at->second : nullptr;
}

}  // namespace

SiteReport RunSite(const SiteTree& tree, const SiteFixOptions* fix,
                   const ParallelFor& parallelFor) {
  SiteReport report;
  report.root = tree.Root();
  report.unreadableFolders = tree.UnreadableFolders();
  if (fix != nullptr) {
    report.fixRun = true;
    report.fixOptions = *fix;
  }
  Scan(tree, parallelFor, report);
  if (report.fixRun && report.fixOptions.encode)
    FixWithRenames(tree, parallelFor, report);
  return report;
}

bool IsProblemKind(ReferenceKind kind) {
  return kind == ReferenceKind::kCase || kind == ReferenceKind::kMissing ||
         kind == ReferenceKind::kOutside || kind == ReferenceKind::kUnsafe ||
         kind == ReferenceKind::kAmbiguous;
}

SiteCounts CountSite(const SiteReport& report) {
  SiteCounts counts;
  for (size_t p = 0; p < report.pages.size(); ++p) {
    const SitePage& page = report.pages[p];
    counts.unreadablePages += !page.outside && !page.file.Ok();
    for (const CheckedReference& checked : page.references) {
      ++counts.kinds[static_cast<size_t>(checked.kind)];
      ++counts.references;
    }
    if (!report.fixRun) continue;
    const PageFix& fix = report.fixes[p];
    counts.fixedPages += fix.state == PageFix::kFixed;
    counts.refusedPages += fix.state == PageFix::kRefused;
    if (fix.state == PageFix::kFixed)
      counts.fixedReferences += fix.changes.size();
    counts.leftAlone += fix.leftAlone.size();
  }
  for (const SiteRename& rename : report.renames) counts.renamed += rename.done;
  return counts;
}

std::string FixedTo(const SiteReport& report, size_t page, size_t index) {
  if (!report.fixRun || report.fixes[page].state != PageFix::kFixed) return "";
  const std::string* value = EntryFor(report.fixes[page].changes, index);
  return value != nullptr ? *value : "";
}

std::string LeftAlone(const SiteReport& report, size_t page, size_t index) {
  if (!report.fixRun) return "";
  const PageFix& fix = report.fixes[page];
  if (const std::string* why = EntryFor(fix.leftAlone, index)) return *why;
  if (fix.state != PageFix::kRefused || EntryFor(fix.changes, index) == nullptr)
    return "";
  return "its page was not written: " + fix.refusal.why;
}

bool HasProblems(const SiteReport& report) {
  if (!report.unused.empty() || !report.unreadableFolders.empty()) return true;
  for (size_t p = 0; p < report.pages.size(); ++p) {
    const SitePage& page = report.pages[p];
    if (page.outside || !page.file.Ok()) return true;
    for (size_t i = 0; i < page.references.size(); ++i) {
      if (!IsProblemKind(page.references[i].kind)) continue;
      if (report.fixOptions.dryRun || FixedTo(report, p, i).empty())
        return true;
    }
  }
  for (const SiteRename& rename : report.renames)
    if (rename.refusal) return true;
  return false;
}

std::string DescribeReference(const SiteReport& report, size_t page,
                              size_t index) {
  const CheckedReference& checked = report.pages[page].references[index];
  std::string text = std::string(KindName(checked.kind)) + ": " +
                     checked.reference.value + " (" + checked.reference.element;
  if (!checked.reference.id.empty()) text += " " + checked.reference.id;
  text += ")";
  if (checked.kind == ReferenceKind::kCase)
    text += " on disk: " + checked.onDisk;
  const std::string fixed = FixedTo(report, page, index);
  if (!fixed.empty()) text += "; fixed to " + fixed;
  const std::string why = LeftAlone(report, page, index);
  if (!why.empty()) text += "; left alone: " + why;
  return text;
}

ParallelFor ThreadsFor(unsigned threads) {
  return [threads](size_t count, const std::function<void(size_t)>& job) {
    std::atomic<size_t> next{0};
    const size_t workers = std::min<size_t>(
        count, threads > 0 ? threads
                           : std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (size_t t = 0; t < workers; ++t)
      pool.emplace_back([&] {
        for (size_t i = next++; i < count; i = next++) job(i);
      });
    for (std::thread& thread : pool) thread.join();
  };
}

}  // namespace htmlmemdoc
