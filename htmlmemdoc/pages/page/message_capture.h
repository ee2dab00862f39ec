// message_capture.h: collects the library's message boxes instead of
// showing them, for as long as a CMessageCapture object lives, on the
// thread that made it. Captures on several threads at once are kept apart.

#ifndef HTMLMEMDOC_PAGES_PAGE_MESSAGE_CAPTURE_H_
#define HTMLMEMDOC_PAGES_PAGE_MESSAGE_CAPTURE_H_

#include <string>
#include <vector>

namespace htmlmemdoc {

class CMessageCapture {
 public:
  CMessageCapture();   // captures this thread's messages from now on
  ~CMessageCapture();  // stops; messages go back to standard error
  CMessageCapture(const CMessageCapture&) = delete;
  CMessageCapture& operator=(const CMessageCapture&) = delete;

  const std::vector<std::string>& Messages() const { return m_messages; }

 private:
  std::vector<std::string> m_messages;
  CMessageCapture* m_pOuter;  // the capture this one stands in for
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_MESSAGE_CAPTURE_H_
