// head_readers.cpp: the readers of the head elements, the body start tag
// and the frameset. Until they are built they refuse their element, so the
// reading loop reports a syntax error at the tag.

#include "htmlmemdoc/document/mem_doc.h"

int CHtmlMemDoc::ParseTitleElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseMetaElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseStyleElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseScriptElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseBgSoundElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseBodyElement(const char*, const char*&) { return 0; }
int CHtmlMemDoc::ParseFrameSetElement(const char*, const char*&) { return 0; }
