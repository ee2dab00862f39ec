#include "htmlmemdoc/core/text_base.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "htmlmemdoc/elements/head_elements.h"
#include "tests/support/support.h"

namespace {

TEST(GetAttributeTest, ReadsTheValueOfTheFirstTokenNamedSo) {
  struct Case {
    const char* markup;
    const char* tag;
    const char* attr;
    int size;          // of the buffer
    const char* want;  // the value, or "<fail>"
  };
  const Case kCases[] = {
      {"<img src=\"a.gif\">", "img", "SRC", 256, "a.gif"},
      {"<img src=\"a.gif\">", "Img", "src", 256, "a.gif"},   // lower form
      {"<Img src=\"a.gif\">", "img", "src", 256, "<fail>"},  // mixed-case tag
      {"<img src=a.gif border = 0>", "img", "border", 256, "0"},
      {"<a href=a.htm;b>", "a", "href", 256, "a.htm"},
      {"<a href=\"open", "a", "href", 256, "open"},  // runs to the end
      {"<img src= \"a.gif\" width=5>", "img", "src", 256, "a.gif"},
      {"<td width==5>", "td", "width", 256, "5"},  // separators skipped
      {"<img src=;a.gif>", "img", "src", 256, "a.gif"},
      {"<frameset><frame src=f>", "frame", "src", 256, "<fail>"},
      // Only the first token equal to the name is a candidate.
      {"<img alt=\"x src\" src=\"a.gif\">", "img", "src", 256, "<fail>"},
      {"<td nowrap width=5>", "td", "nowrap", 256, "<fail>"},
      {"<td nowrap width=5>", "td", "width", 256, "5"},
      {"<td nowrap>", "td", "nowrap", 256, "<fail>"},
      {"<img src=a.gif> <p width=3>", "img", "width", 256, "<fail>"},
      {"<img src", "img", "width", 256, "<fail>"},
      // The value must fit with its NUL.
      {"<a b=\"abc\">", "a", "b", 4, "abc"},
      {"<a b=\"abcd\">", "a", "b", 4, "<fail>"},
      {"<a b=abcd>", "a", "b", 4, "<fail>"},
  };
  for (const Case& c : kCases) {
    CHtmlTextBase element;
    element.Init(c.markup);
    std::string buffer(static_cast<size_t>(c.size), 'x');
    const int ok = element.GetAttribute(c.tag, c.attr, &buffer[0], c.size);
    EXPECT_EQ(c.want, ok ? std::string(buffer.c_str()) : "<fail>") << c.markup;
    if (!ok) {
      EXPECT_STREQ("", buffer.c_str()) << c.markup;  // emptied
    }
  }
  CHtmlTextBase element;
  element.Init("<a b=c>");
  EXPECT_EQ(0, element.GetAttribute("a", "b", static_cast<char*>(nullptr), 4));
  char buffer[1] = {'x'};
  EXPECT_EQ(0, element.GetAttribute("a", "b", buffer, 0));
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

TEST(SetAttributeTest, ReplacesOrInsertsOrLeavesTheTextAsItWas) {
  struct Case {
    const char* markup;
    const char* tag;
    const char* attr;
    const char* value;
    const char* want;  // null: refused, markup unchanged
  };
  const Case kCases[] = {
      {"<img src=a.gif border = 0>", "img", "border", "2",
       "<img src=a.gif border=\"2\">"},
      {"<img src=a border=\"2\">", "img", "Width", "5",
       "<img src=a border=\"2\" Width=\"5\">"},
      {"<img src= \"a.gif\" width=5>", "img", "src", "b.gif",
       "<img src=\"b.gif\" width=5>"},
      {"<img SRC=a>", "img", "src", "b", "<img SRC=\"b\">"},  // name kept
      {"<img src=\"\">", "img", "src", "x", "<img src=\"x\">"},
      {"<img\fsrc=a>", "img", "src", "b", "<img\fsrc=\"b\">"},  // \f splits
      {"<img>tail", "img", "alt", "a\"b", "<img alt=\"a\"b\">tail"},  // as is
      {"<body>", "body", "bgcolor", nullptr, "<body bgcolor=\"\">"},
      {"<td nowrap>", "td", "nowrap", "x", "<td nowrap nowrap=\"x\">"},
      {"<td nowrap width=5>", "td", "nowrap", "x", nullptr},
      {"<img src=a", "img", "alt", "x", nullptr},  // no ">"
      {"<img src=a", "img", "src", "x", nullptr},
      {"<p>x</p>", "img", "alt", "x", nullptr},       // no such tag
      {"<img src=\"a>", "img", "src", "x", nullptr},  // unclosed
      {"<img src=>", "img", "src", "x", nullptr},     // no value
      {"<img alt=\"src=y\" src=a>", "img", "src", "x", nullptr},
      {"<img>", "img", "", "x", nullptr},
      {"<img>", "img", "a b", "x", nullptr},
      {"<img>", "img", "a>", "x", nullptr},
  };
  for (const Case& c : kCases) {
    CHtmlTextBase element;
    element.Init(c.markup);
    EXPECT_EQ(c.want != nullptr, element.SetAttribute(c.tag, c.attr, c.value))
        << c.markup;
    EXPECT_STREQ(c.want ? c.want : c.markup, static_cast<const char*>(element));
  }
  CHtmlTextBase empty;
  EXPECT_EQ(0,
            empty.SetAttribute(CString("img"), CString("src"), CString("x")));
  EXPECT_EQ(nullptr, static_cast<const char*>(empty));
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
  element.Reset();
  EXPECT_EQ(nullptr, static_cast<const char*>(element));
  // The string form runs the subclass's limit: scripts take 65535 bytes.
  CHtmlScript script;
  CHtmlTextBase& base = script;
  CString text(std::string(65535, 's').c_str());
  EXPECT_EQ(1, base.Init(text));
  text += "s";
  EXPECT_EQ(0, base.Init(text));
}

}  // namespace
