#include "htmlmemdoc/layers/layer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kDiv[] =
    "<div id=\"L1\" style=\"position:absolute; left:0px; top:5px; "
    "width:100px; height:20px; z-index:1\"><img src=\"a.gif\"></div>";

std::string Style(const CHtmlLayer& layer, const char* tag = "div") {
  CString value;
  if (!layer.GetAttribute(tag, "style", value)) return "<none>";
  return static_cast<const char*>(value);
}

TEST(LayerStyleTest, OneEditNormalisesTheWholeAttribute) {
  CHtmlLayer layer;
  layer.Init(kDiv);
  EXPECT_EQ(1, layer.SetPixelLeft(10, "div"));
  EXPECT_EQ(
      " position:absolute; z-index:1; width:100px; height:20px; "
      "left:10px; top:5px;",
      Style(layer));
  int v = 0;
  EXPECT_EQ(1, layer.GetPixelLeft(v, "div"));
  EXPECT_EQ(10, v);

  CHtmlLayer borders;
  borders.Init(
      "<div style=\"cursor:hand; border-left:1px solid red; "
      "background-image:url(bg.gif); font-family:Arial, x+y\">x</div>");
  EXPECT_EQ(1, borders.SetZIndex(2, "div"));
  EXPECT_EQ(
      "font-family:Arial; border:solid red; z-index:2; "
      "background-image:url(bg.gif); layer-background-image:url(bg.gif);",
      Style(borders));
}

TEST(LayerStyleTest, AbsentPropertiesFailOnReadAndAreAddedOnWrite) {
  CHtmlLayer layer;
  layer.Init("<div style=\"position:absolute; left:1px\">x</div>");
  int v = 77;
  EXPECT_EQ(0, layer.GetPixelTop(v, "div"));
  EXPECT_EQ(77, v);
  EXPECT_EQ(1, layer.SetPixelTop(5, "div"));
  EXPECT_EQ(" position:absolute; left:1px; top:5px;", Style(layer));
}

TEST(LayerStyleTest, NoUsableStyleAttributeFailsEveryAccessor) {
  const char* kMarkups[] = {
      "<div id=a>x</div>", "<div style=\"\">x</div>",
      "<div style=\"left:0px; \">x</div>",  // a blank after the last ";"
      "<p style=\"left:0px\">x</p>",        // no div at all
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
  CHtmlLayer longStyle;
  const std::string big =
      "<div style=\"left:1px;" + std::string(1020, ' ') + "\">x</div>";
  longStyle.Init(big.c_str());
  int v = 0;
  EXPECT_EQ(0, longStyle.GetPixelLeft(v, "div"));  // over 1023 bytes
}

TEST(LayerStyleTest, TypedAccessorsOnAnyTag) {
  CHtmlLayer layer;
  layer.Init("<div style=\"left:0px\"><p style=\"color:red;\">x</p></div>");
  EXPECT_EQ(1, layer.SetVisibility("div", HtmlVisibilityHidden));
  EXPECT_EQ(0, layer.SetVisibility("div", static_cast<HtmlVisibility>(0)));
  HtmlVisibility visibility = HtmlVisibilityVisible;
  EXPECT_EQ(1, layer.GetVisibility("div", visibility));
  EXPECT_EQ(HtmlVisibilityHidden, visibility);
  EXPECT_EQ(1, layer.SetPosition(HtmlPositionRelative, "div"));
  EXPECT_EQ(1, layer.SetPixelWidth(8, "div"));
  EXPECT_EQ(1, layer.SetPixelHeight(9, "div"));
  HtmlPosition position = HtmlPositionAbsolute;
  EXPECT_EQ(1, layer.GetPosition(position, "div"));
  EXPECT_EQ(HtmlPositionRelative, position);
  EXPECT_EQ(
      " position:relative; visibility:hidden; width:8px; height:9px;"
      " left:0px;",
      Style(layer));
  unsigned long color = 0;
  EXPECT_EQ(1, layer.GetColor(color, "p"));
  EXPECT_EQ(0xFF0000ul, color);
  EXPECT_EQ(1, layer.SetColor(0x00FF00, "p"));
  EXPECT_EQ(1, layer.SetFontSize(12, "p"));
  EXPECT_EQ(1, layer.SetBold(1, "p"));
  EXPECT_EQ(1, layer.SetItalic(0, "p"));
  EXPECT_EQ(1, layer.SetTextAlign(HtmlTextAlignRight, "p"));
  EXPECT_EQ(1, layer.ResetFontFamily("Verdana, Arial", "p"));
  EXPECT_EQ(1, layer.SetFontFamily(1, CString("Tahoma"), "p"));
  EXPECT_EQ(
      "font-family:Verdana, Tahoma; font-size:12pt; font-style:normal;"
      " font-weight:bold; text-align:right; color:#00ff00;",
      Style(layer, "p"));
  int count = 0;
  EXPECT_EQ(1, layer.GetFontFamilyCount(count, "p"));
  EXPECT_EQ(2, count);
  EXPECT_EQ(1, layer.SetFontFamilyCount(1, "p"));
  CString family;
  EXPECT_EQ(1, layer.GetFontFamily(0, family, "p"));
  EXPECT_EQ("Verdana", family);
  char small[4];
  EXPECT_EQ(0, layer.GetFontFamily(0, small, sizeof small, "p"));
}

TEST(LayerStyleTest, BackgroundImageIntoABuffer) {
  CHtmlLayer layer;
  layer.Init("<div style=\"background-image:url(img/bg.gif);\">x</div>");
  char buffer[11] = "untouched";
  EXPECT_EQ(0, layer.GetBackgroundImage(buffer, 8, "div"));
  EXPECT_STREQ("untouched", buffer);
  EXPECT_EQ(1, layer.GetBackgroundImage(buffer, 11, "div"));
  EXPECT_STREQ("img/bg.gif", buffer);
  CString other("pics/sky.jpg");
  EXPECT_EQ(1, layer.SetBackgroundImage(other, "div"));
  EXPECT_EQ(
      " background-image:url(pics/sky.jpg); "
      "layer-background-image:url(pics/sky.jpg);",
      Style(layer));
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

TEST(FlattenSwapImageSrcTest, StripsDirectoriesOfTheThirdArgument) {
  CHtmlLayer layer;
  layer.Init(
      "<div><a onMouseOver=\"MM_swapImage('Image1','','images/over.gif',1)\" "
      "onClick=\"mm_swapimage('Image2','','images/over.gif',1)\">"
      "<img src=\"images/a.gif\"></a></div>");
  EXPECT_EQ(1, layer.FlattenSwapImageSrc());
  EXPECT_STREQ(
      "<div><a onMouseOver=\"MM_swapImage('Image1','','over.gif',1)\" "
      "onClick=\"mm_swapimage('Image2','','over.gif',1)\">"
      "<img src=\"images/a.gif\"></a></div>",
      static_cast<const char*>(layer));
  EXPECT_EQ(1, layer.FlattenSwapImageSrc());  // already bare: still found
}

TEST(FlattenSwapImageSrcTest, NothingToDo) {
  CHtmlLayer layer;
  EXPECT_EQ(0, layer.FlattenSwapImageSrc());
  layer.Init("<div><img src=\"a/b.gif\"></div>");
  EXPECT_EQ(0, layer.FlattenSwapImageSrc());
  layer.Init("<div onclick=\"MM_swapImage('x','')\">x</div>");
  EXPECT_EQ(0, layer.FlattenSwapImageSrc());  // only two arguments
  EXPECT_STREQ("<div onclick=\"MM_swapImage('x','')\">x</div>",
               static_cast<const char*>(layer));
}

}  // namespace
