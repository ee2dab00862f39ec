// message_capture.cpp: one message-box handler, installed once for the
// whole program, hands each message to the capture of the thread that
// shows it, or to standard error when that thread captures nothing.

#include "htmlmemdoc/pages/page/message_capture.h"

#include <cstdio>
#include <mutex>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {
namespace {

thread_local CMessageCapture* t_capture = nullptr;
thread_local std::vector<std::string>* t_messages = nullptr;

int Route(const char* text, unsigned, void*) {
  if (t_messages != nullptr) {
    t_messages->emplace_back(text);
  } else {
    std::fprintf(stderr, "%s\n", text);
  }
  return IDOK;
}

void InstallOnce() {
  static std::once_flag installed;
  std::call_once(installed, [] { AfxSetMessageBoxHandler(&Route, nullptr); });
}

}  // namespace

CMessageCapture::CMessageCapture() : m_pOuter(t_capture) {
  InstallOnce();
  t_capture = this;
  t_messages = &m_messages;
}

CMessageCapture::~CMessageCapture() {
  t_capture = m_pOuter;
  t_messages = m_pOuter != nullptr ? &m_pOuter->m_messages : nullptr;
}

}  // namespace htmlmemdoc
