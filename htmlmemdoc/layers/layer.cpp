// layer.cpp: the layer base. Every style accessor runs one edit cycle on a
// temporary CHtmlStyle: parse the tag's style attribute, get or set one
// property, and for a setter write the whole attribute back in the bare
// canonical form. Two templates hold that cycle; each accessor names the
// CHtmlStyle operation it uses.

#include "htmlmemdoc/layers/layer.h"

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"

IMPLEMENT_DYNCREATE(CHtmlLayer, CHtmlTextBase)

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
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetPosition, position);
}
int CHtmlLayer::GetZIndex(int& z, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetZIndex, z);
}
int CHtmlLayer::GetPixelWidth(int& v, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetPixelWidth, v);
}
int CHtmlLayer::GetPixelHeight(int& v, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetPixelHeight, v);
}
int CHtmlLayer::GetPixelLeft(int& v, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetPixelLeft, v);
}
int CHtmlLayer::GetPixelTop(int& v, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetPixelTop, v);
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
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetFontSize, size);
}
int CHtmlLayer::GetItalic(int& italic, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetItalic, italic);
}
int CHtmlLayer::GetBold(int& bold, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetBold, bold);
}
int CHtmlLayer::GetTextAlign(HtmlTextAlign& align, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetTextAlign, align);
}
int CHtmlLayer::GetColor(unsigned long& color, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetColor, color);
}
int CHtmlLayer::GetBackgroundImage(CString& address, const char* tag) const {
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetBackgroundImage, address);
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
  return GetThroughStyle(*this, tag, &CHtmlStyle::GetVisibility, visibility);
}

int CHtmlLayer::SetPosition(HtmlPosition position, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetPosition, position);
}
int CHtmlLayer::SetZIndex(int z, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetZIndex, z);
}
int CHtmlLayer::SetPixelWidth(int v, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetPixelWidth, v);
}
int CHtmlLayer::SetPixelHeight(int v, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetPixelHeight, v);
}
int CHtmlLayer::SetPixelLeft(int v, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetPixelLeft, v);
}
int CHtmlLayer::SetPixelTop(int v, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetPixelTop, v);
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
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetFontSize, size);
}
int CHtmlLayer::SetItalic(int italic, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetItalic, italic);
}
int CHtmlLayer::SetBold(int bold, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetBold, bold);
}
int CHtmlLayer::SetTextAlign(HtmlTextAlign align, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetTextAlign, align);
}
int CHtmlLayer::SetColor(unsigned long color, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetColor, color);
}
int CHtmlLayer::SetBackgroundImage(CString& address, const char* tag) {
  return SetThroughStyle<CString&>(*this, tag, &CHtmlStyle::SetBackgroundImage,
                                   address);
}
int CHtmlLayer::ResetFontFamily(const char* families, const char* tag) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::ResetFontFamily, families);
}
int CHtmlLayer::SetVisibility(const char* tag, HtmlVisibility visibility) {
  return SetThroughStyle(*this, tag, &CHtmlStyle::SetVisibility, visibility);
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
