#include "htmlmemdoc/pages/export/export_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// A site of the files the pages below play, and what the export made of
// each (a MIDI file and an MPEG movie converted).
class ExportPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::path(::testing::TempDir()) /
             ("htmlmemdoc_export_" + std::to_string(std::random_device{}()));
    fs::create_directories(m_root / "Pics");
    for (const char* file : {"s.mid", "clip.mpg", "m.swf", "doc.pdf", "ok.wav",
                             "poster.gif", "Pics/Rose.gif"})
      std::ofstream(m_root / file) << "x";
    m_files = {
        {"s.mid", {"s.opus", htmlmemdoc::MediaKind::kAudio, true, ""}},
        {"clip.mpg", {"clip.mp4", htmlmemdoc::MediaKind::kVideo, true, ""}},
        {"m.swf", {"", htmlmemdoc::MediaKind::kFlash, true, ""}},
        {"ok.wav", {"", htmlmemdoc::MediaKind::kAudio, true, ""}}};
  }
  void TearDown() override { fs::remove_all(m_root); }

  htmlmemdoc::PageExport Export(const std::string& page, bool flash = true) {
    std::ofstream(m_root / "page.htm", std::ios::binary) << page;
    const htmlmemdoc::SiteTree tree(m_root.string());
    const htmlmemdoc::SitePage scanned =
        htmlmemdoc::ScanPageKept(tree, "page.htm");
    EXPECT_TRUE(scanned.read) << page;
    if (!scanned.read) return htmlmemdoc::PageExport();
    htmlmemdoc::PageExportOptions options;
    options.flash = flash;
    return htmlmemdoc::ExportPage(
        *scanned.read, scanned.references,
        [&](const htmlmemdoc::CheckedReference& checked)
            -> const htmlmemdoc::ExportedFile* {
          if (checked.file.folder < 0) return nullptr;
          const auto file = m_files.find(tree.PathOf(checked.file));
          return file == m_files.end() ? &m_plain : &file->second;
        },
        options);
  }

  fs::path m_root;
  std::map<std::string, htmlmemdoc::ExportedFile> m_files;
  htmlmemdoc::ExportedFile m_plain;
};

std::string Page(const std::string& body,
                 const std::string& head = "<meta charset=\"utf-8\">\n") {
  return "<html>\n<head>\n" + head + "<title>t</title>\n</head>\n" + body +
         "</html>\n";
}

std::string Layer(const std::string& inside) {
  return "<body>\n<div id=\"L\" style=\"position:absolute; left:10px; "
         "top:5px; width:100px; height:20px; z-index:3\">" +
         inside + "</div>\n</body>\n";
}

// What each kind of element a browser cannot play becomes, and why one
// that stays will not play.
TEST_F(ExportPageTest, ReplacesWhatNoBrowserPlays) {
  struct Case {
    const char* what;
    std::string page;
    std::vector<std::string> has, lacks;
    const char* silent;  // why the first sound or movie will not play
    bool flash = true;
  } kCases[] = {
      {"a background sound becomes a layer with a control",
       Page("<bgsound id=\"S\" src=\"s.mid\" loop=\"-1\">\n" +
            Layer("<p>Hi</p>")),
       {"<body>\n<div id=\"htmlmemdoc-sound\" style=\"position:absolute; "
        "left:118px; top:8px; z-index:4\">\n<audio id=\"S\" src=\"s.opus\" "
        "loop preload=\"auto\"></audio>\n<button type=\"button\""},
       {"<bgsound"},
       ""},
      {"a sound looped three times",
       Page("<bgsound src=\"s.mid\" loop=\"3\">\n" + Layer("<p>Hi</p>")),
       {"data-plays=\"3\" onended="},
       {" loop "},
       ""},
      {"a video layer's movie, started by hovering",
       Page(Layer("<img id=\"C\" dynsrc=\"clip.mpg\" src=\"poster.gif\" "
                  "width=\"320\" height=\"240\" loop=\"-1\" "
                  "start=\"mouseover\">")),
       {"<video id=\"C\" width=\"320\" height=\"240\" src=\"clip.mp4\" "
        "poster=\"poster.gif\" controls playsinline preload=\"metadata\" loop "
        "onmouseover=\"this.play();\"></video></div>"},
       {"autoplay", "dynsrc"},
       ""},
      {"a video layer's movie, started as the page opens",
       Page(Layer("<img dynsrc=\"clip.mpg\" src=\"poster.gif\">")),
       {"preload=\"metadata\" autoplay muted></video>"},
       {},
       ""},
      {"an embedded sound that shows its player",
       Page(Layer("<embed id=\"E\" src=\"s.mid\" width=\"160\" height=\"16\" "
                  "autostart=\"true\" loop=\"true\">")),
       {"<audio id=\"E\" src=\"s.opus\" style=\"width:160px; height:16px;\" "
        "controls preload=\"metadata\" loop autoplay></audio></div>"},
       {"<embed"},
       ""},
      {"a hidden sound that starts by itself",
       Page(Layer("<embed src=\"ok.wav\" hidden=\"true\" autostart=\"true\">")),
       {"<audio src=\"ok.wav\" hidden preload=\"metadata\" autoplay></audio>"},
       {"controls"},
       ""},
      {"an embedded movie",
       Page(Layer("<embed src=\"clip.mpg\" width=\"100\" height=\"80\">")),
       {"<video src=\"clip.mp4\" width=\"100\" height=\"80\" controls "
        "preload=\"metadata\"></video>"},
       {},
       ""},
      {"Flash gets the player",
       Page(Layer("<embed src=\"m.swf\" width=\"100\" height=\"80\">")),
       {"<embed src=\"m.swf\" width=\"100\" height=\"80\">",
        "<script src=\"htmlmemdoc-export/ruffle/ruffle.js\"></script>"},
       {},
       ""},
      {"Flash left without it",
       Page(Layer("<embed src=\"m.swf\">")),
       {"<embed src=\"m.swf\">"},
       {"ruffle"},
       "Flash was left without a player",
       false},
      {"a plug-in no browser has",
       Page(Layer("<embed src=\"doc.pdf\">")),
       {"<embed src=\"doc.pdf\">"},
       {},
       "no current browser has the plug-in it needs"},
      {"a sound that is not there",
       Page(Layer("<embed src=\"gone.mid\">")),
       {"<embed src=\"gone.mid\">"},
       {},
       "its file is not in the site"},
      {"a page of frames keeps its sound",
       Page("<bgsound src=\"s.mid\">\n<frameset cols=\"*\">\n<frame "
            "src=\"a.htm\">\n</frameset>\n"),
       {"<bgsound src=\"s.mid\">"},
       {"<audio"},
       "a page of frames has no body to play it in"},
      {"a page without a head",
       "<html>\n" + Layer("<p>Hi</p>") + "</html>\n",
       {"<html>\n<meta charset=\"utf-8\">\n<body>"},
       {},
       ""},
      {"a page that declares no character set, an image in another case",
       Page(Layer("<img src=\"pics/rose.gif\">"), ""),
       {"<head>\n<meta charset=\"utf-8\">\n<title>",
        "<img src=\"Pics/Rose.gif\">"},
       {},
       ""},
  };
  for (const Case& c : kCases) {
    const htmlmemdoc::PageExport exported = Export(c.page, c.flash);
    EXPECT_FALSE(exported.refusal) << c.what << ": " << exported.refusal.why;
    for (const std::string& part : c.has)
      EXPECT_NE(std::string::npos, exported.bytes.find(part))
          << c.what << ": no " << part << " in\n"
          << exported.bytes;
    for (const std::string& part : c.lacks)
      EXPECT_EQ(std::string::npos, exported.bytes.find(part))
          << c.what << ": " << part << " in\n"
          << exported.bytes;
    const bool silent = *c.silent != '\0';
    ASSERT_FALSE(exported.media.empty() && silent) << c.what;
    if (!exported.media.empty()) {
      EXPECT_EQ(!silent, exported.media.front().plays) << c.what;
      EXPECT_EQ(c.silent, exported.media.front().why) << c.what;
    }
  }
}

// Only what is replaced changes: a page with CR LF line ends keeps every
// other byte, and what is put in has CR LF too.
TEST_F(ExportPageTest, KeepsEveryOtherByte) {
  const std::string page =
      "<html>\r\n<head>\r\n<title>t</title>\r\n</head>\r\n<body>\r\n"
      "<div id=\"V\" style=\"position:absolute; left:1px; top:2px\">\r\n"
      "<a href=\"x.htm\" onMouseOver=\"swap()\"><img dynsrc=\"clip.mpg\" "
      "src=\"poster.gif\"></a></div>\r\n</body>\r\n</html>\r\n";
  const htmlmemdoc::PageExport exported = Export(page);
  EXPECT_EQ(
      "<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>t</title>\r\n"
      "</head>\r\n<body>\r\n<div id=\"V\" style=\"position:absolute; "
      "left:1px; top:2px\">\r\n<a href=\"x.htm\" onMouseOver=\"swap()\">"
      "<video src=\"clip.mp4\" poster=\"poster.gif\" controls playsinline "
      "preload=\"metadata\" autoplay muted></video></a></div>\r\n</body>\r\n"
      "</html>\r\n",
      exported.bytes);
  EXPECT_EQ(1u, exported.layers);
  EXPECT_TRUE(exported.charsetAdded);
}

}  // namespace
