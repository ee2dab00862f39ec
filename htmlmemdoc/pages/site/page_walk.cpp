// page_walk.cpp: each folder is listed on its own, so a folder that cannot
// be listed costs only itself: it is noted and the walk goes on with the
// folders beside it.

#include "htmlmemdoc/pages/site/page_walk.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "htmlmemdoc/platform/file_system.h"

namespace fs = std::filesystem;

namespace htmlmemdoc {
namespace {

bool IsPageName(const fs::path& path) {
  std::string extension = PathText(path.extension());
  for (char& c : extension) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return extension == ".htm" || extension == ".html";
}

// Adds the pages of `top` and of the folders below it to `pages`, with a
// stack of folders to list rather than recursion, however deep they go,
// and without following links to folders, so a loop of links cannot hold
// the walk.
void WalkFolder(const fs::path& top, std::vector<std::string>& pages,
                PageWalk& walk) {
  std::vector<fs::path> folders{top};
  while (!folders.empty()) {
    const fs::path folder = folders.back();
    folders.pop_back();
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (fs::directory_iterator end; !error && entries != end;
         entries.increment(error)) {
      const fs::directory_entry& entry = *entries;
      std::error_code kind;
      if (entry.is_directory(kind) && !entry.is_symlink(kind)) {
        folders.push_back(entry.path());
      } else if (IsPageName(entry.path()) && entry.is_regular_file(kind)) {
        pages.push_back(PathText(entry.path()));
      }
    }
    if (error) walk.unreadable.push_back({PathText(folder), error.message()});
  }
}

}  // namespace

PageWalk WalkPages(const std::vector<std::string>& names) {
  PageWalk walk;
  for (const std::string& name : names) {
    std::error_code error;
    if (!fs::is_directory(FsPath(name), error)) {
      walk.pages.push_back(name);
      continue;
    }
    std::vector<std::string> found;
    const size_t unreadable = walk.unreadable.size();
    WalkFolder(FsPath(name), found, walk);
    std::sort(walk.unreadable.begin() + static_cast<long>(unreadable),
              walk.unreadable.end(),
              [](const PageWalk::Unreadable& a, const PageWalk::Unreadable& b) {
                return a.folder < b.folder;
              });
    std::sort(found.begin(), found.end());
    walk.pages.insert(walk.pages.end(), found.begin(), found.end());
  }
  return walk;
}

}  // namespace htmlmemdoc
