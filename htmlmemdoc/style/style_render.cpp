// style_render.cpp: writing a style's fields back as declaration text, in
// one fixed order, bare or framed as an inline attribute or a rule.

#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_fields.h"
#include "htmlmemdoc/style/style_values.h"

void CHtmlStyle::AppendFamilies(CString& output) const {
  if (m_fontFamilies.IsEmpty()) return;
  output += "font-family:";
  output += m_fontFamilies[0];  // the first name is always written
  for (int i = 1; i < m_fontFamilies.GetSize(); ++i) {
    if (!htmlmemdoc::IsPlainIdentifier(m_fontFamilies[i])) continue;
    output += ", ";
    output += m_fontFamilies[i];
  }
  output += ';';
}

// At least the length of any rendering of the style, framed or bare.
int CHtmlStyle::RenderedLengthBound() const {
  int length = m_strName.GetLength() + 8;  // ".name{ " and " }", style=" "
  length += 13;                            // "font-family:" and ';'
  for (int i = 0; i < m_fontFamilies.GetSize(); ++i)
    length += m_fontFamilies[i].GetLength() + 2;
  for (int field = 0; field < htmlmemdoc::kRenderedFieldCount; ++field) {
    const int text = Field(field).GetLength();
    if (text > 0) length += htmlmemdoc::kRenderedNameLengths[field] + text + 1;
  }
  if (!m_strBackgroundImage.IsEmpty())
    length += 2 * m_strBackgroundImage.GetLength() + 56;
  return length;
}

int CHtmlStyle::RenderOutputString(CString& output, int bare) const {
  // Emptied, keeping its room, and made large enough once: a caller that
  // renders rule after rule into one string allocates for the longest.
  if (!output.IsEmpty()) output.GetBufferSetLength(0);
  output.Preallocate(RenderedLengthBound());
  if (!bare) {
    if (m_nKind == kInline) {
      output += "style=\"";
    } else if (m_nKind == kRule) {
      if (m_bClass) output += '.';
      output += m_strName;
      output += "{ ";
    } else {
      return 0;
    }
  }
  AppendFamilies(output);
  for (int field = 0; field < htmlmemdoc::kRenderedFieldCount; ++field) {
    const CString& text = Field(field);
    if (text.IsEmpty()) continue;
    output += htmlmemdoc::kRenderedNames[field];
    output += text;
    output += ';';
  }
  if (!m_strBackgroundImage.IsEmpty()) {
    output += " background-image:url(" + m_strBackgroundImage + ");";
    output += " layer-background-image:url(" + m_strBackgroundImage + ");";
  }
  if (!bare) output += m_nKind == kInline ? " \"" : " }";
  return 1;
}

int CHtmlStyle::WriteToFile(CStdioFile* file) {
  if (static_cast<const char*>(*this) == nullptr || file == nullptr ||
      !file->IsOpen()) {
    return 0;
  }
  CString text;
  const int result = RenderOutputString(text, 0);
  try {
    file->WriteString(text);
  } catch (CFileException* error) {
    error->Delete();
    return 0;
  }
  return result;
}
