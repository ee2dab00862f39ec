#include "htmlmemdoc/pages/page/page_loss.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every loss the finder tells of a page, one per line.
std::string LossesOf(const std::string& page) {
  CHtmlMemDoc document;
  if (document.ReadFromString(page.c_str()) != 1) return "does not read";
  std::string told;
  for (const htmlmemdoc::PageLoss& loss :
       htmlmemdoc::FindLosses(document, page))
    told += htmlmemdoc::DescribeLoss(loss) + "\n";
  return told;
}

// Each kind of loss, on the line where the page holds it; a page that
// writes back whole has none.
TEST(LossFinderTest, TellsEachLossWhereItIs) {
  struct Case {
    const char* page;
    const char* losses;
  } kCases[] = {
      {"<html><body>\n<div id=T><p>a</p></div>\n</body></html>", ""},
      {"<html><body>\n<!-- c -->\n<div id=P>just</div>\n</body></html>",
       "line 2: comment: <!-- c -->\n"
       "line 3: plain layer (no text, image or embed in it) P: "
       "<div id=P>just</div>\n"},
      {"<html><head><style>\n.x { color: red; foo : bar }\n</style></head>"
       "<body></body></html>",
       "line 2: style property not written as given in rule x: foo: bar\n"},
      {"<html><head></head>\n<frameset cols=\"50%,*\">\n<frame src=a.htm>"
       "lost<frame src=b.htm></frameset></html>",
       "line 2: frameset content other than frames: lost\n"},
      {"<html><body>\n<div id=I><img src=\"\"></div>\n"
       "<div id=V><img dynsrc=\"\"></div>\n<div id=E><embed src=\"\"></div>"
       "</body></html>",
       "line 2: image layer with an empty source I: <div id=I><img src=\"\">"
       "</div>\nline 3: video layer with an empty source V: <div id=V><img "
       "dynsrc=\"\"></div>\nline 4: embed layer with an empty source E: "
       "<div id=E><embed src=\"\"></div>\n"},
      {"<html>\n<head lang=en><title>a</title><title>b</title>\n"
       "<script src=\"plumeta.js\"></script></head>junk<body></body></html>",
       "line 2: attributes of a tag written bare: <head lang=en>\n"
       "line 2: element replaced by a later one: <title>\n"
       "line 3: page script: <script src=\"plumeta.js\"></script>\n"
       "line 3: text between the page's tags: junk\n"},
      {"<html><body>\n<div id=I style=\"position:absolute;left:0;top:0;"
       "width:9px;height:9px\"><img src=a.gif></div>\n<div id=T style=\""
       "position:absolute;left:5px;top:5px;width:9px;height:9px\"><p>t</p>"
       "</div></body></html>",
       "line 3: stacking order T: would go under layer I, which it overlaps\n"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.losses, LossesOf(c.page)) << c.page;
}

// Past a hundred losses of a kind, one entry stands for the rest, on the
// line of the first of them.
TEST(LossFinderTest, FoldsLossesOfAKindPastAHundred) {
  std::string page = "<html><body>";
  for (int i = 0; i < 103; ++i) page += "\n<!-- c -->";
  page += "</body></html>";
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(page.c_str()));
  const auto losses = htmlmemdoc::FindLosses(document, page);
  ASSERT_EQ(htmlmemdoc::kMostLossesOfAKind + 1, losses.size());
  EXPECT_EQ(103u, htmlmemdoc::CountLosses(losses));
  EXPECT_EQ("line 102: comment: and 3 more of this kind",
            htmlmemdoc::DescribeLoss(losses.back()));
}

}  // namespace
