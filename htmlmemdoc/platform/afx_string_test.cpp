#include "htmlmemdoc/platform/afx_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CStringTest, NullCountsAsEmptyAndConversionNeverYieldsNull) {
  CString s(static_cast<const char*>(nullptr));
  EXPECT_STREQ("", static_cast<const char*>(s));
  s = "x";
  s += static_cast<const char*>(nullptr);
  EXPECT_EQ("x", s);
}

TEST(CStringTest, IndexesAreClampedToTheString) {
  const CString s("abcdef");
  struct Case {
    CString got;
    const char* want;
  };
  const Case kCases[] = {
      {s.Left(3), "abc"},   {s.Left(-1), ""},      {s.Left(100), "abcdef"},
      {s.Mid(2, 2), "cd"},  {s.Mid(4, 100), "ef"}, {s.Mid(10), ""},
      {s.Mid(-3, 2), "ab"}, {s.Right(2), "ef"},    {s.Right(99), "abcdef"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.want, c.got);
  const CString dots("a.b.c");
  const int kIndexes[][2] = {
      {dots.Find('.'), 1},      {dots.Find('.', 2), 3},
      {dots.Find('.', 99), -1}, {dots.Find('.', -5), 1},
      {dots.Find("b."), 2},     {dots.Find("x"), -1},
      {dots.Find(".c", -5), 3}, {dots.Find(".", 99), -1},
      {dots.Find(""), 0},       {dots.ReverseFind('.'), 3},
      {dots.GetAt(1), '.'},     {dots.GetAt(5), '\0'},
      {dots.GetAt(-1), '\0'},
  };
  for (const auto& index : kIndexes) EXPECT_EQ(index[1], index[0]);
  CString ab("ab");
  ab.SetAt(0, 'x');
  ab.SetAt(5, 'y');
  EXPECT_EQ("xb", ab);
}

TEST(CStringTest, CaseChangesAndComparisons) {
  CString s("R\xC3\xA9sum\xC3\xA9");
  s.MakeUpper();
  EXPECT_EQ("R\xC3\xA9SUM\xC3\xA9", s);
  s.MakeLower();
  EXPECT_EQ("r\xC3\xA9sum\xC3\xA9", s);
  EXPECT_EQ(0, CString("Abc").CompareNoCase("aBC"));
  EXPECT_EQ("ab-c", CString("ab") + '-' + "c");
}

TEST(CStringTest, ReplaceAndTrim) {
  CString s("aaaa");
  EXPECT_EQ(2, s.Replace("aa", "b"));
  EXPECT_EQ("bb", s);
  CString t("x");
  EXPECT_EQ(0, t.Replace("", "y"));
  EXPECT_EQ(1, t.Replace("x", ""));
  EXPECT_EQ("", t);
  CString u("; \tname\r\n");
  u.TrimLeft("; \t\r\n");
  u.TrimRight(" \t\r\n");
  EXPECT_EQ("name", u);
  CString v("  x  ");
  v.TrimLeft();
  v.TrimRight();
  EXPECT_EQ("x", v);
  CString blanks("   ");
  blanks.TrimRight();
  EXPECT_EQ("", blanks);
}

TEST(CStringTest, FormatAndBufferAccess) {
  CString s;
  s.Format("%dpx", -5);
  EXPECT_EQ("-5px", s);
  char* buffer = s.GetBuffer(10);
  std::snprintf(buffer, 11, "%s", "0123456789");
  s.ReleaseBuffer();
  EXPECT_EQ(10, s.GetLength());
  s.GetBuffer(3)[1] = '\0';
  s.ReleaseBuffer();
  EXPECT_EQ("0", s);
  // GetBufferSetLength keeps the old text, and a shorter length leaves no
  // old bytes behind the new end.
  std::memcpy(s.GetBufferSetLength(4) + 1, "abc", 3);
  EXPECT_EQ("0abc", s);
  s.GetBufferSetLength(2);
  EXPECT_EQ("0a", s);
  s.ReleaseBuffer();
  EXPECT_EQ(2, s.GetLength());
  CString empty;
  empty.GetBufferSetLength(0)[0] = '\0';  // writable even when empty
  EXPECT_EQ(0, empty.GetLength());
}

}  // namespace
