#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"

namespace {

std::string Render(const CHtmlMemDoc& document) {
  CString text;
  EXPECT_EQ(1, document.RenderToString(text, 0, nullptr));
  return static_cast<const char*>(text);
}

// Whole pages are compared in the golden tests; these are the sections
// that only appear or vanish in small documents.
TEST(RenderingTest, SectionsAppearOnlyWithTheirContent) {
  struct Case {
    const char* page;
    const char* want;
  };
  const Case kCases[] = {
      {"<html>", "<html>\n<head>\n\n</head></html>"},
      {"<html><title></title><bgsound src=a.mid>",
       "<html>\n<head>\n\n<title></title>\n\n</head><bgsound src=a.mid>\n"
       "</html>"},
      // A frameset tag without frames is not written.
      {"<html><frameset cols=\"*\"></frameset><body></body>",
       "<html>\n<head>\n\n</head><body>\n</body>\n</html>"},
      // Without a body tag there is no body, and no layers.
      {"<html><frameset><frame src=a></frameset>",
       "<html>\n<head>\n\n</head><frameset>\n<frame src=a>\n</frameset>\n"
       "</html>"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    ASSERT_EQ(1, document.ReadFromString(c.page)) << c.page;
    EXPECT_EQ(c.want, Render(document)) << c.page;
  }
  CHtmlMemDoc noBody;
  noBody.AddTextLayer(new CHtmlTextLayer);
  noBody.m_styleList.AddTail(new CHtmlStyle);  // unparsed: an empty line
  EXPECT_EQ("<html>\n<head>\n\n<style>\n\n</style>\n\n</head></html>",
            Render(noBody));
}

TEST(RenderingTest, CharBufferFormIsACopyTheCallerFrees) {
  CHtmlMemDoc document;
  document.m_title.Init("<title>T</title>");
  char* text = nullptr;
  ASSERT_EQ(1, document.RenderToString(text, 0, nullptr));
  EXPECT_EQ(Render(document), std::string(text));
  ::operator delete(text);
}

TEST(RenderToFileTest, WritesCrLfAndReportsOnlyWriteErrors) {
  CHtmlMemDoc document;
  const std::string path = ::testing::TempDir() + "htmlmemdoc_render.htm";
  MessageLog log;
  ASSERT_EQ(1, document.RenderToFile(path.c_str(), 0, nullptr));
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ("<html>\r\n<head>\r\n\r\n</head></html>", bytes.str());
  std::remove(path.c_str());

  EXPECT_EQ(0, document.RenderToFile("/nonexistent/dir/x.htm", 0, nullptr));
  EXPECT_EQ(0, document.RenderToFile(nullptr, 0, nullptr));
  EXPECT_EQ("", log.Joined());  // no message when the file cannot be opened
  EXPECT_EQ(0, document.RenderToFile("/dev/full", 0, nullptr));
  EXPECT_EQ("Disk full while writing /dev/full. (No space left on device)",
            log.Joined());
}

}  // namespace
