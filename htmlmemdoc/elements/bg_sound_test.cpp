#include "htmlmemdoc/elements/bg_sound.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"

namespace {

TEST(BgSoundTest, RenderAsEmbedWritesThePlugInFormTypedByTheExtension) {
  const std::string wrapper =
      "<div id=\"qBgSound\" style=\"position:absolute; width:160px; "
      "height:16px; z-index:1; left: 1px; top: -20px\">\n<embed ";
  const std::string tail =
      "autostart=\"true\" autoplay=\"true\" mastersound loop=\"true\" "
      "width=\"160\" height=\"16\">\n</div>";
  struct Case {
    const char* markup;
    const char* embed;  // what stands between "<embed " and the tail
  };
  const Case kCases[] = {
      {"<bgsound id=\"BackgroundSound\" src=\"../audio/theme.MID\" loop=-1>",
       "id=\"EmbedBackgroundSound\" src=\"../audio/theme.MID\" "
       "type=\"audio/midi\" "},
      {"<bgsound loop=3>", ""},
      {"<bgsound src=\"Jingle.WAVE\">",
       "src=\"Jingle.WAVE\" type=\"audio/wav\" "},
      {"<bgsound src=\"a.wav\">", "src=\"a.wav\" type=\"audio/wav\" "},
      {"<bgsound src=\"a.midi\">", "src=\"a.midi\" type=\"audio/midi\" "},
      {"<bgsound src=\"song.mp3\">", "src=\"song.mp3\" type=\"audio/\" "},
      {"<bgsound src=\"noext\">", "src=\"noext\" type=\"audio/\" "},
  };
  for (const Case& c : kCases) {
    CHtmlBgSound sound;
    sound.Init(c.markup);
    CString out("old content");
    EXPECT_EQ(1, sound.RenderAsEmbed(out));
    EXPECT_EQ(wrapper + c.embed + tail, std::string(out)) << c.markup;
  }
}

TEST(BgSoundTest, ALoopWithoutANumberLeavesTheOutput) {
  CHtmlBgSound sound;
  int loop = 7;
  EXPECT_EQ(0, sound.GetLoop(loop));
  sound.Init("<bgsound src=a.mid loop=forever>");
  EXPECT_EQ(1, sound.GetLoop(loop));
  EXPECT_EQ(7, loop);
  EXPECT_EQ(1, sound.SetLoop(3));
  EXPECT_STREQ("<bgsound src=a.mid loop=\"3\">",
               static_cast<const char*>(sound));
}

TEST(DocumentSoundTest, AddReplaceAndRemove) {
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
  EXPECT_EQ(0, document.SetBackgroundSound("c.mid"));  // no tag to edit
  EXPECT_EQ(1, document.AddBackgroundSound("a.mid"));
  EXPECT_STREQ(
      "<bgsound id=\"BackgroundSound\" type=\"audio/midi\" src=\"a.mid\" "
      "repeat=\"1\" loop=\"-1\">",
      static_cast<const char*>(document.m_bgSound));
  EXPECT_EQ(1, document.IsBackgroundSoundExist());
  EXPECT_EQ(1, document.AddBackgroundSound("b.mid"));
  char src[6];
  EXPECT_EQ(1, document.GetBackgroundSound(src, sizeof src));
  EXPECT_STREQ("b.mid", src);
  EXPECT_EQ(0, document.RemoveBackgroundSound());
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
  // A sound exists while its source, even empty, is shorter than 1040 bytes.
  document.m_bgSound.Init("<bgsound src=\"\">");
  EXPECT_EQ(1, document.IsBackgroundSoundExist());
  document.m_bgSound.Init(
      ("<bgsound src=\"" + std::string(1039, 'x') + "\">").c_str());
  EXPECT_EQ(1, document.IsBackgroundSoundExist());
  document.m_bgSound.Init(
      ("<bgsound src=\"" + std::string(1040, 'x') + "\">").c_str());
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
}

}  // namespace
