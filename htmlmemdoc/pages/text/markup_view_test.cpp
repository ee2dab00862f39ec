#include "htmlmemdoc/pages/text/markup_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "htmlmemdoc/pages/text/text_util.h"

namespace {

// A change the guards allow leaves "" here; anything else is named.
TEST(MarkupViewTest, OtherChangeNamesWhatElseAChangeTouched) {
  struct Case {
    const char* before;
    const char* after;
    const char* want;
  };
  const Case kCases[] = {
      {"<div id=a><img src=\"x.gif\" alt=b></div>",
       "<div id=a><img src=\"y.gif\" alt=b></div>", ""},
      {"<div><img alt=b></div>", "<div><img alt=b src=\"y\"></div>", ""},
      {"<div><IMG SRC=x.gif></div>", "<div><IMG SRC=\"y\"></div>", ""},
      {"<div><img src='a b.gif'></div>",
       "<div><img src=\"n.gif\" b.gif'></div>",
       "the <img> tag's b.gif' attribute would appear"},
      {"<div id=\"src1\"><img src=\"a b\"></div>",
       "<div id=\"src1\"_><img src=\"a b\"></div>",
       "the <div> tag's _ attribute would appear"},
      {"<div><img src=a alt=\"a b\"></div>",
       "<div><img src=a alt=\"a_b\"></div>",
       "the <img> tag's alt attribute would change"},
      {"<div><img src=a></div>x", "<div><img src=b></div>y",
       "the text \"x\" would change"},
      {"<div><img src=a></div>", "<div><img src=b></div><p>",
       "the <p> tag would appear"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, htmlmemdoc::OtherChange(c.before, c.after, "img", "src"))
        << c.before;
  }
  EXPECT_EQ("", htmlmemdoc::OtherTextChange("<div><p >Hi</p></div>",
                                            "<div><p ></p></div>", "p"));
  EXPECT_EQ(
      "the </div> tag would change",
      htmlmemdoc::OtherTextChange("<div><p >Hi</p></div>",
                                  "<div><p >a</p></span><p>b</p></div>", "p"));
}

// Line feeds counted many bytes at a time, as one at a time would count
// them: any byte values, every length around the steps of the count.
// The tags of the whole view, in order, each with the attributes wanted
// and their values and places, and nothing else.
TEST(MarkupViewTest, ViewTagsKeepsTheWantedAttributesOfTheWholeView) {
  const std::string markup =
      "<div id=a style='left:1px'>x<!-- <img src=c> --><IMG SRC=b.gif "
      "alt=\"q\"></div>";
  const auto wanted = [](const std::string& name) {
    return name == "src" || name == "style";
  };
  const auto whole = htmlmemdoc::ViewMarkup(markup);
  const auto tags = htmlmemdoc::ViewTags(markup, wanted);
  std::string seen;
  for (const auto& tag : tags) {
    EXPECT_TRUE(tag.raw.empty());
    seen += tag.name + ":";
    for (const auto& attribute : tag.attributes)
      seen += attribute.name + "=" + attribute.value + "@" +
              std::to_string(attribute.valueAt) + " ";
  }
  EXPECT_EQ("div:style=left:1px@17 img:src=b.gif@57 /div:", seen);
  ASSERT_EQ(5u, whole.size());  // the text and the comment too
  EXPECT_EQ("alt", whole[3].attributes[1].name);
}

TEST(TextUtilTest, CountsLineFeedsAsOneByteAtATimeWould) {
  std::mt19937 random(7);
  for (size_t size : {0, 1, 7, 8, 15, 16, 17, 31, 4079, 4080, 4097, 70001}) {
    std::string text(size, 'a');
    for (char& c : text)
      c = random() % 3 == 0 ? '\n' : static_cast<char>(random());
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')),
              htmlmemdoc::CountLineFeeds(text.data(), text.data() + size))
        << size;
  }
}

}  // namespace
