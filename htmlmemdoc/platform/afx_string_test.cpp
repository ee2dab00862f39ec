#include "htmlmemdoc/platform/afx_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CStringTest, NullCountsAsEmptyAndConversionNeverYieldsNull) {
  CString s(static_cast<const char*>(nullptr));
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_STREQ("", static_cast<const char*>(s));
  s = "x";
  s += static_cast<const char*>(nullptr);
  EXPECT_EQ("x", s);
}

TEST(CStringTest, SubstringsClampTheirArguments) {
  const CString s("abcdef");
  EXPECT_EQ("abc", s.Left(3));
  EXPECT_EQ("", s.Left(-1));
  EXPECT_EQ("abcdef", s.Left(100));
  EXPECT_EQ("cd", s.Mid(2, 2));
  EXPECT_EQ("ef", s.Mid(4, 100));
  EXPECT_EQ("", s.Mid(10));
  EXPECT_EQ("ab", s.Mid(-3, 2));
  EXPECT_EQ("ef", s.Right(2));
  EXPECT_EQ("abcdef", s.Right(99));
}

TEST(CStringTest, FindGivesByteIndexOrMinusOne) {
  const CString s("a.b.c");
  EXPECT_EQ(1, s.Find('.'));
  EXPECT_EQ(3, s.Find('.', 2));
  EXPECT_EQ(-1, s.Find('.', 99));
  EXPECT_EQ(2, s.Find("b."));
  EXPECT_EQ(-1, s.Find("x"));
  EXPECT_EQ(3, s.ReverseFind('.'));
  EXPECT_EQ(0, s.Find(""));
}

TEST(CStringTest, CaseChangesLeaveMultiByteCharactersAlone) {
  CString s("R\xC3\xA9sum\xC3\xA9");
  s.MakeUpper();
  EXPECT_EQ("R\xC3\xA9SUM\xC3\xA9", s);
  s.MakeLower();
  EXPECT_EQ("r\xC3\xA9sum\xC3\xA9", s);
}

TEST(CStringTest, ReplaceIsLeftToRightWithoutOverlap) {
  CString s("aaaa");
  EXPECT_EQ(2, s.Replace("aa", "b"));
  EXPECT_EQ("bb", s);
  CString t("x");
  EXPECT_EQ(0, t.Replace("", "y"));
  EXPECT_EQ(1, t.Replace("x", ""));
  EXPECT_EQ("", t);
}

TEST(CStringTest, TrimRemovesOnlyBytesOfTheSet) {
  CString s("; \tname\r\n");
  s.TrimLeft("; \t\r\n");
  s.TrimRight(" \t\r\n");
  EXPECT_EQ("name", s);
  CString u("  x  ");
  u.TrimLeft();
  u.TrimRight();
  EXPECT_EQ("x", u);
}

TEST(CStringTest, AtAndComparisonsAreDefinedEverywhere) {
  CString s("ab");
  EXPECT_EQ('b', s.GetAt(1));
  EXPECT_EQ('\0', s.GetAt(2));
  EXPECT_EQ('\0', s.GetAt(-1));
  s.SetAt(0, 'x');
  s.SetAt(5, 'y');
  EXPECT_EQ("xb", s);
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_TRUE("a" != CString("b"));
  EXPECT_EQ(0, CString("Abc").CompareNoCase("aBC"));
  EXPECT_EQ("ab-c", CString("ab") + '-' + "c");
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
}

}  // namespace
