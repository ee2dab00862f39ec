#include "htmlmemdoc/layers/layer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Style(const CHtmlLayer& layer, const char* tag = "div") {
  CString value;
  if (!layer.GetAttribute(tag, "style", value)) return "<none>";
  return static_cast<const char*>(value);
}

// A setter normalising the whole attribute is seen in the golden edits;
// these are the accessors' refusals and their reach to any tag.
TEST(LayerStyleTest, NoUsableStyleAttributeFailsEveryAccessor) {
  const std::string longStyle =
      "<div style=\"left:1px;" + std::string(1020, ' ') + "\">x</div>";
  const char* kMarkups[] = {
      "<div id=a>x</div>",
      "<div style=\"\">x</div>",
      "<div style=\"left:0px; \">x</div>",  // a blank after the last ";"
      "<p style=\"left:0px\">x</p>",        // no div at all
      longStyle.c_str(),                    // over 1023 bytes
  };
  for (const char* markup : kMarkups) {
    CHtmlLayer layer;
    layer.Init(markup);
    int v = 0;
    EXPECT_EQ(0, layer.GetPixelLeft(v, "div")) << markup;
    EXPECT_EQ(0, layer.SetPixelLeft(3, "div")) << markup;
    EXPECT_EQ(0, layer.SetVisibility("div", HtmlVisibilityHidden)) << markup;
    EXPECT_STREQ(markup, static_cast<const char*>(layer));
  }
}

// The golden edits move, size, restack and hide layers, and the text
// layer's tests run the font accessors; here, the position and the
// background image, which must fit the buffer with its NUL.
TEST(LayerStyleTest, PositionAndBackgroundImageOnTheDiv) {
  CHtmlLayer layer;
  layer.Init("<div style=\"left:0px\">x</div>");
  EXPECT_EQ(1, layer.SetPosition(HtmlPositionRelative, "div"));
  HtmlPosition position = HtmlPositionAbsolute;
  EXPECT_EQ(1, layer.GetPosition(position, "div"));
  EXPECT_EQ(HtmlPositionRelative, position);
  EXPECT_EQ(" position:relative; left:0px;", Style(layer));
  layer.Init("<div style=\"x{ left:4px; }\">x</div>");  // read as a rule
  int left = 0;
  EXPECT_EQ(1, layer.GetPixelLeft(left, "div"));
  EXPECT_EQ(4, left);
  layer.Init("<div style=\"background-image:url(img/bg.gif);\">x</div>");
  char buffer[11] = "untouched";
  EXPECT_EQ(0, layer.GetBackgroundImage(buffer, 8, "div"));
  EXPECT_STREQ("untouched", buffer);
  EXPECT_EQ(1, layer.GetBackgroundImage(buffer, 11, "div"));
  EXPECT_STREQ("img/bg.gif", buffer);
  CString other("sky.jpg");
  EXPECT_EQ(1, layer.SetBackgroundImage(other, "div"));
  EXPECT_EQ(
      " background-image:url(sky.jpg); layer-background-image:url(sky.jpg);",
      Style(layer));
}

// The in-place setters give the bytes of the CHtmlStyle cycle (parse, set,
// render bare) on canonical attributes, which are edited as text, and on
// every other kind, which are read and rendered.
TEST(LayerStyleTest, InPlaceSettersMatchTheStyleCycle) {
  const char* kStyles[] = {
      " font-size:9pt; left:1px;",                       // canonical
      "font-family:Arial, Times New Roman; z-index:2;",  // families kept
      " top:4px; background-image:url(a b); layer-background-image:url(a b);",
      " border:solid; left:1px;",  // the border does not read back
      " left: 1px;",               // a blank inside the declaration
      " top:1px; left:2px;",       // out of order
      " left:1px; left:2px;",      // twice
      "font-family:Arial,Arial;",  // separator not rendered so
      "font-family:a, b, c, d;",   // over three families
      " left:1px",                 // no closing ';'
      " width:1px; background-image:url(a); layer-background-image:url(b);",
      "LEFT:1px; border-top:2px dotted red; font-family:\"x\",y; "
      "background:url(q)z",
      "{ left:1px }",  // a rule
      "font-family: Arial; left:1px",  // one family, not canonical
      "left: ; top:1px",               // a value of blanks only
      " left:1px; background-image:url(a); layer-background-image:url(a);"
      " top:2px;",  // a declaration after the background
  };
  using Setter = int (*)(CHtmlLayer&, CHtmlStyle&, int);
  const Setter kSetters[] = {
      [](CHtmlLayer& l, CHtmlStyle& s, int fast) {
        return fast ? l.SetPixelLeft(-3, "div") : s.SetPixelLeft(-3);
      },
      [](CHtmlLayer& l, CHtmlStyle& s, int fast) {
        return fast ? l.SetFontSize(14, "div") : s.SetFontSize(14);
      },
      [](CHtmlLayer& l, CHtmlStyle& s, int fast) {
        return fast ? l.SetColor(0x563412, "div") : s.SetColor(0x563412);
      },
      [](CHtmlLayer& l, CHtmlStyle& s, int fast) {
        return fast ? l.SetVisibility("div", HtmlVisibilityHidden)
                    : s.SetVisibility(HtmlVisibilityHidden);
      },
      [](CHtmlLayer& l, CHtmlStyle& s, int fast) {
        return fast ? l.SetPixelTop(7, "div") : s.SetPixelTop(7);
      },
  };
  for (const char* style : kStyles) {
    for (const Setter setter : kSetters) {
      const std::string markup =
          std::string("<div style=\"") + style + "\">x</div>";
      CHtmlLayer fast;
      CHtmlLayer cycle;
      fast.Init(markup.c_str());
      cycle.Init(markup.c_str());
      CHtmlStyle parsed;
      const int expected = cycle.GetStyle("div", parsed) &&
                           setter(cycle, parsed, 0) &&
                           cycle.SetStyle("div", parsed);
      CHtmlStyle unused;
      EXPECT_EQ(expected, setter(fast, unused, 1)) << style;
      EXPECT_EQ(Style(cycle), Style(fast)) << style;
    }
  }
}

TEST(LayerAlignTest, TouchesOnlyTheAlignAttribute) {
  CHtmlLayer layer;
  layer.Init("<div><p align=\"CENTER\" style=\"text-align:left\">x</p></div>");
  HtmlTextAlign align = HtmlTextAlignLeft;
  EXPECT_EQ(1, layer.GetAlign(align, "p"));
  EXPECT_EQ(HtmlTextAlignCenter, align);
  EXPECT_EQ(1, layer.SetAlign(HtmlTextAlignRight, "p"));
  EXPECT_EQ(0, layer.SetAlign(static_cast<HtmlTextAlign>(4), "p"));
  EXPECT_EQ(1, layer.SetAlign(HtmlTextAlignLeft, "div"));  // added
  EXPECT_STREQ(
      "<div align=\"left\"><p align=\"right\" "
      "style=\"text-align:left\">x</p></div>",
      static_cast<const char*>(layer));
  layer.SetAttribute("p", "align", "justify");
  EXPECT_EQ(0, layer.GetAlign(align, "p"));
  EXPECT_EQ(HtmlTextAlignCenter, align);
}

TEST(FlattenSwapImageSrcTest, StripsDirectoriesOfTheThirdArgumentOnly) {
  struct Case {
    const char* markup;
    int found;
    const char* want;
  };
  const Case kCases[] = {
      {"<a onMouseOver=\"MM_swapImage('I1','','images/over.gif',1)\" "
       "onClick=\"mm_swapimage('I2','','images/over.gif',1)\"><img "
       "src=\"images/"
       "a.gif\"></a>",
       1,
       "<a onMouseOver=\"MM_swapImage('I1','','over.gif',1)\" "
       "onClick=\"mm_swapimage('I2','','over.gif',1)\"><img src=\"images/"
       "a.gif\"></a>"},
      {"<a onclick=\"MM_swapImage('x','','a.gif')\">", 1,  // already bare
       "<a onclick=\"MM_swapImage('x','','a.gif')\">"},
      {"<a onclick=\"MM_swapImage('x','')\">", 0,  // two arguments
       "<a onclick=\"MM_swapImage('x','')\">"},
      {"<a onclick=\"other('x','','d/a.gif')\">", 0,
       "<a onclick=\"other('x','','d/a.gif')\">"},
      {"<img src=\"a/b.gif\">", 0, "<img src=\"a/b.gif\">"},
  };
  for (const Case& c : kCases) {
    CHtmlLayer layer;
    layer.Init(c.markup);
    EXPECT_EQ(c.found, layer.FlattenSwapImageSrc()) << c.markup;
    EXPECT_STREQ(c.want, static_cast<const char*>(layer));
  }
  CHtmlLayer empty;
  EXPECT_EQ(0, empty.FlattenSwapImageSrc());
}

}  // namespace
