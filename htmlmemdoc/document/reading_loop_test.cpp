// Reading a page: the top-level loop and the head and body readers it hands
// each element to, compared with ReadOutline (what went where, and where
// the fault is). The golden pages read whole pages of every shape.

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/support.h"

namespace {

struct Case {
  const char* text;  // read after the test's prefix
  const char* want;
};

template <size_t N>
void ExpectReads(const std::string& prefix, const Case (&cases)[N]) {
  for (const Case& c : cases) {
    EXPECT_EQ(c.want, ReadOutline(prefix + c.text)) << c.text;
  }
}

TEST(ReadingLoopTest, StartsAtHtmlAndReportsTheFirstFaultOnce) {
  const Case kCases[] = {
      // The text must start with "<html>" after blanks; no message if not.
      {"", "no"},
      {"   ", "no"},
      {"<Html>", "no"},
      {"<html lang=en>", "no"},
      {"x<html>", "no"},
      {"  <HTML>\n", "ok"},
      {"\r\n\t<html>text", "ok"},
      // Text between the tags the loop knows is passed over.
      {"<html>text between tags is skipped<head>more</head>", "ok"},
      // Line and column count every byte up to the fault, a tab as many
      // columns as the tab width, CR and LF a line each.
      {"<html>\n<!-- x -->", "no !Ln2, Col6"},
      {"<html></body>", "no !Ln1, Col8"},
      {"<html></head x>", "no !Ln1, Col15"},
      {"<html>\n\t<foo>", "no !Ln2, Col10"},
      {"<html>\r\n<p>", "no !Ln3, Col4"},
      {"<html></head", "no !Ln1, Col14"},  // the NUL
      {"<html><", "no !Ln1, Col9"},
      {"<html><head>\n<link rel=x><foo>", "no !Ln2, Col7"},
  };
  ExpectReads("", kCases);
  EXPECT_EQ("no !Ln2, Col14", ReadOutline("<html>\n\t<foo>", 8));
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromString(static_cast<const char*>(nullptr)));
}

TEST(HeadReadersTest, EachElementReadsToItsEndOrFailsAtItsFault) {
  const Case kCases[] = {
      // The golden frame page reads a head of every shape that reads;
      // here, the faults. Opening tags are all lower or all upper case.
      {"<Title>Home</Title>", "no !Ln1, Col20"},
      {"<Meta name=x>", "no !Ln1, Col19"},
      {"<Style>p{}</style>", "no !Ln1, Col20"},
      {"<Script></script>", "no !Ln1, Col21"},
      // A title ends at its end tag, at the first other "<", or at the end.
      {"<title lang=en>Home</titles></head>",
       "ok title=<title lang=en>Home</titles>"},
      {"<title>Home</title", "ok title=<title>Home</title"},
      {"<title>runs to the end", "ok title=<title>runs to the end"},
      {"<title>a<b>b</b></title>", "no title=<title>a< !Ln1, Col26"},
      {"<title x", "no !Ln1, Col22"},
      // Single tags end at their first ">".
      {"<meta name=x<title>", "no !Ln1, Col26"},
      {"<meta name=x", "no !Ln1, Col26"},
      // A style block yields one rule per brace pair.
      {"<style><!--.a{}--></style>", "ok style=.a{}"},
      {"<style>p{}</stylex></head>", "ok style=p{}"},
      {"<style>p{}</style junk<b></head>", "ok style=p{}"},
      {"<style>p{}</stylexx></head>", "no style=p{} !Ln1, Col34"},
      {"<style>p{}", "ok style=p{}"},
      {"<style>a{x: }b{}", "ok style=a{x: }|b{}"},
      {"<style>a{color}b{left:1px}</style>", "ok style=a{color}|b{left:1px}"},
      {"<style>a{p:1}b{q:}c{r:2}</style>",  // a refused rule, others kept
       "no style=a{p:1}|c{r:2} !Ln1, Col46"},
      {"<style>p{<b>}</style>", "no !Ln1, Col23"},
      {"<style>  ", "no !Ln1, Col23"},
      {"<style", "no !Ln1, Col20"},
      // Scripts run to their end tag; those naming plumeta.js are dropped.
      {"<script>// plumeta.js</script><script>var x;</script>",
       "ok script=<script>var x;</script>"},
      {"<script>var x;", "no !Ln1, Col21"},  // start tag
      {"<script>x</script y>", "no !Ln1, Col32"},
      // The frameset block ends at the first "</frameset>"; the loop then
      // stops at the frame tag after it.
      {"</head><frameset rows=\"*,*\"><frameset cols=\"*\"><frame src=a>"
       "</frameset><frame src=b></frameset></html>",
       "no frameset=<frameset rows=\"*,*\">+2 !Ln1, "
       "Col91"},
      {"</head><frameset><frame src=a>", "no !Ln1, Col30"},
      {"</head><frameset><frame src=a></frameset x<b></html>",
       "ok frameset=<frameset>+1"},
      {"</head><body x=\"", "no !Ln1, Col30"},
  };
  ExpectReads("<html><head>", kCases);
  const std::string meta = "<meta content=\"" + std::string(8200, 'x') + "\">";
  EXPECT_EQ("no !Ln1, Col8225", ReadOutline("<html>" + meta));
  const std::string script = "<script>" + std::string(65535, ' ') + "</script>";
  EXPECT_EQ("no !Ln1, Col65560", ReadOutline("<html>" + script));
}

TEST(BodyReaderTest, FilesEachBlockByWhatItHoldsOrFailsAtTheFault) {
  const Case kCases[] = {
      // The golden layers page reads blocks of every kind; here, what
      // decides
      // a kind at the edges, and the faults.
      {"<div>\n<p>text</p><IMG src=a.gif></div>",
       "ok body=<body> image=<div>\n<p>text</p><IMG src=a.gif></div>"},
      {"<div><param name=x value=y>text</div><div><P>y</P></div>",
       "ok body=<body> text=<div><param name=x value=y>text</div>|"
       "<div><P>y</P></div>"},
      // An audio embed must be a live-audio layer, which needs
      // "mastersound".
      {"<div><embed src=\"s.mid\" type=\"audio/midi\"></div>",
       "no body=<body> !Ln1, Col62"},
      {"<div><div><img src=in.gif></div></div>",
       "ok body=<body> image=<div><div><img src=in.gif></div></div>"},
      // Another tag goes back to the reading loop.
      {"<div>x</div><script>s</script></html>",
       "ok script=<script>s</script> body=<body> plain=<div>x</div>"},
      {"</body></html>", "ok body=<body>"},
      {"Hello</body>", "no body=<body> !Ln1, Col14"},
      {"<div>x</div x></body>", "no body=<body> !Ln1, Col26"},
      {"<div>x<div>y</div></body>", "no body=<body> !Ln1, Col18"},
      {"<!-- a > b --><div>x</div>", "no body=<body> !Ln1, Col23"},
      {"<!-- open", "no body=<body> !Ln1, Col23"},
      {"<p>x</p><div>y</div>", "no body=<body> !Ln1, Col14"},
      {"<div>x</div></body x>",
       "no body=<body> plain=<div>x</div> !Ln1, Col33"},
      {"", "no body=<body> !Ln1, Col14"},
      {"<Div>x</Div>", "no body=<body> !Ln1, Col18"},
  };
  ExpectReads("<html><body>", kCases);
  // A block the layer refuses (too long) stops the read after it.
  const std::string big = "<div>" + std::string(8200, 'x') + "</div>";
  EXPECT_EQ("no body=<body> text=<div><p>a</p></div> !Ln1, Col8244",
            ReadOutline("<html><body><div><p>a</p></div>" + big));
}

TEST(HeadReadersTest, GetStyleFindsTheFirstRuleOfANameIgnoringCase) {
  CHtmlMemDoc page;
  ASSERT_EQ(1, page.ReadFromString("<html><style>.a{}.B{left:1px}b{}</style>"));
  EXPECT_EQ(page.m_styleList.GetHead(), page.GetStyle("A"));
  EXPECT_STREQ(".B{left:1px}", *page.GetStyle("b"));
  EXPECT_EQ(nullptr, page.GetStyle("missing"));
}

// The reason and offset of a failed read, as data beside the message.
std::string ReasonOf(const std::string& text) {
  MessageLog log;
  CHtmlMemDoc document;
  document.ReadFromString(text.c_str());
  const CHtmlReadError& error = document.GetReadError();
  return std::to_string(error.reason) + "@" + std::to_string(error.offset);
}

TEST(ReadingLoopTest, TellsWhyAndWhereAReadFailed) {
  const std::string big(8200, 'x');
  struct Case {
    std::string text;
    const char* want;
  };
  const Case kCases[] = {
      // reason@offset, the reasons of read_record.h in their order
      {"<html><title>T</title></html>", "0@0"},
      {"  <Html>", "1@2"},
      {"<html><link rel=x>", "3@11"},
      {"<html><Title>", "4@12"},
      {"<html><meta name=x", "5@18"},
      {"<html><script>x", "6@13"},
      {"<html><meta content=\"" + big + "\">", "7@8223"},
      {"<html><body>Hello", "8@12"},
      {"<html><body><div><embed src=s type=audio/midi></div>", "9@52"},
      {"<html><style>a{p:1}b{q:}</style>", "10@32"},
      {"<html><body><div>x", "6@16"},
      {"<html><body><div>x</div x>", "5@24"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.want, ReasonOf(c.text)) << c.text;
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromFile("/nonexistent/page.htm"));
  EXPECT_EQ(HtmlReadCannotOpen, document.GetReadError().reason);
}

// Each recorded stretch as a letter for its kind (Element, Tag, teXt,
// Comment, Dropped, Replaced) and its text.
std::string Items(const std::string& text) {
  CHtmlMemDoc document;
  document.ReadFromString(text.c_str());
  std::string all;
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    all += std::string(all.empty() ? "" : " ") + " ETXCDR"[item.kind] +
           text.substr(item.begin, item.end - item.begin);
  }
  return all;
}

TEST(ReadingLoopTest, RecordsEveryStretchInPageOrder) {
  EXPECT_EQ(
      "T<html> T<head lang=x> R<title>A</title> E<title>B</title> "
      "D<script src=plumeta.js></script> T</head> X junk  E<body> C<!-- c --> "
      "E<div>x</div> T</body> T</html>",
      Items("<html><head lang=x><title>A</title><title>B</title>"
            "<script src=plumeta.js></script></head> junk <body>"
            "<!-- c --><div>x</div></body></html>"));
  // The comment around a style block's rules is part of the block.
  EXPECT_EQ("T<html> T<style> Ep{} E-- q{} T</style>",
            Items("<html><style><!-- p{} -- q{} --></style>"));
}

}  // namespace
