// serve_command.cpp: starts the editor server on the folder and prints
// where it is; it opens no browser by itself.

#include "tools/serve_command.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <csignal>
#include <thread>
#endif

#include "htmlmemdoc/platform/file_system.h"
#include "tools/editor/editor_server.h"
#include "tools/page_reader.h"

namespace {

#ifndef _WIN32
// While it lives, Ctrl+C, a kill and a closed terminal stop the server
// through its own Stop, so that Serve returns and what the server made
// outside the site (the preview's folder) is removed as it ends; requests
// in progress finish first. Made before the server's threads, which take
// the blocked signals from this one.
class StopOnSignals {
 public:
  explicit StopOnSignals(EditorServer& server) {
    sigemptyset(&m_signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&m_signals, signal);
    pthread_sigmask(SIG_BLOCK, &m_signals, &m_before);
    m_waiter = std::thread([this, &server] {
      for (int signals = 0;; ++signals) {
        int signal = 0;
        sigwait(&m_signals, &signal);
        if (m_ending) return;
        if (signals == 0) {
          server.Stop();
          continue;
        }
        // A second one does not wait for the requests in progress.
        std::signal(signal, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &m_signals, nullptr);
        raise(signal);
      }
    });
  }
  ~StopOnSignals() {
    m_ending = true;
    pthread_kill(m_waiter.native_handle(), SIGTERM);
    m_waiter.join();
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
  }
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

 private:
  sigset_t m_signals, m_before;
  std::atomic<bool> m_ending{false};
  std::thread m_waiter;
};
#endif

}  // namespace

int RunServe(const ServeOptions& options) {
  std::error_code error;
  if (!std::filesystem::is_directory(htmlmemdoc::FsPath(options.root), error)) {
    std::fprintf(stderr, "htmlmemdoc: %s is no folder\n", options.root.c_str());
    return kExitUsage;
  }
  EditorOptions editor;
  editor.root = options.root;
  editor.port = options.port;
  EditorServer server(editor);
#ifndef _WIN32
  const StopOnSignals stopOnSignals(server);
#endif
  if (server.Bind() < 0) {
    std::fprintf(stderr, "htmlmemdoc: cannot listen on 127.0.0.1:%d\n",
                 options.port);
    return kExitUsage;
  }
  std::printf(
      "Editing the pages below %s at\n%s\n(only this computer can "
      "reach it; Ctrl+C ends it)\n",
      options.root.c_str(), server.Address().c_str());
  std::fflush(stdout);
  server.Serve();
  return kExitOk;
}
