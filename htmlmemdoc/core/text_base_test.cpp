#include "htmlmemdoc/core/text_base.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "htmlmemdoc/elements/head_elements.h"
#include "tests/support/message_log.h"

namespace {

// GetAttribute through a buffer of `size` bytes: the value, or "<fail>".
std::string Get(const char* markup, const char* tag, const char* attr,
                int size = 256) {
  CHtmlTextBase element;
  element.Init(markup);
  std::string buffer(static_cast<size_t>(size), 'x');
  const int ok = element.GetAttribute(tag, attr, &buffer[0], size);
  return ok ? std::string(buffer.c_str()) : "<fail>";
}

// SetAttribute on `markup`: the new markup, or "<fail>" (after checking the
// markup was left as it was).
std::string Set(const char* markup, const char* tag, const char* attr,
                const char* value) {
  CHtmlTextBase element;
  element.Init(markup);
  if (element.SetAttribute(tag, attr, value)) {
    return static_cast<const char*>(element);
  }
  EXPECT_STREQ(markup, static_cast<const char*>(element));
  return "<fail>";
}

TEST(GetAttributeTest, ReadsQuotedAndUnquotedValues) {
  struct Case {
    const char* markup;
    const char* tag;
    const char* attr;
    const char* want;
  };
  const Case kCases[] = {
      {"<img src=\"a.gif\">", "img", "SRC", "a.gif"},
      {"<img src=\"a.gif\">", "IMG", "src", "a.gif"},
      {"<img src=\"a.gif\">", "Img", "src", "a.gif"},   // lower form matches
      {"<Img src=\"a.gif\">", "img", "src", "<fail>"},  // mixed-case tag
      {"<img src=a.gif border = 0>", "img", "border", "0"},
      {"<td width=100>", "td", "width", "100"},
      {"<a href=a.htm;b>", "a", "href", "a.htm"},
      {"<a href=\"\">", "a", "href", ""},
      {"<a href=\"open", "a", "href", "open"},  // runs to the end
      {"<img src= \"a.gif\" width=5>", "img", "src", "a.gif"},
      {"<p>x</p><img id=i>", "img", "id", "i"},
      {"<frameset><frame src=f>", "frame", "src", "<fail>"},  // <frameset wins
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, Get(c.markup, c.tag, c.attr)) << c.markup;
  }
}

TEST(GetAttributeTest, FirstTokenEqualToTheNameIsTheOnlyCandidate) {
  EXPECT_EQ("<fail>", Get("<img alt=\"x src\" src=\"a.gif\">", "img", "src"));
  EXPECT_EQ("<fail>", Get("<td nowrap width=5>", "td", "nowrap"));
  EXPECT_EQ("5", Get("<td nowrap width=5>", "td", "width"));
  EXPECT_EQ("<fail>", Get("<td nowrap>", "td", "nowrap"));
  EXPECT_EQ("<fail>", Get("<img src=a.gif> <p width=3>", "img", "width"));
  EXPECT_EQ("<fail>", Get("<img src", "img", "width"));  // tokens run out
}

TEST(GetAttributeTest, ValueMustFitWithItsNul) {
  EXPECT_EQ("abc", Get("<a b=\"abc\">", "a", "b", 4));
  EXPECT_EQ("<fail>", Get("<a b=\"abcd\">", "a", "b", 4));
  EXPECT_EQ("<fail>", Get("<a b=abcd>", "a", "b", 4));

  CHtmlTextBase element;
  element.Init("<a b=\"abcd\">");
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(0, element.GetAttribute("a", "b", buffer, 4));
  EXPECT_STREQ("", buffer);  // every failure leaves the empty string
  EXPECT_EQ(0, element.GetAttribute("a", "b", buffer, 0));
  EXPECT_EQ(0, element.GetAttribute("a", "b", nullptr, 4));
}

TEST(GetAttributeTest, StringFormsGoThroughA1024ByteBuffer) {
  CHtmlTextBase element;
  const std::string value1023(1023, 'v');
  element.Init(("<a b=\"" + value1023 + "\">").c_str());
  CString value("old");
  EXPECT_EQ(1, element.GetAttribute("a", "b", value));
  EXPECT_EQ(1023, value.GetLength());

  element.Init(("<a b=\"" + value1023 + "w\">").c_str());
  value = "old";
  EXPECT_EQ(0, element.GetAttribute(CString("a"), CString("b"), value));
  EXPECT_EQ("old", value);  // unchanged on failure
}

TEST(SetAttributeTest, ReplacesOrInserts) {
  struct Case {
    const char* markup;
    const char* attr;
    const char* value;
    const char* want;
  };
  const Case kCases[] = {
      {"<img src=a.gif border = 0>", "border", "2",
       "<img src=a.gif border=\"2\">"},
      {"<img src=a.gif border=\"2\">", "Width", "5",
       "<img src=a.gif border=\"2\" Width=\"5\">"},
      {"<img src= \"a.gif\" width=5>", "src", "b.gif",
       "<img src=\"b.gif\" width=5>"},
      {"<img SRC=a>", "src", "b", "<img SRC=\"b\">"},  // name keeps its case
      {"<img src=\"\">", "src", "x", "<img src=\"x\">"},
      {"<img\fsrc=a>", "src", "b", "<img\fsrc=\"b\">"},  // form feed splits
      {"<img>tail", "alt", "a\"b", "<img alt=\"a\"b\">tail"},  // not escaped
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, Set(c.markup, "img", c.attr, c.value)) << c.markup;
  }
  EXPECT_EQ("<a href=\"q.htm\" target=_top>",
            Set("<a href=\"p.htm?a=1\" target=_top>", "a", "href", "q.htm"));
  EXPECT_EQ("<body bgcolor=\"\">", Set("<body>", "body", "bgcolor", nullptr));
  EXPECT_EQ("<td nowrap nowrap=\"x\">",
            Set("<td nowrap>", "td", "nowrap", "x"));
}

TEST(SetAttributeTest, FailuresLeaveTheTextUnchanged) {
  EXPECT_EQ("<fail>", Set("<td nowrap width=5>", "td", "nowrap", "x"));
  EXPECT_EQ("<fail>", Set("<img src=a", "img", "alt", "x"));     // no ">"
  EXPECT_EQ("<fail>", Set("<p>x</p>", "img", "alt", "x"));       // no tag
  EXPECT_EQ("<fail>", Set("<img src=\"a>", "img", "src", "x"));  // unclosed
  EXPECT_EQ("<fail>", Set("<img src=>", "img", "src", "x"));     // no value
  EXPECT_EQ("<fail>", Set("<img alt=\"src=y\" src=a>", "img", "src", "x"));
  EXPECT_EQ("<fail>", Set("<img>", "img", "", "x"));
  EXPECT_EQ("<fail>", Set("<img>", "img", "a b", "x"));
  EXPECT_EQ("<fail>", Set("<img>", "img", "a>", "x"));
  CHtmlTextBase empty;
  EXPECT_EQ(0, empty.SetAttribute("img", "src", "x"));
  EXPECT_EQ(nullptr, static_cast<const char*>(empty));
}

TEST(SetAttributeTest, AValueSetIsReadBack) {
  CHtmlTextBase element;
  element.Init("<div id=L1 style=\"left:1px\"><img src=\"a.gif\"></div>");
  ASSERT_EQ(1, element.SetAttribute(CString("img"), CString("src"),
                                    CString("pics/b c.gif")));
  CString value;
  ASSERT_EQ(1, element.GetAttribute("img", "src", value));
  EXPECT_EQ("pics/b c.gif", value);
  EXPECT_STREQ("<div id=L1 style=\"left:1px\"><img src=\"pics/b c.gif\"></div>",
               static_cast<const char*>(element));
}

TEST(InitTest, LimitsAndEmptyTexts) {
  CHtmlTextBase element;
  EXPECT_EQ(nullptr, static_cast<const char*>(element));
  EXPECT_EQ(1, element.Init(std::string(8192, 'x').c_str()));
  EXPECT_EQ(0, element.Init(std::string(8193, 'y').c_str()));
  EXPECT_EQ('x', static_cast<const char*>(element)[0]);  // old text kept
  EXPECT_EQ(0, element.Init(static_cast<const char*>(nullptr)));
  EXPECT_STREQ("", static_cast<const char*>(element));  // empty, not null
  EXPECT_EQ(0, element.Init(""));
  EXPECT_STREQ("", static_cast<const char*>(element));
  element.Reset();
  EXPECT_EQ(nullptr, static_cast<const char*>(element));
}

TEST(InitTest, StringFormRunsTheSubclassLimit) {
  CHtmlScript script;
  CHtmlTextBase& base = script;
  CString text(std::string(65535, 's').c_str());
  EXPECT_EQ(1, base.Init(text));
  text += "s";
  EXPECT_EQ(0, base.Init(text));
  CHtmlMeta meta;
  EXPECT_EQ(0, meta.Init(std::string(8193, 'm').c_str()));
}

TEST(WriteToFileTest, WritesTheTextOrReportsTheFileError) {
  CHtmlTextBase element;
  CStdioFile file;
  EXPECT_EQ(0, element.WriteToFile(&file));  // no text
  element.Init("<meta a=b>\n");
  EXPECT_EQ(0, element.WriteToFile(nullptr));
  EXPECT_EQ(0, element.WriteToFile(&file));  // not open

  ASSERT_TRUE(file.Open("/dev/full", CFile::modeCreate | CFile::modeWrite));
  MessageLog log;
  EXPECT_EQ(0, element.WriteToFile(&file));
  file.Abort();
  ASSERT_EQ(1u, log.messages.size());
  EXPECT_NE(std::string::npos, log.messages[0].find("Disk full"));

  const std::string path = ::testing::TempDir() + "htmlmemdoc_element.txt";
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ(1, element.WriteToFile(&file));
  file.Close();
  CStdioFile in;
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead | CFile::typeBinary));
  CString line;
  in.ReadString(line);
  EXPECT_EQ("<meta a=b>\r", line);  // text mode wrote CR LF
  std::remove(path.c_str());
}

}  // namespace
