// style.cpp: style rules and inline declaration lists.

#include "htmlmemdoc/style/style.h"

IMPLEMENT_DYNCREATE(CHtmlStyle, CHtmlTextBase)
