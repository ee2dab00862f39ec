// image_layer.cpp: image and video layers.

#include "htmlmemdoc/layers/image_layer.h"

IMPLEMENT_DYNCREATE(CHtmlImageLayer, CHtmlLayer)
IMPLEMENT_DYNCREATE(CHtmlVideoLayer, CHtmlLayer)
