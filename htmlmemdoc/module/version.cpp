// version.cpp: the version the library was built as.

#include "htmlmemdoc/version.h"

const char* HtmlMemDocVersion() { return HTMLMEMDOC_VERSION_STRING; }
