#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"
#include "tests/support/text_of.h"

namespace {

std::string Text(const CHtmlTextBase& element) {
  const char* text = element;
  return text != nullptr ? text : "<null>";
}

// Reads "<html><head>" + head into a document; returns the message shown
// (empty when none) and whether the read succeeded.
struct Reading {
  int ok;
  std::string message;
};

Reading ReadHead(CHtmlMemDoc& document, const std::string& head) {
  MessageLog log;
  const int ok = document.ReadFromString(("<html><head>" + head).c_str());
  return {ok, log.Joined()};
}

TEST(HeadReadersTest, AFullFramePageReadsIntoItsMembers) {
  MessageLog log;
  CHtmlMemDoc page;
  ASSERT_EQ(1, page.ReadFromFile("tests/data/frame_page.htm")) << log.Joined();
  EXPECT_EQ(
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
      "|<meta name=\"generator\" content=\"Layout\">"
      "|<META NAME=\"keywords\" CONTENT=\"frames, menu\">",
      Markups(page.m_metaList));
  EXPECT_EQ("<title>Frames &amp; more</title>", Text(page.m_title));
  EXPECT_EQ(
      ".title { font-family: Arial, Helvetica; font-size: 18pt; "
      "color: #336699 }|P { margin-top: 0px; margin-bottom: 0px }"
      "|.note{font-style:italic;}",
      Markups(page.m_styleList));
  EXPECT_EQ(
      "<script language=\"JavaScript\">\n"
      "function MM_swapImgRestore() { return 0; }\n</script>"
      "|<SCRIPT>var page = \"frames\";</SCRIPT >",
      Markups(page.m_scriptList));
  EXPECT_EQ(
      "<bgsound id=\"BackgroundSound\" src=\"../audio/theme.mid\" "
      "loop=\"-1\">",
      Text(page.m_bgSound));
  EXPECT_EQ("<frameset cols=\"30%,*\" border=\"0\">", Text(page.m_frameSet));
  EXPECT_EQ(2, page.m_frameSet.GetFrameCount());
  EXPECT_EQ("<null>", Text(page.m_body));
  ASSERT_NE(nullptr, page.GetStyle("TITLE"));
  EXPECT_EQ(page.m_styleList.GetTail(), page.GetStyle("note"));
  EXPECT_EQ(nullptr, page.GetStyle("missing"));
  EXPECT_EQ("", log.Joined());
}

TEST(HeadReadersTest, OpeningTagsMustBeLowerOrUpperCase) {
  CHtmlMemDoc upper;
  EXPECT_EQ(1, ReadHead(upper, "<TITLE>Home</TITLE></head>").ok);
  EXPECT_EQ("<TITLE>Home</TITLE>", Text(upper.m_title));
  struct Case {
    const char* head;
    const char* message;
  };
  const Case kCases[] = {
      {"<Title>Home</Title>", "HTML syntax error at Ln1, Col20"},
      {"<Meta name=x>", "HTML syntax error at Ln1, Col19"},
      {"<Style>p{}</style>", "HTML syntax error at Ln1, Col20"},
      {"<Script></script>", "HTML syntax error at Ln1, Col21"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    const Reading reading = ReadHead(document, c.head);
    EXPECT_EQ(0, reading.ok) << c.head;
    EXPECT_EQ(c.message, reading.message) << c.head;
  }
}

TEST(HeadReadersTest, TitleEndsAtItsEndTagOrTheFirstOtherTag) {
  struct Case {
    const char* head;
    const char* title;
  };
  const Case kCases[] = {
      {"<title>Home</title></head>", "<title>Home</title>"},
      {"<title>Home</titles></head>", "<title>Home</titles>"},
      {"<title >Home</title ></head>", "<title >Home</title >"},
      {"<title lang=en>Home</title></head>", "<title lang=en>Home</title>"},
      {"<title>Home</title", "<title>Home</title"},
      {"<title>runs to the end", "<title>runs to the end"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    const Reading reading = ReadHead(document, c.head);
    EXPECT_EQ(1, reading.ok) << c.head << ": " << reading.message;
    EXPECT_EQ(c.title, Text(document.m_title)) << c.head;
  }
  // A "<" that does not open the end tag ends the title after it, and the
  // loop then fails on the closing tag it does not know.
  CHtmlMemDoc document;
  const Reading reading = ReadHead(document, "<title>a<b>b</b></title>");
  EXPECT_EQ("<title>a<", Text(document.m_title));
  EXPECT_EQ("HTML syntax error at Ln1, Col26", reading.message);
  CHtmlMemDoc unclosed;
  EXPECT_EQ("HTML syntax error at Ln1, Col22",
            ReadHead(unclosed, "<title x").message);
}

TEST(HeadReadersTest, SingleTagsEndAtTheirFirstGreaterThan) {
  CHtmlMemDoc document;
  EXPECT_EQ(1, ReadHead(document, "<meta name=a><meta\nname=b></head>").ok);
  EXPECT_EQ("<meta name=a>|<meta\nname=b>", Markups(document.m_metaList));
  CHtmlMemDoc beforeLt;  // the fault is the "<" of the next tag
  EXPECT_EQ("HTML syntax error at Ln1, Col26",
            ReadHead(beforeLt, "<meta name=x<title>").message);
  CHtmlMemDoc atEnd;
  EXPECT_EQ("HTML syntax error at Ln1, Col26",
            ReadHead(atEnd, "<meta name=x").message);
  CHtmlMemDoc tooLong;
  const std::string meta = "<meta content=\"" + std::string(8200, 'x') + "\">";
  EXPECT_EQ(0, ReadHead(tooLong, meta).ok);
  EXPECT_TRUE(tooLong.m_metaList.IsEmpty());
}

TEST(HeadReadersTest, StyleBlocksYieldOneRulePerBrace) {
  CHtmlMemDoc document;
  const Reading reading =
      ReadHead(document,
               "<style>\n<!--\n.a { color: red }\n.b { font-size: 12pt }\n-->\n"
               "</style></head>");
  EXPECT_EQ(1, reading.ok) << reading.message;
  EXPECT_EQ(".a { color: red }|.b { font-size: 12pt }",
            Markups(document.m_styleList));

  struct Case {
    const char* head;
    int ok;
    int rules;
  };
  const Case kCases[] = {
      {"<style type=\"text/css\" >p{}</style ></head>", 1, 1},
      {"<style>p{}</stylex></head>", 1, 1},
      {"<style>p{}</stylexx></head>", 0, 1},
      {"<style>p{}", 1, 1},  // runs to the end after a rule
      {"<style>a{x: }b{}", 1, 2},
      {"<style>a{color}b{left:1px}</style>", 1, 2},
      {"<style>a{p:1}b{q:}c{r:2}</style>", 0, 2},  // refused rule, others kept
      {"<style>p{<b>}</style>", 0, 0},             // "<" inside the braces
      {"<style>  ", 0, 0},
      {"<style", 0, 0},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc doc;
    EXPECT_EQ(c.ok, ReadHead(doc, c.head).ok) << c.head;
    EXPECT_EQ(c.rules, doc.m_styleList.GetCount()) << c.head;
  }
}

TEST(HeadReadersTest, ScriptsRunToTheirEndTag) {
  CHtmlMemDoc document;
  EXPECT_EQ(1, ReadHead(document,
                        "<script src=\"plumeta.js\"></script>"
                        "<SCRIPT SRC=\"PLUMETA.JS\"></SCRIPT>"
                        "<script>var x;</script >"
                        "<script>// plumeta.js is mentioned</script></head>")
                   .ok);
  EXPECT_EQ("<script>var x;</script >", Markups(document.m_scriptList));

  CHtmlMemDoc unclosed;
  EXPECT_EQ("HTML syntax error at Ln1, Col21",  // on the start tag
            ReadHead(unclosed, "<script>var x;").message);
  CHtmlMemDoc badEnd;
  EXPECT_EQ("HTML syntax error at Ln1, Col32",
            ReadHead(badEnd, "<script>x</script y>").message);
  CHtmlMemDoc tooLong;
  const std::string script = "<script>" + std::string(65535, ' ') + "</script>";
  EXPECT_EQ(0, ReadHead(tooLong, script).ok);
  EXPECT_TRUE(tooLong.m_scriptList.IsEmpty());
}

TEST(HeadReadersTest, FramesetsEndAtTheFirstEndTag) {
  CHtmlMemDoc document;
  MessageLog log;
  // The block ends at the first "</frameset>": the outer tag, the inner
  // one as a frame, and frame a. The reading loop then stops at the frame
  // tag that follows, which it does not know.
  EXPECT_EQ(0, document.ReadFromString(
                   "<html><frameset rows=\"*,*\"><frameset cols=\"*\">"
                   "<frame src=a></frameset><frame src=b></frameset></html>"));
  EXPECT_EQ(2, document.m_frameSet.GetFrameCount());
  EXPECT_EQ("HTML syntax error at Ln1, Col78", log.Joined());

  CHtmlMemDoc unclosed;
  EXPECT_EQ(0, unclosed.ReadFromString("<html><frameset><frame src=a>"));
}

TEST(HeadReadersTest, BgSoundAndBodyTagsFillTheirMembers) {
  CHtmlMemDoc document;
  MessageLog log;
  document.ReadFromString("<html><bgsound src=a.mid><body onLoad=\"x()\">");
  EXPECT_EQ("<bgsound src=a.mid>", Text(document.m_bgSound));
  EXPECT_EQ("<body onLoad=\"x()\">", Text(document.m_body));
}

}  // namespace
