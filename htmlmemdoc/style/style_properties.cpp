// style_properties.cpp: the typed getters and setters of CHtmlStyle and its
// font-family list. Values stay text; a getter converts the text of one
// field when asked, a setter writes the canonical text of a value.

#include <cstdio>
#include <cstring>

#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_values.h"

using htmlmemdoc::StyleField;

namespace {

const int kFamilyStringBuffer = 33;

// Reads an enum field: 1 and `value` set when the text is a keyword.
template <typename Enum>
int GetKeyword(const CString& field, StyleField which, Enum& value) {
  int number = 0;
  if (!htmlmemdoc::ReadKeyword(field, which, number)) return 0;
  value = static_cast<Enum>(number);
  return 1;
}

// Writes an enum field: the keyword of a value in range, else 0.
int SetKeyword(CString& field, StyleField which, int value) {
  const char* keyword = htmlmemdoc::KeywordText(which, value);
  if (keyword == nullptr) return 0;
  field = keyword;
  return 1;
}

int SetNumber(CString& field, const char* unit, int value) {
  field = htmlmemdoc::NumberText(value, unit).text;
  return 1;
}

}  // namespace

int CHtmlStyle::GetFontSize(int& size) const {
  return htmlmemdoc::ReadLeadingInt(m_strFontSize, size);
}

int CHtmlStyle::GetItalic(int& italic) const {
  return htmlmemdoc::ReadFlag(m_strFontStyle, "italic", italic);
}

int CHtmlStyle::GetBold(int& bold) const {
  return htmlmemdoc::ReadFlag(m_strFontWeight, "bold", bold);
}

int CHtmlStyle::GetTextAlign(HtmlTextAlign& align) const {
  return GetKeyword(m_strTextAlign, htmlmemdoc::kTextAlignField, align);
}

int CHtmlStyle::GetColor(unsigned long& color) const {
  return htmlmemdoc::ReadColor(m_strColor, color);
}

int CHtmlStyle::GetPosition(HtmlPosition& position) const {
  return GetKeyword(m_strPosition, htmlmemdoc::kPositionField, position);
}

int CHtmlStyle::GetVisibility(HtmlVisibility& visibility) const {
  return GetKeyword(m_strVisibility, htmlmemdoc::kVisibilityField, visibility);
}

int CHtmlStyle::GetZIndex(int& z) const {
  return htmlmemdoc::ReadZIndex(m_strZIndex, z);
}

int CHtmlStyle::GetPixelWidth(int& v) const {
  return htmlmemdoc::ReadLeadingInt(m_strWidth, v);
}
int CHtmlStyle::GetPixelHeight(int& v) const {
  return htmlmemdoc::ReadLeadingInt(m_strHeight, v);
}
int CHtmlStyle::GetPixelLeft(int& v) const {
  return htmlmemdoc::ReadLeadingInt(m_strLeft, v);
}
int CHtmlStyle::GetPixelTop(int& v) const {
  return htmlmemdoc::ReadLeadingInt(m_strTop, v);
}

int CHtmlStyle::GetBackgroundImage(CString& address) const {
  if (m_strBackgroundImage.IsEmpty()) return 0;
  address = m_strBackgroundImage;
  return 1;
}

int CHtmlStyle::SetFontSize(int size) {
  return SetNumber(m_strFontSize, "pt", size);
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
  return SetKeyword(m_strTextAlign, htmlmemdoc::kTextAlignField, align);
}

int CHtmlStyle::SetColor(unsigned long color) {
  m_strColor = htmlmemdoc::ColorText(color).text;
  return 1;
}

int CHtmlStyle::SetPosition(HtmlPosition position) {
  return SetKeyword(m_strPosition, htmlmemdoc::kPositionField, position);
}

int CHtmlStyle::SetVisibility(HtmlVisibility visibility) {
  return SetKeyword(m_strVisibility, htmlmemdoc::kVisibilityField, visibility);
}

int CHtmlStyle::SetZIndex(int z) { return SetNumber(m_strZIndex, "", z); }
int CHtmlStyle::SetPixelWidth(int v) { return SetNumber(m_strWidth, "px", v); }
int CHtmlStyle::SetPixelHeight(int v) {
  return SetNumber(m_strHeight, "px", v);
}
int CHtmlStyle::SetPixelLeft(int v) { return SetNumber(m_strLeft, "px", v); }
int CHtmlStyle::SetPixelTop(int v) { return SetNumber(m_strTop, "px", v); }

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
