#include "htmlmemdoc/pages/page/stacking.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace {

// A layer of `kind` ("text" or "image") with id `id` at (left, top), 100
// by 100 px, with `extra` in its style.
std::string Layer(const std::string& kind, const std::string& id, int left,
                  int top, const std::string& extra = "") {
  const std::string div =
      "<div id=\"" + id +
      "\" style=\"position:absolute; left:" + std::to_string(left) +
      "px; top:" + std::to_string(top) + "px; width:100px; height:100px" +
      extra + "\">\n";
  if (kind == "text") return div + "<p class=\"t\">" + id + "</p></div>\n\n";
  return div + "<img src=\"" + id +
         ".gif\" width=\"100\" height=\"100\"></div>\n\n";
}

std::string Page(const std::string& layers) {
  return "<html>\n<head>\n<title>t</title>\n</head>\n<body>\n\n" + layers +
         "</body>\n</html>\n";
}

// "Under>Over|..." for what writing the page would change.
std::string Changes(const std::string& text) {
  CHtmlMemDoc document;
  EXPECT_TRUE(document.ReadFromString(text.c_str())) << text;
  std::string all;
  for (const auto& change : htmlmemdoc::FindStackingChanges(document, 100)) {
    all += (all.empty() ? "" : "|") + htmlmemdoc::LayerId(*change.under) + ">" +
           (change.over ? htmlmemdoc::LayerId(*change.over) : "?");
  }
  return all;
}

TEST(StackingTest, FindsLayersALaterWrittenKindWouldCover) {
  struct Case {
    const char* what;
    std::string layers;
    const char* want;
  } kCases[] = {
      {"a caption over a photo",
       Layer("image", "Photo", 0, 0) + Layer("text", "Caption", 50, 50),
       "Caption>Photo"},
      {"written in page order already",
       Layer("text", "Caption", 50, 50) + Layer("image", "Photo", 0, 0), ""},
      {"apart", Layer("image", "Photo", 0, 0) + Layer("text", "Far", 100, 0),
       ""},
      {"touching edges only",
       Layer("image", "Photo", 0, 0) + Layer("text", "Below", 0, 100), ""},
      {"a higher z-index",
       Layer("image", "Photo", 0, 0) +
           Layer("text", "Up", 50, 50, "; z-index:2"),
       ""},
      {"the same z-index",
       Layer("image", "Photo", 0, 0, "; z-index:3") +
           Layer("text", "Same", 50, 50, "; z-index:3"),
       "Same>Photo"},
      {"a box not known",
       Layer("image", "Photo", 0, 0) +
           "<div id=\"NoBox\" style=\"position:absolute; left:5px; "
           "top:5px\">\n<p class=\"t\">x</p></div>\n\n",
       ""},
      {"each layer once, in page order",
       Layer("image", "A", 0, 0) + Layer("image", "B", 0, 0) +
           Layer("text", "T1", 10, 10) + Layer("text", "T2", 500, 500) +
           Layer("text", "T3", 90, 90),
       "T1>A|T3>A"},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.want, Changes(Page(c.layers))) << c.what;
}

// Thousands of layers on one spot: the count stays near linear (a check of
// all pairs would take seconds), and check names each change as a loss.
TEST(StackingTest, ManyOverlappingLayersAreCountedAndNamed) {
  std::string layers;
  for (int i = 0; i < 3000; ++i)
    layers += Layer(i % 2 ? "text" : "image", "L" + std::to_string(i), 0, 0);
  CHtmlMemDoc document;
  const std::string text = Page(layers);
  ASSERT_TRUE(document.ReadFromString(text.c_str()));
  const auto changes = htmlmemdoc::FindStackingChanges(document, 100);
  EXPECT_EQ(1500u, changes.size());         // every text layer
  EXPECT_EQ(nullptr, changes.back().over);  // only the first are named
  size_t stacking = 0;
  for (const auto& loss : htmlmemdoc::FindLosses(document, text))
    if (loss.kind == "stacking order") stacking += loss.count;
  EXPECT_EQ(1500u, stacking);
}

}  // namespace
