// check_command.cpp: reads every page on all cores and reports each after
// its name, in the order of the arguments, then a summary.

#include "tools/check_command.h"

#include <cstdio>
#include <utility>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/site/page_walk.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "tools/batch.h"
#include "tools/page_reader.h"

using htmlmemdoc::PageFile;
using htmlmemdoc::PageLoss;
using nlohmann::json;

namespace {

struct Outcome {
  PageFile page;
  std::vector<PageLoss> losses;
};

struct Tally {
  size_t read = 0, refused = 0, unreadable = 0, warnings = 0;
  int exitCode = kExitOk;

  void Count(const Outcome& outcome) {
    const int code = ExitCodeOf(outcome.page.problem);
    read += code == kExitOk;
    refused += code == kExitPageFailed;
    unreadable += code == kExitUsage;
    warnings += htmlmemdoc::CountLosses(outcome.losses);
    Raise(code);
  }
  void Raise(int code) {
    if (code == kExitUsage ||
        (code == kExitPageFailed && exitCode == kExitOk)) {
      exitCode = code;
    }
  }
  std::string Line() const {
    std::string line = std::to_string(read + refused + unreadable) +
                       " pages: " + std::to_string(read) + " read, " +
                       std::to_string(refused) + " refused, " +
                       std::to_string(warnings) + " warnings";
    if (unreadable > 0)
      line += ", " + std::to_string(unreadable) + " unreadable";
    return line;
  }
};

void Check(const std::string& path, Outcome& outcome) {
  outcome.page = ReadPageArgument(path);
  outcome.losses = htmlmemdoc::CheckPageFile(outcome.page);
}

void PrintText(const Outcome& outcome) {
  const PageFile& page = outcome.page;
  const int code = ExitCodeOf(page.problem);
  if (code == kExitUsage) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", ProblemLine(page).c_str());
    return;
  }
  if (code == kExitPageFailed) {
    std::printf("%s\n", ProblemLine(page).c_str());
    return;
  }
  std::printf("%s: ok\n", htmlmemdoc::ShownName(page.path, ":").c_str());
  for (const PageLoss& loss : outcome.losses) {
    std::printf("  warning: %s\n", htmlmemdoc::DescribeLoss(loss).c_str());
  }
}

json Describe(const Outcome& outcome) {
  const PageFile& page = outcome.page;
  json entry = {{"page", page.path}, {"ok", page.Ok()}};
  if (!page.Ok()) {
    const htmlmemdoc::PageProblem& problem = page.problem;
    entry["problem"] = htmlmemdoc::ProblemJson(problem);
    entry["unreadable"] = problem.kind == htmlmemdoc::PageProblem::kUnreadable;
  }
  entry["warnings"] = htmlmemdoc::LossesJson(outcome.losses);
  return entry;
}

}  // namespace

int RunCheck(const std::vector<std::string>& arguments, bool asJson) {
  const htmlmemdoc::PageWalk walk = htmlmemdoc::WalkPages(arguments);
  Tally tally;
  for (const auto& folder : walk.unreadable) {
    SayCannotRead(folder.folder, folder.reason);
    tally.Raise(kExitUsage);
  }
  if (walk.pages.empty()) {
    std::fprintf(stderr, "htmlmemdoc: no .htm or .html pages found\n");
    return kExitUsage;
  }
  std::vector<Outcome> outcomes(walk.pages.size());
  json pages = json::array();
  RunInParallel(
      walk.pages.size(), [&](size_t i) { Check(walk.pages[i], outcomes[i]); },
      [&](size_t i) {
        tally.Count(outcomes[i]);
        if (asJson) {
          pages.push_back(Describe(outcomes[i]));
        } else {
          PrintText(outcomes[i]);
        }
        std::fflush(stdout);
      });
  if (asJson) {
    json folders = json::array();
    for (const auto& folder : walk.unreadable) {
      folders.push_back({{"folder", folder.folder}, {"reason", folder.reason}});
    }
    const json report = {{"pages", pages},
                         {"unreadableFolders", folders},
                         {"summary",
                          {{"read", tally.read},
                           {"refused", tally.refused},
                           {"unreadable", tally.unreadable},
                           {"warnings", tally.warnings}}}};
    std::printf("%s\n", htmlmemdoc::JsonText(report, 2).c_str());
  } else {
    std::printf("%s\n", tally.Line().c_str());
  }
  return tally.exitCode;
}
