#include "htmlmemdoc/pages/site/site_fix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/site/site_run.h"

namespace {

namespace fs = std::filesystem;
using htmlmemdoc::PageFix;

// A fresh site in a temporary folder holding `files` (path, bytes).
fs::path MakeSite(
    const std::vector<std::pair<std::string, std::string>>& files) {
  const fs::path root =
      fs::path(::testing::TempDir()) /
      ("htmlmemdoc_fix_" + std::to_string(std::random_device{}()));
  fs::remove_all(root);
  for (const auto& [path, bytes] : files) {
    fs::create_directories((root / path).parent_path());
    std::ofstream(root / path, std::ios::binary) << bytes;
  }
  return root;
}

std::string Bytes(const fs::path& path) {
  std::string bytes;
  htmlmemdoc::ReadFileBytes(path.string(), bytes);
  return bytes;
}

// Fixes the site at `root` as the site run does, a page at a time, calling
// `writing(true)` just before the pages are written and `writing(false)`
// just after.
htmlmemdoc::SiteReport FixSite(
    const fs::path& root, bool encode,
    const std::function<void(bool)>& writing = [](bool) {}) {
  const htmlmemdoc::SiteTree tree(root.string());
  int runs = 0;
  const htmlmemdoc::ParallelFor oneByOne =
      [&](size_t count, const std::function<void(size_t)>& job) {
        if (++runs == 2) writing(true);
        for (size_t i = 0; i < count; ++i) job(i);
        if (runs == 2) writing(false);
      };
  htmlmemdoc::SiteFixOptions options;
  options.encode = encode;
  return htmlmemdoc::RunSite(tree, &options, oneByOne);
}

// A fix replaces the wrong values and keeps every other byte: line ends,
// blank lines, comments, layout.
TEST(SiteFixTest, ChangesOnlyTheValues) {
  const std::string style =
      "<html><head><style>\n.x { background: url(%s) }\n</style></head><body>\n"
      "<div id=\"A\"><a href=\"#\" onMouseOver=\"MM_swapImage('A','','%s',1)\">"
      "<img src=\"Pics/A.gif\"></a></div>\n</body></html>\n";
  auto with = [](std::string text, const char* name) {
    for (size_t at; (at = text.find("%s")) != std::string::npos;)
      text.replace(at, 2, name);
    return text;
  };
  const std::string kPages[] = {
      "<html>\n<body>\n\n<div id=A><img  src=\"%s\"></div>\n<!-- c -->\n"
      "</body></html>\n",
      "<html>\r\n<body>\r\n\r\n<div id=A>\r\n<img src=\"%s\"></div>\r\n"
      "<!-- c -->\r\n</body></html>",
      style,
      "<html><head></head>\n<frameset cols=\"50%,*\">\n <frame src=\"%s\">\n"
      " <frame src=\"%s\">\n</frameset>\n</html>\n",
  };
  for (const std::string& page : kPages) {
    const fs::path root =
        MakeSite({{"Pics/A.gif", "x"}, {"p.htm", with(page, "pics/a.gif")}});
    const PageFix fix = FixSite(root, false).fixes.at(0);
    EXPECT_EQ(PageFix::kFixed, fix.state) << page << fix.refusal.why;
    EXPECT_EQ(with(page, "Pics/A.gif"), Bytes(root / "p.htm"));
    fs::remove_all(root);
  }
}

// While pages are written, a renamed file has both names. The old name
// goes only when no file below the site still names it; a rename no
// written page needs (its page no page by then) leaves no new
// name; a new name an earlier run left is taken, not refused.
TEST(SiteFixTest, KeepsNamesStillNamed) {
  const std::pair<std::string, std::string> kPage = {
      "p.htm",
      "<html><body><div id=A><img src=\"a b.gif\"></div></body></html>"};
  struct Case {
    std::pair<std::string, std::string> extra;
    const char* changed;  // a page that is no page when it is written
    const char* refusal;  // a piece of the rename's refusal; "" when done
    bool oldName, newName;
  } kCases[] = {
      {{"x.txt", "a b.gif"}, "", "", false, true},
      {{"s.css", ".x { background: url(a%20b.gif) }"},
       "",
       "s.css still",
       true,
       true},
      {{"bad.htm", "<html><link a b.gif>"}, "", "bad.htm still", true, true},
      {{"x.txt", ""}, "p.htm", "no page naming it was written", true, false},
      {{"a_b.gif", ""}, "", "", false, true},  // linked below
      // The new name an earlier run made stays: the pages it fixed name it.
      {{"a_b.gif", ""}, "p.htm", "no page naming it was written", true, true},
      {{"fifo.css", ""}, "", "", false, true},  // a fifo holds no name
  };
  for (const Case& c : kCases) {
    const fs::path root = MakeSite({{"a b.gif", "x"}, kPage, c.extra});
    if (c.extra.first == "a_b.gif") {
      fs::remove(root / "a_b.gif");
      fs::create_hard_link(root / "a b.gif", root / "a_b.gif");
    }
    if (c.extra.first == "fifo.css") {
      fs::remove(root / "fifo.css");
#ifdef _WIN32
      fs::remove_all(root);
      continue;  // no fifos
#else
      ASSERT_EQ(0, mkfifo((root / "fifo.css").c_str(), 0600));
#endif
    }
    const auto renames = FixSite(root, true, [&](bool before) {
                           EXPECT_TRUE(fs::exists(root / "a b.gif") &&
                                       fs::exists(root / "a_b.gif"));
                           if (before && c.changed[0] != '\0')
                             std::ofstream(root / c.changed) << "x";  // no page
                         }).renames;
    const htmlmemdoc::Refusal& refusal = renames[0].refusal;
    EXPECT_NE(std::string::npos, refusal.why.find(c.refusal)) << refusal.why;
    EXPECT_EQ(c.refusal[0] == '\0', renames[0].done) << refusal.why;
    EXPECT_STREQ(c.refusal[0] == '\0' ? "" : "in-the-way", refusal.Name());
    EXPECT_EQ(c.oldName, fs::exists(root / "a b.gif")) << c.extra.first;
    EXPECT_EQ(c.newName, fs::exists(root / "a_b.gif")) << c.extra.first;
    fs::remove_all(root);
  }
}

}  // namespace
