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

std::vector<std::string> ExamplePages() {
  std::vector<std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator("examples")) {
    if (entry.path().extension() == ".htm") pages.push_back(entry.path());
  }
  return pages;
}

TEST(RoundTripTest, RenderingIsAFixedPointForEveryExample) {
  const std::vector<std::string> pages = ExamplePages();
  ASSERT_FALSE(pages.empty());
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
