#include "htmlmemdoc/layers/text_layer.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/layers/text_range.h"

namespace {

std::string ReadText(const CHtmlTextLayer& layer) {
  CString text("untouched");
  if (!layer.GetTextString(text)) return "<fail>";
  return static_cast<const char*>(text);
}

// The golden pages read the text of layers of many shapes; these are the
// text tags they do not show. The content follows the start tag whose name
// ends at a blank or a "<": "<p>Hello" has the name "p>Hello".
TEST(TextLayerTest, FindsTheTagThatEnclosesTheText) {
  struct Case {
    const char* markup;
    const char* tag;   // the text tag Init finds
    const char* text;  // what GetTextString reads
  };
  const Case kCases[] = {
      {"<div id=a>Hello</div>", "div", "Hello"},
      {"<div id=a><p id=x></p> tail</div>", "/p", "<fail>"},
      {"<div id=a><!-- note --> text</div>", "!--", " text"},
  };
  for (const Case& c : kCases) {
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

// An emptied text is an empty range before its end tag, so it can be read
// and written again; a text with markup reads to its first "<".
TEST(TextLayerTest, SetThenGetAgree) {
  CHtmlTextLayer layer;
  layer.Init("<div id=a>\n<p align=\"left\">Hello</p></div>");
  EXPECT_EQ(1, layer.SetTextString(""));
  EXPECT_EQ("", ReadText(layer));
  EXPECT_EQ(1, layer.SetTextString("Bye <b>&"));
  EXPECT_EQ("Bye ", ReadText(layer));
  CString again("x");
  EXPECT_EQ(1, layer.SetTextString(again));
  EXPECT_STREQ("<div id=a>\n<p align=\"left\">x<b>&</p></div>",
               static_cast<const char*>(layer));
  char buffer[8] = "keep";
  layer.SetTextString("Hello");
  EXPECT_EQ(0, layer.GetTextString(buffer, 6));  // two bytes more than text
  EXPECT_STREQ("keep", buffer);
  EXPECT_EQ(1, layer.GetTextString(buffer, 7));
  EXPECT_STREQ("Hello", buffer);
}

TEST(TextLayerTest, InitFailuresKeepTheEarlierTextTag) {
  CHtmlTextLayer layer;
  CString text;
  EXPECT_EQ(0, layer.GetTextString(text));  // no text tag yet
  ASSERT_EQ(1, layer.Init("<div id=a>\n<p id=\"para\">x</p></div>"));
  EXPECT_EQ(1, layer.GetTextID(text));
  EXPECT_EQ("para", text);
  char small[4];
  EXPECT_EQ(0, layer.GetTextID(small, sizeof small));
  EXPECT_EQ(0, layer.Init("<div>< >"));  // a tag without a name
  EXPECT_EQ(0, layer.Init("no tag at all"));
  EXPECT_EQ("p", layer.m_strTextTag);
  EXPECT_STREQ("no tag at all", static_cast<const char*>(layer));
  EXPECT_EQ(0, layer.Init(std::string(8193, 'x').c_str()));
  EXPECT_STREQ("no tag at all", static_cast<const char*>(layer));
  EXPECT_EQ(0, layer.SetTextString("y"));
}

// The font accessors forward to the layer's with the text tag; the golden
// pages read the font of many text layers.
TEST(TextLayerTest, FontAccessorsUseTheTextTag) {
  CHtmlTextLayer layer;
  layer.Init(
      "<div style=\"left:0px\"><P style=\"font-size:10pt;\">x</P></div>");
  EXPECT_EQ(1, layer.SetBold(1));
  EXPECT_EQ(1, layer.ResetFontFamily("Georgia, serif"));
  EXPECT_EQ(1, layer.SetFontFamily(1, CString("Times")));
  EXPECT_STREQ(
      "<div style=\"left:0px\"><P style=\"font-family:Georgia, Times; "
      "font-size:10pt; font-weight:bold;\">x</P></div>",
      static_cast<const char*>(layer));
  char buffer[8];
  EXPECT_EQ(1, layer.GetFontFamily(1, buffer, sizeof buffer));
  EXPECT_STREQ("Times", buffer);
}

TEST(FindTagRangeTest, NameMustStandBetweenBlanks) {
  struct Case {
    const char* markup;
    const char* tag;
    const char* range;  // "start-end", or "<fail>"
  };
  const Case kCases[] = {
      {"<p a=1>Hi</p>", "P", "7-9"}, {"< p a=1>Hi", "p", "8-10"},
      {"<p>Hi</p>", "p", "<fail>"},  {"<b><p a>Hi", "p", "8-10"},
      {"<p<b>Hi", "p", "5-7"},       {"<", "p", "<fail>"},
      {"<p a=1>", "p", "<fail>"},    {"<p a>x", "", "<fail>"},
  };
  for (const Case& c : kCases) {
    int start = -1;
    int end = -1;
    const bool ok = htmlmemdoc::FindTagRange(c.markup, c.tag, start, end);
    EXPECT_EQ(c.range,
              ok ? std::to_string(start) + "-" + std::to_string(end) : "<fail>")
        << c.markup;
  }
  int start = 0;
  EXPECT_EQ(0, htmlmemdoc::FindTagRange(nullptr, "p", start, start));
}

}  // namespace
