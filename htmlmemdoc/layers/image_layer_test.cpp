#include "htmlmemdoc/layers/image_layer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Sources of many shapes, "&amp;" decoded once, are read in the golden
// layers page; a source must fit the buffer with its NUL.
TEST(ImageLayerTest, BufferSourceFitsWithItsNulOrFails) {
  CHtmlImageLayer layer;
  layer.Init("<div><img src=\"a&amp;b.gif\"></div>");
  char buffer[12];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(1, layer.GetSrc(buffer, 8));  // "a&b.gif" is 7 bytes
  EXPECT_STREQ("a&b.gif", buffer);
  EXPECT_EQ('x', buffer[8]);  // nothing written past the buffer
  EXPECT_EQ(0, layer.GetSrc(buffer, 7));
  EXPECT_STREQ("", buffer);
  buffer[0] = 'x';
  EXPECT_EQ(0, layer.GetSrc(buffer, 0));
  EXPECT_EQ('x', buffer[0]);  // no room for anything, not even the NUL
  layer.Init("<div><img dynsrc=\"v.avi\"></div>");
  CString src("old");
  EXPECT_EQ(0, layer.GetSrc(src));
  EXPECT_EQ("old", src);
}

// A size without a number reads as it was; a video source is never added.
TEST(ImageLayerTest, SizesWithoutANumberAndNoDynsrcToReplace) {
  CHtmlImageLayer layer;
  layer.Init("<div><img src=a.gif width=\"50%\" height=\"auto\"></div>");
  int size = 7;
  EXPECT_EQ(1, layer.GetHeight(size));
  EXPECT_EQ(7, size);
  EXPECT_EQ(1, layer.GetWidth(size));
  EXPECT_EQ(50, size);
  EXPECT_EQ(1, layer.SetHeight(-3));
  EXPECT_EQ(0, layer.SetDynSrc("v.avi"));
  EXPECT_STREQ("<div><img src=a.gif width=\"50%\" height=\"-3\"></div>",
               static_cast<const char*>(layer));
}

// Repeat and loop values are read in the golden layers page; a repeat is
// written as 0 or 1, and one without a number reads as it was.
TEST(VideoLayerTest, RepeatLoopAndDynsrc) {
  CHtmlVideoLayer video;
  video.Init("<div><img dynsrc=\"a.avi\" Repeat=\"-1\" loop=3></div>");
  EXPECT_EQ(1, video.SetRepeat(5));
  int repeat = 7;
  EXPECT_EQ(1, video.GetRepeat(repeat));
  EXPECT_EQ(1, repeat);
  EXPECT_EQ(1, video.SetLoop(-1));
  CString dynsrc("b.mpg");
  EXPECT_EQ(1, video.SetDynSrc(dynsrc));
  EXPECT_EQ(1, video.SetRepeat(0));
  EXPECT_STREQ("<div><img dynsrc=\"b.mpg\" Repeat=\"0\" loop=\"-1\"></div>",
               static_cast<const char*>(video));
  video.SetAttribute("img", "repeat", "never");
  EXPECT_EQ(1, video.GetRepeat(repeat));
  EXPECT_EQ(1, repeat);  // no number: left as it was
}

TEST(VideoLayerTest, RenderAsEmbedReplacesTheImageTag) {
  const std::string tail =
      "autostart=\"true\" autoplay=\"true\" loop=\"true\" "
      "controller=\"false\">";
  struct Case {
    const char* markup;
    std::string want;
  };
  const Case kCases[] = {
      {"<div id=L><img id=\"V1\" dynsrc=\"clip.MPG\" width=\"320\" "
       "height=\"240\"></div>",
       "<div id=L><embed id=\"V1\" src=\"clip.MPG\" type=\"video/mpeg\" "
       "width=\"320\" height=\"240\" " +
           tail + "</div>"},
      {"<div><IMG dynsrc=a.AVI left=1 top=2></div>",
       "<div><embed src=\"a.AVI\" type=\"video/avi\" left=\"1\" top=\"2\" " +
           tail + "</div>"},
      {"<div><img src=\"still.gif\"></div>", "<div><embed " + tail + "</div>"},
      {"<div><img dynsrc=x.mpeg><img dynsrc=x.mpeg></div>",
       "<div><embed src=\"x.mpeg\" type=\"video/mpeg\" " + tail +
           "<embed src=\"x.mpeg\" type=\"video/mpeg\" " + tail + "</div>"},
      {"<div>no image</div>", "<div>no image</div>"},
  };
  for (const Case& c : kCases) {
    CHtmlVideoLayer video;
    video.Init(c.markup);
    CString out("old");
    EXPECT_EQ(1, video.RenderAsEmbed(out));
    EXPECT_EQ(c.want, std::string(out));
    EXPECT_STREQ(c.markup, static_cast<const char*>(video));  // not changed
  }
}

}  // namespace
