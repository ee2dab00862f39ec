#include "htmlmemdoc/pages/page/page_write.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

namespace {

const char kImage[] =
    "<div id=\"I\" style=\"position:absolute; left:5px; top:5px; width:10px; "
    "height:10px\"><img src=\"a b.gif\" width=10 height=10></div>\n";
const char kLossy[] =
    "<div id=\"P\" style=\"position:absolute; left:1px; top:1px\">x</div>\n"
    "<!-- note -->\n";

// The check of a write tells what the rendering loses, refuses it unless
// loss is allowed, and gives the text as the options make it.
TEST(CheckWriteTest, RefusesLossesUnlessAllowedAndRendersAsAsked) {
  struct Case {
    bool lossy, allowLoss, encode;
    const char* refusal;  // "" for none
    htmlmemdoc::RefusalCode code;
    const char* kinds;     // of the losses, in order
    const char* rendered;  // a piece of the text
  };
  const char* const lost =
      "plain layer (no text, image or embed in it),comment,";
  const Case cases[] = {
      {true, false, false, "writing the page would lose 2 things it holds",
       htmlmemdoc::RefusalCode::kLoss, lost, "src=\"a b.gif\""},
      {true, true, true, "", htmlmemdoc::RefusalCode::kNone, lost,
       "src=\"a_b.gif\""},
      {false, false, false, "", htmlmemdoc::RefusalCode::kNone, "",
       "src=\"a b.gif\""},
  };
  for (const Case& c : cases) {
    const std::string text = std::string(
                                 "<html>\n<head>\n<title>t</title>\n"
                                 "</head>\n<body>\n") +
                             (c.lossy ? kLossy : "") + kImage +
                             "</body>\n</html>\n";
    htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf("p.htm", text);
    CHtmlMemDoc document;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document));
    htmlmemdoc::WriteOptions options;
    options.allowLoss = c.allowLoss;
    options.encode = c.encode;
    const htmlmemdoc::WriteCheck check =
        htmlmemdoc::CheckWrite(document, file.text, options);
    std::string kinds;
    for (const htmlmemdoc::PageLoss& loss : check.losses)
      kinds += loss.kind + ",";
    SCOPED_TRACE(std::string(c.rendered) + (c.lossy ? " lossy" : ""));
    EXPECT_EQ(c.refusal, check.refusal.why);
    EXPECT_EQ(c.code, check.refusal.code);
    EXPECT_EQ(c.kinds, kinds);
    EXPECT_NE(std::string::npos, std::string(check.text).find(c.rendered));
  }
}

}  // namespace
