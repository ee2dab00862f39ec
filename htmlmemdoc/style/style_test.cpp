#include "htmlmemdoc/style/style.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "htmlmemdoc/style/color_names.h"
#include "htmlmemdoc/style/style_values.h"
#include "tests/support/support.h"

namespace {

// The style's fields as RenderOutputString writes them bare.
std::string Bare(const CHtmlStyle& style) {
  CString text;
  style.RenderOutputString(text, 1);
  return static_cast<const char*>(text);
}

// Rules of every shape are read and written whole in the golden pages; these
// are Init's verdicts and what a second Init keeps.
TEST(StyleInitTest, TrailingTextMustCloseItsForm) {
  struct Case {
    const char* text;
    int ok;
  };
  const Case kCases[] = {
      {"P { color: red }", 1},
      {"P { }", 1},
      {"P { color: }", 1},
      {"P { color: red", 1},  // no fragment after the last value
      {"position:absolute; left:10px; top:20px", 1},
      {"color:red;", 1},
      {"color:red; ", 0},
      {"\"color:red; \"", 1},
      {"color:", 0},
      {"", 0},
      {"color", 0},
      {"a:b;;;:c", 1},  // an empty property name is passed over
  };
  for (const Case& c : kCases) {
    CHtmlStyle style;
    EXPECT_EQ(c.ok, style.Init(c.text)) << c.text;
  }
}

TEST(StyleInitTest, ASecondInitOverwritesOnlyWhatItDeclares) {
  CHtmlStyle style;
  ASSERT_EQ(1, style.Init(" ..x\n{ font-family:Arial; left:1px; top:2px }"));
  CString name;
  style.GetStyleName(name);
  EXPECT_EQ("x", name);
  ASSERT_EQ(1, style.Init("left:9px"));
  EXPECT_EQ("font-family:Arial; left:9px; top:2px;", Bare(style));
  EXPECT_STREQ("left:9px", static_cast<const char*>(style));
  // A failure keeps what was assigned before it; the family list is not
  // rebuilt, and the text stays.
  EXPECT_EQ(0, style.Init("left:4px; font-family:Verdana; top:"));
  EXPECT_EQ("font-family:Arial; left:4px; top:2px;", Bare(style));
  EXPECT_STREQ("left:9px", static_cast<const char*>(style));
  const std::string tooLong = "left:1px;" + std::string(8192, ' ') + "\"";
  EXPECT_EQ(0, style.Init(tooLong.c_str()));
}

// Init hands its font-family to ResetFontFamily, which the golden frame page
// runs on quoted names past the limit; a name list cut at ";" keeps only
// the plain names, and null empties the list.
TEST(StyleInitTest, ResetFontFamilyKeepsPlainNames) {
  CHtmlStyle style;
  style.Init("font-family:Georgia;");
  EXPECT_EQ(1, style.ResetFontFamily("Arial; x, Courier"));
  EXPECT_EQ("font-family:Courier;", Bare(style));
  EXPECT_EQ(1, style.ResetFontFamily(nullptr));
  EXPECT_EQ("", Bare(style));
}

TEST(ColorNameTest, LooksUpWholeNamesIgnoringCase) {
  struct Case {
    const char* name;
    unsigned long value;  // 0: not found
  };
  const Case kCases[] = {
      {"navy", 0x000080},
      {"NAVY", 0x000080},
      {"fuchia", 0xFF00FF},
      {"Fuchsia", 0},
      {"lightgrey", 0xD3D3D3},
      {"LightGray", 0},
      {"cornflower", 0x6495ED},
      {"CornflowerBlue", 0},
      {"aqua", 0x00FFFF},
      {"cyan", 0x00FFFF},
      {"yellowgreen", 0x9ACD32},
      {"aliceblue", 0xF0F8FF},
      {" red", 0},
      {"", 0},
  };
  for (const Case& c : kCases) {
    unsigned long value = 0x123456;
    EXPECT_EQ(c.value != 0, htmlmemdoc::LookupColorName(c.name, value))
        << c.name;
    EXPECT_EQ(c.value != 0 ? c.value : 0x123456ul, value) << c.name;
  }
  unsigned long value = 0;
  EXPECT_EQ(0, htmlmemdoc::LookupColorName(nullptr, value));
}

TEST(IdentifierTest, AcceptsLettersDigitsDashUnderscoreSpace) {
  const char* kPlain[] = {"Times New Roman", "sans-serif_2",
                          "\xE5\xAE\x8B\xE4\xBD\x93"};
  const char* kNotPlain[] = {"a\tb", "Arial; x", "cut\xE5\xAE", "", nullptr};
  for (const char* name : kPlain) {
    EXPECT_TRUE(htmlmemdoc::IsPlainIdentifier(name)) << name;
  }
  for (const char* name : kNotPlain) {
    EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier(name)) << (name ? name : "null");
  }
}

// What WriteToFile puts in the file at `path` for `element`, or "<fail>"
// and the messages shown. A null path passes no file, an empty one a file
// that is not open.
std::string Written(CHtmlTextBase& element, const char* path) {
  MessageLog log;
  CStdioFile file;
  if (path && *path) file.Open(path, CFile::modeCreate | CFile::modeWrite);
  const int ok = element.WriteToFile(path ? &file : nullptr);
  file.Abort();
  if (!ok) return "<fail>" + log.Joined();
  return ReadBytes(path);
}

// An element writes its text, a style rule its framed form, both in text
// mode; only the element shows a write failure.
TEST(WriteToFileTest, WritesTheTextOrReportsTheFileError) {
  const std::string path = ::testing::TempDir() + "htmlmemdoc_write.txt";
  CHtmlTextBase element;
  CHtmlStyle style;
  EXPECT_EQ("<fail>", Written(element, path.c_str()));  // no text
  EXPECT_EQ("<fail>", Written(style, path.c_str()));    // not parsed
  element.Init("<meta a=b>\n");
  style.Init(".a { color: red }");
  EXPECT_EQ("<fail>", Written(element, nullptr));
  EXPECT_EQ("<fail>", Written(style, ""));
  EXPECT_EQ(
      "<fail>Disk full while writing /dev/full. (No space left on device)",
      Written(element, "/dev/full"));
  EXPECT_EQ("<fail>", Written(style, "/dev/full"));
  EXPECT_EQ("<meta a=b>\r\n", Written(element, path.c_str()));
  EXPECT_EQ(".a{  color:red; }", Written(style, path.c_str()));
  std::remove(path.c_str());
}

}  // namespace
