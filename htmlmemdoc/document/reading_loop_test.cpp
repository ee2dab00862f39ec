#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"

namespace {

struct ReadResult {
  int ok;
  std::string messages;  // joined by '|'
};

ReadResult Read(const char* text, int tabWidth = 4) {
  MessageLog log;
  CHtmlMemDoc document;
  document.SetTabWidth(tabWidth);
  const int ok = document.ReadFromString(text);
  return {ok, log.Joined()};
}

TEST(ReadingLoopTest, TextMustStartWithHtmlAfterBlanks) {
  struct Case {
    const char* text;
    int ok;
  };
  const Case kCases[] = {
      {"", 0},        {"   ", 0},    {"<Html>", 0},     {"<html lang=en>", 0},
      {"x<html>", 0}, {"<html>", 1}, {"  <HTML>\n", 1}, {"\r\n\t<html>text", 1},
  };
  for (const Case& c : kCases) {
    const ReadResult result = Read(c.text);
    EXPECT_EQ(c.ok, result.ok) << "'" << c.text << "'";
    EXPECT_EQ("", result.messages) << "'" << c.text << "'";  // no message
  }
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromString(static_cast<const char*>(nullptr)));
}

TEST(ReadingLoopTest, AcceptsHeadNoframesAndTheirClosingTags) {
  const char* kAccepted[] = {
      "<html><head></head></html>",
      "<HTML><HEAD lang=x></HEAD ></HTML>",
      "<html>\n<head>\n</head>\n<noframes></noframes>\n</html>\n",
      "<html>text between tags is skipped<head>more</head>",
  };
  for (const char* text : kAccepted) {
    const ReadResult result = Read(text);
    EXPECT_EQ(1, result.ok) << text;
    EXPECT_EQ("", result.messages) << text;
  }
}

TEST(ReadingLoopTest, ReportsTheFirstFaultOnceWithLineAndColumn) {
  struct Case {
    const char* text;
    int tabWidth;
    const char* message;
  };
  const Case kCases[] = {
      {"<html>\n<!-- x -->", 4, "HTML syntax error at Ln2, Col6"},
      {"<html></body>", 4, "HTML syntax error at Ln1, Col8"},
      {"<html></head x>", 4, "HTML syntax error at Ln1, Col15"},
      {"<html>\n\t<foo>", 8, "HTML syntax error at Ln2, Col14"},
      {"<html>\r\n<p>", 4, "HTML syntax error at Ln3, Col4"},
      {"<html></head", 4, "HTML syntax error at Ln1, Col14"},  // at the NUL
      {"<html><", 4, "HTML syntax error at Ln1, Col9"},
      {"<html><head>\n<link rel=x><foo>", 4, "HTML syntax error at Ln2, Col7"},
  };
  for (const Case& c : kCases) {
    const ReadResult result = Read(c.text, c.tabWidth);
    EXPECT_EQ(0, result.ok) << c.text;
    EXPECT_EQ(c.message, result.messages) << c.text;
  }
}

}  // namespace
