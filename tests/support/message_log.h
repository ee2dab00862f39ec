// message_log.h: captures the library's message boxes for a test.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_MESSAGE_LOG_H_
#define HTMLMEMDOC_TESTS_SUPPORT_MESSAGE_LOG_H_

#include <string>
#include <vector>

#include "htmlmemdoc/platform/message_box.h"

// While it lives, every message box is appended to `messages`.
class MessageLog {
 public:
  MessageLog() { AfxSetMessageBoxHandler(&MessageLog::Add, this); }
  ~MessageLog() { AfxSetMessageBoxHandler(nullptr, nullptr); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // All messages joined by '|', for short assertions.
  std::string Joined() const {
    std::string all;
    for (const std::string& m : messages) all += (all.empty() ? "" : "|") + m;
    return all;
  }

  std::vector<std::string> messages;

 private:
  static int Add(const char* text, unsigned, void* self) {
    static_cast<MessageLog*>(self)->messages.emplace_back(text);
    return IDOK;
  }
};

#endif  // HTMLMEMDOC_TESTS_SUPPORT_MESSAGE_LOG_H_
