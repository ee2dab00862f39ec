// page_walk.h: the pages a command line names, with every folder below a
// folder named walked for .htm and .html files, and the folders that
// cannot be read named with their reason instead of ending the walk.

#ifndef HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_
#define HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_

#include <string>
#include <vector>

namespace htmlmemdoc {

struct PageWalk {
  std::vector<std::string> pages;  // in the order of the names, each
                                   // folder's pages sorted by path
  struct Unreadable {
    std::string folder;
    std::string reason;
  };
  std::vector<Unreadable> unreadable;  // folders the walk could not list
};

// A name that is a folder stands for the pages below it (a name ending in
// .htm or .html, any letter case, that is a regular file or a link to
// one); any other name stands for itself.
PageWalk WalkPages(const std::vector<std::string>& names);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_
