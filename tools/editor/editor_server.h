// editor_server.h: `htmlmemdoc serve DIR`, a web server on 127.0.0.1 for
// the editor in the browser. The pages below DIR are opened, changed and
// saved only through the shared layer's page sessions: the browser sends
// a small JSON request per change and gets the page's model back, and
// never writes markup itself.
//
// The editor's API wants the access token in the X-Htmlmemdoc-Token header
// (never a cookie, which the browser sends to every port of 127.0.0.1), a
// Host naming this server, and, when it has one (every POST must), an
// Origin naming it: a page of another site, or another site's name bound
// to 127.0.0.1 (DNS rebinding), gets 403. The preview and the site's files
// are reached through the open page's secret path and served in a
// sandbox. Paths are resolved, links included, and must stay below DIR
// (else 404); bodies must give their Content-Length and stay under the
// limit; a request must arrive whole within 10 s.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SERVER_H_
#define HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SERVER_H_

#include <cstddef>
#include <memory>
#include <string>

struct EditorOptions {
  std::string root;             // the folder whose pages are edited
  int port = 0;                 // 0: any free port
  std::string token;            // empty: a new random one
  size_t maxBody = 1 << 20;     // bytes of a request
  size_t maxUpload = 32 << 20;  // bytes of a file copied into the site
  // Where unsaved changes are journaled (outside root); empty: the
  // default, $XDG_STATE_HOME/htmlmemdoc/journal.
  std::string journal;
};

class EditorServer {
 public:
  explicit EditorServer(EditorOptions options);
  ~EditorServer();
  EditorServer(const EditorServer&) = delete;
  EditorServer& operator=(const EditorServer&) = delete;

  // Binds 127.0.0.1; returns the port, or -1 when it cannot.
  int Bind();
  // Answers requests until Stop (from another thread or a signal).
  void Serve();
  void Stop();

  // The address to open, token included.
  std::string Address() const;
  const std::string& Token() const;

 private:
  class Impl;
  std::unique_ptr<Impl> m_impl;
};

#endif  // HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SERVER_H_
