// preview_command.cpp: the rendered page goes to a temporary folder with a
// <base> element pointing at the page's folder (so images load as they
// would beside the page), Chromium writes the screenshot next to the
// output, and the picture is renamed into place when Chromium succeeded.

#include "tools/preview_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/export/run_program.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "tools/page_reader.h"

namespace fs = std::filesystem;

namespace {

const int kChromiumSeconds = 60;

int Fail(int code, const std::string& what) {
  std::fprintf(stderr, "htmlmemdoc: %s\n", what.c_str());
  return code;
}

// The file: URL of `path` ("file:///tmp/x", "file:///C:/x").
std::string FileUrl(const fs::path& path) {
  const std::string name = htmlmemdoc::PathText(fs::absolute(path));
  return "file://" + std::string(name[0] == '/' ? "" : "/") + name;
}

// The rendered page with a <base> element, so that relative names resolve
// against the page's own folder.
std::string PageWithBase(const CHtmlMemDoc& document, const std::string& page) {
  CString text;
  document.RenderToString(text, 0, nullptr);
  return htmlmemdoc::WithBase(
      std::string(text),
      FileUrl(fs::absolute(htmlmemdoc::FsPath(page)).parent_path()) + "/");
}

// A new folder of our own in the system's temporary folder.
bool MakeWorkFolder(fs::path& folder, std::error_code& error) {
  std::random_device random;
  for (int tries = 0; tries < 10; ++tries) {
    folder = fs::temp_directory_path(error) /
             ("htmlmemdoc-preview-" + std::to_string(random()));
    if (error) return false;
    if (fs::create_directory(folder, error)) return true;
    if (error) return false;
  }
  return false;
}

}  // namespace

int RunPreview(const PreviewOptions& options) {
  CHtmlMemDoc document;
  htmlmemdoc::PageFile pageFile;
  const int read = ReadPageOrSay(options.page, pageFile, document);
  if (read != kExitOk) return read;
  const std::string chromium = htmlmemdoc::FindProgram(
      {"chromium", "chromium-browser", "google-chrome", "chrome"});
  if (chromium.empty()) {
    return Fail(kExitUsage,
                "preview needs Chromium, which is not installed (on Debian: "
                "apt-get install chromium)");
  }
  fs::path work;
  std::error_code error;
  if (!MakeWorkFolder(work, error)) {
    return Fail(kExitUsage,
                "cannot make a temporary folder: " + error.message());
  }
  const fs::path html = work / "page.htm";
  std::ofstream(html, std::ios::binary) << PageWithBase(document, options.page);
  const fs::path picture = htmlmemdoc::FsPath(options.output + ".part.png");
  const bool ok =
      htmlmemdoc::RunProgram(
          chromium,
          {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
           "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--hide-scrollbars",
           "--user-data-dir=" + htmlmemdoc::PathText(work / "profile"),
           "--window-size=" + std::to_string(options.width) + "," +
               std::to_string(options.height),
           "--screenshot=" + htmlmemdoc::PathText(fs::absolute(picture)),
           FileUrl(html)},
          kChromiumSeconds)
          .ok;
  fs::remove_all(work, error);
  if (!ok || fs::file_size(picture, error) == 0 || error) {
    fs::remove(picture, error);
    return Fail(kExitUsage, "Chromium could not take the picture of " +
                                options.page + " into " + options.output);
  }
  fs::rename(picture, htmlmemdoc::FsPath(options.output), error);
  if (error) {
    const std::string why = error.message();
    fs::remove(picture, error);
    return Fail(kExitUsage, "cannot write " + options.output + ": " + why);
  }
  return kExitOk;
}
