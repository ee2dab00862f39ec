#include "htmlmemdoc/pages/page/page_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "htmlmemdoc/pages/page/read_problem.h"
#include "tests/support/support.h"

namespace {

// A file read once gives the text the library's ReadFromFile reads.
TEST(PageFileTest, PageTextIsWhatReadFromFileReads) {
  const std::string path = ::testing::TempDir() + "htmlmemdoc_page_text.htm";
  for (const char* bytes :
       {"<html>", "<html>\r\n<head>\r\n", "a\rb\r", "\n\n", "x\r\ny\nz"}) {
    std::ofstream(path, std::ios::binary) << bytes;
    const htmlmemdoc::PageFile page = htmlmemdoc::ReadPageFile(path);
    CHtmlMemDoc document;
    document.SetTabWidth(1);  // no tab here; the text checks the columns
    MessageLog log;
    const int read = document.ReadFromFile(path.c_str());
    const std::string shown = log.Joined();
    CHtmlMemDoc again;
    again.SetTabWidth(1);
    EXPECT_EQ(read, again.ReadFromString(page.text.c_str())) << bytes;
    EXPECT_EQ(shown, log.Joined().substr(shown.empty() ? 0 : shown.size() + 1))
        << bytes;
  }
  std::remove(path.c_str());
  EXPECT_EQ("x\ny\nz\n", htmlmemdoc::PageTextOf("x\r\ny\nz"));
  EXPECT_EQ("a\rb\n", htmlmemdoc::PageTextOf("a\rb\r"));
}

#ifndef _WIN32
// A read of a fifo no one writes, interrupted by signals: it ends as
// unreadable when the caller says to stop, and reads what a writer sends
// later when the caller says to go on.
TEST(PageFileTest, AnInterruptedReadStopsOrGoesOnAsTheCallerSays) {
  struct sigaction action {};
  action.sa_handler = [](int) {};  // no SA_RESTART: the call ends, EINTR
  struct sigaction old {};
  ASSERT_EQ(0, sigaction(SIGUSR1, &action, &old));
  const std::string path =
      ::testing::TempDir() + "htmlmemdoc_fifo_" + std::to_string(getpid());
  for (const bool goOn : {false, true}) {
    std::remove(path.c_str());
    ASSERT_EQ(0, mkfifo(path.c_str(), 0600));
    std::atomic<int> asked{0};
    std::atomic<bool> done{false};
    htmlmemdoc::PageFile page;
    std::thread reader([&] {
      page = htmlmemdoc::ReadPageFile(path, [&] { return ++asked, goOn; });
      done = true;
    });
    while (asked == 0 && !done) {
      pthread_kill(reader.native_handle(), SIGUSR1);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (goOn) std::ofstream(path, std::ios::binary) << "<html>";
    reader.join();
    EXPECT_EQ(goOn, page.Ok()) << goOn;
    EXPECT_EQ(goOn ? "<html>\n" : "", page.text);
    EXPECT_EQ(goOn ? "" : std::strerror(EINTR), page.problem.message);
  }
  std::remove(path.c_str());
  sigaction(SIGUSR1, &old, nullptr);
}
#endif

TEST(PageFileTest, ShownNamesAreUnambiguous) {
  struct Case {
    std::string name;
    const char* want;
  };
  const Case kCases[] = {
      {"site/index.htm", "site/index.htm"},
      {"caf\xC3\xA9.htm", "caf\xC3\xA9.htm"},
      {"a: ok.htm", "\"a: ok.htm\""},
      {"new\nline.htm", "\"new\\nline.htm\""},
      {"caf\xE9 \"x\".htm", "\"caf\\xe9 \\\"x\\\".htm\""},
      {"", "\"\""},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, htmlmemdoc::ShownName(c.name, ": ")) << c.name;
  }
}

// What a refused page shows a person: where the thing found starts, what
// it is, and what a layout page holds there.
TEST(ReadProblemTest, NamesWhatStandsAtTheFaultAndWhatBelongsThere) {
  const std::string start =
      "a layout page starts with exactly <html> or <HTML>";
  const std::string body =
      "a layout page's body holds only <div> layers, comments and </body>";
  struct Case {
    const char* text;
    std::string want;
  };
  const Case kCases[] = {
      {"\xEF\xBB\xBF<html>",
       "1:1: not a page: it starts with a byte-order mark: " + start},
      {"<!DOCTYPE html>\n<html>",
       "1:1: not a page: it starts with a <!DOCTYPE> declaration: " + start},
      {"<html lang=\"en\">",
       "1:1: not a page: it starts with <html lang=\"en\">: " + start},
      {"<html>\n<head>\n\t<link rel=x>",
       "3:2: <link rel=x> in the head: a layout page's head holds title, meta, "
       "style and script only"},
      {"<html><!-- x -->",
       "1:7: a comment: a layout page holds comments only between its layers"},
      {"<html><body><center><div>x</div></center>", "1:13: <center>: " + body},
      {"<html><body>Hello", "1:13: text \"Hello\": " + body},
      {"<html><Title>x</Title>",
       "1:7: <Title>: a tag's name is written all in lower or all in upper "
       "case"},
  };
  for (const Case& c : kCases) {
    MessageLog quiet;
    CHtmlMemDoc document;
    document.ReadFromString(c.text);
    EXPECT_EQ(c.want, htmlmemdoc::DescribeProblem(
                          htmlmemdoc::DescribeRefusal(c.text, document)))
        << c.text;
  }
}

}  // namespace
