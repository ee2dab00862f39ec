#include "htmlmemdoc/platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/platform/path.h"
#include "tests/support/code_pages.h"

namespace htmlmemdoc {
namespace {

using CodePageTest = DoubleBytePageTest;

TEST(CodePageSettingTest, TakesTheKnownPagesOnly) {
  for (int page : {932, 936, 949, 950, HTMLMEMDOC_CP_UTF8}) {
    EXPECT_EQ(0, HtmlMemDocSetCodePage(page));
    EXPECT_EQ(page, HtmlMemDocGetCodePage());
  }
  EXPECT_EQ(0, HtmlMemDocSetCodePage(932));
  for (int page : {0, 1252, 20932, -1}) {
    EXPECT_EQ(-1, HtmlMemDocSetCodePage(page)) << page;
    EXPECT_EQ(932, HtmlMemDocGetCodePage());
  }
#ifdef _WIN32
  EXPECT_EQ(0, HtmlMemDocSetCodePage(HTMLMEMDOC_CP_SYSTEM));
  EXPECT_NE(932, HtmlMemDocGetCodePage());  // wine's is 1252
#else
  EXPECT_EQ(-1, HtmlMemDocSetCodePage(HTMLMEMDOC_CP_SYSTEM));
#endif
  HtmlMemDocSetCodePage(HTMLMEMDOC_CP_UTF8);
}

// A trail byte equal to a letter is part of its character: not a match,
// not a case change, not equal to its other case.
TEST_P(CodePageTest, LetterTrailsStayInTheirCharacter) {
  const std::string text = Led("AA");
  EXPECT_EQ(2, CharLength(text.c_str()));
  EXPECT_FALSE(IsCharBoundary(text.c_str(), text.c_str() + 1));
  EXPECT_EQ(text.c_str() + 2, FindText(text.c_str(), "A"));
  EXPECT_EQ(text.c_str() + 2, FindNoCase(text.c_str(), "a"));
  EXPECT_EQ(text.c_str() + 2, FindTextIgnoringCase(text.c_str(), "a"));
  std::string lower = text;
  MakeLowerText(&lower[0]);
  EXPECT_EQ(Led("Aa"), lower);
  EXPECT_NE(0, CompareNoCase(Led("A").c_str(), Led("a").c_str()));
  EXPECT_EQ(0, CompareNoCase(Led("Ab").c_str(), Led("AB").c_str()));
  EXPECT_FALSE(EqualNoCase(Led("A").c_str(), 2, Led("a").c_str(), 2));
  // A name after a character whose trail is its first letter, and a long
  // needle (case forms) at such a place.
  const std::string markup = Led("src=x src=");
  EXPECT_EQ(markup.c_str() + 7, FindNoCase(markup.c_str(), "src="));
  const std::string longer = Led("a_rather_long_attribute_name_here=x ") +
                             "a_rather_long_attribute_name_here=";
  EXPECT_EQ(longer.c_str() + 37,
            FindNoCase(longer.c_str(), "A_RATHER_LONG_ATTRIBUTE_NAME_HERE="));
}

// A trail byte equal to "\\" or "}" neither ends a path part nor a token.
TEST_P(CodePageTest, PunctuationTrailsSplitNothing) {
  const std::string path = Led("\\x\\y");
  const std::string rule = Led("}a}b");
  const size_t single = GetParam().punctuationTrails ? 3 : 1;
  EXPECT_EQ(single, NextSeparator(path, 0));
  EXPECT_EQ(GetParam().punctuationTrails, !EndsWithSeparator(Led("\\")));
  CSpanTokenizer tokens(rule.c_str());
  CTextSpan token;
  static constexpr CByteSet kRuleEnd("}");
  ASSERT_TRUE(tokens.Next(kRuleEnd, token));
  EXPECT_EQ(single, static_cast<size_t>(token.end - token.begin));
  CSpanTokenizer named(rule.c_str());
  ASSERT_TRUE(named.Next("}", token));
  EXPECT_EQ(single, static_cast<size_t>(token.end - token.begin));
  std::string copy = rule;
  CTokenizer destructive(&copy[0]);
  EXPECT_EQ(single, std::string(destructive.Next("}")).size());
  CPathParts parts;
  SplitPath(Led("\\x").c_str(), parts);
  EXPECT_EQ(GetParam().punctuationTrails ? Led("\\x") : "x", parts.name);
}

HTMLMEMDOC_INSTANTIATE_DOUBLE_BYTE_PAGES(CodePageTest);

}  // namespace
}  // namespace htmlmemdoc
