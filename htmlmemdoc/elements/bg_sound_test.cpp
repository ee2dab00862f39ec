#include "htmlmemdoc/elements/bg_sound.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"

namespace {

std::string Embed(const char* markup) {
  CHtmlBgSound sound;
  sound.Init(markup);
  CString out("old content");
  EXPECT_EQ(1, sound.RenderAsEmbed(out));
  return static_cast<const char*>(out);
}

const char kWrapper[] =
    "<div id=\"qBgSound\" style=\"position:absolute; width:160px; "
    "height:16px; z-index:1; left: 1px; top: -20px\">\n";
const char kTail[] =
    "autostart=\"true\" autoplay=\"true\" mastersound loop=\"true\" "
    "width=\"160\" height=\"16\">\n</div>";

TEST(BgSoundTest, RenderAsEmbedWritesThePlugInForm) {
  EXPECT_EQ(std::string(kWrapper) +
                "<embed id=\"EmbedBackgroundSound\" src=\"../audio/theme.MID\" "
                "type=\"audio/midi\" " +
                kTail,
            Embed("<bgsound id=\"BackgroundSound\" src=\"../audio/theme.MID\" "
                  "loop=\"-1\">"));
  EXPECT_EQ(std::string(kWrapper) + "<embed " + kTail,
            Embed("<bgsound loop=3>"));
}

TEST(BgSoundTest, TypeComesFromTheExtension) {
  struct Case {
    const char* src;
    const char* type;
  };
  const Case kCases[] = {
      {"Jingle.WAVE", "audio/wav"}, {"a.wav", "audio/wav"},
      {"a.midi", "audio/midi"},     {"song.mp3", "audio/"},
      {"noext", "audio/"},
  };
  for (const Case& c : kCases) {
    const std::string out =
        Embed(("<bgsound src=\"" + std::string(c.src) + "\">").c_str());
    EXPECT_NE(std::string::npos,
              out.find("<embed src=\"" + std::string(c.src) + "\" type=\"" +
                       c.type + "\" autostart"))
        << out;
  }
}

TEST(BgSoundTest, LoopAndSource) {
  CHtmlBgSound sound;
  sound.Init("<bgsound src=a.mid loop=\"-1\">");
  int loop = 7;
  EXPECT_EQ(1, sound.GetLoop(loop));
  EXPECT_EQ(-1, loop);
  EXPECT_EQ(1, sound.SetLoop(3));
  EXPECT_EQ(1, sound.GetLoop(loop));
  EXPECT_EQ(3, loop);
  sound.SetAttribute("bgsound", "loop", "forever");
  EXPECT_EQ(1, sound.GetLoop(loop));
  EXPECT_EQ(3, loop);  // no number: left as it was
  char src[8];
  EXPECT_EQ(1, sound.GetSrc(src, sizeof src));
  EXPECT_STREQ("a.mid", src);
  EXPECT_EQ(1, sound.SetSrc("b.wav"));
  EXPECT_STREQ("<bgsound src=\"b.wav\" loop=\"forever\">",
               static_cast<const char*>(sound));
  CHtmlBgSound empty;
  EXPECT_EQ(0, empty.GetLoop(loop));
}

TEST(DocumentSoundTest, AddReplaceAndRemove) {
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
  EXPECT_EQ(1, document.AddBackgroundSound("a.mid"));
  EXPECT_STREQ(
      "<bgsound id=\"BackgroundSound\" type=\"audio/midi\" src=\"a.mid\" "
      "repeat=\"1\" loop=\"-1\">",
      static_cast<const char*>(document.m_bgSound));
  EXPECT_EQ(1, document.IsBackgroundSoundExist());
  EXPECT_EQ(1, document.AddBackgroundSound("b.mid"));
  char src[16];
  EXPECT_EQ(1, document.GetBackgroundSound(src, sizeof src));
  EXPECT_STREQ("b.mid", src);
  EXPECT_EQ(0, document.RemoveBackgroundSound());
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
  EXPECT_EQ(0, document.SetBackgroundSound("c.mid"));  // no tag to edit
}

TEST(DocumentSoundTest, ExistsOnlyWithAShortEnoughSource) {
  CHtmlMemDoc document;
  document.m_bgSound.Init("<bgsound src=\"\">");
  EXPECT_EQ(1, document.IsBackgroundSoundExist());
  document.m_bgSound.Init(
      ("<bgsound src=\"" + std::string(1040, 'x') + "\">").c_str());
  EXPECT_EQ(0, document.IsBackgroundSoundExist());
}

}  // namespace
