#include "htmlmemdoc/pages/page/page_layers.h"

#include <gtest/gtest.h>

#include <string>

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
  const struct {
    const char* kind;
    const char* source;
  } kinds[] = {{"text", ""},
               {"image", "a.gif"},
               {"video", "m.avi"},
               {"embed", "f.swf"},
               {"live audio", "s.wav"}};
  for (const auto& kind : kinds) {
    CHtmlMemDoc document;
    htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf("p.htm", kPage);
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document));
    PageEdit add;
    add.layer = "N";
    add.add = kind.kind;
    add.left = 30;
    add.width = 50;
    if (*kind.source != '\0') add.src = kind.source;
    ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, add).why) << kind.kind;
    PageEdit copy;
    copy.layer = "N";
    copy.copyAs = "C";
    copy.top = 7;
    ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, copy).why) << kind.kind;
    CString text;
    document.RenderToString(text, 0, nullptr);
    CHtmlMemDoc read;
    ASSERT_TRUE(read.ReadFromString(text)) << text;
    for (const char* id : {"N", "C"}) {
      const CHtmlLayer* made = htmlmemdoc::FindLayer(read, id);
      ASSERT_NE(nullptr, made) << kind.kind << " " << id;
      EXPECT_STREQ(kind.kind, htmlmemdoc::LayerKindName(*made));
      int left = 0, width = 0, top = 0, z = 0;
      EXPECT_TRUE(made->GetPixelLeft(left, "div") && left == 30);
      EXPECT_TRUE(made->GetPixelWidth(width, "div") && width == 50);
      EXPECT_TRUE(made->GetPixelTop(top, "div") && top == (*id == 'C' ? 7 : 0));
      EXPECT_TRUE(made->GetZIndex(z, "div") && z == 5) << kind.kind;
      EXPECT_NE(std::string::npos,
                htmlmemdoc::MarkupOf(*made).find(kind.source));
    }
    for (const char* id : {"C", "N"}) {
      PageEdit remove;
      remove.layer = id;
      remove.remove = true;
      ASSERT_EQ("", htmlmemdoc::ApplyEdit(document, remove).why);
    }
    CString after;
    document.RenderToString(after, 0, nullptr);
    CHtmlMemDoc original;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, original));
    CString before;
    original.RenderToString(before, 0, nullptr);
    EXPECT_EQ(std::string(before), std::string(after)) << kind.kind;
  }
}

}  // namespace
