#include "htmlmemdoc/elements/frames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kBlock[] =
    "<frameset id=fs name=\"top\" cols=\"30%,*\">\n"
    "  <frame name=\"left\" src=\"menu.html\" width=\"50%\">\n"
    "  <FRAME name=\"main\" src=\"home.html\" height=\"2*\">\n"
    "  <frame name=\"foot\" src=\"foot.html\">\n"
    "</frameset>";

TEST(FrameSetTest, InitKeepsTheStartTagAndOwnsTheFrames) {
  CHtmlFrameSet frames;
  EXPECT_EQ(1, frames.Init(kBlock));
  EXPECT_STREQ("<frameset id=fs name=\"top\" cols=\"30%,*\">",
               static_cast<const char*>(frames));
  ASSERT_EQ(3, frames.GetFrameCount());
  EXPECT_EQ(nullptr, frames.GetAt(3));
  EXPECT_EQ(nullptr, frames.GetAt(-1));
  CString name;
  EXPECT_EQ(1, frames.GetAt(1)->GetName(name));
  EXPECT_EQ("main", name);
  EXPECT_EQ(1, frames.GetID(name));
  EXPECT_EQ("fs", name);
  char buffer[8];
  EXPECT_EQ(1, frames.GetName(buffer, sizeof buffer));
  EXPECT_STREQ("top", buffer);

  EXPECT_EQ(1,
            frames.Init("<frameset rows=\"*\"><frame src=a.htm></frameset>"));
  EXPECT_EQ(1, frames.GetFrameCount());
  EXPECT_EQ(1, frames.Init("no frameset here <frame src=x>"));
  EXPECT_EQ(0, frames.GetFrameCount());
  EXPECT_STREQ("<frameset rows=\"*\">", static_cast<const char*>(frames));
}

TEST(FrameSetTest, NestedFramesetTagsBecomeFramesToo) {
  CHtmlFrameSet frames;
  frames.Init(
      "<frameset><frameset cols=\"*,*\"><frame src=a>"
      "</frameset></frameset>");
  ASSERT_EQ(2, frames.GetFrameCount());
  EXPECT_STREQ("<frameset cols=\"*,*\">",
               static_cast<const char*>(*frames.GetAt(0)));
}

TEST(FrameSetTest, UnclosedTagsRunToTheEnd) {
  CHtmlFrameSet frames;
  frames.Init("<frameset><frame src=a");
  ASSERT_EQ(1, frames.GetFrameCount());
  EXPECT_STREQ("<frame src=a", static_cast<const char*>(*frames.GetAt(0)));
  frames.Init("<frameset cols=1");
  EXPECT_EQ(0, frames.GetFrameCount());
  EXPECT_STREQ("<frameset cols=1", static_cast<const char*>(frames));
}

TEST(FrameSetTest, RenderOutputStringWritesTheBlock) {
  CHtmlFrameSet frames;
  CString out("untouched");
  EXPECT_EQ(0, frames.RenderOutputString(out));
  EXPECT_EQ("untouched", out);
  frames.Init(
      "<frameset cols=\"30%,*\"><frame name=\"left\" src=\"menu.html\">"
      "<frame name=\"main\" src=\"home.html\"></frameset>");
  frames.GetAt(1)->SetSrc("news.html");
  EXPECT_EQ(1, frames.RenderOutputString(out));
  EXPECT_EQ(
      "<frameset cols=\"30%,*\">\n<frame name=\"left\" src=\"menu.html\">"
      "\n<frame name=\"main\" src=\"news.html\">\n</frameset>\n",
      out);
  frames.Init("<frameset rows=\"*\">");
  EXPECT_EQ(1, frames.RenderOutputString(out));
  EXPECT_EQ("<frameset rows=\"*\">\n</frameset>\n", out);
}

// GetWidth of a frame whose width attribute is `value`: "number unit".
std::string Width(const char* value) {
  CHtmlFrame frame;
  frame.Init(("<frame width=\"" + std::string(value) + "\">").c_str());
  int number = -99;
  HtmlUnit unit = static_cast<HtmlUnit>(0);
  if (!frame.GetWidth(number, unit)) return "<fail>";
  return std::to_string(number) + " " + std::to_string(unit);
}

TEST(FrameTest, DimensionsReadNumberAndUnit) {
  struct Case {
    const char* value;
    const char* want;
  };
  const Case kCases[] = {
      {"50%", "50 3"},
      {"*", "0 1"},
      {"2*", "2 1"},
      {"120", "120 2"},
      {"120px", "120 2"},
      {"abc", "0 2"},
      {"7PX", "7 2"},
      {"7Px%", "7 3"},
      {"-5", "-5 2"},
      {"123456789012345", "2147483647 2"},
      {"1234567890123456", "<fail>"},  // does not fit 16 bytes
  };
  for (const Case& c : kCases) EXPECT_EQ(c.want, Width(c.value)) << c.value;
  CHtmlFrame frame;
  frame.Init("<frame src=a>");
  int number = 5;
  HtmlUnit unit = HtmlUnitPercent;
  EXPECT_EQ(0, frame.GetHeight(number, unit));
  EXPECT_EQ(5, number);
  EXPECT_EQ(HtmlUnitPercent, unit);
}

// SetHeight(value) on a frame with this height: the new markup or <fail>.
std::string SetHeight(const char* markup, int value) {
  CHtmlFrame frame;
  frame.Init(markup);
  if (!frame.SetHeight(value)) {
    EXPECT_STREQ(markup, static_cast<const char*>(frame));
    return "<fail>";
  }
  return static_cast<const char*>(frame);
}

TEST(FrameTest, SettersKeepTheUnitAndNeverAddTheAttribute) {
  EXPECT_EQ("<frame height=\"30%\">", SetHeight("<frame height=\"50%\">", 30));
  EXPECT_EQ("<frame height=\"30*\">", SetHeight("<frame height=\"*\">", 30));
  EXPECT_EQ("<frame height=\"30px\">", SetHeight("<frame height=120px>", 30));
  EXPECT_EQ("<frame height=\"-3-4\">", SetHeight("<frame height=-4>", -3));
  EXPECT_EQ("<fail>", SetHeight("<frame src=a>", 30));
  // "-2147483648" and the kept "pixels" make 17 bytes: refused.
  EXPECT_EQ("<fail>", SetHeight("<frame height=\"1pixels\">", -2147483647 - 1));
  CHtmlFrame frame;
  frame.Init("<frame width=10>");
  EXPECT_EQ(1, frame.SetWidth(20));
  EXPECT_STREQ("<frame width=\"20\">", static_cast<const char*>(frame));
}

TEST(FrameTest, SourceIsAddedWhenMissing) {
  CHtmlFrame frame;
  frame.Init("<frame name=x>");
  CString src;
  EXPECT_EQ(0, frame.GetSrc(src));
  CString page("page.htm");
  EXPECT_EQ(1, frame.SetSrc(page));
  EXPECT_EQ(1, frame.GetSrc(src));
  EXPECT_EQ("page.htm", src);
}

}  // namespace
