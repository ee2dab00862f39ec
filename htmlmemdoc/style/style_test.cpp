#include "htmlmemdoc/style/style.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/style/color_names.h"
#include "htmlmemdoc/style/style_values.h"

namespace {

// Opens the parsed fields to the tests.
class StyleProbe : public CHtmlStyle {
 public:
  using CHtmlStyle::m_bClass;
  using CHtmlStyle::m_fontFamilies;
  using CHtmlStyle::m_nKind;
  using CHtmlStyle::m_strBackgroundImage;
  using CHtmlStyle::m_strBorder;
  using CHtmlStyle::m_strColor;
  using CHtmlStyle::m_strCursor;
  using CHtmlStyle::m_strFontSize;
  using CHtmlStyle::m_strFontWeight;
  using CHtmlStyle::m_strLeft;
  using CHtmlStyle::m_strName;
  using CHtmlStyle::m_strPosition;
  using CHtmlStyle::m_strTop;

  std::string Families() const {
    std::string all;
    for (int i = 0; i < m_fontFamilies.GetSize(); ++i) {
      all += std::string(i ? "|" : "") +
             static_cast<const char*>(m_fontFamilies[i]);
    }
    return all;
  }
};

TEST(StyleInitTest, RulesHaveANameAndAClassFlag) {
  StyleProbe note;
  EXPECT_EQ(1, note.Init(".note { font-size: 10pt; }"));
  EXPECT_EQ(CHtmlStyle::kRule, note.m_nKind);
  EXPECT_EQ("note", note.m_strName);
  EXPECT_EQ(1, note.m_bClass);
  EXPECT_EQ("10pt", note.m_strFontSize);
  EXPECT_STREQ(".note { font-size: 10pt; }", static_cast<const char*>(note));

  StyleProbe h1;
  EXPECT_EQ(1, h1.Init("H1{color:blue;}"));
  EXPECT_EQ("H1", h1.m_strName);
  EXPECT_EQ(0, h1.m_bClass);
  EXPECT_EQ("blue", h1.m_strColor);

  StyleProbe dots;
  EXPECT_EQ(1, dots.Init(" ..x\n{ }"));
  EXPECT_EQ("x", dots.m_strName);
  CString name;
  dots.GetStyleName(name);
  EXPECT_EQ("x", name);
}

TEST(StyleInitTest, TrailingTextMustCloseItsForm) {
  struct Case {
    const char* text;
    int ok;
  };
  const Case kCases[] = {
      {"P { color: red }", 1},
      {"P { }", 1},
      {"P { color: }", 1},
      {"P { color: red", 1},  // no fragment after the last value
      {"position:absolute; left:10px; top:20px", 1},
      {"color:red;", 1},
      {"color:red; ", 0},
      {"\"color:red; \"", 1},
      {"color:", 0},
      {"", 0},
      {"color", 0},
      {"a:b;;;:c", 1},  // an empty property name is passed over
  };
  for (const Case& c : kCases) {
    CHtmlStyle style;
    EXPECT_EQ(c.ok, style.Init(c.text)) << c.text;
  }
}

TEST(StyleInitTest, StoresValuesAsWrittenAndDropsUnknownProperties) {
  StyleProbe style;
  ASSERT_EQ(1, style.Init("colour: red; FONT-WEIGHT: Bold; cursor:hand; "
                          "border-left-width:2px; left : 5px ;top:1px"));
  EXPECT_EQ(CHtmlStyle::kInline, style.m_nKind);
  EXPECT_EQ("Bold", style.m_strFontWeight);
  EXPECT_EQ("hand", style.m_strCursor);
  EXPECT_EQ("5px", style.m_strLeft);
  EXPECT_EQ("1px", style.m_strTop);
  EXPECT_EQ("", style.m_strColor);
  EXPECT_EQ("", style.m_strName);  // inline styles have no name
}

TEST(StyleInitTest, BorderSidesKeepWhatFollowsTheWidth) {
  struct Case {
    const char* text;
    const char* border;
  };
  const Case kCases[] = {
      {"border-top: 1px solid black;", "solid black"},
      {"border-top: none;", "none"},
      {"border-bottom: 2px dotted;border-left:1px red;", "red"},
  };
  for (const Case& c : kCases) {
    StyleProbe style;
    ASSERT_EQ(1, style.Init(c.text)) << c.text;
    EXPECT_EQ(c.border, style.m_strBorder) << c.text;
  }
}

TEST(StyleInitTest, BackgroundImageTakesTheAddressInsideUrl) {
  struct Case {
    const char* value;
    const char* address;
  };
  const Case kCases[] = {
      {"url(img/bg.gif)", "img/bg.gif"},
      {"URL(x.gif)", "x.gif"},
      {"Url(x.gif)", "Url(x.gif)"},
      {"x)url(y.gif", ""},
      {"url()", ""},
      {"url(open.gif", "open.gif"},
      {"plain.gif", "plain.gif"},
  };
  for (const Case& c : kCases) {
    StyleProbe style;
    const std::string text =
        std::string("background-image: ") + c.value + "; left:3px;";
    ASSERT_EQ(1, style.Init(text.c_str())) << text;
    EXPECT_EQ(c.address, style.m_strBackgroundImage) << text;
    EXPECT_EQ("3px", style.m_strLeft) << text;  // parsing goes on
  }
  StyleProbe layer;
  ASSERT_EQ(1, layer.Init("layer-background-image:url(l.gif);"));
  EXPECT_EQ("l.gif", layer.m_strBackgroundImage);
}

TEST(StyleInitTest, FontFamilyKeepsThreePlainNames) {
  StyleProbe style;
  ASSERT_EQ(1, style.Init(
                   "font-family: \"Times New Roman\", Arial, serif, Courier;"));
  EXPECT_EQ("Times New Roman|Arial|serif", style.Families());
  EXPECT_EQ(1, style.ResetFontFamily("Verdana, \"Times New Roman\", Arial, "
                                     "Helvetica"));
  EXPECT_EQ("Verdana|Times New Roman|Arial", style.Families());
  style.ResetFontFamily("Arial; x, Courier");
  EXPECT_EQ("Courier", style.Families());
  style.ResetFontFamily(nullptr);
  EXPECT_EQ("", style.Families());
}

TEST(StyleInitTest, SecondInitOverwritesOnlyWhatItDeclares) {
  StyleProbe style;
  ASSERT_EQ(1, style.Init("font-family:Arial; left:1px; top:2px"));
  ASSERT_EQ(1, style.Init("left:9px"));
  EXPECT_EQ("9px", style.m_strLeft);
  EXPECT_EQ("2px", style.m_strTop);
  EXPECT_EQ("Arial", style.Families());
  EXPECT_STREQ("left:9px", static_cast<const char*>(style));
}

TEST(StyleInitTest, FailureKeepsWhatWasAssignedBeforeIt) {
  StyleProbe style;
  ASSERT_EQ(1, style.Init("font-family:Arial;"));
  EXPECT_EQ(0, style.Init("left:4px; font-family:Verdana; top:"));
  EXPECT_EQ("4px", style.m_strLeft);
  EXPECT_EQ("Arial", style.Families());  // the family list is not rebuilt
  EXPECT_STREQ("font-family:Arial;", static_cast<const char*>(style));
  const std::string tooLong = "left:1px;" + std::string(8192, ' ') + "\"";
  EXPECT_EQ(0, style.Init(tooLong.c_str()));
}

TEST(ColorNameTest, LooksUpWholeNamesIgnoringCase) {
  struct Case {
    const char* name;
    int found;
    unsigned long value;
  };
  const Case kCases[] = {
      {"navy", 1, 0x000080},
      {"NAVY", 1, 0x000080},
      {"fuchia", 1, 0xFF00FF},
      {"Fuchsia", 0, 0},
      {"lightgrey", 1, 0xD3D3D3},
      {"LightGray", 0, 0},
      {"cornflower", 1, 0x6495ED},
      {"CornflowerBlue", 0, 0},
      {"aqua", 1, 0x00FFFF},
      {"cyan", 1, 0x00FFFF},
      {"yellowgreen", 1, 0x9ACD32},
      {"aliceblue", 1, 0xF0F8FF},
      {" red", 0, 0},
      {"", 0, 0},
  };
  for (const Case& c : kCases) {
    unsigned long value = 0x123456;
    EXPECT_EQ(c.found, htmlmemdoc::LookupColorName(c.name, value)) << c.name;
    EXPECT_EQ(c.found ? c.value : 0x123456ul, value) << c.name;
  }
}

TEST(IdentifierTest, AcceptsLettersDigitsDashUnderscoreSpace) {
  EXPECT_TRUE(htmlmemdoc::IsPlainIdentifier("Times New Roman"));
  EXPECT_TRUE(htmlmemdoc::IsPlainIdentifier("sans-serif_2"));
  EXPECT_TRUE(htmlmemdoc::IsPlainIdentifier("\xE5\xAE\x8B\xE4\xBD\x93"));
  EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier("a\tb"));
  EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier("Arial; x"));
  EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier("cut\xE5\xAE"));
  EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier(""));
  EXPECT_FALSE(htmlmemdoc::IsPlainIdentifier(nullptr));
}

}  // namespace
