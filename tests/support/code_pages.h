// code_pages.h: the double-byte code pages the tests run in, each with a
// lead byte, and a fixture that sets the page for a test and restores
// UTF-8 after it.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_CODE_PAGES_H_
#define HTMLMEMDOC_TESTS_SUPPORT_CODE_PAGES_H_

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/platform/code_page.h"

// A double-byte code page and a lead byte of it. Every page takes ASCII
// letters as trail bytes; 949 takes no punctuation ("\\", "}", "@"), so
// there such a byte stands alone behind a lead.
struct DoubleBytePage {
  int codePage;
  char lead;
  bool punctuationTrails;
};

inline const DoubleBytePage kDoubleBytePages[] = {
    {932, '\x83', true}, {936, '\x81', true},
    {949, '\x81', false}, {950, '\xA4', true}};

class DoubleBytePageTest : public ::testing::TestWithParam<DoubleBytePage> {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, HtmlMemDocSetCodePage(GetParam().codePage));
  }
  void TearDown() override { HtmlMemDocSetCodePage(HTMLMEMDOC_CP_UTF8); }
  // The lead byte followed by `text`.
  std::string Led(const std::string& text) const {
    return std::string(1, GetParam().lead) + text;
  }
};

#define HTMLMEMDOC_INSTANTIATE_DOUBLE_BYTE_PAGES(fixture)                    \
  INSTANTIATE_TEST_SUITE_P(                                                  \
      Pages, fixture, ::testing::ValuesIn(kDoubleBytePages),                 \
      [](const auto& info) {                                                 \
        return "cp" + std::to_string(info.param.codePage);                   \
      })

#endif  // HTMLMEMDOC_TESTS_SUPPORT_CODE_PAGES_H_
