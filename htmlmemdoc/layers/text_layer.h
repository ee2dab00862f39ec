// text_layer.h: CHtmlTextLayer, a layer whose content is text. It
// remembers the tag that directly encloses the text (the text tag).

#ifndef HTMLMEMDOC_LAYERS_TEXT_LAYER_H_
#define HTMLMEMDOC_LAYERS_TEXT_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/platform/afx_string.h"

class HTMLMEMDOC_EXPORT CHtmlTextLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlTextLayer)

 public:
  // Name of the text tag as written in the markup; empty until a
  // successful Init.
  CString m_strTextTag;
};

#endif  // HTMLMEMDOC_LAYERS_TEXT_LAYER_H_
