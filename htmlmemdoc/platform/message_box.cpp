// message_box.cpp: routes message boxes to the installed handler.

#include "htmlmemdoc/platform/message_box.h"

#include <cstdio>

namespace {

int WriteToStandardError(const char* text, unsigned, void*) {
  std::fprintf(stderr, "%s\n", text);
  return IDOK;
}

AfxMessageBoxHandler g_handler = &WriteToStandardError;
void* g_userData = nullptr;

}  // namespace

void AfxSetMessageBoxHandler(AfxMessageBoxHandler handler, void* userData) {
  g_handler = handler != nullptr ? handler : &WriteToStandardError;
  g_userData = handler != nullptr ? userData : nullptr;
}

int AfxMessageBox(const char* text, unsigned type, unsigned) {
  return g_handler(text != nullptr ? text : "", type, g_userData);
}
