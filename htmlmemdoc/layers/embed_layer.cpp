// embed_layer.cpp: embed and live-audio layers.

#include "htmlmemdoc/layers/embed_layer.h"

IMPLEMENT_DYNCREATE(CHtmlEmbedLayer, CHtmlLayer)
IMPLEMENT_DYNCREATE(CHtmlLiveAudioLayer, CHtmlEmbedLayer)
