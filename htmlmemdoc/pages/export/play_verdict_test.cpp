#include "htmlmemdoc/pages/export/play_verdict.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

namespace {

// Each played file is judged once, by its kind: a plain sound plays, old
// formats and Flash need the export, a plug-in's own format plays nowhere;
// images and links are no media.
TEST(PlayVerdictTest, JudgesEachPlayedFileOnce) {
  const struct {
    const char* body;
    const char* said;
  } kCases[] = {
      {"<div id=A style=\"left:1px\"><embed src=\"a.wav\"></div>",
       "plays as it is"},
      {"<div id=A style=\"left:1px\"><img dynsrc=\"m.mpg\" src=\"p.gif\"></div>"
       "<div id=B style=\"left:1px\"><embed src=\"s.mid\" type=\"audio/midi\" "
       "mastersound></div>",
       "2 files play once exported (midi, old video)"},
      {"<div id=A style=\"left:1px\"><embed src=\"f.swf\"></div>"
       "<div id=B style=\"left:1px\"><embed src=\"f.swf\"></div>"
       "<div id=C style=\"left:1px\"><embed src=\"g.dcr\"></div>",
       "1 file plays once exported (flash); 1 file plays in no current "
       "browser"},
  };
  for (const auto& c : kCases) {
    const std::string text = std::string("<html>\n<head>\n</head>\n") +
                             "<bgsound src=\"\">\n<body>\n" + c.body +
                             "\n</body>\n</html>\n";
    htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf("p.htm", text);
    CHtmlMemDoc document;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document)) << c.body;
    EXPECT_EQ(c.said, htmlmemdoc::DescribePlayVerdict(
                          htmlmemdoc::PagePlayVerdict(document, file.text)))
        << c.body;
  }
}

}  // namespace
