// deadline_server.cpp: a connection's bytes are read through a buffer of
// its own (httplib reads request lines and headers a byte at a time), and
// every wait for more bytes ends at the read timeout or at the current
// request's deadline, whichever comes first. A request not whole by its
// deadline so fails to read, and httplib drops it; the keep-alive loop
// around the requests is httplib's, with the same counts and timeouts.
// Sockets are POSIX's or Winsock's (which httplib starts).

#include "tools/editor/deadline_server.h"

#ifndef _WIN32
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

#ifdef _WIN32
// Winsock has no signals to interrupt a call, nor SIGPIPE to keep from a
// send, and counts a send in int.
int PollOne(pollfd& watched, int timeout) {
  return WSAPoll(&watched, 1, timeout);
}
bool Interrupted() { return false; }
ssize_t SendSome(socket_t sock, const char* data, size_t size) {
  return send(sock, data, static_cast<int>(std::min<size_t>(size, 1 << 30)), 0);
}
void CloseSocket(socket_t sock) {
  shutdown(sock, SD_BOTH);
  closesocket(sock);
}
#else
int PollOne(pollfd& watched, int timeout) { return poll(&watched, 1, timeout); }
bool Interrupted() { return errno == EINTR; }
ssize_t SendSome(socket_t sock, const char* data, size_t size) {
  return send(sock, data, size, MSG_NOSIGNAL);
}
void CloseSocket(socket_t sock) {
  shutdown(sock, SHUT_RDWR);
  close(sock);
}
#endif

using Clock = std::chrono::steady_clock;

// Set by a handler, read once its request is answered; a connection is
// answered on one thread from its first request to its last.
thread_local bool t_closeAfterAnswer = false;
// What the request being read may still send: its head (the request line
// and headers, which httplib gathers without a bound) up to kHeadLimit,
// then the body a handler took (AllowBody).
constexpr size_t kHeadLimit = 64 * 1024;
thread_local size_t t_allowance = kHeadLimit;

Clock::duration Duration(time_t seconds, time_t microseconds) {
  return std::chrono::seconds(seconds) +
         std::chrono::microseconds(microseconds);
}

// Whether `sock` is ready for `events` (POLLIN or POLLOUT) within `wait`.
bool Await(socket_t sock, short events, Clock::duration wait) {
  if (wait <= Clock::duration::zero()) return false;
  const auto milliseconds = std::min<Clock::rep>(
      std::chrono::ceil<std::chrono::milliseconds>(wait).count(), 1 << 30);
  pollfd watched{sock, events, 0};
  int ready;
  do {
    ready = PollOne(watched, static_cast<int>(milliseconds));
  } while (ready < 0 && Interrupted());
  return ready > 0;
}

// The numeric address and port of a socket's end, the peer's or its own;
// left as they are when it cannot.
void AddressOf(socket_t sock, bool peer, std::string& ip, int& port) {
  sockaddr_storage address{};
  socklen_t size = sizeof address;
  char host[NI_MAXHOST];
  char service[NI_MAXSERV];
  sockaddr* const named = reinterpret_cast<sockaddr*>(&address);
  if ((peer ? getpeername(sock, named, &size)
            : getsockname(sock, named, &size)) == 0 &&
      getnameinfo(reinterpret_cast<sockaddr*>(&address), size, host,
                  sizeof host, service, sizeof service,
                  NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
    ip = host;
    port = std::atoi(service);
  }
}

// A connection as httplib reads and writes it. Does not own the socket.
class DeadlineStream : public httplib::Stream {
 public:
  DeadlineStream(socket_t sock, Clock::duration readTimeout,
                 Clock::duration writeTimeout)
      : m_sock(sock),
        m_readTimeout(readTimeout),
        m_writeTimeout(writeTimeout) {}

  // Whether the first byte of a request is there within `wait`.
  bool AwaitRequest(Clock::duration wait) const {
    return m_begin < m_end || Await(m_sock, POLLIN, wait);
  }
  // A request begins: all its bytes must have arrived by `deadline`.
  void Begin(Clock::time_point deadline) { m_deadline = deadline; }
  // Whether a read failed: the connection ended, broke or was too slow,
  // and what comes after cannot be told from the rest of a request.
  bool Broken() const { return m_broken; }

  bool is_readable() const override {
    return m_begin < m_end || Await(m_sock, POLLIN, ReadWait());
  }
  bool is_writable() const override {
    return Await(m_sock, POLLOUT, m_writeTimeout);
  }
  ssize_t read(char* ptr, size_t size) override {
    if (t_allowance == 0) {
      m_broken = true;  // a head or body over what the request may send
      return -1;
    }
    if (m_begin == m_end && !Fill()) return -1;
    const size_t count = std::min({size, m_end - m_begin, t_allowance});
    t_allowance -= count;
    std::memcpy(ptr, m_buffer + m_begin, count);
    m_begin += count;
    return static_cast<ssize_t>(count);
  }
  using httplib::Stream::write;
  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) return -1;
    ssize_t sent;
    do {
      sent = SendSome(m_sock, ptr, size);
    } while (sent < 0 && Interrupted());
    return sent;
  }
  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    AddressOf(m_sock, true, ip, port);
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    AddressOf(m_sock, false, ip, port);
  }
  socket_t socket() const override { return m_sock; }

 private:
  Clock::duration ReadWait() const {
    return std::min(m_readTimeout, m_deadline - Clock::now());
  }
  // Reads what has arrived into the empty buffer; false at the end of the
  // connection, on an error, or when nothing came in time.
  bool Fill() {
    ssize_t got = -1;
    if (Await(m_sock, POLLIN, ReadWait())) {
      do {
        got = recv(m_sock, m_buffer, sizeof m_buffer, 0);
      } while (got < 0 && Interrupted());
    }
    m_broken = got <= 0;
    if (m_broken) return false;
    m_begin = 0;
    m_end = static_cast<size_t>(got);
    return true;
  }

  socket_t m_sock;
  Clock::duration m_readTimeout;
  Clock::duration m_writeTimeout;
  Clock::time_point m_deadline = Clock::time_point::max();
  char m_buffer[4096];
  size_t m_begin = 0;  // the bytes not read yet: [m_begin, m_end)
  size_t m_end = 0;
  bool m_broken = false;
};

}  // namespace

void DeadlineServer::CloseAfterAnswer() { t_closeAfterAnswer = true; }

void DeadlineServer::AllowBody(size_t length) { t_allowance = length; }

void DeadlineServer::WidenBacklog() {
  // listen() again on a listening socket only changes its queue.
  if (svr_sock_ != INVALID_SOCKET) ::listen(svr_sock_, SOMAXCONN);
}

bool DeadlineServer::process_and_close_socket(socket_t sock) {
  {
    DeadlineStream stream(sock, Duration(read_timeout_sec_, read_timeout_usec_),
                          Duration(write_timeout_sec_, write_timeout_usec_));
    const auto idle = std::chrono::seconds(keep_alive_timeout_sec_);
    for (size_t left = keep_alive_max_count_;
         left > 0 && svr_sock_ != INVALID_SOCKET && stream.AwaitRequest(idle);
         --left) {
      stream.Begin(Clock::now() + m_deadline);
      t_closeAfterAnswer = false;
      t_allowance = kHeadLimit;
      bool closed = false;
      if (!process_request(stream, left == 1, closed, nullptr) || closed ||
          t_closeAfterAnswer || stream.Broken())
        break;
    }
  }
  CloseSocket(sock);
  return true;
}
