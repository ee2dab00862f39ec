#include "htmlmemdoc/layers/embed_layer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EmbedLayerTest, AttributesOfTheEmbedTag) {
  CHtmlEmbedLayer layer;
  layer.Init("<div id=d><embed id=\"E1\" src=\"m.swf\" width=\"100%\"></div>");
  CString value;
  EXPECT_EQ(1, layer.GetEmbedID(value));
  EXPECT_EQ("E1", value);
  char buffer[8];
  EXPECT_EQ(1, layer.GetSrc(buffer, sizeof buffer));
  EXPECT_STREQ("m.swf", buffer);
  int width = 0;
  int height = 5;
  EXPECT_EQ(1, layer.GetWidth(width));
  EXPECT_EQ(100, width);
  EXPECT_EQ(0, layer.GetHeight(height));
  EXPECT_EQ(5, height);
  EXPECT_EQ(1, layer.SetHeight(-2));
  EXPECT_EQ(1, layer.SetWidth(7));
  EXPECT_STREQ(
      "<div id=d><embed id=\"E1\" src=\"m.swf\" width=\"7\" height=\"-2\">"
      "</div>",
      static_cast<const char*>(layer));
  layer.Init("<div><embed type=\"x\"></div>");
  EXPECT_EQ(0, layer.GetSrc(value));
}

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

TEST(LiveAudioLayerTest, LoopAndAutoStartAreTrueOrFalse) {
  struct Case {
    const char* value;
    int ok;
    int loop;
  };
  const Case kCases[] = {
      {"TRUE", 1, 1},
      {"true", 1, 1},
      {"1", 1, 0},
      {"-1", 1, 0},
      {"yes", 1, 0},
      {"truetruetrue...", 1, 0},  // 15 bytes fit the buffer, 16 do not
      {"truetruetrue....", 0, 9},
  };
  for (const Case& c : kCases) {
    CHtmlLiveAudioLayer layer;
    layer.Init(
        ("<div><embed mastersound loop=\"" + std::string(c.value) + "\"></div>")
            .c_str());
    int loop = 9;
    EXPECT_EQ(c.ok, layer.GetLoop(loop)) << c.value;
    EXPECT_EQ(c.loop, loop) << c.value;
  }
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
  EXPECT_EQ(1, layer.GetAutoStart(autoStart));
  EXPECT_EQ(0, autoStart);
}

}  // namespace
