// inline_style.h: CInlineStyle, the declarations of one style attribute
// read as CHtmlStyle::Init reads them, but in place: the fields are
// pointers into the object's own copy of the text, so reading, changing
// one property and writing the declarations back allocates nothing and
// costs time in proportion to the attribute. Its rendering is, byte for
// byte, CHtmlStyle's bare rendering of the same text with the same change
// (internal to the library).

#ifndef HTMLMEMDOC_STYLE_INLINE_STYLE_H_
#define HTMLMEMDOC_STYLE_INLINE_STYLE_H_

#include <cstddef>

#include "htmlmemdoc/platform/mbcs.h"  // CTextSpan
#include "htmlmemdoc/style/style_fields.h"

namespace htmlmemdoc {

class CInlineStyle {
 public:
  // Longest text Read takes, in bytes: a style attribute as the layer
  // accessors read it (a 1024-byte buffer with its NUL).
  static const size_t kMaxText = 1023;
  // Longest rendering of such a text: its fields are disjoint parts of the
  // text (the background address is written twice), plus the fixed names.
  static const size_t kMaxRendering = 4096;

  CInlineStyle() = default;
  CInlineStyle(const CInlineStyle&) = delete;
  CInlineStyle& operator=(const CInlineStyle&) = delete;

  // Reads `text` (at most kMaxText bytes); 1 when CHtmlStyle::Init would
  // succeed on it, 0 when it would fail.
  int Read(const char* text);
  // The text of a field; "" when the property is absent.
  const char* Field(StyleField field) const { return m_fields[field]; }
  // The font families read (at most three plain identifiers), in order.
  int FamilyCount() const { return m_familyCount; }
  const char* Family(int index) const { return m_families[index]; }

  // Replaces a field's text by `text`, which must outlive the rendering.
  void SetField(StyleField field, const char* text) { m_fields[field] = text; }
  // Writes the bare rendering (what RenderOutputString(text, 1) gives) and
  // its NUL into `out`, which holds kMaxRendering + 1 bytes; returns its
  // length.
  size_t Render(char* out) const;

 private:
  int ReadDeclarations(char* text, int rule, char*& families);
  void Store(const CTextSpan& property, char* value, char*& families);
  void SplitFamilies(char* families);
  char* Writable(const char* p) { return m_text + (p - m_text); }

  char m_text[kMaxText + 1];
  const char* m_fields[kStyleFieldCount];
  const char* m_families[3];
  int m_familyCount = 0;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_INLINE_STYLE_H_
