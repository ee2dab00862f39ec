#include "htmlmemdoc/platform/mbcs.h"

#include <gtest/gtest.h>

#include <string>

namespace htmlmemdoc {
namespace {

// "é" is C3 A9, "€" is E2 82 AC.
TEST(MbcsTest, CharLengthTakesOnlyCompleteSequences) {
  EXPECT_EQ(1, CharLength("a"));
  EXPECT_EQ(2, CharLength("\xC3\xA9x"));
  EXPECT_EQ(3, CharLength("\xE2\x82\xAC"));
  EXPECT_EQ(1, CharLength("\xE2\x82"));  // cut off by the end
  EXPECT_EQ(1, CharLength("\xC3"
                          "a"));     // lead without continuation
  EXPECT_EQ(1, CharLength("\xA9"));  // stray continuation
  EXPECT_EQ(1, CharLength(""));
}

TEST(MbcsTest, BoundariesFollowWhatLeadBytesClaim) {
  const char* text =
      "a\xC3\xA9\xA9"
      "b";
  EXPECT_TRUE(IsCharBoundary(text, text + 1));
  EXPECT_FALSE(IsCharBoundary(text, text + 2));     // inside "é"
  EXPECT_TRUE(IsCharBoundary(text, text + 3));      // stray byte after "é"
  EXPECT_TRUE(IsCharBoundary(text + 2, text + 2));  // start of the text
}

TEST(MbcsTest, FindTextNeverMatchesInsideACharacter) {
  // The needle is the continuation byte of "é"; only the stray one counts.
  const std::string text = "\xC3\xA9 \xA9";
  const char* hit = FindText(text.c_str(), "\xA9");
  ASSERT_NE(nullptr, hit);
  EXPECT_EQ(3, hit - text.c_str());
  // A needle that ends on a lead byte does not take half of "é".
  EXPECT_EQ(nullptr, FindText("\xC3\xA9", "\xC3"));
  EXPECT_STREQ("b", FindText("ab", "b"));
  EXPECT_STREQ("ab", FindText("ab", ""));
}

TEST(MbcsTest, CaseFoldingTouchesOnlyAscii) {
  char text[] = "Ab\xC3\x89z";
  MakeUpperText(text);
  EXPECT_STREQ("AB\xC3\x89Z", text);
  MakeLowerText(text);
  EXPECT_STREQ("ab\xC3\x89z", text);
  EXPECT_EQ(0, CompareNoCase("Title", "tITLE"));
  EXPECT_NE(0, CompareNoCase("\xC3\xA9", "\xC3\x89"));
  EXPECT_LT(CompareNoCase("a", "B"), 0);
}

// The tokenizer steps over the byte that ended a token even when the next
// call's delimiters do not hold it.
TEST(MbcsTest, TokenizerFollowsStrtok) {
  char text[] = "  a:b;;c";
  CTokenizer tokens(text);
  EXPECT_STREQ("a", tokens.Next(" :"));
  EXPECT_STREQ("b", tokens.Next(";"));
  EXPECT_STREQ("c", tokens.Next(";"));
  EXPECT_EQ(nullptr, tokens.Next(";"));
  EXPECT_EQ(nullptr, tokens.Next(";"));

  char onlyDelimiters[] = ";;;";
  CTokenizer none(onlyDelimiters);
  EXPECT_EQ(nullptr, none.Next(";"));
}

TEST(MbcsTest, SpanTokenizerMatchesTheDestructiveOne) {
  const char* text = "x=\"a b\" c";
  CSpanTokenizer spans(text);
  CTextSpan token;
  std::string seen;
  while (spans.Next(" =\"", token)) {
    seen += std::string(token.begin, token.end) + "|";
  }
  EXPECT_EQ("x|a|b|c|", seen);
}

}  // namespace
}  // namespace htmlmemdoc
