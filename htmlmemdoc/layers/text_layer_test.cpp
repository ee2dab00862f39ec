#include "htmlmemdoc/layers/text_layer.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/layers/text_range.h"

namespace {

struct TextLayerCase {
  const char* markup;
  const char* tag;   // the text tag Init finds
  const char* text;  // what GetTextString reads, or "<fail>"
};

std::string ReadText(const CHtmlTextLayer& layer) {
  CString text("untouched");
  if (!layer.GetTextString(text)) return "<fail>";
  return static_cast<const char*>(text);
}

// The content follows the start tag whose name ends at a blank or a "<";
// "<p>Hello" has the name token "p>Hello" and is not found.
TEST(TextLayerTest, FindsTheTagThatEnclosesTheText) {
  const TextLayerCase kCases[] = {
      {"<div id=a>\n  <p align=x>\n   <font size=2>Hi</font></p></div>", "font",
       "Hi"},
      {"<div id=a>\n<p align=\"left\">Hello</p></div>", "p", "Hello"},
      {"<div id=a>Hello</div>", "div", "Hello"},
      {"<div id=a><p align=\"left\">Hello</p></div>", "p", "Hello"},
      {"<div id=a><p align=x><font size=3>Hi</font></p></div>", "font", "Hi"},
      {"<div id=a>\n<p>Hello</p>\n</div>", "p", "<fail>"},
      {"<div id=a><p id=x></p> tail</div>", "/p", "<fail>"},
      {"<div id=a><!-- note --> text</div>", "!--", " text"},
      {"<DIV ID=a><P ALIGN=left>Up</P></DIV>", "P", "Up"},
  };
  for (const TextLayerCase& c : kCases) {
    CHtmlTextLayer layer;
    ASSERT_EQ(1, layer.Init(c.markup)) << c.markup;
    EXPECT_EQ(c.tag, layer.m_strTextTag) << c.markup;
    EXPECT_EQ(c.text, ReadText(layer)) << c.markup;
  }
  CHtmlTextLayer lower;  // the tag name compares without regard to case
  lower.Init("<div id=a>\n<p align=x>low</p></div>");
  lower.m_strTextTag = "P";
  EXPECT_EQ("low", ReadText(lower));
}

TEST(TextLayerTest, SetThenGetAgree) {
  CHtmlTextLayer layer;
  layer.Init("<div id=a>\n<p align=\"left\">Hello</p></div>");
  EXPECT_EQ(1, layer.SetTextString("Bye <b>&"));
  EXPECT_STREQ("<div id=a>\n<p align=\"left\">Bye <b>&</p></div>",
               static_cast<const char*>(layer));
  EXPECT_EQ("Bye ", ReadText(layer));  // the content ends at the next "<"
  CString again("x");
  EXPECT_EQ(1, layer.SetTextString(again));
  EXPECT_EQ("x", ReadText(layer));
  EXPECT_STREQ("<div id=a>\n<p align=\"left\">x<b>&</p></div>",
               static_cast<const char*>(layer));
}

// "<p >Hello" reads "Hello"; an emptied text is an empty range before the
// end tag, so it can be read and written again.
TEST(TextLayerTest, BlankBeforeCloseAndEmptyContentRanges) {
  CHtmlTextLayer blank;
  ASSERT_EQ(1, blank.Init("<div id=a><p >Hello</p></div>"));
  EXPECT_EQ("p", blank.m_strTextTag);
  EXPECT_EQ("Hello", ReadText(blank));
  EXPECT_EQ(1, blank.SetTextString("Set"));
  EXPECT_STREQ("<div id=a><p >Set</p></div>", static_cast<const char*>(blank));

  CHtmlTextLayer emptied;
  ASSERT_EQ(1, emptied.Init("<div id=a>\n<p align=\"left\">Hello</p></div>"));
  EXPECT_EQ(1, emptied.SetTextString(""));
  EXPECT_EQ("", ReadText(emptied));
  EXPECT_EQ(1, emptied.SetTextString("Set"));
  EXPECT_EQ("Set", ReadText(emptied));
  EXPECT_STREQ("<div id=a>\n<p align=\"left\">Set</p></div>",
               static_cast<const char*>(emptied));
}

TEST(TextLayerTest, BufferNeedsRoomForTwoMoreBytes) {
  CHtmlTextLayer layer;
  layer.Init("<div id=a>\n<p class=t>Hello</p></div>");
  char buffer[8] = "keep";
  EXPECT_EQ(0, layer.GetTextString(buffer, 6));
  EXPECT_STREQ("keep", buffer);
  EXPECT_EQ(1, layer.GetTextString(buffer, 7));
  EXPECT_STREQ("Hello", buffer);
}

TEST(TextLayerTest, InitFailuresKeepTheEarlierTextTag) {
  CHtmlTextLayer layer;
  CString text;
  EXPECT_EQ(0, layer.GetTextString(text));  // no text tag yet
  ASSERT_EQ(1, layer.Init("<div id=a>\n<p id=b>x</p></div>"));
  EXPECT_EQ(0, layer.Init("no tag at all"));
  EXPECT_EQ("p", layer.m_strTextTag);
  EXPECT_STREQ("no tag at all", static_cast<const char*>(layer));
  EXPECT_EQ(0, layer.Init(std::string(8193, 'x').c_str()));
  EXPECT_STREQ("no tag at all", static_cast<const char*>(layer));
  EXPECT_EQ(0, layer.SetTextString("y"));
}

TEST(TextLayerTest, TextIdIsThatOfTheParagraph) {
  CHtmlTextLayer layer;
  layer.Init("<div id=a><p id=\"para\"><font size=2>x</font></p></div>");
  CString id;
  EXPECT_EQ(1, layer.GetTextID(id));
  EXPECT_EQ("para", id);
  char buffer[3];
  EXPECT_EQ(0, layer.GetTextID(buffer, sizeof buffer));
}

TEST(TextLayerTest, FontAccessorsUseTheTextTag) {
  CHtmlTextLayer layer;
  layer.Init(
      "<div style=\"left:0px\"><P style=\"font-size:10pt;\">x</P></div>");
  int size = 0;
  EXPECT_EQ(1, layer.GetFontSize(size));
  EXPECT_EQ(10, size);
  EXPECT_EQ(1, layer.SetFontSize(14));
  EXPECT_EQ(1, layer.SetBold(1));
  EXPECT_EQ(1, layer.SetItalic(1));
  EXPECT_EQ(1, layer.SetColor(0xFF));
  EXPECT_EQ(1, layer.SetTextAlign(HtmlTextAlignCenter));
  EXPECT_EQ(1, layer.ResetFontFamily("Georgia, serif"));
  EXPECT_EQ(1, layer.SetFontFamily(1, "Times"));
  EXPECT_EQ(1, layer.SetFontFamily(2, CString("Serif")));
  EXPECT_EQ(1, layer.SetFontFamilyCount(3));
  EXPECT_STREQ(
      "<div style=\"left:0px\"><P style=\"font-family:Georgia, Times, Serif; "
      "font-size:14pt; font-style:italic; font-weight:bold; "
      "text-align:center; color:#ff0000;\">x</P></div>",
      static_cast<const char*>(layer));
  int flag = 0;
  EXPECT_EQ(1, layer.GetBold(flag));
  EXPECT_EQ(1, flag);
  EXPECT_EQ(1, layer.GetItalic(flag));
  HtmlTextAlign align = HtmlTextAlignLeft;
  EXPECT_EQ(1, layer.GetTextAlign(align));
  EXPECT_EQ(HtmlTextAlignCenter, align);
  unsigned long color = 0;
  EXPECT_EQ(1, layer.GetColor(color));
  EXPECT_EQ(0xFF0000ul, color);
  int count = 0;
  EXPECT_EQ(1, layer.GetFontFamilyCount(count));
  EXPECT_EQ(3, count);
  CString family;
  EXPECT_EQ(1, layer.GetFontFamily(1, family));
  EXPECT_EQ("Times", family);
  char buffer[8];
  EXPECT_EQ(1, layer.GetFontFamily(2, buffer, sizeof buffer));
  EXPECT_STREQ("Serif", buffer);
  int left = 0;
  EXPECT_EQ(1, layer.GetPixelLeft(left, "div"));  // the base's still work
}

TEST(FindTagRangeTest, NameMustStandBetweenBlanks) {
  int start = -1;
  int end = -1;
  EXPECT_EQ(1, htmlmemdoc::FindTagRange("<p a=1>Hi</p>", "P", start, end));
  EXPECT_EQ(7, start);
  EXPECT_EQ(9, end);
  EXPECT_EQ(1, htmlmemdoc::FindTagRange("< p a=1>Hi", "p", start, end));
  EXPECT_EQ(8, start);
  EXPECT_EQ(10, end);  // to the end of the text
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<p>Hi</p>", "p", start, end));
  EXPECT_EQ(1, htmlmemdoc::FindTagRange("<b><p a>Hi", "p", start, end));
  EXPECT_EQ(8, start);
  EXPECT_EQ(1, htmlmemdoc::FindTagRange("<p<b>Hi", "p", start, end));
  EXPECT_EQ(5, start);
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<p a=1", "p", start, end));
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<p a=1>", "p", start, end));
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<p", "p", start, end));
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<", "p", start, end));
  EXPECT_EQ(0, htmlmemdoc::FindTagRange("<p a>x", "", start, end));
  EXPECT_EQ(0, htmlmemdoc::FindTagRange(nullptr, "p", start, end));
}

}  // namespace
