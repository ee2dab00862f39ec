#include "htmlmemdoc/platform/replace_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/support/support.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own (tests of several processes run at once).
std::string NewFolder(const char* name) {
  const fs::path folder =
      fs::path(::testing::TempDir()) /
      (std::string(name) + "_" + std::to_string(std::random_device{}()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder.string();
}

htmlmemdoc::WholeText TextOf(const std::string& data, bool crlf,
                             const std::string* expected) {
  htmlmemdoc::WholeText text;
  text.data = data.data();
  text.size = data.size();
  text.crlf = crlf;
  text.expected = expected;
  return text;
}

TEST(ReplaceFileTest, WritesLineEndsAsAskedOnlyOverTheExpectedBytes) {
  const std::string folder = NewFolder("htmlmemdoc_replace");
  const std::string page = folder + "/page.htm";
  const std::string before = "old\r\n";
  const std::string other = "another program's\n";
  struct Case {
    const char* what;
    bool crlf;
    const std::string* expected;  // null: replaced whatever it holds
    std::string on;               // the file's bytes before the write
    std::string want;             // after it
    bool written;
  } kCases[] = {
      {"line feeds as CR LF", true, nullptr, before, "a\r\nb\r\n", true},
      {"line feeds as they are", false, nullptr, before, "a\nb\n", true},
      {"the file as it was read", false, &before, before, "a\nb\n", true},
      {"the file written since", true, &before, other, other, false},
  };
  for (const Case& c : kCases) {
    std::ofstream(page, std::ios::binary) << c.on;
    const std::string why = htmlmemdoc::ReplaceFileWhole(
        page, TextOf("a\nb\n", c.crlf, c.expected));
    EXPECT_EQ(c.written, why.empty()) << c.what << ": " << why;
    EXPECT_EQ(c.want, ReadBytes(page)) << c.what;
  }
  // Expected bytes of a file that is gone: nothing is made in its place.
  fs::remove(page);
  EXPECT_NE("", htmlmemdoc::ReplaceFileWhole(page, TextOf("a", true, &before)));
  EXPECT_FALSE(fs::exists(page));
  EXPECT_TRUE(fs::is_empty(folder)) << "a temporary file was left behind";
  fs::remove_all(folder);
}

// Line feeds at the ends of the writer's buffer, in runs and at the end,
// each become CR LF, and nothing else changes.
TEST(ReplaceFileTest, WritesEveryLineFeedAsCrLfAcrossItsBuffer) {
  for (const size_t run : {1, 7, 65535, 65536, 65537, 200000}) {
    std::string data;
    for (size_t i = 0; data.size() < 300000; ++i)
      data += std::string(run, static_cast<char>('a' + i % 26)) + "\n\n";
    std::string want;
    for (const char c : data) want += c == '\n' ? "\r\n" : std::string(1, c);
    std::string written;
    ASSERT_TRUE(htmlmemdoc::replace_file::WriteWithCrLf(
        data.data(), data.size(), [&written](const char* p, size_t n) {
          written.append(p, n);
          return true;
        }));
    EXPECT_TRUE(written == want) << "runs of " << run;
  }
}

TEST(ReplaceFileTest, WritesANameAtTheSystemsLimit) {
  const std::string folder = NewFolder("htmlmemdoc_long_name");
  const std::string page = folder + "/" + std::string(251, 'p') + ".htm";
  EXPECT_EQ("", htmlmemdoc::ReplaceFileWhole(page, "x\n", 2));
  EXPECT_EQ("x\r\n", ReadBytes(page));
  EXPECT_EQ("", htmlmemdoc::ReplaceFileWhole(page, "y\n", 2));  // replaced
  EXPECT_EQ("y\r\n", ReadBytes(page));
  fs::remove_all(folder);
}

}  // namespace
