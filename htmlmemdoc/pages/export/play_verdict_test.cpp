#include "htmlmemdoc/pages/export/play_verdict.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"

namespace {

// Each played file is judged once, by its kind: a plain sound plays, Flash
// needs the export, a plug-in's own format plays nowhere (the editor's
// page list shows old sounds and movies judged on the bundled site).
TEST(PlayVerdictTest, JudgesEachPlayedFileOnce) {
  const char* const kCases[][2] = {
      {"<embed src=\"a.wav\">", "plays as it is"},
      {"<embed src=\"f.swf\"><embed src=\"f.swf\"><embed src=\"g.dcr\">",
       "1 file plays once exported (flash); 1 file plays in no current "
       "browser"}};
  for (const auto& [embeds, said] : kCases) {
    htmlmemdoc::PageFile file = htmlmemdoc::PageFileOf(
        "p.htm", std::string("<html>\n<head>\n</head>\n<body>\n<div id=A "
                             "style=\"left:1px\">") +
                     embeds + "</div>\n</body>\n</html>\n");
    CHtmlMemDoc document;
    ASSERT_TRUE(htmlmemdoc::LoadPage(file, document)) << embeds;
    EXPECT_EQ(said, htmlmemdoc::DescribePlayVerdict(
                        htmlmemdoc::PagePlayVerdict(document, file.text)));
  }
}

}  // namespace
