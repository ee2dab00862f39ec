// head_elements.h: the elements that need no structure beyond their
// markup: a meta tag, the title element, a script element and the body
// start tag. The readers fill them and the renderer writes their markup
// back unchanged.

#ifndef HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_
#define HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"

// One <meta ...> tag of the head.
class HTMLMEMDOC_EXPORT CHtmlMeta : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlMeta)
};

// The <title>...</title> element.
class HTMLMEMDOC_EXPORT CHtmlTitle : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlTitle)
};

// One <script ...>...</script> element; scripts may be long, so Init
// accepts up to kMaxScriptLength bytes.
class HTMLMEMDOC_EXPORT CHtmlScript : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlScript)

 public:
  static const unsigned int kMaxScriptLength = 65535;
  unsigned int GetMaxOuterTextLength() const override;
};

// The <body ...> start tag.
class HTMLMEMDOC_EXPORT CHtmlBody : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlBody)
};

#endif  // HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_
