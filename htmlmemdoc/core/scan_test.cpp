#include "htmlmemdoc/core/scan.h"

#include <gtest/gtest.h>

#include <string>

namespace htmlmemdoc {
namespace {

TEST(FindNoCaseTest, MatchesTheNeedleAsWrittenLowerOrUpper) {
  struct Case {
    const char* text;
    const char* a;
    const char* b;
    const char* c;
    long want;  // offset of the hit, or -1
  };
  const Case kCases[] = {
      {"xx<BODY>", "<body", nullptr, nullptr, 2},
      {"xx<Body>", "<body", nullptr, nullptr, -1},  // mixed case in the text
      {"<bODY>", "<Body", nullptr, nullptr, -1},
      {"<Body>", "<Body", nullptr, nullptr, 0},             // as written
      {"<BODY> ... <body>", "<body", nullptr, nullptr, 0},  // earliest hit
      {"<bo", "<body", nullptr, nullptr, -1},  // the text ends inside it
      {"", "<", nullptr, nullptr, -1},
      // Up to three parts make the needle.
      {"xx<BODY>", "<", "body", nullptr, 2},
      {"ab <Frame", nullptr, "<Fr", "ame", 3},
      {"abc", nullptr, nullptr, nullptr, 0},
      {"abc", "", "", "", 0},
      // Never inside a multi-byte character: "\xC3\xA9" is an e acute.
      {"\xC3\xA9", "\xA9", nullptr, nullptr, -1},
      {"\xC3\xA9\xA9", "\xA9", nullptr, nullptr, 2},
      {"a\xC3\xA9", "\xC3\xA9", nullptr, nullptr, 1},
      {"a\xE2\x80\xA6", "a\xE2\x80", nullptr, nullptr, -1},  // ends inside
      {"\xC2\x80"
       "a",
       "\x80"
       "a",
       nullptr, nullptr, -1},  // starts inside
  };
  for (const Case& c : kCases) {
    const char* hit = FindNoCase(c.text, c.a, c.b, c.c);
    EXPECT_EQ(c.want, hit != nullptr ? hit - c.text : -1) << c.text;
  }
  EXPECT_TRUE(StartsWithNoCase("<HTML>", "<html>"));
  EXPECT_TRUE(StartsWithNoCase("<html>", "<html>"));
  EXPECT_FALSE(StartsWithNoCase("<Html>", "<html>"));
  EXPECT_FALSE(StartsWithNoCase(" <html>", "<html>"));
  EXPECT_TRUE(StartsWithNoCase("</TITLE", "</", "title"));
  EXPECT_TRUE(StartsWithNoCase("anything", nullptr));
}

TEST(ScanTest, SkipsStopAtTheSetAndColumnsSaturate) {
  struct Case {
    const char* text;
    const char* set;
    long skipped;    // by SkipChars
    long skippedTo;  // by SkipToChars
  };
  const Case kCases[] = {
      {"  \t<a>", " \t\r\n", 3, 0},
      {"   ", " \t\r\n", 3, 0},
      {"title>", ">", 0, 5},
      {"abc", "", 0, 3},
      {">x", ">", 1, 0},
      {"", ">", 0, 0},
  };
  for (const Case& c : kCases) {
    const char* cursor = c.text;
    SkipChars(cursor, c.set);
    EXPECT_EQ(c.skipped, cursor - c.text) << "'" << c.text << "'";
    cursor = c.text;
    SkipToChars(cursor, c.set);
    EXPECT_EQ(c.skippedTo, cursor - c.text) << "'" << c.text << "'";
  }
  // A column saturates instead of overflowing.
  int line = 1;
  int column = 1;
  AdvanceLineColumn('\t', line, column, 2147483647);
  AdvanceLineColumn('x', line, column, 4);
  EXPECT_EQ(2147483647, column);
}

TEST(PathTest, StripDirectoryAndGetFileExtension) {
  struct Case {
    const char* path;
    const char* name;       // after StripDirectory
    const char* extension;  // from GetFileExtension
  };
  const Case kCases[] = {
      {"..\\images\\a.gif", "a.gif", ".gif"},
      {"C:/x/y/pic.jpeg", "pic.jpeg", ".jpeg"},
      {"name", "name", ""},
      {"dir\\", "", ""},
      {"a.b\\c", "c", ""},
      {"C:pic.gif", "pic.gif", ".gif"},
      {"a.tar.gz", "a.tar.gz", ".gz"},
      {".hidden", ".hidden", ".hidden"},
      {"", "", ""},
  };
  for (const Case& c : kCases) {
    CString path(c.path);
    StripDirectory(path);
    EXPECT_EQ(c.name, std::string(path)) << c.path;
    CString extension("stale");
    GetFileExtension(c.path, extension);
    EXPECT_EQ(c.extension, std::string(extension)) << c.path;
  }
  // A long path is cut at 259 bytes without splitting a character.
  CString path((std::string(258, 'a') + "\xC3\xA9.gif").c_str());
  StripDirectory(path);
  EXPECT_EQ(std::string(255, 'a'), std::string(path));
}

}  // namespace
}  // namespace htmlmemdoc
