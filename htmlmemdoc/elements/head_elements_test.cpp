#include "htmlmemdoc/elements/head_elements.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/text_of.h"

namespace {

// GetPreloadImage on a body tag with this onLoad value: "result:images".
std::string Preloads(const std::string& handler) {
  CHtmlBody body;
  body.Init(("<body onLoad=\"" + handler + "\">").c_str());
  CStringArray images;
  images.Add("stale");
  const int ok = body.GetPreloadImage(images);
  return std::to_string(ok) + ":" + Join(images);
}

TEST(PreloadImageTest, ListsImageArgumentsOfEveryCall) {
  struct Case {
    const char* handler;
    const char* want;
  };
  const Case kCases[] = {
      {"MM_preloadImages('images/a.gif','../b.gif','#983374578')",
       "1:images/a.gif|../b.gif"},
      {"mm_preloadimages('x/a.gif')", "1:x/a.gif"},
      {"MM_preloadImages('a.gif');MM_preloadImages('b.gif')", "1:a.gif|b.gif"},
      {"MM_preloadImages('#1','a.gif')", "1:#1|a.gif"},
      {"MM_preloadImages('a.gif','#1','#2','b.gif')", "1:a.gif|#2|b.gif"},
      {"MM_preloadImages('a.gif'", "1:a.gif"},
      {"init(); MM_preloadImages()", "0:"},
      {"MM_preloadImages(a.gif, b.gif)", "1:a.gif|b.gif)"},  // ")" kept
      {"other('a.gif')", "0:"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, Preloads(c.handler)) << c.handler;
  }
}

TEST(PreloadImageTest, NoHandlerGivesAnEmptyList) {
  CHtmlBody body;
  body.Init("<body background=\"bg.gif\">");
  CStringArray images;
  images.Add("stale");
  EXPECT_EQ(0, body.GetPreloadImage(images));
  EXPECT_EQ(0, images.GetSize());
  EXPECT_EQ(0, body.FlattenPreloadImageSrc());
  EXPECT_STREQ("<body background=\"bg.gif\">", static_cast<const char*>(body));
}

// FlattenPreloadImageSrc on this onLoad value: the new value.
std::string Flatten(const std::string& handler) {
  CHtmlBody body;
  body.Init(("<body onLoad=\"" + handler + "\">").c_str());
  EXPECT_EQ(1, body.FlattenPreloadImageSrc()) << handler;
  CString value;
  body.GetAttribute("body", "onload", value);
  return static_cast<const char*>(value);
}

TEST(FlattenPreloadImageSrcTest, StripsDirectoriesOfQuotedImages) {
  struct Case {
    const char* handler;
    const char* want;
  };
  const Case kCases[] = {
      {"init();MM_preloadImages('images/a.gif','../img/b.gif','#983374578')",
       "init();MM_preloadImages('a.gif','b.gif','#983374578')"},
      {"MM_PRELOADIMAGES('C:\\\\x\\\\a.gif')", "MM_PRELOADIMAGES('a.gif')"},
      {"mm_preloadimages('x/a.gif')", "mm_preloadimages('x/a.gif')"},
      {"MM_preloadImages('a/1.gif', 'b/2.gif');MM_preloadImages('c/3.gif')",
       "MM_preloadImages('1.gif', '2.gif');MM_preloadImages('3.gif')"},
      {"MM_preloadImages('dir/a.gif'", "MM_preloadImages('a.gif'"},
      // Unquoted arguments are left as they are, with nothing added.
      {"MM_preloadImages(dir/a.gif);x('y/z')",
       "MM_preloadImages(dir/a.gif);x('y/z')"},
      {"MM_preloadImages('a/b.gif',dir/c.gif)",
       "MM_preloadImages('b.gif',dir/c.gif)"},
      {"MM_preloadImages", "MM_preloadImages"},
      {"MM_", "MM_"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, Flatten(c.handler)) << c.handler;
  }
}

TEST(BodyTest, BackgroundIsTheBodyAttribute) {
  CHtmlBody body;
  body.Init("<body>");
  char buffer[16];
  EXPECT_EQ(0, body.GetBackground(buffer, sizeof buffer));
  EXPECT_EQ(1, body.SetBackground("img/bg.gif"));
  EXPECT_EQ(1, body.GetBackground(buffer, sizeof buffer));
  EXPECT_STREQ("img/bg.gif", buffer);
  EXPECT_EQ(0, body.GetBackground(buffer, 10));  // too small
  EXPECT_STREQ("", buffer);
}

TEST(ScriptTest, AcceptsLongerTextsThanOtherElements) {
  CHtmlScript script;
  EXPECT_EQ(1, script.Init(std::string(65535, 's').c_str()));
  EXPECT_EQ(0, script.Init(std::string(65536, 's').c_str()));
  CHtmlTitle title;
  EXPECT_EQ(0, title.Init(std::string(8193, 't').c_str()));
}

}  // namespace
