#include "htmlmemdoc/elements/frames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Frame pages are read and written whole in the golden pages; these are the
// accessors and the blocks the reader never hands over.
TEST(FrameSetTest, InitKeepsTheStartTagAndOwnsTheFrames) {
  CHtmlFrameSet frames;
  EXPECT_EQ(1, frames.Init("<frameset id=fs name=\"top\"><frame name=a>"));
  EXPECT_EQ(nullptr, frames.GetAt(1));
  EXPECT_EQ(nullptr, frames.GetAt(-1));
  EXPECT_EQ(1, frames.Init("no frameset here <frame src=x>"));
  EXPECT_EQ(0, frames.GetFrameCount());
  EXPECT_STREQ("<frameset id=fs name=\"top\">",
               static_cast<const char*>(frames));
  frames.Init("<frameset><frame src=a");  // unclosed tags run to the end
  EXPECT_STREQ("<frame src=a", static_cast<const char*>(*frames.GetAt(0)));
  frames.Init("<frameset cols=1");
  EXPECT_STREQ("<frameset cols=1", static_cast<const char*>(frames));
}

TEST(FrameSetTest, RenderOutputStringWritesTheBlock) {
  CHtmlFrameSet frames;
  CString out("untouched");
  EXPECT_EQ(0, frames.RenderOutputString(out));
  EXPECT_EQ("untouched", out);
  frames.Init("<frameset rows=\"*\">");
  EXPECT_EQ(1, frames.RenderOutputString(out));
  EXPECT_EQ("<frameset rows=\"*\">\n</frameset>\n", out);
}

TEST(FrameTest, SettersKeepTheUnitAndNeverAddTheAttribute) {
  struct Case {
    const char* markup;
    int value;
    const char* want;  // the new markup, or null when refused
  };
  const Case kCases[] = {
      {"<frame height=\"50%\">", 30, "<frame height=\"30%\">"},
      {"<frame height=\"*\">", 30, "<frame height=\"30*\">"},
      {"<frame height=120px>", 30, "<frame height=\"30px\">"},
      {"<frame height=-4>", -3, "<frame height=\"-3-4\">"},
      {"<frame src=a>", 30, nullptr},
      // "-2147483648" and the kept "pixels" make 17 bytes.
      {"<frame height=\"1pixels\">", -2147483647 - 1, nullptr},
  };
  for (const Case& c : kCases) {
    CHtmlFrame frame;
    frame.Init(c.markup);
    EXPECT_EQ(c.want != nullptr, frame.SetHeight(c.value)) << c.markup;
    EXPECT_STREQ(c.want ? c.want : c.markup, static_cast<const char*>(frame));
  }
  CHtmlFrame frame;  // dimensions of every shape: the golden frame page
  frame.Init("<frame width=10>");
  int number = 5;
  HtmlUnit unit = HtmlUnitPercent;
  EXPECT_EQ(0, frame.GetHeight(number, unit));  // both outputs as they were
  EXPECT_EQ(5, number);
  EXPECT_EQ(HtmlUnitPercent, unit);
  EXPECT_EQ(1, frame.SetWidth(20));
  CString page("page.htm");
  EXPECT_EQ(1, frame.SetSrc(page));  // added when missing
  EXPECT_STREQ("<frame width=\"20\" src=\"page.htm\">",
               static_cast<const char*>(frame));
}

}  // namespace
