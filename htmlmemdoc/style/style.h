// style.h: CHtmlStyle, one set of style declarations: a rule of a <style>
// block (".note { font-size: 10pt; }") or the declaration list of an inline
// style attribute ("position:absolute; left:10px"). Init parses the text
// into one text field per known property, kept as written (trimmed); the
// typed accessors convert on demand, and rendering writes the fields back
// in one fixed order. A property is present when its text is not empty.

#ifndef HTMLMEMDOC_STYLE_STYLE_H_
#define HTMLMEMDOC_STYLE_STYLE_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/string_array.h"
#include "htmlmemdoc/style/style_enums.h"

class HTMLMEMDOC_EXPORT CHtmlStyle : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlStyle)

 public:
  // What Init found: nothing yet, an inline list, or a named rule.
  enum Kind { kNotParsed = 0, kInline = 1, kRule = 2 };

  CHtmlStyle();
  ~CHtmlStyle() override;

  using CHtmlTextBase::Init;
  // Parses `text` into the fields and stores it as the element text. The
  // text is a rule when it holds "{" anywhere, else an inline list. Fails
  // (0) when a property name with ":" has no value token behind it, when
  // the text after the last declaration lacks the closing mark of its form
  // ('"' inline, '}' for a rule), or when the text is empty or longer than
  // 8192 bytes. Fields assigned before a failure stay assigned. Called
  // again, it overwrites only the properties the new text declares.
  int Init(const char* text) override;

  // The rule's selector without its leading dots; empty for inline styles.
  void GetStyleName(CString& name) const;

  // Typed getters. Each returns 0 and leaves its output alone when its
  // property is absent or its text does not convert. Numbers are the
  // leading integer of the text, whatever unit follows ("50%" gives 50).
  int GetFontSize(int& size) const;
  int GetItalic(int& italic) const;  // 1 for "italic", else 0
  int GetBold(int& bold) const;      // 1 for "bold", else 0 ("700" too)
  int GetTextAlign(HtmlTextAlign& align) const;
  // The colour as 0x00RRGGBB, from "#rrggbb" or a colour name. A "#" text
  // with a bad digit fails and may leave the digits read so far in `color`.
  int GetColor(unsigned long& color) const;
  int GetPosition(HtmlPosition& position) const;
  int GetVisibility(HtmlVisibility& visibility) const;
  int GetZIndex(int& z) const;  // "auto" reads as 0
  int GetPixelWidth(int& v) const;
  int GetPixelHeight(int& v) const;
  int GetPixelLeft(int& v) const;
  int GetPixelTop(int& v) const;
  int GetBackgroundImage(CString& address) const;

  // Setters write the canonical text of the value and make the property
  // present; the enum setters refuse (0, nothing changed) a value outside
  // their enum.
  int SetFontSize(int size);  // "12pt"
  int SetItalic(int italic);  // "italic" or "normal"
  int SetBold(int bold);      // "bold" or "normal"
  int SetTextAlign(HtmlTextAlign align);
  // `color` has red in bits 0-7, green in 8-15, blue in 16-23 (COLORREF
  // order, the reverse of GetColor's); written as "#rrggbb".
  int SetColor(unsigned long color);
  int SetPosition(HtmlPosition position);
  int SetVisibility(HtmlVisibility visibility);
  int SetZIndex(int z);      // "3"
  int SetPixelWidth(int v);  // "-5px"
  int SetPixelHeight(int v);
  int SetPixelLeft(int v);
  int SetPixelTop(int v);
  // An empty address makes the property absent.
  int SetBackgroundImage(CString& address);

  // The font-family list. Only ResetFontFamily applies the limit of three
  // names and the identifier test; the others take any string. A negative
  // count or index is refused (0).
  int GetFontFamilyCount(int& count) const;
  // Copies entry `index` with its NUL when it fits `bufferSize`.
  int GetFontFamily(int index, char* buffer, int bufferSize) const;
  // Same through a 33-byte buffer: entries over 32 bytes fail.
  int GetFontFamily(int index, CString& family) const;
  int SetFontFamilyCount(int count);              // new entries are empty
  int SetFontFamily(int index, CString& family);  // grows the list
  int SetFontFamily(int index, const char* family);
  int AddFontFamily(CString& family);
  int AddFontFamily(const char* family);
  // Rebuilds the list from a "font-family" value: names split at '"' and
  // ',', trimmed, keeping at most three that are plain identifiers
  // (letters, digits, '-', '_', spaces). Returns 1.
  int ResetFontFamily(const char* families);

  // Writes the declarations in one fixed order (families first, then
  // font-size, font-style, font-weight, text-align, color, border, margins,
  // paddings, line-height, position, visibility, z-index, width, height,
  // left, top, then the background image twice). `bare` nonzero gives the
  // content of a style attribute: "font-family:Arial; color:#ff0000;".
  // `bare` 0 frames it: an inline style as style=" ... " and a rule as
  // ".name{ ... }". Returns 0 only for the framed form of a style that was
  // never parsed (`output` then empty).
  int RenderOutputString(CString& output, int bare) const;
  // Writes the framed form to an open file. Returns 0, writing nothing,
  // when the style holds no text or the file is null or closed, and 0 when
  // the write fails (nothing is shown).
  int WriteToFile(CStdioFile* file) override;

 protected:
  int m_nKind;
  CString m_strName;
  int m_bClass;        // the selector began with "."
  int m_nFamilyLimit;  // most families ResetFontFamily keeps (3)
  CStringArray m_fontFamilies;
  CString m_strFontSize;
  CString m_strFontStyle;
  CString m_strFontWeight;
  CString m_strTextAlign;
  CString m_strColor;
  CString m_strBorderStyle;
  CString m_strBorderWidth;
  CString m_strBorderColor;
  CString m_strMarginTop;
  CString m_strMarginBottom;
  CString m_strPaddingTop;
  CString m_strPaddingBottom;
  CString m_strLineHeight;
  CString m_strVisibility;
  CString m_strPosition;
  CString m_strZIndex;
  CString m_strWidth;
  CString m_strHeight;
  CString m_strLeft;
  CString m_strTop;
  CString m_strBorder;  // from border-left/-top/-right/-bottom
  CString m_strCursor;
  CString m_strBackgroundImage;  // the address inside url(...)

 private:
  // The text field for a field number of style_fields.h.
  CString& Field(int field);
  const CString& Field(int field) const;
  void ClearFontFamily() { m_fontFamilies.RemoveAll(); }
  void AppendFamilies(CString& output) const;
  int RenderedLengthBound() const;
  // Stores a known property's value as its action (style_fields.h) says.
  void StoreDeclaration(int action, int field, CString value,
                        CString& pendingFamilies);
  int ParseDeclarations(const char* text, CString& pendingFamilies);
};

#endif  // HTMLMEMDOC_STYLE_STYLE_H_
