// layer.h: CHtmlLayer, the base of every positioned <div> block of the page
// body. Its markup is the whole <div ...>...</div> block. The layer base
// reads and edits the inline style of a start tag inside that markup: each
// accessor names the tag whose style attribute it uses ("div" for the
// layer box, or a tag inside it) by a trailing argument (a leading one for
// visibility). Every call reads that attribute as CHtmlStyle parses it; a
// setter changes one property and writes the whole attribute back in
// canonical order, so one edit also normalises the rest of it:
//   style="position:absolute; left:0px; top:5px; cursor:hand"
// after SetPixelLeft(10, "div") reads
//   style=" position:absolute; left:10px; top:5px;"
// Accessors fail (0, markup unchanged) when the tag or its style attribute
// is missing, when the attribute is longer than 1023 bytes or does not
// parse, and when the style operation fails; a setter never adds a style
// attribute. Values, enums and colour orders are those of CHtmlStyle.

#ifndef HTMLMEMDOC_LAYERS_LAYER_H_
#define HTMLMEMDOC_LAYERS_LAYER_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_enums.h"

class CHtmlMemDoc;

// What a layer is, by its class.
enum HtmlLayerKind : int {
  HtmlLayerPlain = 0,     // CHtmlLayer: a block of no other kind
  HtmlLayerText = 1,      // CHtmlTextLayer
  HtmlLayerImage = 2,     // CHtmlImageLayer
  HtmlLayerVideo = 3,     // CHtmlVideoLayer
  HtmlLayerEmbed = 4,     // CHtmlEmbedLayer
  HtmlLayerLiveAudio = 5  // CHtmlLiveAudioLayer
};

class HTMLMEMDOC_EXPORT CHtmlLayer : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlLayer)

 public:
  // Parses the style attribute of the first start tag named `tag` into
  // `style` (left untouched when the attribute is missing).
  int GetStyle(const char* tag, CHtmlStyle& style) const;
  // Writes `style` in its bare form as the style attribute of `tag`.
  int SetStyle(const char* tag, CHtmlStyle& style);

  int GetPosition(HtmlPosition& position, const char* tag) const;
  int GetZIndex(int& z, const char* tag) const;
  int GetPixelWidth(int& v, const char* tag) const;
  int GetPixelHeight(int& v, const char* tag) const;
  int GetPixelLeft(int& v, const char* tag) const;
  int GetPixelTop(int& v, const char* tag) const;
  int GetFontFamilyCount(int& count, const char* tag) const;
  int GetFontFamily(int index, CString& family, const char* tag) const;
  int GetFontFamily(int index, char* buffer, int bufferSize,
                    const char* tag) const;
  int GetFontSize(int& size, const char* tag) const;
  int GetItalic(int& italic, const char* tag) const;
  int GetBold(int& bold, const char* tag) const;
  int GetTextAlign(HtmlTextAlign& align, const char* tag) const;
  int GetColor(unsigned long& color, const char* tag) const;
  int GetBackgroundImage(CString& address, const char* tag) const;
  // Fails, leaving `buffer` alone, when the address does not fit with its
  // NUL.
  int GetBackgroundImage(char* buffer, int bufferSize, const char* tag) const;
  int GetVisibility(const char* tag, HtmlVisibility& visibility) const;

  int SetPosition(HtmlPosition position, const char* tag);
  int SetZIndex(int z, const char* tag);
  int SetPixelWidth(int v, const char* tag);
  int SetPixelHeight(int v, const char* tag);
  int SetPixelLeft(int v, const char* tag);
  int SetPixelTop(int v, const char* tag);
  int SetFontFamilyCount(int count, const char* tag);
  int SetFontFamily(int index, CString family, const char* tag);
  int SetFontFamily(int index, const char* family, const char* tag);
  int SetFontSize(int size, const char* tag);
  int SetItalic(int italic, const char* tag);
  int SetBold(int bold, const char* tag);
  int SetTextAlign(HtmlTextAlign align, const char* tag);
  int SetColor(unsigned long color, const char* tag);
  int SetBackgroundImage(CString& address, const char* tag);
  int ResetFontFamily(const char* families, const char* tag);
  int SetVisibility(const char* tag, HtmlVisibility visibility);

  // The `align` attribute of `tag` (not the style): "left", "center" or
  // "right" in any case. SetAlign adds the attribute when it is missing and
  // refuses other values.
  int GetAlign(HtmlTextAlign& align, const char* tag) const;
  int SetAlign(HtmlTextAlign align, const char* tag);

  // Reduces the image file argument (the third) of every "MM_swapImage"
  // call (any letter case) in the markup to its file name, everywhere that
  // argument's text occurs: MM_swapImage('Image1','','images/over.gif',1)
  // becomes MM_swapImage('Image1','','over.gif',1). Returns 1 when at
  // least one call with three arguments was met, changed or not.
  int FlattenSwapImageSrc();

  // The layer's kind, from its class: with it, a host walking layers of
  // every kind (CHtmlMemDoc::GetLayersInPageOrder) knows which class to
  // cast to, or uses DYNAMIC_DOWNCAST, which checks.
  HtmlLayerKind GetLayerKind() const;

 private:
  friend class CHtmlMemDoc;
  const CHtmlMemDoc* m_pDocument = nullptr;  // the document holding it
  unsigned long m_nPageOrder = 0;  // when the document took it; 0: never
};

#endif  // HTMLMEMDOC_LAYERS_LAYER_H_
