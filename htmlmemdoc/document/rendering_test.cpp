#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/support.h"

namespace {

std::string Render(const CHtmlMemDoc& document) {
  CString text;
  EXPECT_EQ(1, document.RenderToString(text, 0, nullptr));
  return static_cast<const char*>(text);
}

// Whole pages, small ones among them, are compared in the golden tests;
// layers and rules that no read would make are written here.
TEST(RenderingTest, LayersNeedABodyTagAndUnparsedRulesWriteAnEmptyLine) {
  CHtmlMemDoc document;
  document.AddTextLayer(new CHtmlTextLayer);
  document.m_styleList.AddTail(new CHtmlStyle);
  EXPECT_EQ("<html>\n<head>\n\n<style>\n\n</style>\n\n</head></html>",
            Render(document));
  // The char buffer form is a terminated copy the caller frees. The
  // allocator is first given back a block of its size full of 'x', which
  // it hands out again, so a missing terminator shows.
  const std::string expected = Render(document);
  void* dirty = ::operator new(expected.size() + 1);
  std::memset(dirty, 'x', expected.size() + 1);
  ::operator delete(dirty);
  char* text = nullptr;
  ASSERT_EQ(1, document.RenderToString(text, 0, nullptr));
  EXPECT_EQ(expected, std::string(text));
  ::operator delete(text);
}

TEST(RenderToFileTest, WritesCrLfAndReportsOnlyWriteErrors) {
  CHtmlMemDoc document;
  const std::string path = ::testing::TempDir() + "htmlmemdoc_render.htm";
  MessageLog log;
  ASSERT_EQ(1, document.RenderToFile(path.c_str(), 0, nullptr));
  EXPECT_EQ("<html>\r\n<head>\r\n\r\n</head></html>", ReadBytes(path));
  std::remove(path.c_str());

  // Line feeds at every place in a word, past the 64 KB buffer: the file
  // is the string rendering with each line feed as CR LF.
  std::string page = "<html><head></head><body>\n";
  for (int i = 0; i < 3000; ++i) {
    page += "<div id=\"T" + std::to_string(i) + "\"><p>" +
            std::string(static_cast<size_t>(i % 11), 'w') + "\n" +
            std::string(static_cast<size_t>(i % 7), 'v') + "</p></div>\n";
  }
  ASSERT_EQ(1, document.ReadFromString((page + "</body></html>").c_str()));
  CString rendered;
  document.RenderToString(rendered, 0, nullptr);
  std::string expected;
  for (const char* p = rendered; *p != '\0'; ++p) {
    if (*p == '\n') expected += '\r';
    expected += *p;
  }
  ASSERT_EQ(1, document.RenderToFile(path.c_str(), 0, nullptr));
  EXPECT_GT(expected.size(), 65536u);
  EXPECT_EQ(expected, ReadBytes(path));
  std::remove(path.c_str());

  EXPECT_EQ(0, document.RenderToFile("/nonexistent/dir/x.htm", 0, nullptr));
  EXPECT_EQ(0, document.RenderToFile(nullptr, 0, nullptr));
  EXPECT_EQ("", log.Joined());  // no message when the file cannot be opened
  EXPECT_EQ(0, document.RenderToFile("/dev/full", 0, nullptr));
  EXPECT_EQ("Disk full while writing /dev/full. (No space left on device)",
            log.Joined());
}

}  // namespace
