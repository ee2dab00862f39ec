#include "htmlmemdoc/pages/site/site_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "htmlmemdoc/pages/site/site_scan.h"

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32  // wine makes no links; Windows folds letter case
// Pages below a link nearer the root keep their real folder; links out of
// the root lead outside; a link back up is no folder of its own; names
// that differ only in case are told apart.
TEST(SiteTreeTest, ResolvesFromRealFolders) {
  const fs::path base =
      fs::path(::testing::TempDir()) /
      ("htmlmemdoc_tree_" + std::to_string(std::random_device{}()));
  const fs::path root = base / "site";
  fs::remove_all(base);
  for (const char* folder : {"sub/deep", "Images", "images", "pics"})
    fs::create_directories(root / folder);
  for (const char* file :
       {"sub/pic.gif", "sub/deep/p.htm", "images/b.gif", "images/c.gif",
        "Images/c.gif", "Pics", "pics/x.gif", "../away.htm"}) {
    std::ofstream(root / file) << "x";
  }
  fs::create_directory_symlink("sub/deep", root / "shortcut");
  fs::create_symlink("../away.htm", root / "away.htm");
  fs::create_symlink("sub/deep/p.htm", root / "alias.htm");
  fs::create_directory_symlink("/", root / "out");
  fs::create_directory_symlink("../..", root / "sub/deep/loop");
  const htmlmemdoc::SiteTree tree(root.string());
  using htmlmemdoc::SiteTree;
  struct Case {
    const char* from;
    const char* path;
    SiteTree::Found found;
    const char* onDisk;
  } kCases[] = {
      {"sub/deep", "../pic.gif", SiteTree::kExact, "../pic.gif"},
      {"", "shortcut/p.htm", SiteTree::kExact, "shortcut/p.htm"},
      {"", "shortcut/../sub/pic.gif", SiteTree::kExact,
       "shortcut/../sub/pic.gif"},
      {"", "IMAGES/b.gif", SiteTree::kOtherCase, "images/b.gif"},
      {"", "Images/b.gif", SiteTree::kOtherCase, "images/b.gif"},
      {"", "Images/c.gif", SiteTree::kExact, "Images/c.gif"},
      {"", "IMAGES/C.gif", SiteTree::kAmbiguous, ""},
      {"", "PICS/x.gif", SiteTree::kOtherCase, "pics/x.gif"},  // not the file
      {"sub", "DEEP/../../pics\\X.gif", SiteTree::kOtherCase,
       "DEEP/../../pics\\x.gif"},
      {"", "away.htm", SiteTree::kLeaves, ""},
      {"", "out/etc", SiteTree::kLeaves, ""},
      {"sub", "../../x.gif", SiteTree::kLeaves, ""},
  };
  for (const Case& c : kCases) {
    const SiteTree::Resolution found = tree.Resolve(c.from, c.path);
    EXPECT_EQ(c.found, found.found) << c.path;
    EXPECT_EQ(c.onDisk, found.onDisk) << c.path;
  }
  std::vector<std::string> folders;
  for (const SiteTree::Folder& folder : tree.Folders())
    folders.push_back(folder.path);
  EXPECT_EQ(1, std::count(folders.begin(), folders.end(), "sub/deep"));
  EXPECT_EQ(0, std::count(folders.begin(), folders.end(), "shortcut"));
  EXPECT_EQ(6u, folders.size());  // none through the loop
  // The link to a page inside stands for it; the one leaving is listed to
  // be told outside, and never read.
  EXPECT_EQ(std::vector<std::string>({"away.htm", "sub/deep/p.htm"}),
            htmlmemdoc::SitePages(tree));
  EXPECT_TRUE(htmlmemdoc::ScanPage(tree, "away.htm").outside);
  fs::remove_all(base);
}
#endif

}  // namespace
