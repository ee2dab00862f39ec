// message_capture.cpp: a message-box handler that appends to a list.

#include "tools/message_capture.h"

#include <htmlmemdoc/htmlmemdoc.h>

CMessageCapture::CMessageCapture() {
  AfxSetMessageBoxHandler(&CMessageCapture::Capture, this);
}

CMessageCapture::~CMessageCapture() {
  AfxSetMessageBoxHandler(nullptr, nullptr);
}

int CMessageCapture::Capture(const char* text, unsigned, void* userData) {
  static_cast<CMessageCapture*>(userData)->m_messages.emplace_back(text);
  return IDOK;
}
