// layer.cpp: the layer base.

#include "htmlmemdoc/layers/layer.h"

IMPLEMENT_DYNCREATE(CHtmlLayer, CHtmlTextBase)
