// page_walk.h: the pages a command line names, with every folder named
// listed as a site tree (see site_tree.h) for its .htm and .html files, and
// the folders that cannot be read named with their reason instead of
// ending the walk.

#ifndef HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_
#define HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_

#include <string>
#include <vector>

#include "htmlmemdoc/pages/site/site_tree.h"

namespace htmlmemdoc {

struct PageWalk {
  std::vector<std::string> pages;  // in the order of the names, each
                                   // folder's pages sorted by path
  std::vector<SiteTree::Unreadable> unreadable;  // folders not listed
};

// A name that is a folder stands for the pages below it (see SitePages),
// named by the folder's name and their path from it; any other name
// stands for itself.
PageWalk WalkPages(const std::vector<std::string>& names);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_PAGE_WALK_H_
