// deadline_server.h: an httplib::Server that gives each request a deadline
// to arrive whole (request line, headers and body), however slowly it
// dribbles in, and a bound on its size. httplib's own read timeout counts from
// one recv to the next, so a client sending a byte now and then held a worker
// for ever.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_DEADLINE_SERVER_H_
#define HTMLMEMDOC_TOOLS_EDITOR_DEADLINE_SERVER_H_

#include <httplib.h>

#include <chrono>

class DeadlineServer : public httplib::Server {
 public:
  // `deadline` runs from a request's first byte to its last; a request
  // still arriving then is dropped with its connection.
  explicit DeadlineServer(std::chrono::milliseconds deadline)
      : m_deadline(deadline) {}

  // Called by a handler: the connection of the request it is handling
  // ends once the answer is sent (a body refused unread would otherwise
  // be taken for the next request).
  static void CloseAfterAnswer();
  // Called once a request's head is read and its body's size found
  // acceptable: what the connection may send of this request from now on.
  // Before, a request's head may take 64 KB; a longer one is dropped.
  static void AllowBody(size_t length);

  // Once bound: lets the system queue as many connections as it allows
  // (httplib listens with a queue of 5, so a burst of connections saw
  // theirs dropped and retried a second or more later).
  void WidenBacklog();

 private:
  // Answers the requests of one connection, as many as keep-alive allows,
  // each read through a stream that refuses to wait past its deadline.
  bool process_and_close_socket(socket_t sock) override;

  std::chrono::milliseconds m_deadline;
};

#endif  // HTMLMEMDOC_TOOLS_EDITOR_DEADLINE_SERVER_H_
