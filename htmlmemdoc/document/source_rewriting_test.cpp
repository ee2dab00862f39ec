#include "htmlmemdoc/document/source_rewriting.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "htmlmemdoc/document/file_case.h"
#include "htmlmemdoc/document/mem_doc.h"

namespace fs = std::filesystem;

namespace {

// A site folder with files whose names differ in case from the pages'
// references: site/Pics/Logo.GIF, site/pics2/a b.JPG, site/Index.HTM.
class SiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(::testing::TempDir()) /
            ("htmlmemdoc_site_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "site" / "Pics");
    fs::create_directories(root_ / "site" / "pics2");
    Touch("site/Pics/Logo.GIF");
    Touch("site/pics2/a b.JPG");
    Touch("site/Index.HTM");
    Touch("site/index.htm");  // exact matches win over folded ones
    base_ = (root_ / "site" / "page.htm").string().c_str();
  }
  void TearDown() override { fs::remove_all(root_); }

  void Touch(const char* name) { std::ofstream(root_ / name) << "x"; }

  std::string Match(const char* value) {
    htmlmemdoc::CFileCaseResolver files;
    return static_cast<const char*>(
        htmlmemdoc::MatchFileCase(value, base_, files));
  }

  fs::path root_;
  CString base_;
};

TEST_F(SiteTest, FileNamesTakeTheCaseOnDisk) {
  struct Case {
    const char* value;
    const char* want;
  };
  const Case kCases[] = {
      {"pics/logo.gif", "pics/Logo.GIF"},  // directory keeps its case
      {"PICS/LOGO.GIF", "PICS/Logo.GIF"},
      {"pics2/A B.jpg", "pics2/a b.JPG"},
      {"./pics/../pics/logo.gif", "./pics/../pics/Logo.GIF"},
      {"index.htm", "index.htm"},
      {"INDEX.HTM", "Index.HTM"},  // no exact match: first in byte order
      {"pics/missing.gif", "pics/missing.gif"},
      {"pics/logo.gif/x", "pics/logo.gif/x"},  // a file is no directory
      {"pics/", "pics/"},
      {"", ""},
      {"pics/*.gif", "pics/*.gif"},  // no wildcards
  };
  for (const Case& c : kCases) EXPECT_EQ(c.want, Match(c.value)) << c.value;
}

TEST_F(SiteTest, NoBasePathMeansNoLookup) {
  htmlmemdoc::CFileCaseResolver files;
  EXPECT_EQ("pics/logo.gif",
            std::string(htmlmemdoc::MatchFileCase("pics/logo.gif", "", files)));
}

TEST(ReplaceUnsafeSrcCharsTest, ReplacesEightCharacters) {
  EXPECT_EQ("a_b_c_d_e_f_g_h_i%j#k\xC3\xA9",
            std::string(htmlmemdoc::ReplaceUnsafeSrcChars(
                "a b!c$d&e(f)g,h@i%j#k\xC3\xA9")));
}

// EncodeSrc is reached through rendering: an image layer's markup is
// written through it.
std::string RenderImage(const char* markup, int encode, const char* base) {
  CHtmlMemDoc document;
  document.m_body.Init("<body>");
  CHtmlImageLayer* layer = new CHtmlImageLayer;
  layer->Init(markup);
  document.AddImageLayer(layer);
  CString text;
  document.RenderToString(text, encode, base);
  const std::string all(text);
  const size_t start = all.find("<body>\n") + 7;
  return all.substr(start, all.find("\n\n</body>") - start);
}

TEST(EncodeSrcTest, RewritesTheFirstQuotedValueAfterTheName) {
  const char* markup = "<div id=\"x\"><img src=\"pics/My Photo(1).jpg\"></div>";
  EXPECT_EQ("<div id=\"x\"><img src=\"pics/My_Photo_1_.jpg\"></div>",
            RenderImage(markup, 1, ""));
  EXPECT_EQ(markup, RenderImage(markup, 0, nullptr));
  EXPECT_EQ("<img src='a_b.gif' alt=\"c d\">",
            RenderImage("<img src='a b.gif' alt=\"c d\">", 1, nullptr));
  EXPECT_EQ("<img src=\"a_b.gif\" alt='c d'>",
            RenderImage("<img src=\"a b.gif\" alt='c d'>", 1, nullptr));
  // The name is found anywhere, here inside the id value first, so the
  // "value" runs from the id's closing quote to the src's opening one.
  EXPECT_EQ("<div id=\"src 1\"><img_src=\"a b.gif\">",
            RenderImage("<div id=\"src 1\"><img src=\"a b.gif\">", 1, ""));
  EXPECT_EQ("", RenderImage("<img src=\"\">", 1, nullptr));
  EXPECT_EQ("<img alt=\"a b\">", RenderImage("<img alt=\"a b\">", 1, ""));
  EXPECT_EQ("<img SRC=\"a b", RenderImage("<img SRC=\"a b", 1, ""));
}

TEST_F(SiteTest, RenderingMatchesEveryKindOfReference) {
  CHtmlMemDoc document;
  document.m_bgSound.Init("<bgsound src=\"pics/logo.gif\">");
  document.m_body.Init("<body>");
  CHtmlVideoLayer* video = new CHtmlVideoLayer;
  video->Init(
      "<div><img src=\"pics/logo.gif\" dynsrc=\"pics/logo.gif\"></div>");
  document.AddVideoLayer(video);
  CString text;
  document.RenderToString(text, 0, base_);
  const std::string all(text);
  EXPECT_NE(std::string::npos, all.find("<bgsound src=\"pics/Logo.GIF\">"))
      << all;
  // For a video layer only "dynsrc" is rewritten: its first quoted value
  // after the first "dynsrc".
  EXPECT_NE(std::string::npos,
            all.find("<img src=\"pics/logo.gif\" dynsrc=\"pics/Logo.GIF\">"))
      << all;
}

}  // namespace
