#include "htmlmemdoc/pages/page/page_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

namespace {

using htmlmemdoc::PageEdit;
using htmlmemdoc::RefusalCode;

const char kPage[] =
    "<html>\n<head>\n<title>t</title>\n</head>\n<body>\n"
    "<div id=\"T\" style=\"position:absolute; left:1px; top:1px; width:9px; "
    "height:9px; z-index:1\">\n<p style=\"font-size:9pt; color:#000000;\">"
    "hi</p></div>\n"
    "<div id=\"I\" style=\"position:absolute; left:5px; top:5px; width:10px; "
    "height:10px; z-index:2\"><img src=\"a.gif\" width=10 height=10></div>\n"
    "<div id=\"Q\" style=\"position:absolute; left:5px; top:5px; width:10px; "
    "height:10px; z-index:3\">\n<p>bare</p></div>\n"
    "<div id=\"P\">plain</div>\n"
    "</body>\n</html>\n";

std::string Rendered(const CHtmlMemDoc& document) {
  CString text;
  document.RenderToString(text, 0, nullptr);
  return std::string(text);
}

// Each reason an edit is refused has its code, and a refused edit leaves
// the page as it was, the changes before the refused one in it undone.
TEST(ApplyEditTest, RefusesEachReasonWithItsCodeAndChangesNothing) {
  struct Case {
    const char* what;
    PageEdit edit;
    RefusalCode code;
    const char* why;  // a piece of the sentence
  };
  auto edit = [](const char* layer) {
    PageEdit e;
    e.layer = layer;
    e.left = 3;  // made first, undone when a later change is refused
    return e;
  };
  Case cases[] = {
      {"a move", edit("T"), RefusalCode::kNone, ""},
      {"out of range", edit("T"), RefusalCode::kBadValue, "out of range"},
      {"markup in text", edit("T"), RefusalCode::kBadValue,
       "cannot hold markup"},
      {"no colour", edit("T"), RefusalCode::kBadValue, "not a colour"},
      {"a quote in an id", edit("T"), RefusalCode::kBadValue, "double quote"},
      {"no such layer", edit("X"), RefusalCode::kNoLayer, "no layer"},
      {"text of an image", edit("I"), RefusalCode::kWrongKind, "text layer"},
      {"poster of an image", edit("I"), RefusalCode::kWrongKind, "video"},
      {"source of a text", edit("T"), RefusalCode::kWrongKind, "source"},
      {"a style not there", edit("Q"), RefusalCode::kNotExact, "font size"},
      {"a new layer", edit("N"), RefusalCode::kNone, ""},
      {"a copy", edit("T"), RefusalCode::kNone, ""},
      {"an id taken", edit("I"), RefusalCode::kInTheWay, "already"},
      {"a copy's id taken", edit("T"), RefusalCode::kInTheWay, "already"},
      {"no such kind", edit("N"), RefusalCode::kBadValue, "no layer kind"},
      {"no source", edit("N"), RefusalCode::kBadValue, "needs a source"},
      {"a plain copy", edit("P"), RefusalCode::kWrongKind, "plain"},
      {"a removal and more", edit("T"), RefusalCode::kBadValue, "no other"},
      {"a new layer refused", edit("N"), RefusalCode::kBadValue, "range"},
  };
  cases[1].edit.width = -1;
  cases[2].edit.text = "a <b>";
  cases[3].edit.color = "nocolour";
  cases[4].edit.id = "a\"b";
  cases[6].edit.text = "x";
  cases[7].edit.poster = "p.gif";
  cases[8].edit.src = "s.gif";
  cases[9].edit.fontSize = 12;
  cases[10].edit.add = "text";
  cases[11].edit.copyAs = "T2";
  cases[12].edit.add = "text";
  cases[13].edit.copyAs = "I";
  cases[14].edit.add = "frog";
  cases[15].edit.add = "image";
  cases[16].edit.copyAs = "P2";
  cases[17].edit.remove = true;
  cases[18].edit.add = "text";
  cases[18].edit.height = -4;
  for (const Case& c : cases) {
    htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf("p.htm", kPage);
    CHtmlMemDoc document;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document));
    const std::string before = Rendered(document);
    const htmlmemdoc::Refusal refusal = htmlmemdoc::ApplyEdit(document, c.edit);
    EXPECT_EQ(c.code, refusal.code) << c.what << ": " << refusal.why;
    EXPECT_NE(std::string::npos, refusal.why.find(c.why))
        << c.what << ": " << refusal.why;
    EXPECT_EQ(refusal.code == RefusalCode::kNone, Rendered(document) != before)
        << c.what;
  }
}

}  // namespace
