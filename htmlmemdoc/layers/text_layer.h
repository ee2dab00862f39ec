// text_layer.h: CHtmlTextLayer, a layer whose content is text. Init finds
// the text tag, the tag that directly encloses the text: the last of the
// run of tags, separated only by blanks, that opens the markup. In
//   <div ...><p align="left"><font size="3">Hello</font></p></div>
// it is `font`. The text accessors read and replace the text after that
// tag's start tag up to the next "<", and the font, alignment and colour
// accessors work on that tag's style attribute instead of the div's.

#ifndef HTMLMEMDOC_LAYERS_TEXT_LAYER_H_
#define HTMLMEMDOC_LAYERS_TEXT_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/platform/afx_string.h"

class HTMLMEMDOC_EXPORT CHtmlTextLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlTextLayer)

 public:
  using CHtmlLayer::Init;
  // Stores the markup (refused over 8192 bytes) and finds the text tag.
  // Returns 0 when the markup is refused or holds no ">" to start from;
  // the text tag then keeps its earlier value (a stored markup stays).
  int Init(const char* text) override;

  // The id of the first "p" tag (the literal tag name "p", whatever the
  // text tag is).
  int GetTextID(CString& id) const;
  int GetTextID(char* buffer, int bufferSize) const;

  // Copies the text content with its NUL into `buffer`, which must hold the
  // content length plus 2 bytes; fails, leaving `buffer` alone, when it
  // does not or when there is no text tag's content.
  int GetTextString(char* buffer, int bufferSize) const;
  int GetTextString(CString& text) const;
  // Replaces the text content byte for byte (no escaping); everything
  // around it stays. Fails, changing nothing, without a content range.
  int SetTextString(const char* text);
  int SetTextString(CString& text);

  // The CHtmlLayer accessors of the same names on the text tag.
  int GetFontFamilyCount(int& count) const;
  int GetFontFamily(int index, CString& family) const;
  int GetFontFamily(int index, char* buffer, int bufferSize) const;
  int GetFontSize(int& size) const;
  int GetItalic(int& italic) const;
  int GetBold(int& bold) const;
  int GetTextAlign(HtmlTextAlign& align) const;
  int GetColor(unsigned long& color) const;
  int SetFontFamilyCount(int count);
  int SetFontFamily(int index, CString family);
  int SetFontFamily(int index, const char* family);
  int SetFontSize(int size);
  int SetItalic(int italic);
  int SetBold(int bold);
  int SetTextAlign(HtmlTextAlign align);
  int SetColor(unsigned long color);
  int ResetFontFamily(const char* family);
  // The base's accessors that take a tag stay available too.
  using CHtmlLayer::GetBold;
  using CHtmlLayer::GetColor;
  using CHtmlLayer::GetFontFamily;
  using CHtmlLayer::GetFontFamilyCount;
  using CHtmlLayer::GetFontSize;
  using CHtmlLayer::GetItalic;
  using CHtmlLayer::GetTextAlign;
  using CHtmlLayer::ResetFontFamily;
  using CHtmlLayer::SetBold;
  using CHtmlLayer::SetColor;
  using CHtmlLayer::SetFontFamily;
  using CHtmlLayer::SetFontFamilyCount;
  using CHtmlLayer::SetFontSize;
  using CHtmlLayer::SetItalic;
  using CHtmlLayer::SetTextAlign;

  // Name of the text tag as written in the markup; empty until a
  // successful Init, and changed by nothing else.
  CString m_strTextTag;
};

#endif  // HTMLMEMDOC_LAYERS_TEXT_LAYER_H_
