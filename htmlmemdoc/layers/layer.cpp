// layer.cpp: the layer base. The style accessors read and write one
// property of a start tag's style attribute. Those of a property whose
// text is short (position, size, visibility, z-index, font size, style,
// weight, alignment and colour) work in place: a getter reads the
// attribute into a CInlineStyle, a setter edits a canonical attribute as
// text or else renders the CInlineStyle with the new value, all without
// allocating. The others (font families, background image) run one cycle
// on a temporary CHtmlStyle: parse the attribute, get or set, and for a
// setter write the whole attribute back in the bare canonical form. Both
// give the same bytes.

#include "htmlmemdoc/layers/layer.h"

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/layers/layer_box.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/style/canonical_style.h"
#include "htmlmemdoc/style/inline_style.h"
#include "htmlmemdoc/style/style_values.h"

IMPLEMENT_DYNCREATE(CHtmlLayer, CHtmlTextBase)

using htmlmemdoc::CInlineStyle;
using htmlmemdoc::StyleField;

namespace {

const char* const kAlignKeywords[] = {"left", "center", "right"};

template <typename Value>
int GetThroughStyle(const CHtmlLayer& layer, const char* tag,
                    int (CHtmlStyle::*getter)(Value&) const, Value& value) {
  CHtmlStyle style;
  return layer.GetStyle(tag, style) && (style.*getter)(value);
}

template <typename Value>
int SetThroughStyle(CHtmlLayer& layer, const char* tag,
                    int (CHtmlStyle::*setter)(Value), Value value) {
  CHtmlStyle style;
  return layer.GetStyle(tag, style) && (style.*setter)(value) &&
         layer.SetStyle(tag, style);
}

// The style attribute as GetStyle reads it (a missing tag name reads as
// ""); 0 when it is absent or longer than GetStyle takes.
int GetStyleText(const CHtmlLayer& layer, const char* tag, char* text) {
  return layer.GetAttribute(tag != nullptr ? tag : "", "style", text,
                            CInlineStyle::kMaxText + 1);
}

// `convert` applied to the text of one field, as a CHtmlStyle getter does.
template <typename Convert>
int GetField(const CHtmlLayer& layer, const char* tag, StyleField field,
             Convert convert) {
  char text[CInlineStyle::kMaxText + 1];
  if (!GetStyleText(layer, tag, text)) return 0;
  htmlmemdoc::CCanonicalField spot;
  if (htmlmemdoc::FindCanonicalField(text, field, spot)) {
    if (spot.value == nullptr) return convert("");
    text[spot.end - 1 - text] = '\0';  // the value's ';'
    return convert(spot.value);
  }
  CInlineStyle style;
  return style.Read(text) && convert(style.Field(field));
}

int GetNumberField(const CHtmlLayer& layer, const char* tag, StyleField field,
                   int& value) {
  return GetField(layer, tag, field, [&value](const char* text) {
    return htmlmemdoc::ReadLeadingInt(text, value);
  });
}

template <typename Enum>
int GetKeywordField(const CHtmlLayer& layer, const char* tag, StyleField field,
                    Enum& value) {
  return GetField(layer, tag, field, [field, &value](const char* text) {
    int number = 0;
    if (!htmlmemdoc::ReadKeyword(text, field, number)) return 0;
    value = static_cast<Enum>(number);
    return 1;
  });
}

// `text`, one field's value, converted as the field's getter converts it.
int ConvertField(StyleField field, const char* text,
                 htmlmemdoc::CStyleValue& to) {
  switch (field) {
    case htmlmemdoc::kZIndexField:
      return htmlmemdoc::ReadZIndex(text, to.number);
    case htmlmemdoc::kPositionField:
    case htmlmemdoc::kVisibilityField:
    case htmlmemdoc::kTextAlignField:
      return htmlmemdoc::ReadKeyword(text, field, to.number);
    case htmlmemdoc::kFontStyleField:
      return htmlmemdoc::ReadFlag(text, "italic", to.number);
    case htmlmemdoc::kFontWeightField:
      return htmlmemdoc::ReadFlag(text, "bold", to.number);
    case htmlmemdoc::kColorField:
      return htmlmemdoc::ReadColor(text, to.color);
    default:
      return htmlmemdoc::ReadLeadingInt(text, to.number);
  }
}

// The fields from one copy of the style text: each found in place while
// the text is a bare rendering, else all from one reading. Each is read as
// its getter reads it.
void GetFieldsOf(char* text, const StyleField* fields,
                 htmlmemdoc::CStyleValue* values, int count) {
  for (int i = 0; i < count; ++i) {
    htmlmemdoc::CCanonicalField spot;
    if (!htmlmemdoc::FindCanonicalField(text, fields[i], spot)) {
      CInlineStyle style;
      const int parsed = style.Read(text);
      for (; i < count; ++i) {
        values[i].ok = parsed && ConvertField(fields[i], style.Field(fields[i]),
                                              values[i]);
      }
      return;
    }
    if (spot.value == nullptr) {
      values[i].ok = ConvertField(fields[i], "", values[i]);
      continue;
    }
    char* const cut = text + (spot.end - 1 - text);  // the value's ';'
    *cut = '\0';
    values[i].ok = ConvertField(fields[i], spot.value, values[i]);
    *cut = ';';
  }
}

struct CFieldEdit {
  StyleField field;
  const char* value;
};

// The style text `text` with one field set, in its bare canonical form:
// edited as text when it is canonical already, else read and rendered.
int EditStyleText(const char* text, char* edited, void* context) {
  const CFieldEdit& edit = *static_cast<const CFieldEdit*>(context);
  if (htmlmemdoc::EditCanonicalStyle(text, edit.field, edit.value, edited)) {
    return 1;
  }
  CInlineStyle style;
  if (!style.Read(text)) return 0;
  style.SetField(edit.field, edit.value);
  style.Render(edited);
  return 1;
}

// Sets one field to `value` (null: a value the setter refuses) and writes
// the attribute back in its bare canonical form.
int SetField(CHtmlLayer& layer, const char* tag, StyleField field,
             const char* value) {
  static_assert(CInlineStyle::kMaxRendering < CHtmlLayer::kEditedValueRoom,
                "a rendering fits the edited value");
  CFieldEdit edit{field, value};
  return value != nullptr &&
         layer.EditAttribute(tag, "style", &EditStyleText, &edit);
}

int SetNumberField(CHtmlLayer& layer, const char* tag, StyleField field,
                   const char* unit, int value) {
  return SetField(layer, tag, field, htmlmemdoc::NumberText(value, unit).text);
}

int SetKeywordField(CHtmlLayer& layer, const char* tag, StyleField field,
                    int value) {
  return SetField(layer, tag, field, htmlmemdoc::KeywordText(field, value));
}

}  // namespace

int CHtmlLayer::GetStyle(const char* tag, CHtmlStyle& style) const {
  CString value;
  if (!GetAttribute(tag, "style", value)) return 0;
  return style.Init(static_cast<const char*>(value));
}

int CHtmlLayer::SetStyle(const char* tag, CHtmlStyle& style) {
  CString text;
  style.RenderOutputString(text, 1);
  return SetAttribute(tag, "style", static_cast<const char*>(text));
}

int CHtmlLayer::GetPosition(HtmlPosition& position, const char* tag) const {
  return GetKeywordField(*this, tag, htmlmemdoc::kPositionField, position);
}
int CHtmlLayer::GetZIndex(int& z, const char* tag) const {
  return GetField(*this, tag, htmlmemdoc::kZIndexField, [&z](const char* text) {
    return htmlmemdoc::ReadZIndex(text, z);
  });
}
int CHtmlLayer::GetPixelWidth(int& v, const char* tag) const {
  return GetNumberField(*this, tag, htmlmemdoc::kWidthField, v);
}
int CHtmlLayer::GetPixelHeight(int& v, const char* tag) const {
  return GetNumberField(*this, tag, htmlmemdoc::kHeightField, v);
}
int CHtmlLayer::GetPixelLeft(int& v, const char* tag) const {
  return GetNumberField(*this, tag, htmlmemdoc::kLeftField, v);
}
int CHtmlLayer::GetPixelTop(int& v, const char* tag) const {
  return GetNumberField(*this, tag, htmlmemdoc::kTopField, v);
}
int CHtmlLayer::GetFontFamilyCount(int& count, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetFontFamilyCount, count);
}
int CHtmlLayer::GetFontFamily(int index, CString& family,
                              const char* tag) const {
  CHtmlStyle style;
  return GetStyle(tag, style) && style.GetFontFamily(index, family);
}
int CHtmlLayer::GetFontFamily(int index, char* buffer, int bufferSize,
                              const char* tag) const {
  CHtmlStyle style;
  return GetStyle(tag, style) && style.GetFontFamily(index, buffer, bufferSize);
}
int CHtmlLayer::GetFontSize(int& size, const char* tag) const {
  return GetNumberField(*this, tag, htmlmemdoc::kFontSizeField, size);
}
int CHtmlLayer::GetItalic(int& italic, const char* tag) const {
  return GetField(*this, tag, htmlmemdoc::kFontStyleField,
                  [&italic](const char* text) {
                    return htmlmemdoc::ReadFlag(text, "italic", italic);
                  });
}
int CHtmlLayer::GetBold(int& bold, const char* tag) const {
  return GetField(*this, tag, htmlmemdoc::kFontWeightField,
                  [&bold](const char* text) {
                    return htmlmemdoc::ReadFlag(text, "bold", bold);
                  });
}
int CHtmlLayer::GetTextAlign(HtmlTextAlign& align, const char* tag) const {
  return GetKeywordField(*this, tag, htmlmemdoc::kTextAlignField, align);
}
int CHtmlLayer::GetColor(unsigned long& color, const char* tag) const {
  return GetField(*this, tag, htmlmemdoc::kColorField,
                  [&color](const char* text) {
                    return htmlmemdoc::ReadColor(text, color);
                  });
}
// A style that fits the in-place reading gives its address from there; a
// longer one (or none) goes through a CHtmlStyle as before.
namespace {

// Whether "background-image" stands in `text` in any ASCII letter case,
// byte by byte: both property names that set the background image hold
// it, so a text without it has none, whatever else it reads as.
bool MayNameBackground(const char* text) {
  static const char kName[] = "background-image";
  for (const char* p = text; (p = std::strpbrk(p, "bB")) != nullptr; ++p) {
    size_t i = 1;
    while (i < sizeof kName - 1 && htmlmemdoc::ToLowerAscii(p[i]) == kName[i])
      ++i;
    if (i == sizeof kName - 1) return true;
  }
  return false;
}

}  // namespace

int CHtmlLayer::GetBackgroundImage(CString& address, const char* tag) const {
  char text[CInlineStyle::kMaxText + 1];
  if (!GetStyleText(*this, tag, text)) {
    return GetThroughStyle(*this, tag, &CHtmlStyle::GetBackgroundImage,
                           address);
  }
  if (!MayNameBackground(text)) return 0;
  CInlineStyle style;
  if (!style.Read(text)) return 0;
  const char* const found = style.Field(htmlmemdoc::kBackgroundImageField);
  if (*found == '\0') return 0;
  address = found;
  return 1;
}
int CHtmlLayer::GetBackgroundImage(char* buffer, int bufferSize,
                                   const char* tag) const {
  CString address;
  if (buffer == nullptr || !GetBackgroundImage(address, tag) ||
      bufferSize < address.GetLength() + 1) {
    return 0;
  }
  std::memcpy(buffer, static_cast<const char*>(address),
              static_cast<size_t>(address.GetLength()) + 1);
  return 1;
}
int CHtmlLayer::GetVisibility(const char* tag,
                              HtmlVisibility& visibility) const {
  return GetKeywordField(*this, tag, htmlmemdoc::kVisibilityField, visibility);
}

int CHtmlLayer::SetPosition(HtmlPosition position, const char* tag) {
  return SetKeywordField(*this, tag, htmlmemdoc::kPositionField, position);
}
int CHtmlLayer::SetZIndex(int z, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kZIndexField, "", z);
}
int CHtmlLayer::SetPixelWidth(int v, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kWidthField, "px", v);
}
int CHtmlLayer::SetPixelHeight(int v, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kHeightField, "px", v);
}
int CHtmlLayer::SetPixelLeft(int v, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kLeftField, "px", v);
}
int CHtmlLayer::SetPixelTop(int v, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kTopField, "px", v);
}
int CHtmlLayer::SetFontFamilyCount(int count, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetFontFamilyCount, count);
}
int CHtmlLayer::SetFontFamily(int index, CString family, const char* tag) {
  return SetFontFamily(index, static_cast<const char*>(family), tag);
}
int CHtmlLayer::SetFontFamily(int index, const char* family, const char* tag) {
  CHtmlStyle style;
  return GetStyle(tag, style) && style.SetFontFamily(index, family) &&
         SetStyle(tag, style);
}
int CHtmlLayer::SetFontSize(int size, const char* tag) {
  return SetNumberField(*this, tag, htmlmemdoc::kFontSizeField, "pt", size);
}
int CHtmlLayer::SetItalic(int italic, const char* tag) {
  return SetField(*this, tag, htmlmemdoc::kFontStyleField,
                  italic ? "italic" : "normal");
}
int CHtmlLayer::SetBold(int bold, const char* tag) {
  return SetField(*this, tag, htmlmemdoc::kFontWeightField,
                  bold ? "bold" : "normal");
}
int CHtmlLayer::SetTextAlign(HtmlTextAlign align, const char* tag) {
  return SetKeywordField(*this, tag, htmlmemdoc::kTextAlignField, align);
}
int CHtmlLayer::SetColor(unsigned long color, const char* tag) {
  return SetField(*this, tag, htmlmemdoc::kColorField,
                  htmlmemdoc::ColorText(color).text);
}
int CHtmlLayer::SetBackgroundImage(CString& address, const char* tag) {
  return SetThroughStyle<CString&>(*this, tag, &CHtmlStyle::SetBackgroundImage,
                                   address);
}
int CHtmlLayer::ResetFontFamily(const char* families, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::ResetFontFamily, families);
}
int CHtmlLayer::SetVisibility(const char* tag, HtmlVisibility visibility) {
  return SetKeywordField(*this, tag, htmlmemdoc::kVisibilityField, visibility);
}

int CHtmlLayer::GetAlign(HtmlTextAlign& align, const char* tag) const {
  CString value;
  if (!GetAttribute(tag, "align", value)) return 0;
  for (int i = 0; i < 3; ++i) {
    if (value.CompareNoCase(kAlignKeywords[i]) == 0) {
      align = static_cast<HtmlTextAlign>(i + 1);
      return 1;
    }
  }
  return 0;
}

int CHtmlLayer::SetAlign(HtmlTextAlign align, const char* tag) {
  if (align < HtmlTextAlignLeft || align > HtmlTextAlignRight) return 0;
  return SetAttribute(tag, "align", kAlignKeywords[align - 1]);
}

int CHtmlLayer::FlattenSwapImageSrc() {
  const char* markup = *this;
  if (markup == nullptr || *markup == '\0') return 0;
  CString working(markup);
  CString scratch(markup);
  htmlmemdoc::CTokenizer tokens(scratch.GetBuffer(scratch.GetLength()));
  const char kCallLevel[] = "\"( \t\r\n";
  const char kArgument[] = ", \t\r\n";
  int found = 0;
  for (char* token = tokens.Next(kCallLevel); token != nullptr;
       token = tokens.Next(kCallLevel)) {
    if (htmlmemdoc::CompareNoCase(token, "MM_swapImage") != 0) continue;
    if (tokens.Next(kArgument) == nullptr) continue;  // the image's name
    if (tokens.Next(kArgument) == nullptr) continue;  // its second argument
    const char* image = tokens.Next("), \t\r\n");     // the new image file
    if (image == nullptr) continue;
    CString file(image);
    file.TrimLeft(" '\t\r\n");
    file.TrimRight(" '\t\r\n");
    htmlmemdoc::StripDirectory(file);
    working.Replace(image, "'" + file + "'");
    found = 1;
  }
  if (found) ReplaceText(working, static_cast<size_t>(working.GetLength()));
  return found;
}

void htmlmemdoc::GetStyleValues(const CHtmlLayer& layer, const char* tag,
                                const StyleField* fields, CStyleValue* values,
                                int count) {
  for (int i = 0; i < count; ++i) values[i] = CStyleValue();
  char text[CInlineStyle::kMaxText + 1];
  if (GetStyleText(layer, tag, text)) GetFieldsOf(text, fields, values, count);
}

namespace {

// GetFontFamily copies a name into a buffer of this size or fails.
constexpr size_t kLongestFamily = 32;

// Appends a family name as GetFontFamily gives it, when it gives it.
void AddFamily(const char* name, std::string& families) {
  if (std::strlen(name) > kLongestFamily) return;
  if (!families.empty()) families += ", ";
  families += name;
}

// The families through a CHtmlStyle: the style attribute is absent, or
// longer than the inline reading takes.
std::string FamiliesThroughStyle(const CHtmlLayer& layer, const char* tag) {
  std::string families;
  CHtmlStyle style;
  int count = 0;
  if (!layer.GetStyle(tag, style) || !style.GetFontFamilyCount(count))
    return families;
  for (int i = 0; i < count; ++i) {
    CString family;
    if (style.GetFontFamily(i, family)) AddFamily(family, families);
  }
  return families;
}

}  // namespace

std::string htmlmemdoc::GetFontFamilies(const CHtmlLayer& layer,
                                        const char* tag) {
  return GetStyleValuesAndFamilies(layer, tag, nullptr, nullptr, 0);
}

std::string htmlmemdoc::GetStyleValuesAndFamilies(const CHtmlLayer& layer,
                                                  const char* tag,
                                                  const StyleField* fields,
                                                  CStyleValue* values,
                                                  int count) {
  for (int i = 0; i < count; ++i) values[i] = CStyleValue();
  char text[CInlineStyle::kMaxText + 1];
  if (!GetStyleText(layer, tag, text)) return FamiliesThroughStyle(layer, tag);
  CInlineStyle style;
  std::string families;
  if (!style.Read(text)) return families;
  for (int i = 0; i < count; ++i)
    values[i].ok = ConvertField(fields[i], style.Field(fields[i]), values[i]);
  for (int i = 0; i < style.FamilyCount(); ++i)
    AddFamily(style.Family(i), families);
  return families;
}

int htmlmemdoc::GetPixelBox(const CHtmlLayer& layer, const char* tag,
                            CPixelBox& box) {
  static const StyleField kFields[5] = {
      htmlmemdoc::kLeftField, htmlmemdoc::kTopField, htmlmemdoc::kWidthField,
      htmlmemdoc::kHeightField, htmlmemdoc::kZIndexField};
  CStyleValue values[5];
  GetStyleValues(layer, tag, kFields, values, 5);
  for (int i = 0; i < 4; ++i) {
    if (!values[i].ok) return 0;
  }
  box = {values[0].number, values[1].number, values[2].number, values[3].number,
         values[4].ok ? values[4].number : 0};
  return 1;
}
