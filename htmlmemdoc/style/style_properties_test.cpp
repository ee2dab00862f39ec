#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_values.h"

namespace {

std::string Bare(const CHtmlStyle& style) {
  CString text;
  style.RenderOutputString(text, 1);
  return static_cast<const char*>(text);
}

TEST(StyleColorTest, WrittenAsBgrReadAsRgbFromDigitsOrNames) {
  CHtmlStyle style;
  style.Init("left:0px;");
  EXPECT_EQ(1, style.SetColor(0x000000FF));  // red in the low byte
  EXPECT_EQ(" color:#ff0000; left:0px;", Bare(style));
  unsigned long color = 0;
  EXPECT_EQ(1, style.GetColor(color));
  EXPECT_EQ(0x00FF0000ul, color);
  EXPECT_EQ(1, style.SetColor(0xAB123456));  // top byte ignored
  EXPECT_EQ(" color:#563412; left:0px;", Bare(style));
  struct Case {
    const char* text;
    int ok;
    unsigned long value;  // a bad digit keeps what was read before it
  };
  const Case kCases[] = {
      {"#00ff00", 1, 0x00FF00}, {"#0x1A2B3C", 1, 0x1A2B3C},
      {"#fff", 1, 0xFFF},       {"#", 1, 0},
      {"#12zz56", 0, 0x12},     {"#123456789", 1, 0x12345678},
      {"Navy", 1, 0x000080},    {"blu", 0, 0x777},
  };
  for (const Case& c : kCases) {
    CHtmlStyle parsed;
    ASSERT_EQ(1, parsed.Init((std::string("color:") + c.text + ";").c_str()));
    unsigned long value = 0x777;
    EXPECT_EQ(c.ok, parsed.GetColor(value)) << c.text;
    EXPECT_EQ(c.value, value) << c.text;
  }
}

// Numbers and the font's keywords are read from every layer of the golden
// pages in many cases; setters refuse values outside their enum.
TEST(StyleKeywordTest, SettersWriteKeywordsAndRefuseOtherValues) {
  CHtmlStyle style;
  style.Init("text-align:justify; position:ABSOLUTE; font-weight:BOLD");
  HtmlPosition position = HtmlPositionRelative;
  EXPECT_EQ(1, style.GetPosition(position));
  EXPECT_EQ(HtmlPositionAbsolute, position);
  const std::string before = Bare(style);
  EXPECT_EQ(0, style.SetTextAlign(static_cast<HtmlTextAlign>(4)));
  EXPECT_EQ(0, style.SetTextAlign(static_cast<HtmlTextAlign>(0)));
  EXPECT_EQ(0, style.SetPosition(static_cast<HtmlPosition>(-1)));
  EXPECT_EQ(0, style.SetVisibility(static_cast<HtmlVisibility>(3)));
  EXPECT_EQ(before, Bare(style));
  EXPECT_EQ(1, style.SetTextAlign(HtmlTextAlignCenter));
  EXPECT_EQ(1, style.SetBold(0));
  EXPECT_EQ(1, style.SetItalic(5));
  EXPECT_EQ(1, style.SetPosition(HtmlPositionRelative));
  EXPECT_EQ(1, style.SetFontSize(9));
  EXPECT_EQ(
      " font-size:9pt; font-style:italic; font-weight:normal;"
      " text-align:center; position:relative;",
      Bare(style));
}

TEST(StyleFamilyTest, ListOperationsAndTheirLimits) {
  CHtmlStyle style;
  int count = -1;
  EXPECT_EQ(1, style.GetFontFamilyCount(count));
  EXPECT_EQ(0, count);
  style.ResetFontFamily("A, B, C");
  EXPECT_EQ(1, style.AddFontFamily("D"));  // past the limit of three
  CString name40(std::string(40, 'n').c_str());
  EXPECT_EQ(1, style.SetFontFamily(5, name40));  // grows with empty entries
  style.GetFontFamilyCount(count);
  EXPECT_EQ(6, count);
  CString family;
  EXPECT_EQ(0, style.GetFontFamily(5, family));  // over 32 bytes
  char buffer[64];
  EXPECT_EQ(1, style.GetFontFamily(5, buffer, sizeof buffer));
  EXPECT_EQ(0, style.GetFontFamily(5, buffer, 40));
  EXPECT_EQ(1, style.GetFontFamily(4, family));
  EXPECT_EQ("", family);
  EXPECT_EQ(0, style.GetFontFamily(6, family));
  EXPECT_EQ(0, style.GetFontFamily(-1, family));
  EXPECT_EQ(0, style.SetFontFamily(-1, "x"));
  EXPECT_EQ(0, style.SetFontFamilyCount(-2));
  EXPECT_EQ(1, style.SetFontFamilyCount(2));
  EXPECT_EQ("font-family:A, B;", Bare(style));
  // The first name is written as it is, the others only when plain.
  EXPECT_EQ(1, style.SetFontFamily(0, "Bad;Name"));
  CString tab("Also\tBad");
  EXPECT_EQ(1, style.AddFontFamily(tab));
  EXPECT_EQ("font-family:Bad;Name, B;", Bare(style));
  EXPECT_EQ(1, style.SetFontFamilyCount(0));
  EXPECT_EQ("", Bare(style));
}

TEST(StyleRenderTest, InlineFormEmptyAndUnparsedStyles) {
  CHtmlStyle style;
  style.Init("font-size:12pt; color:#ff0000");
  style.ResetFontFamily("Arial, Helvetica");
  CString text;
  EXPECT_EQ(1, style.RenderOutputString(text, 0));
  EXPECT_EQ(
      "style=\"font-family:Arial, Helvetica; font-size:12pt; "
      "color:#ff0000; \"",
      text);
  CHtmlStyle empty;
  empty.Init("\"");  // an inline list with no declaration
  EXPECT_EQ(1, empty.RenderOutputString(text, 0));
  EXPECT_EQ("style=\" \"", text);
  EXPECT_EQ(1, empty.RenderOutputString(text, 1));
  EXPECT_EQ("", text);
  CHtmlStyle unparsed;
  text = "old";
  EXPECT_EQ(0, unparsed.RenderOutputString(text, 0));
  EXPECT_EQ("", text);
  EXPECT_EQ(1, unparsed.RenderOutputString(text, 1));
}

TEST(StyleRenderTest, BackgroundImageIsWrittenTwiceAndEmptiedByAnEmptyName) {
  CHtmlStyle style;
  style.Init("background-image:url(bg.gif)");
  CString address;
  EXPECT_EQ(1, style.GetBackgroundImage(address));
  EXPECT_EQ("bg.gif", address);
  CString none;
  EXPECT_EQ(1, style.SetBackgroundImage(none));
  EXPECT_EQ(0, style.GetBackgroundImage(address));
  EXPECT_EQ("bg.gif", address);
  EXPECT_EQ("", Bare(style));
}

}  // namespace
