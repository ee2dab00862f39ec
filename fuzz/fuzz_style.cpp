// Style declarations: Init in both forms, every getter, rendering bare and
// framed. A bare rendering of a parsed style parses again as an inline list
// whenever it can: it is not empty, holds no "{" (which would make it a
// rule) and fits the element limit.

#include <string>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

namespace {

void ReadEverything(const CHtmlStyle& style) {
  int number = 0;
  unsigned long color = 0;
  HtmlTextAlign align = HtmlTextAlignLeft;
  HtmlPosition position = HtmlPositionAbsolute;
  HtmlVisibility visibility = HtmlVisibilityVisible;
  CString text;
  style.GetFontSize(number);
  style.GetItalic(number);
  style.GetBold(number);
  style.GetTextAlign(align);
  style.GetColor(color);
  style.GetPosition(position);
  style.GetVisibility(visibility);
  style.GetZIndex(number);
  style.GetPixelWidth(number);
  style.GetPixelHeight(number);
  style.GetPixelLeft(number);
  style.GetPixelTop(number);
  style.GetBackgroundImage(text);
  style.GetStyleName(text);
  int count = 0;
  style.GetFontFamilyCount(count);
  char small[8];
  for (int i = -1; i <= count; ++i) {
    style.GetFontFamily(i, text);
    style.GetFontFamily(i, small, sizeof small);
  }
}

// The bare rendering, after checking the framed one.
std::string Render(const CHtmlStyle& style) {
  CString framed;
  style.RenderOutputString(framed, 0);
  CString bare;
  FUZZ_CHECK(style.RenderOutputString(bare, 1));
  return static_cast<const char*>(bare);
}

void CheckReparse(const std::string& bare) {
  if (bare.empty() || bare.find('{') != std::string::npos ||
      bare.size() > CHtmlTextBase::kMaxOuterTextLength) {
    return;
  }
  CHtmlStyle again;
  FUZZ_CHECK(again.Init(bare.c_str()));
  ReadEverything(again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::string text =
      SplitInput(data, size, 1)[0];  // up to the first NUL
  const std::string forms[] = {text, "P{" + text + "}", "\"" + text + "\""};
  for (const std::string& form : forms) {
    CHtmlStyle style;
    const int parsed = style.Init(form.c_str());
    ReadEverything(style);
    const std::string bare = Render(style);
    if (parsed) CheckReparse(bare);
    style.ResetFontFamily(form.c_str());
    style.SetColor(static_cast<unsigned long>(size) * 2654435761u);
    style.SetPixelLeft(static_cast<int>(size) - 100);
    style.SetTextAlign(static_cast<HtmlTextAlign>(size % 5));
    Render(style);
  }
  return 0;
}
