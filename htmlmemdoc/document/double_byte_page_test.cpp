// Pages in each double-byte code page whose trail bytes are ASCII letters
// and punctuation: read, looked up on disk and written back as characters.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/file_system.h"
#include "tests/support/code_pages.h"

namespace {

using PageTest = DoubleBytePageTest;

TEST_P(PageTest, TrailBytesAreNeitherMarkupNorSeparatorsNorLetters) {
  const bool punctuation = GetParam().punctuationTrails;
  // A rule whose font name ends in a "}" trail; an image whose alt text
  // holds "dynsrc" behind a "d" trail (no video); a file named with a "\\"
  // trail, and one whose trail "A" must not match a file with trail "a".
  const std::string family = Led(punctuation ? "}" : "A");
  const std::string slashName = "pics/" + Led("\\") + ".gif";
  const std::string letterName = "pics/" + Led("A") + ".gif";
  const std::string page =
      "<html><head><title>" + Led("A") + "</title>\n<style>.a{ font-family:\"" +
      family + "\"; color:red; }</style>\n</head><body>\n" +
      "<div id=\"I1\" style=\"position:absolute\"><img src=\"" + slashName +
      "\" alt=\"" + Led("dynsrc") + "\"></div>\n" +
      "<div id=\"I2\" style=\"position:absolute\"><img src=\"" + letterName +
      "\"></div>\n</body></html>";
  const std::filesystem::path root =
      std::filesystem::path(::testing::TempDir()) /
      ("htmlmemdoc_cp" + std::to_string(GetParam().codePage) + "_" +
       std::to_string(std::random_device{}()));
  std::filesystem::create_directories(root / "pics");
  const std::string onDisk = root.generic_string() + "/pics/";
  std::ofstream(htmlmemdoc::FsPath(onDisk + Led("\\") + ".GIF")) << "x";
  std::ofstream(htmlmemdoc::FsPath(onDisk + Led("a") + ".GIF")) << "x";

  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(page.c_str()));
  EXPECT_EQ(2, document.m_imageLayerList.GetCount());
  EXPECT_EQ(0, document.m_videoLayerList.GetCount());
  const CHtmlStyle* rule = document.GetStyle("a");
  ASSERT_NE(nullptr, rule);
  unsigned long color = 0;
  EXPECT_EQ(1, rule->GetColor(color));
  CString family0;
  ASSERT_EQ(1, rule->GetFontFamily(0, family0));
  EXPECT_EQ(family, std::string(family0));

  CString written;
  const std::string base = root.generic_string() + "/page.htm";
  ASSERT_EQ(1, document.RenderToString(written, 0, base.c_str()));
  const std::string text(written);
  EXPECT_NE(std::string::npos, text.find("<title>" + Led("A") + "</title>"));
  EXPECT_NE(std::string::npos, text.find("alt=\"" + Led("dynsrc") + "\""));
  // "\\" as a trail byte is no separator: the name is found in its case;
  // in 949 it is one, and pics/<lead> is no folder.
  const std::string slashOut = punctuation ? "pics/" + Led("\\") + ".GIF"
                                           : slashName;
  EXPECT_NE(std::string::npos, text.find("src=\"" + slashOut + "\"")) << text;
  EXPECT_NE(std::string::npos, text.find("src=\"" + letterName + "\""));
  std::filesystem::remove_all(root);
}

HTMLMEMDOC_INSTANTIATE_DOUBLE_BYTE_PAGES(PageTest);

}  // namespace
