// Every example page reads, renders, and renders the same text again after
// reading its own rendering: the layout is a fixed point after one round.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "tests/support/message_log.h"

namespace fs = std::filesystem;

namespace {

// The example pages that read; pages named "*error*" fail on purpose.
std::vector<std::string> ExamplePages() {
  std::vector<std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator("examples")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".htm" &&
        name.find("error") == std::string::npos) {
      pages.push_back(entry.path());
    }
  }
  return pages;
}

TEST(RoundTripTest, RenderingIsAFixedPointForEveryExample) {
  const std::vector<std::string> pages = ExamplePages();
  ASSERT_GE(pages.size(), 3u);
  for (const std::string& page : pages) {
    MessageLog log;
    CHtmlMemDoc first;
    ASSERT_EQ(1, first.ReadFromFile(page.c_str())) << page << log.Joined();
    CString once;
    first.RenderToString(once, 0, nullptr);
    CHtmlMemDoc second;
    ASSERT_EQ(1, second.ReadFromString(once)) << page << log.Joined();
    CString twice;
    second.RenderToString(twice, 0, nullptr);
    EXPECT_EQ(std::string(once), std::string(twice)) << page;
  }
}

}  // namespace

TEST(RoundTripTest, TheSyntaxErrorExampleFailsWhereItShould) {
  MessageLog log;
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromFile("examples/syntax_error.htm"));
  EXPECT_EQ("HTML syntax error at Ln8, Col4", log.Joined());
  EXPECT_EQ(1, document.m_textLayerList.GetCount());  // read before the fault
}
