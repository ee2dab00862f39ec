#include "htmlmemdoc/layers/embed_layer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LiveAudioLayerTest, InitNeedsEmbedAndMastersound) {
  struct Case {
    const char* markup;
    int ok;
  };
  const Case kCases[] = {
      {"<div><embed src=a.mid mastersound></div>", 1},
      {"<div><EMBED src=a.mid MASTERSOUND></div>", 1},
      {"<div><embed src=a.mid MasterSound></div>", 0},
      {"<div><embed src=a.mid></div>", 0},
      {"<div title=\"mastersound\"><embed src=a.mid></div>", 1},
      {"<div>mastersound</div>", 0},
  };
  for (const Case& c : kCases) {
    CHtmlLiveAudioLayer layer;
    EXPECT_EQ(c.ok, layer.Init(c.markup)) << c.markup;
    EXPECT_STREQ(c.markup, static_cast<const char*>(layer));  // kept anyway
  }
  CHtmlLiveAudioLayer layer;
  const std::string tooLong =
      "<div><embed mastersound " + std::string(8192, ' ') + "></div>";
  EXPECT_EQ(0, layer.Init(tooLong.c_str()));
}

// Loop and autostart flags of every shape are read in the golden layers
// page; setters write "true" or "false".
TEST(LiveAudioLayerTest, SettersWriteTrueOrFalse) {
  CHtmlLiveAudioLayer layer;
  layer.Init("<div><embed src=a.mid mastersound></div>");
  int autoStart = 4;
  EXPECT_EQ(0, layer.GetAutoStart(autoStart));
  EXPECT_EQ(4, autoStart);
  EXPECT_EQ(1, layer.SetAutoStart(0));
  EXPECT_EQ(1, layer.SetLoop(7));
  EXPECT_STREQ(
      "<div><embed src=a.mid mastersound autostart=\"false\" loop=\"true\">"
      "</div>",
      static_cast<const char*>(layer));
}

}  // namespace
