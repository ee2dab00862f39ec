// style_properties.cpp: the typed getters and setters of CHtmlStyle and its
// font-family list. Values stay text; a getter converts the text of one
// field when asked, a setter writes the canonical text of a value.

#include <cstdio>
#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/style/color_names.h"
#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_values.h"

namespace {

const int kFamilyStringBuffer = 33;

const char* const kAlignKeywords[] = {"left", "center", "right"};
const char* const kPositionKeywords[] = {"relative", "absolute"};
const char* const kVisibilityKeywords[] = {"visible", "hidden"};

// The 1-based number of `text` among `keywords` (ASCII case ignored), or
// 0 when it is none of them.
template <size_t N>
int KeywordNumber(const CString& text, const char* const (&keywords)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (text.CompareNoCase(keywords[i]) == 0) return static_cast<int>(i) + 1;
  }
  return 0;
}

// Reads an enum field: 1 and `value` set when the text is a keyword.
template <typename Enum, size_t N>
int GetKeyword(const CString& field, const char* const (&keywords)[N],
               Enum& value) {
  const int number = KeywordNumber(field, keywords);
  if (number == 0) return 0;
  value = static_cast<Enum>(number);
  return 1;
}

// Writes an enum field: the keyword of a value from 1 to N, else 0.
template <size_t N>
int SetKeyword(CString& field, const char* const (&keywords)[N], int value) {
  if (value < 1 || value > static_cast<int>(N)) return 0;
  field = keywords[value - 1];
  return 1;
}

int GetLeadingInt(const CString& field, int& value) {
  return !field.IsEmpty() && htmlmemdoc::ScanLeadingInt(field, value);
}

int SetNumber(CString& field, const char* format, int value) {
  field.Format(format, value);
  return 1;
}

}  // namespace

int CHtmlStyle::GetFontSize(int& size) const {
  return GetLeadingInt(m_strFontSize, size);
}

int CHtmlStyle::GetItalic(int& italic) const {
  if (m_strFontStyle.IsEmpty()) return 0;
  italic = m_strFontStyle.CompareNoCase("italic") == 0;
  return 1;
}

int CHtmlStyle::GetBold(int& bold) const {
  if (m_strFontWeight.IsEmpty()) return 0;
  bold = m_strFontWeight.CompareNoCase("bold") == 0;
  return 1;
}

int CHtmlStyle::GetTextAlign(HtmlTextAlign& align) const {
  return GetKeyword(m_strTextAlign, kAlignKeywords, align);
}

int CHtmlStyle::GetColor(unsigned long& color) const {
  if (m_strColor.IsEmpty()) return 0;
  const char* text = m_strColor;
  if (text[0] == '#') return htmlmemdoc::ParseHexColor(text + 1, color);
  return htmlmemdoc::LookupColorName(text, color);
}

int CHtmlStyle::GetPosition(HtmlPosition& position) const {
  return GetKeyword(m_strPosition, kPositionKeywords, position);
}

int CHtmlStyle::GetVisibility(HtmlVisibility& visibility) const {
  return GetKeyword(m_strVisibility, kVisibilityKeywords, visibility);
}

int CHtmlStyle::GetZIndex(int& z) const {
  if (m_strZIndex.IsEmpty()) return 0;
  int value = 0;  // like atoi: no digits read as 0
  htmlmemdoc::ScanLeadingInt(m_strZIndex, value);
  z = value;
  return 1;
}

int CHtmlStyle::GetPixelWidth(int& v) const {
  return GetLeadingInt(m_strWidth, v);
}
int CHtmlStyle::GetPixelHeight(int& v) const {
  return GetLeadingInt(m_strHeight, v);
}
int CHtmlStyle::GetPixelLeft(int& v) const {
  return GetLeadingInt(m_strLeft, v);
}
int CHtmlStyle::GetPixelTop(int& v) const { return GetLeadingInt(m_strTop, v); }

int CHtmlStyle::GetBackgroundImage(CString& address) const {
  if (m_strBackgroundImage.IsEmpty()) return 0;
  address = m_strBackgroundImage;
  return 1;
}

int CHtmlStyle::SetFontSize(int size) {
  return SetNumber(m_strFontSize, "%dpt", size);
}

int CHtmlStyle::SetItalic(int italic) {
  m_strFontStyle = italic ? "italic" : "normal";
  return 1;
}

int CHtmlStyle::SetBold(int bold) {
  m_strFontWeight = bold ? "bold" : "normal";
  return 1;
}

int CHtmlStyle::SetTextAlign(HtmlTextAlign align) {
  return SetKeyword(m_strTextAlign, kAlignKeywords, align);
}

int CHtmlStyle::SetColor(unsigned long color) {
  m_strColor.Format("#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                    static_cast<unsigned>((color >> 8) & 0xFF),
                    static_cast<unsigned>((color >> 16) & 0xFF));
  return 1;
}

int CHtmlStyle::SetPosition(HtmlPosition position) {
  return SetKeyword(m_strPosition, kPositionKeywords, position);
}

int CHtmlStyle::SetVisibility(HtmlVisibility visibility) {
  return SetKeyword(m_strVisibility, kVisibilityKeywords, visibility);
}

int CHtmlStyle::SetZIndex(int z) { return SetNumber(m_strZIndex, "%d", z); }
int CHtmlStyle::SetPixelWidth(int v) {
  return SetNumber(m_strWidth, "%dpx", v);
}
int CHtmlStyle::SetPixelHeight(int v) {
  return SetNumber(m_strHeight, "%dpx", v);
}
int CHtmlStyle::SetPixelLeft(int v) { return SetNumber(m_strLeft, "%dpx", v); }
int CHtmlStyle::SetPixelTop(int v) { return SetNumber(m_strTop, "%dpx", v); }

int CHtmlStyle::SetBackgroundImage(CString& address) {
  m_strBackgroundImage = address;
  return 1;
}

int CHtmlStyle::GetFontFamilyCount(int& count) const {
  count = m_fontFamilies.GetSize();
  return 1;
}

int CHtmlStyle::GetFontFamily(int index, char* buffer, int bufferSize) const {
  if (index < 0 || index >= m_fontFamilies.GetSize() || buffer == nullptr) {
    return 0;
  }
  const CString& family = m_fontFamilies[index];
  if (bufferSize < family.GetLength() + 1) return 0;
  std::memcpy(buffer, static_cast<const char*>(family),
              static_cast<size_t>(family.GetLength()) + 1);
  return 1;
}

int CHtmlStyle::GetFontFamily(int index, CString& family) const {
  char buffer[kFamilyStringBuffer];
  if (!GetFontFamily(index, buffer, sizeof buffer)) return 0;
  family = buffer;
  return 1;
}

int CHtmlStyle::SetFontFamilyCount(int count) {
  if (count < 0) return 0;
  m_fontFamilies.SetSize(count);
  return 1;
}

int CHtmlStyle::SetFontFamily(int index, CString& family) {
  return SetFontFamily(index, static_cast<const char*>(family));
}

int CHtmlStyle::SetFontFamily(int index, const char* family) {
  if (index < 0) return 0;
  m_fontFamilies.SetAtGrow(index, family);
  return 1;
}

int CHtmlStyle::AddFontFamily(CString& family) {
  return AddFontFamily(static_cast<const char*>(family));
}

int CHtmlStyle::AddFontFamily(const char* family) {
  m_fontFamilies.Add(family);
  return 1;
}
