#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/support.h"

namespace {

TEST(HeadReadersTest, EachElementReadsToItsEndOrFailsAtItsFault) {
  struct Case {
    const char* head;  // read after "<html><head>"
    const char* want;
  };
  const Case kCases[] = {
      // The golden frame page reads a head of every shape that reads;
      // here, the faults. Opening tags are all lower or all upper case.
      {"<Title>Home</Title>", "no !HTML syntax error at Ln1, Col20"},
      {"<Meta name=x>", "no !HTML syntax error at Ln1, Col19"},
      {"<Style>p{}</style>", "no !HTML syntax error at Ln1, Col20"},
      {"<Script></script>", "no !HTML syntax error at Ln1, Col21"},
      // A title ends at its end tag, at the first other "<", or at the end.
      {"<title lang=en>Home</titles></head>",
       "ok title=<title lang=en>Home</titles>"},
      {"<title>Home</title", "ok title=<title>Home</title"},
      {"<title>runs to the end", "ok title=<title>runs to the end"},
      {"<title>a<b>b</b></title>",
       "no title=<title>a< !HTML syntax error at Ln1, Col26"},
      {"<title x", "no !HTML syntax error at Ln1, Col22"},
      // Single tags end at their first ">".
      {"<meta name=x<title>", "no !HTML syntax error at Ln1, Col26"},
      {"<meta name=x", "no !HTML syntax error at Ln1, Col26"},
      // A style block yields one rule per brace pair.
      {"<style><!--.a{}--></style>", "ok style=.a{}"},
      {"<style>p{}</stylex></head>", "ok style=p{}"},
      {"<style>p{}</style junk<b></head>", "ok style=p{}"},
      {"<style>p{}</stylexx></head>",
       "no style=p{} !HTML syntax error at Ln1, Col34"},
      {"<style>p{}", "ok style=p{}"},
      {"<style>a{x: }b{}", "ok style=a{x: }|b{}"},
      {"<style>a{color}b{left:1px}</style>", "ok style=a{color}|b{left:1px}"},
      {"<style>a{p:1}b{q:}c{r:2}</style>",  // a refused rule, others kept
       "no style=a{p:1}|c{r:2} !HTML syntax error at Ln1, Col46"},
      {"<style>p{<b>}</style>", "no !HTML syntax error at Ln1, Col23"},
      {"<style>  ", "no !HTML syntax error at Ln1, Col23"},
      {"<style", "no !HTML syntax error at Ln1, Col20"},
      // Scripts run to their end tag; those naming plumeta.js are dropped.
      {"<script>// plumeta.js</script><script>var x;</script>",
       "ok script=<script>var x;</script>"},
      {"<script>var x;", "no !HTML syntax error at Ln1, Col21"},  // start tag
      {"<script>x</script y>", "no !HTML syntax error at Ln1, Col32"},
      // The frameset block ends at the first "</frameset>"; the loop then
      // stops at the frame tag after it.
      {"</head><frameset rows=\"*,*\"><frameset cols=\"*\"><frame src=a>"
       "</frameset><frame src=b></frameset></html>",
       "no frameset=<frameset rows=\"*,*\">+2 !HTML syntax error at Ln1, "
       "Col91"},
      {"</head><frameset><frame src=a>", "no !HTML syntax error at Ln1, Col30"},
      {"</head><frameset><frame src=a></frameset x<b></html>",
       "ok frameset=<frameset>+1"},
      {"</head><body x=\"", "no !HTML syntax error at Ln1, Col30"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, ReadOutline(std::string("<html><head>") + c.head))
        << c.head;
  }
}

TEST(HeadReadersTest, ElementsOverTheirSizeLimitAreRefused) {
  const std::string meta = "<meta content=\"" + std::string(8200, 'x') + "\">";
  EXPECT_EQ("no !HTML syntax error at Ln1, Col8225",
            ReadOutline("<html>" + meta));
  const std::string script = "<script>" + std::string(65535, ' ') + "</script>";
  EXPECT_EQ("no !HTML syntax error at Ln1, Col65560",
            ReadOutline("<html>" + script));
}

TEST(HeadReadersTest, GetStyleFindsTheFirstRuleOfANameIgnoringCase) {
  CHtmlMemDoc page;
  ASSERT_EQ(1, page.ReadFromString("<html><style>.a{}.B{left:1px}b{}</style>"));
  EXPECT_EQ(page.m_styleList.GetHead(), page.GetStyle("A"));
  EXPECT_STREQ(".B{left:1px}", *page.GetStyle("b"));
  EXPECT_EQ(nullptr, page.GetStyle("missing"));
}

}  // namespace
