#include "htmlmemdoc/pages/page/page_layers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/page_edit.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_file.h"

namespace {

using htmlmemdoc::PageEdit;

const char kPage[] =
    "<html>\n<head>\n<title>t</title>\n</head>\n<body>\n"
    "<div id=\"T\" style=\"position:absolute; left:1px; top:1px; width:9px; "
    "height:9px; z-index:4\">\n<p align=\"left\">hi</p></div>\n"
    "</body>\n</html>\n";

// A layer made of each kind reads back, after the page is written, as a
// layer of that kind with the box and source given, above the others; its
// copy reads back too, and taking either out leaves the page as it was.
TEST(PageLayersTest, MadeCopiedAndRemovedLayersReadBackAsTheirKind) {
  const char* const kKinds[][2] = {{"text", ""},
                                   {"image", "a.gif"},
                                   {"video", "m.avi"},
                                   {"embed", "f.swf"},
                                   {"live audio", "s.wav"}};
  htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf("p.htm", kPage);
  const auto rendered = [](const CHtmlMemDoc& document) {
    CString text;
    document.RenderToString(text, 0, nullptr);
    return std::string(text);
  };
  CHtmlMemDoc original;
  ASSERT_TRUE(htmlmemdoc::LoadPage(file, original));
  for (const auto& [kind, source] : kKinds) {
    CHtmlMemDoc document;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document));
    PageEdit add, copy, remove;
    add.layer = copy.layer = "N";
    add.add = kind;
    add.left = 30;
    if (*source != '\0') add.src = source;
    copy.copyAs = "C";
    copy.top = 7;
    ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, add).why) << kind;
    ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, copy).why) << kind;
    CHtmlMemDoc read;
    ASSERT_TRUE(read.ReadFromString(rendered(document).c_str()));
    for (const char* id : {"N", "C"}) {
      const CHtmlLayer* made = htmlmemdoc::FindLayer(read, id);
      ASSERT_NE(nullptr, made) << kind << " " << id;
      EXPECT_STREQ(kind, htmlmemdoc::LayerKindName(*made));
      int left = 0, top = 0, z = 0;
      EXPECT_TRUE(made->GetPixelLeft(left, "div") && left == 30);
      EXPECT_TRUE(made->GetPixelTop(top, "div") && top == (*id == 'C' ? 7 : 0));
      EXPECT_TRUE(made->GetZIndex(z, "div") && z == 5) << kind;
      EXPECT_NE(std::string::npos, htmlmemdoc::MarkupOf(*made).find(source));
    }
    remove.remove = true;
    for (const char* id : {"C", "N"}) {
      remove.layer = id;
      ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, remove).why);
    }
    EXPECT_EQ(rendered(original), rendered(document)) << kind;
  }
  // An image of an empty reference and a plain layer are not written.
  htmlmemdoc::PageFile gaps = htmlmemdoc::PageFileOf(
      "g.htm", std::string(kPage).replace(
                   std::string(kPage).find("</body>"), 0,
                   "<div id=I><img src=\"\"></div>\n<div id=P>x</div>\n"
                   "<div id=V><img dynsrc=\"m.avi\"></div>\n"));
  CHtmlMemDoc read;
  ASSERT_TRUE(htmlmemdoc::LoadPage(gaps, read));
  EXPECT_EQ((std::vector<int>{0, 3}), htmlmemdoc::WrittenLayerPlaces(read));
}

}  // namespace
