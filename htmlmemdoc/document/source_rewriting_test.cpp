#include "htmlmemdoc/document/source_rewriting.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"

namespace fs = std::filesystem;

namespace {

// Rendering with a base path is compared whole in the golden tests; here,
// the lookup's choices on a site of site/Pics/Logo.GIF, site/Index.HTM and
// site/index.htm.
TEST(MatchFileCaseTest, FileNamesTakeTheCaseOnDisk) {
  const fs::path root = fs::path(::testing::TempDir()) /
                        ("htmlmemdoc_site_" + std::to_string(::getpid()));
  fs::create_directories(root / "Pics");
  fs::create_directories(root / "logo.gif.d");
  for (const char* name : {"Pics/Logo.GIF", "Index.HTM", "index.htm"}) {
    std::ofstream(root / name) << "x";  // on Windows, one file of the two
  }
  const CString base((root / "page.htm").string().c_str());
  struct Case {
    const char* value;
    const char* want;
  };
  const Case kCases[] = {
      {"PICS/LOGO.GIF", "PICS/Logo.GIF"},  // directories keep their case
      {"./pics/../pics/logo.gif", "./pics/../pics/Logo.GIF"},
#ifndef _WIN32
      {"index.htm", "index.htm"},  // an exact match wins
      {"INDEX.HTM", "Index.HTM"},  // else the first in byte order
#endif
      {"pics/missing.gif", "pics/missing.gif"},
      {"pics/logo.gif/x", "pics/logo.gif/x"},  // a file is no directory
      {"pics/", "pics/"},
      // The case goes to the first place the name's text stands.
      {"logo.gif.d/../pics/logo.gif", "Logo.GIF.d/../pics/logo.gif"},
      {"pics/..", "pics/.."},
      {"", ""},
      {"pics/*.gif", "pics/*.gif"},  // no wildcards
  };
  htmlmemdoc::CFileCaseResolver files;
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want,
              std::string(htmlmemdoc::MatchFileCase(c.value, base, files)))
        << c.value;
  }
  EXPECT_EQ("pics/logo.gif",
            std::string(htmlmemdoc::MatchFileCase("pics/logo.gif", "", files)));
  std::string name;
  EXPECT_EQ(0, files.FindEntryName((root / "Pics/").string(), name));
  fs::remove_all(root);
}

TEST(ReplaceUnsafeSrcCharsTest, ReplacesEightCharacters) {
  EXPECT_EQ("a_b_c_d_e_f_g_h_i%j#k\xC3\xA9",
            std::string(htmlmemdoc::ReplaceUnsafeSrcChars(
                "a b!c$d&e(f)g,h@i%j#k\xC3\xA9")));
}

// An image layer's markup as the renderer writes it with --encode.
TEST(EncodeSrcTest, MarkupWithoutAUsableValue) {
  struct Case {
    const char* markup;
    const char* want;
  };
  const Case kCases[] = {
      {"<img src=\"\">", ""},  // an empty value writes nothing
      {nullptr, ""},           // nor a layer without markup
      {"<img alt=\"a b\">", "<img alt=\"a b\">"},
      {"<img SRC=\"a b", "<img SRC=\"a b"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    document.m_body.Init("<body>");
    CHtmlImageLayer* layer = new CHtmlImageLayer;
    if (c.markup != nullptr) layer->Init(c.markup);
    document.AddImageLayer(layer);
    CString text;
    document.RenderToString(text, 1, "");
    EXPECT_EQ(std::string("<html>\n<head>\n\n</head><body>\n") + c.want +
                  "\n\n</body>\n</html>",
              std::string(text))
        << (c.markup ? c.markup : "null");
  }
}

}  // namespace
