#include "htmlmemdoc/elements/head_elements.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/support.h"

namespace {

// A body tag whose onLoad value is `handler`.
struct Body : CHtmlBody {
  explicit Body(const std::string& handler) {
    Init(("<body onLoad=\"" + handler + "\">").c_str());
  }
};

// The golden pages list the preloads of several calls; these are the
// handlers of odd shapes. "#..." marks the image before it as a swap state.
TEST(PreloadImageTest, ListsImageArgumentsOfEveryCall) {
  struct Case {
    const char* handler;
    const char* want;  // result:images
  };
  const Case kCases[] = {
      {"mm_preloadimages('x/a.gif')", "1:x/a.gif"},
      {"MM_preloadImages('#1','a.gif')", "1:#1|a.gif"},
      {"MM_preloadImages('a.gif'", "1:a.gif"},
      {"init(); MM_preloadImages()", "0:"},
      {"MM_preloadImages(a.gif, b.gif)", "1:a.gif|b.gif)"},  // ")" kept
      {"other('a.gif')", "0:"},
  };
  for (const Case& c : kCases) {
    CStringArray images;
    images.Add("stale");
    const int ok = Body(c.handler).GetPreloadImage(images);
    EXPECT_EQ(c.want, std::to_string(ok) + ":" + Join(images)) << c.handler;
  }
  CHtmlBody body;
  body.Init("<body background=\"bg.gif\">");
  CStringArray images;
  images.Add("stale");
  EXPECT_EQ(0, body.GetPreloadImage(images));
  EXPECT_EQ(0, images.GetSize());
  EXPECT_EQ(0, body.FlattenPreloadImageSrc());
  EXPECT_STREQ("<body background=\"bg.gif\">", static_cast<const char*>(body));
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
    Body body(c.handler);
    EXPECT_EQ(1, body.FlattenPreloadImageSrc()) << c.handler;
    CString value;
    body.GetAttribute("body", "onload", value);
    EXPECT_EQ(c.want, std::string(value)) << c.handler;
  }
}

}  // namespace
