// preview_command.cpp: the rendered page goes to a temporary folder with a
// <base> element pointing at the page's folder (so images load as they
// would beside the page), Chromium writes the screenshot next to the
// output, and the picture is renamed into place when Chromium succeeded.

#include "tools/preview_command.h"

#include <fcntl.h>
#include <htmlmemdoc/htmlmemdoc.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/page_reader.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const int kChromiumSeconds = 60;

int Fail(int code, const std::string& what) {
  std::fprintf(stderr, "htmlmemdoc: %s\n", what.c_str());
  return code;
}

std::string FindChromium() {
  for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
      const size_t end = dirs.find(':', start);
      const std::string dir = dirs.substr(start, end - start);
      const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  return std::string();
}

// The rendered page with a <base> element, so that relative names resolve
// against the page's own folder.
std::string PageWithBase(const CHtmlMemDoc& document, const fs::path& page) {
  CString text;
  document.RenderToString(text, 0, nullptr);
  std::string html(text);
  const std::string base = "<base href=\"file://" +
                           fs::absolute(page).parent_path().string() + "/\">\n";
  const size_t head = html.find("<head>\n");
  html.insert(head == std::string::npos ? 0 : head + 7, base);
  return html;
}

// Runs Chromium on `html` and waits for it, at most kChromiumSeconds.
bool RunChromium(const std::string& chromium,
                 const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(chromium.c_str()));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, chromium.c_str(), &actions, nullptr,
                                  argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(kChromiumSeconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int RunPreview(const PreviewOptions& options) {
  CHtmlMemDoc document;
  htmlmemdoc::PageFile pageFile;
  const int read = ReadPageOrSay(options.page, pageFile, document);
  if (read != kExitOk) return read;
  const std::string chromium = FindChromium();
  if (chromium.empty()) {
    return Fail(kExitUsage,
                "preview needs Chromium, which is not installed (on Debian: "
                "apt-get install chromium)");
  }
  std::string pattern =
      (fs::temp_directory_path() / "htmlmemdoc-preview-XXXXXX").string();
  if (mkdtemp(&pattern[0]) == nullptr) {
    return Fail(kExitUsage, std::string("cannot make a temporary folder: ") +
                                std::strerror(errno));
  }
  const fs::path work(pattern);
  const fs::path html = work / "page.htm";
  std::ofstream(html, std::ios::binary) << PageWithBase(document, options.page);
  const std::string picture = options.output + ".part.png";
  const bool ok = RunChromium(
      chromium,
      {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
       "--no-first-run", "--disable-background-networking",
       "--disable-component-update", "--disable-sync", "--hide-scrollbars",
       "--user-data-dir=" + (work / "profile").string(),
       "--window-size=" + std::to_string(options.width) + "," +
           std::to_string(options.height),
       "--screenshot=" + fs::absolute(picture).string(),
       "file://" + html.string()});
  std::error_code ignored;
  fs::remove_all(work, ignored);
  struct stat info;
  if (!ok || stat(picture.c_str(), &info) != 0 || info.st_size == 0) {
    std::remove(picture.c_str());
    return Fail(kExitUsage, "Chromium could not take the picture of " +
                                options.page + " into " + options.output);
  }
  if (std::rename(picture.c_str(), options.output.c_str()) != 0) {
    std::remove(picture.c_str());
    return Fail(kExitUsage,
                "cannot write " + options.output + ": " + std::strerror(errno));
  }
  return kExitOk;
}
