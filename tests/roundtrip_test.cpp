// Every example page reads, and renders the same text again after reading
// its own rendering: the layout is a fixed point after one round. Pages
// named "*error*" fail on purpose. (The golden pages hold shapes that are
// not fixed points, such as a border side, which is written as "border".)

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"
#include "tests/support/support.h"

namespace {

TEST(RoundTripTest, RenderingIsAFixedPointForEveryPage) {
  int pages = 0;
  for (const auto& entry : std::filesystem::directory_iterator("examples")) {
    const std::string page = entry.path().string();
    if (entry.path().extension() != ".htm" ||
        page.find("error") != std::string::npos) {
      continue;
    }
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
    ++pages;
  }
  EXPECT_GE(pages, 4);
}

}  // namespace
