#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/support.h"

namespace {

TEST(ReadingLoopTest, StartsAtHtmlAndReportsTheFirstFaultOnce) {
  struct Case {
    const char* text;
    int tabWidth;  // 0: the default, 4
    const char* want;
  };
  const Case kCases[] = {
      // The text must start with "<html>" after blanks; no message if not.
      {"", 0, "no"},
      {"   ", 0, "no"},
      {"<Html>", 0, "no"},
      {"<html lang=en>", 0, "no"},
      {"x<html>", 0, "no"},
      {"  <HTML>\n", 0, "ok"},
      {"\r\n\t<html>text", 0, "ok"},
      // Head and noframes tags and the closing tags of the loop's own.
      {"<HTML><HEAD lang=x></HEAD ></HTML>", 0, "ok"},
      {"<html>\n<head>\n</head>\n<noframes></noframes>\n</html>\n", 0, "ok"},
      {"<html>text between tags is skipped<head>more</head>", 0, "ok"},
      // Line and column count every byte up to the fault, a tab as many
      // columns as the tab width, CR and LF a line each.
      {"<html>\n<!-- x -->", 0, "no !HTML syntax error at Ln2, Col6"},
      {"<html></body>", 0, "no !HTML syntax error at Ln1, Col8"},
      {"<html></head x>", 0, "no !HTML syntax error at Ln1, Col15"},
      {"<html>\n\t<foo>", 8, "no !HTML syntax error at Ln2, Col14"},
      {"<html>\n\t<foo>", 0, "no !HTML syntax error at Ln2, Col10"},
      {"<html>\r\n<p>", 0, "no !HTML syntax error at Ln3, Col4"},
      {"<html></head", 0, "no !HTML syntax error at Ln1, Col14"},  // the NUL
      {"<html><", 0, "no !HTML syntax error at Ln1, Col9"},
      {"<html><head>\n<link rel=x><foo>", 0,
       "no !HTML syntax error at Ln2, Col7"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, ReadOutline(c.text, c.tabWidth)) << c.text;
  }
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromString(static_cast<const char*>(nullptr)));
}

}  // namespace
