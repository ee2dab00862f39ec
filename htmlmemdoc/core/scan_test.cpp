#include "htmlmemdoc/core/scan.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/message_log.h"

namespace htmlmemdoc {
namespace {

// Offset of FindNoCase's hit in `text`, or -1.
long Find(const char* text, const char* a, const char* b = nullptr,
          const char* c = nullptr) {
  const char* hit = FindNoCase(text, a, b, c);
  return hit != nullptr ? hit - text : -1;
}

TEST(FindNoCaseTest, MatchesTheNeedleAsWrittenLowerOrUpper) {
  struct Case {
    const char* text;
    const char* needle;
    long want;
  };
  const Case kCases[] = {
      {"xx<BODY>", "<body", 2},
      {"xx<Body>", "<body", -1},  // mixed case in the text
      {"<bODY>", "<Body", -1},
      {"<Body>", "<Body", 0},             // as written
      {"<BODY> ... <body>", "<body", 0},  // earliest hit, whatever form
      {"a <body x", "<BODY", 2},
      {"<bo", "<body", -1},  // text ends inside the needle
      {"", "<", -1},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.want, Find(c.text, c.needle)) << c.text << " / " << c.needle;
  }
}

TEST(FindNoCaseTest, JoinsUpToThreeParts) {
  EXPECT_EQ(2, Find("xx<BODY>", "<", "body", nullptr));
  EXPECT_EQ(3, Find("ab <Frame", nullptr, "<Fr", "ame"));
  EXPECT_EQ(0, Find("abc", nullptr, nullptr, nullptr));
  EXPECT_EQ(0, Find("abc", "", "", ""));
}

TEST(FindNoCaseTest, NeverStartsInsideAMultiByteCharacter) {
  // "\xC3\xA9" is é; the needle is its continuation byte.
  EXPECT_EQ(-1, Find("\xC3\xA9", "\xA9"));
  EXPECT_EQ(2, Find("\xC3\xA9\xA9", "\xA9"));
  EXPECT_EQ(1, Find("a\xC3\xA9", "\xC3\xA9"));
}

TEST(StartsWithNoCaseTest, LooksOnlyAtTheStart) {
  EXPECT_TRUE(StartsWithNoCase("<HTML>", "<html>"));
  EXPECT_TRUE(StartsWithNoCase("<html>", "<html>"));
  EXPECT_FALSE(StartsWithNoCase("<Html>", "<html>"));
  EXPECT_FALSE(StartsWithNoCase(" <html>", "<html>"));
  EXPECT_TRUE(StartsWithNoCase("</TITLE", "</", "title"));
  EXPECT_TRUE(StartsWithNoCase("anything", nullptr));
}

TEST(SkipTest, SkipCharsStopsOnTheFirstOtherByte) {
  struct Case {
    const char* text;
    const char* set;
    long moved;
  };
  const Case kCases[] = {
      {"  \t<a", " \t\r\n", 3},
      {"   ", " \t\r\n", 3},
      {"  x", "", 0},
      {"", " ", 0},
  };
  for (const Case& c : kCases) {
    const char* cursor = c.text;
    SkipChars(cursor, c.set);
    EXPECT_EQ(c.moved, cursor - c.text) << "'" << c.text << "'";
  }
}

TEST(SkipTest, SkipToCharsStopsOnTheFirstMember) {
  struct Case {
    const char* text;
    const char* set;
    long moved;
  };
  const Case kCases[] = {
      {"title>", ">", 5}, {"abc", ">", 3}, {">x", ">", 0},
      {"abc", "", 3},     {"", ">", 0},
  };
  for (const Case& c : kCases) {
    const char* cursor = c.text;
    SkipToChars(cursor, c.set);
    EXPECT_EQ(c.moved, cursor - c.text) << "'" << c.text << "'";
  }
}

TEST(AdvanceLineColumnTest, CountsEveryLineEndByteAndTabWidth) {
  const std::string text = "<html>\r\n\t<x";
  int line = 1;
  int column = 1;
  for (char c : text) AdvanceLineColumn(c, line, column, 4);
  EXPECT_EQ(3, line);    // CR and LF each count
  EXPECT_EQ(7, column);  // 1 + 4 for the tab + "<" + "x"
}

TEST(AdvanceLineColumnTest, SaturatesInsteadOfOverflowing) {
  int line = 1;
  int column = 1;
  AdvanceLineColumn('\t', line, column, 2147483647);
  AdvanceLineColumn('x', line, column, 4);
  EXPECT_EQ(2147483647, column);
}

TEST(ReportSyntaxErrorTest, ShowsLineAndColumn) {
  MessageLog log;
  ReportSyntaxError(2, 6);
  EXPECT_EQ("HTML syntax error at Ln2, Col6", log.Joined());
}

TEST(StripDirectoryTest, KeepsFileNameAndExtension) {
  struct Case {
    const char* path;
    const char* want;
  };
  const Case kCases[] = {
      {"..\\images\\a.gif", "a.gif"},
      {"C:/x/y/pic.jpeg", "pic.jpeg"},
      {"name", "name"},
      {"dir\\", ""},
      {"a.b\\c", "c"},
      {"C:pic.gif", "pic.gif"},
      {"", ""},
  };
  for (const Case& c : kCases) {
    CString path(c.path);
    StripDirectory(path);
    EXPECT_EQ(c.want, std::string(path)) << c.path;
  }
}

TEST(StripDirectoryTest, CutsLongPathsWithoutSplittingCharacters) {
  // 258 ASCII bytes and an "é" that would straddle the 259-byte cut.
  CString path((std::string(258, 'a') + "\xC3\xA9.gif").c_str());
  StripDirectory(path);
  EXPECT_EQ(std::string(255, 'a'), std::string(path));
}

TEST(GetFileExtensionTest, TakesTheLastDotOfTheFileName) {
  struct Case {
    const char* path;
    const char* want;
  };
  const Case kCases[] = {
      {"song.MID", ".MID"},         {"dir.d\\file", ""},    {"a.tar.gz", ".gz"},
      {"../audio/x.wave", ".wave"}, {".hidden", ".hidden"}, {"", ""},
  };
  for (const Case& c : kCases) {
    CString extension("stale");
    GetFileExtension(c.path, extension);
    EXPECT_EQ(c.want, std::string(extension)) << c.path;
  }
}

}  // namespace
}  // namespace htmlmemdoc
