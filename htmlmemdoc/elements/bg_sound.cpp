// bg_sound.cpp: the background sound element.

#include "htmlmemdoc/elements/bg_sound.h"

IMPLEMENT_DYNCREATE(CHtmlBgSound, CHtmlTextBase)
