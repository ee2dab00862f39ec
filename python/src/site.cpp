// site.cpp: a site is run through the services layer's RunSite and
// RunExport, exactly as the tool runs it, on all cores with the interpreter
// lock released.

#include "site.h"

#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <string>

#include "code_page.h"
#include "convert.h"
#include "htmlmemdoc/pages/export/export_site.h"
#include "htmlmemdoc/pages/report/export_report.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/report/site_report.h"
#include "htmlmemdoc/pages/site/site_run.h"

namespace py = pybind11;
using namespace htmlmemdoc_py;  // NOLINT: the binding's own helpers

namespace {

// The tree below `folder` (names starting with "." too when `hidden`),
// listed with the interpreter lock released; OSError when the folder
// itself cannot be read.
std::unique_ptr<htmlmemdoc::SiteTree> ListSite(const std::string& folder,
                                               bool hidden) {
  std::unique_ptr<htmlmemdoc::SiteTree> tree;
  {
    py::gil_scoped_release released;
    tree = std::make_unique<htmlmemdoc::SiteTree>(folder, hidden);
  }
  if (tree->Folders().empty())
    RaiseOSError(0,
                 "cannot read " + folder + ": " +
                     tree->UnreadableFolders().front().reason,
                 folder);
  return tree;
}

// The site report of the site at `root` (fixed when `fix`), its pages read
// in `codePage`, as JSON text.
std::string SiteJson(const py::object& root, bool fix, bool encode, bool dryRun,
                     unsigned jobs, const py::object& codePage) {
  const CodePageHold hold(CodePageOf(codePage));
  const std::unique_ptr<htmlmemdoc::SiteTree> tree =
      ListSite(PathOf(root), true);
  htmlmemdoc::SiteFixOptions options;
  options.encode = encode;
  options.dryRun = dryRun;
  py::gil_scoped_release released;
  return htmlmemdoc::JsonText(
      htmlmemdoc::SiteReportJson(htmlmemdoc::RunSite(
          *tree, fix ? &options : nullptr, htmlmemdoc::ThreadsFor(jobs))),
      -1);
}

// The export of the site at `root` into `out`, as its report's JSON text.
std::string ExportSite(const py::object& root, const py::object& out,
                       bool convert, const std::string& audio, bool flash,
                       const std::optional<std::string>& ruffle,
                       unsigned jobs) {
  htmlmemdoc::ExportOptions options = htmlmemdoc::MachineExportOptions();
  options.out = PathOf(out);
  options.convert = convert;
  if (audio != "opus" && audio != "mp3")
    throw py::value_error("audio_format must be 'opus' or 'mp3', not '" +
                          audio + "'");
  options.audio = audio == "mp3" ? htmlmemdoc::AudioFormat::kMp3
                                 : htmlmemdoc::AudioFormat::kOpus;
  options.flash = flash;
  if (ruffle) options.ruffle = htmlmemdoc::FindFlashPlayer(*ruffle);
  const CodePageHold hold(HTMLMEMDOC_CP_UTF8);
  const std::unique_ptr<htmlmemdoc::SiteTree> tree =
      ListSite(PathOf(root), false);
  py::gil_scoped_release released;
  return htmlmemdoc::JsonText(
      htmlmemdoc::ExportReportJson(
          htmlmemdoc::RunExport(*tree, options, htmlmemdoc::ThreadsFor(jobs))),
      -1);
}

}  // namespace

void BindSite(py::module_& m) {
  m.def("_site", &SiteJson, py::arg("root"), py::arg("fix"), py::arg("encode"),
        py::arg("dry_run"), py::arg("jobs"), py::arg("code_page"));
  m.def("_export", &ExportSite, py::arg("root"), py::arg("out"),
        py::arg("convert"), py::arg("audio"), py::arg("flash"),
        py::arg("ruffle"), py::arg("jobs"));
}
