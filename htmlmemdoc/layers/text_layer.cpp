// text_layer.cpp: the text layer: its text tag, its text content, and the
// font accessors pointed at the text tag.

#include "htmlmemdoc/layers/text_layer.h"

#include <cstring>

#include "htmlmemdoc/layers/text_range.h"

IMPLEMENT_DYNCREATE(CHtmlTextLayer, CHtmlLayer)

int CHtmlTextLayer::Init(const char* text) {
  if (!CHtmlLayer::Init(text)) return 0;
  const char* name = nullptr;
  int length = 0;
  if (!htmlmemdoc::FindTextTag(*this, name, length)) return 0;
  m_strTextTag = CString(name, length);
  return 1;
}

int CHtmlTextLayer::GetTextID(CString& id) const {
  return GetAttribute("p", "id", id);
}

int CHtmlTextLayer::GetTextID(char* buffer, int bufferSize) const {
  return GetAttribute("p", "id", buffer, bufferSize);
}

int CHtmlTextLayer::GetTextString(char* buffer, int bufferSize) const {
  const char* markup = *this;
  int start = 0;
  int end = 0;
  if (buffer == nullptr ||
      !htmlmemdoc::FindTagRange(markup, m_strTextTag, start, end) ||
      bufferSize < end - start + 2) {
    return 0;
  }
  std::memcpy(buffer, markup + start, static_cast<size_t>(end - start));
  buffer[end - start] = '\0';
  return 1;
}

// What the buffer form gives through a buffer as long as the markup, read
// in place.
int CHtmlTextLayer::GetTextString(CString& text) const {
  const char* markup = *this;
  int start = 0;
  int end = 0;
  if (markup == nullptr ||
      !htmlmemdoc::FindTagRange(markup, m_strTextTag, start, end) ||
      static_cast<long long>(std::strlen(markup)) <
          static_cast<long long>(end) - start + 2) {
    return 0;
  }
  text = CString(markup + start, end - start);
  return 1;
}

int CHtmlTextLayer::SetTextString(const char* text) {
  const char* markup = *this;
  int start = 0;
  int end = 0;
  if (!htmlmemdoc::FindTagRange(markup, m_strTextTag, start, end)) return 0;
  CString result(markup, start);
  result += text;
  result += markup + end;
  ReplaceText(result, static_cast<size_t>(result.GetLength()));
  return 1;
}

int CHtmlTextLayer::SetTextString(CString& text) {
  return SetTextString(static_cast<const char*>(text));
}

int CHtmlTextLayer::GetFontFamilyCount(int& count) const {
  return CHtmlLayer::GetFontFamilyCount(count, m_strTextTag);
}
int CHtmlTextLayer::GetFontFamily(int index, CString& family) const {
  return CHtmlLayer::GetFontFamily(index, family, m_strTextTag);
}
int CHtmlTextLayer::GetFontFamily(int index, char* buffer,
                                  int bufferSize) const {
  return CHtmlLayer::GetFontFamily(index, buffer, bufferSize, m_strTextTag);
}
int CHtmlTextLayer::GetFontSize(int& size) const {
  return CHtmlLayer::GetFontSize(size, m_strTextTag);
}
int CHtmlTextLayer::GetItalic(int& italic) const {
  return CHtmlLayer::GetItalic(italic, m_strTextTag);
}
int CHtmlTextLayer::GetBold(int& bold) const {
  return CHtmlLayer::GetBold(bold, m_strTextTag);
}
int CHtmlTextLayer::GetTextAlign(HtmlTextAlign& align) const {
  return CHtmlLayer::GetTextAlign(align, m_strTextTag);
}
int CHtmlTextLayer::GetColor(unsigned long& color) const {
  return CHtmlLayer::GetColor(color, m_strTextTag);
}
int CHtmlTextLayer::SetFontFamilyCount(int count) {
  return CHtmlLayer::SetFontFamilyCount(count, m_strTextTag);
}
int CHtmlTextLayer::SetFontFamily(int index, CString family) {
  return CHtmlLayer::SetFontFamily(index, family, m_strTextTag);
}
int CHtmlTextLayer::SetFontFamily(int index, const char* family) {
  return CHtmlLayer::SetFontFamily(index, family, m_strTextTag);
}
int CHtmlTextLayer::SetFontSize(int size) {
  return CHtmlLayer::SetFontSize(size, m_strTextTag);
}
int CHtmlTextLayer::SetItalic(int italic) {
  return CHtmlLayer::SetItalic(italic, m_strTextTag);
}
int CHtmlTextLayer::SetBold(int bold) {
  return CHtmlLayer::SetBold(bold, m_strTextTag);
}
int CHtmlTextLayer::SetTextAlign(HtmlTextAlign align) {
  return CHtmlLayer::SetTextAlign(align, m_strTextTag);
}
int CHtmlTextLayer::SetColor(unsigned long color) {
  return CHtmlLayer::SetColor(color, m_strTextTag);
}
int CHtmlTextLayer::ResetFontFamily(const char* family) {
  return CHtmlLayer::ResetFontFamily(family, m_strTextTag);
}
