#include "htmlmemdoc/pages/site/site_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// How each reference written in a page in folder Sub is sorted, and what
// names on disk a reference in another case gets.
TEST(SiteScanTest, SortsReferences) {
  const fs::path root =
      fs::path(::testing::TempDir()) /
      ("htmlmemdoc_site_" + std::to_string(std::random_device{}()));
  fs::remove_all(root);
  fs::create_directories(root / "Sub" / "Deep");
  fs::create_directories(root / "Pics");
  for (const char* file : {"Pics/A.gif", "Pics/b c.gif", "Pics/d e.gif",
                           "Pics/f&g.gif", "Sub/Deep/x.gif", "top.htm"}) {
    std::ofstream(root / file) << "x";
  }
#ifndef _WIN32  // one name on Windows; wine makes no links
  std::ofstream(root / "Pics/a.GIF") << "x";
  fs::create_directory_symlink("..", root / "Sub" / "up");
  fs::create_directory_symlink("/", root / "Sub" / "out");
#endif
  const htmlmemdoc::SiteTree tree(root.string());
  struct Case {
    const char* value;
    const char* kind;
    const char* onDisk;
  } kCases[] = {
      {"Deep/x.gif", "ok", ""},
      {"deep\\X.GIF", "case", "Deep\\x.gif"},
      {"./Deep/../Deep/x.gif?v=2#top", "ok", ""},
#ifndef _WIN32
      {"../PICS/a.gif", "ambiguous", ""},  // A.gif and a.GIF: which?
#else
      {"../PICS/a.gif", "case", "../Pics/A.gif"},  // A.gif alone
#endif
      {"../Pics/b c.gif", "unsafe", ""},
      {"../Pics/b%20c.gif?x=1", "ok", ""},  // escapes decoded, query left
      {"../pics/d%20e.gif", "case", "../Pics/d%20e.gif"},
      {"../pics/b c.gif", "case", "../Pics/b c.gif"},
      {"../Pics/f&#x26;g.gif", "unsafe", ""},  // references decoded
      {"../pics/f&amp;g.gif", "case", "../Pics/f&g.gif"},
      {"../Pics/f&#38g.gif", "unsafe", ""},  // a browser needs no ";"
      {"../Pics/f&ampg.gif", "missing", ""},  // but after a name it does
      {"../Pics/f&AMP;g.gif", "unsafe", ""},
      {"../Pics/f&amp", "missing", ""},
      {"../../top.htm", "outside", ""},
#ifndef _WIN32
      {"../Pics/a.GIF", "ok", ""},
      {"up/top.htm", "ok", ""},
      {"up/sub/up/Top.htm#x", "case", "up/Sub/up/top.htm#x"},
      {"out/etc", "outside", ""},
#endif
      {"/top.htm", "outside", ""},
      {"C:\\site\\top.htm", "outside", ""},
      {"file:///top.htm", "outside", ""},
      {"http://example.com/a.gif", "external", ""},
      {"javascript:go()", "external", ""},
      {"//example.com/a.gif", "external", ""},
      {"#top", "external", ""},
      {"Deep/none.gif", "missing", ""},
      {"Deep/x.gif/y", "missing", ""},
      {"Deep/", "ok", ""},
      {"  ", "missing", ""},
  };
  for (const Case& c : kCases) {
    htmlmemdoc::PageReference reference;
    reference.value = c.value;
    const htmlmemdoc::CheckedReference checked =
        htmlmemdoc::CheckReference(tree, "Sub", reference);
    EXPECT_STREQ(c.kind, htmlmemdoc::KindName(checked.kind)) << c.value;
    EXPECT_EQ(c.onDisk, checked.onDisk) << c.value;
  }
  EXPECT_EQ(std::vector<std::string>({"top.htm"}), htmlmemdoc::SitePages(tree));
  fs::remove_all(root);
}

}  // namespace
