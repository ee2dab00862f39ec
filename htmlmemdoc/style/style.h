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

  // Rebuilds the font-family list from a "font-family" value: names split
  // at '"' and ',', trimmed, keeping at most three that are plain
  // identifiers (letters, digits, '-', '_', spaces). Returns 1.
  int ResetFontFamily(const char* families);

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
  void StoreDeclaration(const CString& property, const CString& value,
                        CString& pendingFamilies);
  int ParseDeclarations(const char* text, CString& pendingFamilies);
};

#endif  // HTMLMEMDOC_STYLE_STYLE_H_
