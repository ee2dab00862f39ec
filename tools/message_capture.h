// message_capture.h: collects the library's message boxes instead of
// showing them, for as long as a CMessageCapture object lives.

#ifndef HTMLMEMDOC_TOOLS_MESSAGE_CAPTURE_H_
#define HTMLMEMDOC_TOOLS_MESSAGE_CAPTURE_H_

#include <string>
#include <vector>

class CMessageCapture {
 public:
  CMessageCapture();   // installs the capturing handler
  ~CMessageCapture();  // restores the default handler
  CMessageCapture(const CMessageCapture&) = delete;
  CMessageCapture& operator=(const CMessageCapture&) = delete;

  const std::vector<std::string>& Messages() const { return m_messages; }
  void Clear() { m_messages.clear(); }

 private:
  static int Capture(const char* text, unsigned type, void* userData);

  std::vector<std::string> m_messages;
};

#endif  // HTMLMEMDOC_TOOLS_MESSAGE_CAPTURE_H_
