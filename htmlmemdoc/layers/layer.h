// layer.h: CHtmlLayer, the base of every positioned <div> block of the page
// body. Its markup is the whole <div ...>...</div> block.

#ifndef HTMLMEMDOC_LAYERS_LAYER_H_
#define HTMLMEMDOC_LAYERS_LAYER_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/style/style.h"

class HTMLMEMDOC_EXPORT CHtmlLayer : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlLayer)
};

#endif  // HTMLMEMDOC_LAYERS_LAYER_H_
