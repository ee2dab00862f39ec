// The layer's in-place style accessors against the CHtmlStyle cycle they
// replace: for a style attribute and a sequence of edits from the input,
// every getter returns the same result and value as parsing the attribute
// into a CHtmlStyle, and every setter returns the same result and leaves
// the same markup as parsing, setting and rendering the attribute back;
// the box and other properties read in one look match their getters, and
// the background image and font families read in place match the
// parsed style's.

#include <string>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/layers/layer_box.h"

namespace {

// A setter through the layer and the same setter on a CHtmlStyle.
struct Edit {
  int (*layer)(CHtmlLayer&, int);
  int (*style)(CHtmlStyle&, int);
};

const Edit kEdits[] = {
    {[](CHtmlLayer& l, int v) { return l.SetPixelLeft(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetPixelLeft(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetPixelTop(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetPixelTop(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetPixelWidth(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetPixelWidth(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetPixelHeight(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetPixelHeight(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetZIndex(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetZIndex(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetFontSize(v, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetFontSize(v); }},
    {[](CHtmlLayer& l, int v) { return l.SetItalic(v & 1, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetItalic(v & 1); }},
    {[](CHtmlLayer& l, int v) { return l.SetBold(v & 1, "div"); },
     [](CHtmlStyle& s, int v) { return s.SetBold(v & 1); }},
    {[](CHtmlLayer& l, int v) {
       return l.SetColor(static_cast<unsigned long>(v) * 40503u, "div");
     },
     [](CHtmlStyle& s, int v) {
       return s.SetColor(static_cast<unsigned long>(v) * 40503u);
     }},
    {[](CHtmlLayer& l, int v) {
       return l.SetTextAlign(static_cast<HtmlTextAlign>(v % 5), "div");
     },
     [](CHtmlStyle& s, int v) {
       return s.SetTextAlign(static_cast<HtmlTextAlign>(v % 5));
     }},
    {[](CHtmlLayer& l, int v) {
       return l.SetPosition(static_cast<HtmlPosition>(v % 4), "div");
     },
     [](CHtmlStyle& s, int v) {
       return s.SetPosition(static_cast<HtmlPosition>(v % 4));
     }},
    {[](CHtmlLayer& l, int v) {
       return l.SetVisibility("div", static_cast<HtmlVisibility>(v % 5));
     },
     [](CHtmlStyle& s, int v) {
       return s.SetVisibility(static_cast<HtmlVisibility>(v % 5));
     }},
};

// A getter of a number, a flag or a keyword's number.
using NumberGetter = int (*)(const CHtmlLayer&, int&);
template <typename Enum, int (CHtmlLayer::*getter)(Enum&, const char*) const>
int KeywordNumber(const CHtmlLayer& layer, int& number) {
  Enum value{};
  const int ok = (layer.*getter)(value, "div");
  number = value;
  return ok;
}

const htmlmemdoc::StyleField kLookFields[] = {
    htmlmemdoc::kLeftField,       htmlmemdoc::kTopField,
    htmlmemdoc::kWidthField,      htmlmemdoc::kHeightField,
    htmlmemdoc::kZIndexField,     htmlmemdoc::kFontSizeField,
    htmlmemdoc::kFontStyleField,  htmlmemdoc::kFontWeightField,
    htmlmemdoc::kTextAlignField,  htmlmemdoc::kPositionField,
    htmlmemdoc::kVisibilityField, htmlmemdoc::kColorField};
const NumberGetter kLookGetters[] = {
    [](const CHtmlLayer& l, int& v) { return l.GetPixelLeft(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetPixelTop(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetPixelWidth(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetPixelHeight(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetZIndex(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetFontSize(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetItalic(v, "div"); },
    [](const CHtmlLayer& l, int& v) { return l.GetBold(v, "div"); },
    KeywordNumber<HtmlTextAlign, &CHtmlLayer::GetTextAlign>,
    KeywordNumber<HtmlPosition, &CHtmlLayer::GetPosition>,
    [](const CHtmlLayer& l, int& v) {
      HtmlVisibility visibility = HtmlVisibilityVisible;
      const int ok = l.GetVisibility("div", visibility);
      v = visibility;
      return ok;
    }};

// The properties read in one look, and the background image read in
// place, give what their getters and the parsed style give.
void CompareLook(const CHtmlLayer& layer, const CHtmlStyle& style, int parsed) {
  htmlmemdoc::CStyleValue values[12];
  htmlmemdoc::GetStyleValues(layer, "div", kLookFields, values, 12);
  for (int i = 0; i < 11; ++i) {
    int number = 0;
    const int ok = kLookGetters[i](layer, number);
    FUZZ_CHECK(values[i].ok == ok && (!ok || values[i].number == number));
  }
  unsigned long color = 0;
  const int hasColor = layer.GetColor(color, "div");
  FUZZ_CHECK(values[11].ok == hasColor &&
             (!hasColor || values[11].color == color));
  CString fast, reference;
  const int hasFast = layer.GetBackgroundImage(fast, "div");
  FUZZ_CHECK(hasFast == (parsed && style.GetBackgroundImage(reference)));
  FUZZ_CHECK(!hasFast || fast == reference);
  std::string families;
  int count = 0;
  for (int i = 0; parsed && style.GetFontFamilyCount(count) && i < count; ++i) {
    CString family;
    if (!style.GetFontFamily(i, family)) continue;
    families += (families.empty() ? "" : ", ") + std::string(family);
  }
  FUZZ_CHECK(htmlmemdoc::GetFontFamilies(layer, "div") == families);
  htmlmemdoc::CStyleValue together[12];
  FUZZ_CHECK(htmlmemdoc::GetStyleValuesAndFamilies(layer, "div", kLookFields,
                                                   together, 12) == families);
  for (int i = 0; i < 12; ++i) {
    FUZZ_CHECK(together[i].ok == values[i].ok &&
               (!values[i].ok || (together[i].number == values[i].number &&
                                  together[i].color == values[i].color)));
  }
}

// Every getter of `layer` agrees with the same getter of its parsed style.
void CompareGetters(const CHtmlLayer& layer) {
  CHtmlStyle style;
  const int parsed = layer.GetStyle("div", style);
  auto same = [parsed](int fast, int reference, long a, long b) {
    FUZZ_CHECK(fast == (parsed && reference));
    FUZZ_CHECK(!fast || a == b);
  };
  int a = -7, b = -7;
  same(layer.GetPixelLeft(a, "div"), style.GetPixelLeft(b), a, b);
  same(layer.GetPixelTop(a, "div"), style.GetPixelTop(b), a, b);
  same(layer.GetPixelWidth(a, "div"), style.GetPixelWidth(b), a, b);
  same(layer.GetPixelHeight(a, "div"), style.GetPixelHeight(b), a, b);
  // The box in one look gives what the four getters give.
  htmlmemdoc::CPixelBox box;
  int l = 0, t = 0, w = 0, h = 0;
  const int four =
      layer.GetPixelLeft(l, "div") && layer.GetPixelTop(t, "div") &&
      layer.GetPixelWidth(w, "div") && layer.GetPixelHeight(h, "div");
  FUZZ_CHECK(htmlmemdoc::GetPixelBox(layer, "div", box) == four);
  int z = 0;
  if (!layer.GetZIndex(z, "div")) z = 0;
  FUZZ_CHECK(!four || (box.left == l && box.top == t && box.width == w &&
                       box.height == h && box.zIndex == z));
  same(layer.GetZIndex(a, "div"), style.GetZIndex(b), a, b);
  same(layer.GetFontSize(a, "div"), style.GetFontSize(b), a, b);
  same(layer.GetItalic(a, "div"), style.GetItalic(b), a, b);
  same(layer.GetBold(a, "div"), style.GetBold(b), a, b);
  unsigned long ca = 7, cb = 7;
  same(layer.GetColor(ca, "div"), style.GetColor(cb), static_cast<long>(ca),
       static_cast<long>(cb));
  HtmlTextAlign aa = HtmlTextAlignLeft, ab = HtmlTextAlignLeft;
  same(layer.GetTextAlign(aa, "div"), style.GetTextAlign(ab), aa, ab);
  HtmlPosition pa = HtmlPositionRelative, pb = HtmlPositionRelative;
  same(layer.GetPosition(pa, "div"), style.GetPosition(pb), pa, pb);
  HtmlVisibility va = HtmlVisibilityVisible, vb = HtmlVisibilityVisible;
  same(layer.GetVisibility("div", va), style.GetVisibility(vb), va, vb);
  CompareLook(layer, style, parsed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::vector<std::string> pieces = SplitInput(data, size, 2);
  // A piece that starts with "<" is the whole markup; any other is the
  // value of a well-formed style attribute.
  const std::string markup =
      pieces[0].compare(0, 1, "<") == 0
          ? pieces[0]
          : "<div id=\"L\" style=\"" + pieces[0] + "\">x</div>";
  CHtmlLayer fast;
  CHtmlLayer reference;
  if (!fast.Init(markup.c_str()) || !reference.Init(markup.c_str())) return 0;
  CompareGetters(fast);
  const std::string& edits = pieces[1];
  for (size_t i = 0; i + 1 < edits.size(); i += 2) {
    const Edit& edit = kEdits[static_cast<unsigned char>(edits[i]) %
                              (sizeof kEdits / sizeof kEdits[0])];
    const int value = static_cast<signed char>(edits[i + 1]) * 37;
    CHtmlStyle style;
    const int expected = reference.GetStyle("div", style) &&
                         edit.style(style, value) &&
                         reference.SetStyle("div", style);
    FUZZ_CHECK(edit.layer(fast, value) == expected);
    FUZZ_CHECK(std::string(fast) == std::string(reference));
    CompareGetters(fast);
  }
  return 0;
}
