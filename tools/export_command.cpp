// export_command.cpp: finds the converters and the Flash player, runs the
// export on all cores (or --jobs), then reports.

#include "tools/export_command.h"

#include <cstdio>
#include <string>

#include "htmlmemdoc/pages/export/export_folder.h"
#include "htmlmemdoc/pages/report/export_report.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "tools/batch.h"
#include "tools/page_reader.h"

namespace {

bool WriteReport(const std::string& path, const std::string& text) {
  bool written = false;
  const size_t slash = path.find_last_of('/');
  const htmlmemdoc::ExportFolder folder(
      slash == std::string::npos ? "." : path.substr(0, slash));
  const htmlmemdoc::Refusal refused =
      folder.Write(slash == std::string::npos ? path : path.substr(slash + 1),
                   text, written);
  if (refused) std::fprintf(stderr, "htmlmemdoc: %s\n", refused.why.c_str());
  return !refused;
}

}  // namespace

int RunExport(const ExportCommandOptions& options) {
  const htmlmemdoc::SiteTree tree(options.root, false);
  // A site whose root cannot be listed is no site: nothing is made.
  for (const auto& folder : tree.UnreadableFolders()) {
    if (tree.Folders().empty() || folder.path == ".") {
      SayCannotRead(options.root, folder.reason);
      return kExitUsage;
    }
  }
  htmlmemdoc::ExportOptions exportOptions = htmlmemdoc::MachineExportOptions();
  exportOptions.out = options.out;
  exportOptions.convert = options.media == "convert";
  exportOptions.audio = options.audio == "mp3" ? htmlmemdoc::AudioFormat::kMp3
                                               : htmlmemdoc::AudioFormat::kOpus;
  exportOptions.flash = !options.noFlash;
  const htmlmemdoc::ExportReport report = htmlmemdoc::RunExport(
      tree, exportOptions,
      [&](size_t count, const std::function<void(size_t)>& job) {
        RunInParallel(
            count, job, [](size_t) {}, options.jobs, "files");
      });
  const std::string text = htmlmemdoc::ExportReportText(report);
  std::fputs(text.c_str(), report.refusal ? stderr : stdout);
  if (report.refusal) return kExitUsage;
  int code = htmlmemdoc::ExportHasProblems(report) ? kExitPageFailed : kExitOk;
  for (const auto& folder : report.unreadableFolders) {
    SayCannotRead(folder.folder, folder.reason);
    code = kExitUsage;
  }
  if (!options.json.empty() &&
      !WriteReport(
          options.json,
          htmlmemdoc::JsonText(htmlmemdoc::ExportReportJson(report), 2) + "\n"))
    code = kExitUsage;
  if (!options.html.empty() &&
      !WriteReport(options.html, htmlmemdoc::ExportReportHtml(report)))
    code = kExitUsage;
  return code;
}
