#include "htmlmemdoc/platform/mbcs.h"

#include <gtest/gtest.h>

#include <string>

namespace htmlmemdoc {
namespace {

// "\xC3\xA9" is an e acute, "\xE2\x82\xAC" the euro sign.
TEST(MbcsTest, CharLengthTakesOnlyCompleteSequencesOfValidLeads) {
  struct Case {
    const char* text;
    int length;
  };
  const Case kCases[] = {
      {"a", 1},
      {"\xC3\xA9x", 2},
      {"\xE2\x82\xAC", 3},
      {"\xF0\x9F\x98\x80", 4},
      {"\xE2\x82", 1},  // cut off
      {"\xC3"
       "a",
       1},
      {"\xA9", 1},
      {"", 1},
      {"\xC1\x81", 1},
      {"\xC0\x80", 1},
      {"\xF5\x80\x80\x80", 1},
      {"\xFF\x80", 1},
      {"\xDF\xBF", 2},
      {"\xE0\xA0\x80", 3},
      {"\xEF\xBB\xBF", 3},
      {"\xF4\x8F\xBF\xBF", 4},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.length, CharLength(c.text)) << c.text;
  const char* text =
      "a\xC3\xA9\xA9"
      "b";
  EXPECT_TRUE(IsCharBoundary(text, text + 1));
  EXPECT_FALSE(IsCharBoundary(text, text + 2));     // inside the e acute
  EXPECT_TRUE(IsCharBoundary(text, text + 3));      // a stray byte after it
  EXPECT_TRUE(IsCharBoundary(text + 2, text + 2));  // the start of the text
  const char* four = "\xF0\x9F\x98\x80";
  EXPECT_FALSE(IsCharBoundary(four, four + 3));
}

// Searches and comparisons never split a character or fold one above ASCII.
TEST(MbcsTest, FindAndCompareTakeCharactersWhole) {
  const std::string text = "\xC3\xA9 \xA9";
  EXPECT_EQ(text.c_str() + 3, FindText(text.c_str(), "\xA9"));
  EXPECT_EQ(nullptr, FindText("\xC3\xA9", "\xC3"));  // half a character
  EXPECT_STREQ("b", FindText("ab", "b"));
  EXPECT_STREQ("ab", FindText("ab", ""));
  EXPECT_EQ(0, CompareNoCase("Title", "tITLE"));
  EXPECT_NE(0, CompareNoCase("\xC3\xA9", "\xC3\x89"));
  EXPECT_LT(CompareNoCase("a", "B"), 0);
}

// The tokenizer steps over the byte that ended a token even when the next
// call's delimiters do not hold it; the span form finds the same tokens.
TEST(MbcsTest, TokenizersFollowStrtok) {
  char text[] = "  a:b;;c";
  CTokenizer tokens(text);
  EXPECT_STREQ("a", tokens.Next(" :"));
  EXPECT_STREQ("b", tokens.Next(";"));
  EXPECT_STREQ("c", tokens.Next(";"));
  EXPECT_EQ(nullptr, tokens.Next(";"));
  EXPECT_EQ(nullptr, tokens.Next(";"));
  char onlyDelimiters[] = ";;;";
  EXPECT_EQ(nullptr, CTokenizer(onlyDelimiters).Next(";"));
  CSpanTokenizer spans("x=\"a b\" c");
  CTextSpan token;
  std::string seen;
  while (spans.Next(" =\"", token)) {
    seen += std::string(token.begin, token.end) + "|";
  }
  EXPECT_EQ("x|a|b|c|", seen);
}

}  // namespace
}  // namespace htmlmemdoc
