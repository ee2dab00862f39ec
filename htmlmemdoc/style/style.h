// style.h: CHtmlStyle, one set of style declarations: a rule of a <style>
// block or the declaration list of an inline style attribute.

#ifndef HTMLMEMDOC_STYLE_STYLE_H_
#define HTMLMEMDOC_STYLE_STYLE_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/style/style_enums.h"

class HTMLMEMDOC_EXPORT CHtmlStyle : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlStyle)
};

#endif  // HTMLMEMDOC_STYLE_STYLE_H_
