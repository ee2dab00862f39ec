// page_walk.cpp: a folder named is listed the way the site command lists
// its site, so every front end sees the same pages below a folder.

#include "htmlmemdoc/pages/site/page_walk.h"

#include <filesystem>
#include <system_error>

#include "htmlmemdoc/pages/site/site_scan.h"
#include "htmlmemdoc/platform/file_system.h"

namespace htmlmemdoc {

PageWalk WalkPages(const std::vector<std::string>& names) {
  PageWalk walk;
  for (const std::string& name : names) {
    std::error_code error;
    if (!std::filesystem::is_directory(FsPath(name), error)) {
      walk.pages.push_back(name);
      continue;
    }
    const SiteTree tree(name);
    for (const std::string& page : SitePages(tree))
      walk.pages.push_back(JoinedPath(tree.Root(), page));
    walk.unreadable.insert(walk.unreadable.end(),
                           tree.UnreadableFolders().begin(),
                           tree.UnreadableFolders().end());
  }
  return walk;
}

}  // namespace htmlmemdoc
