// text_layer.cpp: the text layer.

#include "htmlmemdoc/layers/text_layer.h"

IMPLEMENT_DYNCREATE(CHtmlTextLayer, CHtmlLayer)
