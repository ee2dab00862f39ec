// editor_server.cpp: the routes. A page opened in a tab is a page session
// of its own (so two tabs on one page find their conflict on save); the
// sessions live in a map under one lock, as requests arrive on many
// threads, and the oldest gives way when too many are open (its tab is
// told to open the page again).

#include "tools/editor/editor_server.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>

#include "htmlmemdoc/pages/export/play_verdict.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/page/page_session.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/report/page_journal.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/report/session_model.h"
#include "htmlmemdoc/pages/site/site_scan.h"
#include "htmlmemdoc/pages/site/site_tree.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "tools/editor/deadline_server.h"
#include "tools/editor/editor_assets.h"
#include "tools/editor/editor_security.h"
#include "tools/editor/modern_preview.h"
#include "tools/editor/upload.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char kJson[] = "application/json";

// A page's bytes that are not UTF-8 are shown as show --json shows them.
void Answer(httplib::Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(htmlmemdoc::JsonText(body, -1), kJson);
}

// What a page's markup and the site's files are served with: shown, never
// run (no script, no form, no plug-in; an origin of their own), and only
// inside the editor. A sandboxed document's own origin is opaque, so the
// server is named where 'self' would match nothing.
std::string ServerSources(int port) {
  return "http://127.0.0.1:" + std::to_string(port) +
         " http://localhost:" + std::to_string(port);
}

// A page in one of the preview's frames is framed by the preview, whose
// origin is opaque and so matches no frame-ancestors source: its files
// name none (they are reached only through the session's secret path).
std::string SandboxPolicy(int port) {
  const std::string self = ServerSources(port);
  return "sandbox; default-src 'none'; img-src " + self + " data:; " +
         "media-src " + self + "; style-src " + self +
         " 'unsafe-inline'; font-src " + self + "; frame-src " + self;
}

// What the preview of a page is served with: the sandbox of its files,
// and the one script that carries the nonce, the editor's own (live.js),
// which moves the page's layers as the person moves them; the page's own
// scripts and handlers still do not run.
std::string ViewPolicy(int port, const std::string& nonce) {
  return "sandbox allow-scripts; default-src 'none'; script-src 'nonce-" +
         nonce + "'; img-src " + ServerSources(port) + " data:; media-src " +
         ServerSources(port) + "; style-src " + ServerSources(port) +
         " 'unsafe-inline'; font-src " + ServerSources(port) + "; frame-src " +
         ServerSources(port) + "; frame-ancestors 'self'";
}

// The preview's script, told where each layer's block stands among the
// blocks the page writes (WrittenLayerPlaces), put at the end of `html`.
std::string WithLiveScript(std::string html, const std::string& nonce,
                           const std::vector<int>& places) {
  const EditorAsset* live = FindEditorAsset("/live.js");
  html += "\n<script nonce=\"" + nonce + "\" data-places=\"" +
          json(places).dump() + "\">" + (live ? live->body : "") +
          "</script>\n";
  return html;
}

// What the view for current browsers is served with: its scripts run (the
// sound control, swap images, the Flash player and its WebAssembly), in
// an origin of their own, which reaches nothing of the editor's (its API
// needs the token, its origin; the view has neither), in a tab of its own
// or beside the editing view.
std::string ModernPolicy(int port) {
  const std::string self = ServerSources(port);
  return "sandbox allow-scripts; default-src 'none'; script-src " + self +
         " 'unsafe-inline' 'wasm-unsafe-eval'; connect-src " + self +
         "; img-src " + self + " data: blob:; media-src " + self +
         " blob:; style-src " + self + " 'unsafe-inline'; font-src " + self +
         "; worker-src " + self + " blob:; frame-ancestors 'self'";
}

// `path` in hex, two digits a byte: how a name that is not UTF-8 (which
// JSON cannot carry) goes to the browser and comes back.
std::string HexOf(const std::string& path) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : path) {
    hex += kHex[c >> 4];
    hex += kHex[c & 15];
  }
  return hex;
}

// The bytes HexOf gave `hex`; false for anything else.
bool BytesOfHex(const std::string& hex, std::string& bytes) {
  if (hex.size() % 2 != 0) return false;
  bytes.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    const std::string pair = hex.substr(i, 2);
    if (pair.find_first_not_of("0123456789abcdef") != std::string::npos)
      return false;
    bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
  }
  return true;
}

void Refuse(httplib::Response& res, int status, const std::string& why) {
  Answer(res, status, json{{"error", why}});
}

// A change of one "property" to its "value" written as a change of
// several ("properties"), so that both are read by one parser.
json OneProperty(const json& request) {
  json change = request;
  change.erase("property");
  change.erase("value");
  const json name = request.value("property", json());
  change["properties"] = json::object();
  if (name.is_string())
    change["properties"][name.get<std::string>()] =
        request.value("value", json());
  return change;
}

// Whether `value` could be a name in a page's attribute at all: one that
// cannot ('"', '<', '>', a control byte) is the guarded edit's to refuse,
// with the reason every front end gives.
bool IsName(const std::string& value) {
  return std::none_of(value.begin(), value.end(), [](unsigned char c) {
    return c == '"' || c == '<' || c == '>' || c < 0x20;
  });
}

// A request's JSON body, or a discarded value when it is not JSON or nests
// deeper than any request of the editor (the library writes a value by
// recursion: one nested 100,000 deep ended the server).
json ParseRequest(const std::string& body) {
  bool tooDeep = false;
  json request = json::parse(
      body,
      [&tooDeep](int depth, json::parse_event_t, json&) {
        tooDeep = tooDeep || depth > 16;
        return !tooDeep;
      },
      false);
  return tooDeep ? json(json::value_t::discarded) : request;
}

// The folder of page `relative` below the root; "" for the root itself.
std::string FolderOf(const std::string& relative) {
  return htmlmemdoc::PathText(htmlmemdoc::FsPath(relative).parent_path());
}

}  // namespace

class EditorServer::Impl {
 public:
  explicit Impl(EditorOptions options) : m_options(std::move(options)) {
    if (m_options.token.empty()) m_options.token = NewToken();
    std::error_code error;
    m_root = RealPath(htmlmemdoc::FsPath(m_options.root), error);
    m_modern = std::make_unique<ModernPreview>(m_root);
    m_server.set_payload_max_length(
        std::max(m_options.maxBody, m_options.maxUpload));
    // A connection that sends nothing for two seconds is closed, a request
    // must arrive whole within kRequestDeadline, and there are workers
    // enough that slow ones cannot hold the server.
    m_server.set_read_timeout(2, 0);
    m_server.set_write_timeout(5, 0);
    m_server.set_keep_alive_timeout(2);
    m_server.set_keep_alive_max_count(100);
    m_server.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
#ifdef _WIN32
    // httplib sets SO_REUSEADDR too, with which Windows lets another
    // socket bind the same port and take connections meant for this one.
    m_server.set_socket_options([](socket_t sock) {
      const BOOL yes = TRUE;
      setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                 reinterpret_cast<const char*>(&yes), sizeof yes);
    });
#endif
    m_server.set_pre_routing_handler(
        [this](const httplib::Request& req, httplib::Response& res) {
          // Answers go over the loopback, where compressing them costs far
          // more than it saves (brotli took seconds over a 1 MB page), so
          // httplib is not told the browser takes compressed ones. The
          // request is the server's own, passed as const to handlers.
          const_cast<httplib::Request&>(req).headers.erase("Accept-Encoding");
          if (Guard(req, res))
            return httplib::Server::HandlerResponse::Unhandled;
          // The body, if any, was not read: it must not be taken for the
          // next request of the connection.
          DeadlineServer::CloseAfterAnswer();
          return httplib::Server::HandlerResponse::Handled;
        });
    Route();
  }

  int Bind() {
    if (m_root.empty()) return -1;
    m_port = m_options.port == 0
                 ? m_server.bind_to_any_port("127.0.0.1")
                 : (m_server.bind_to_port("127.0.0.1", m_options.port)
                        ? m_options.port
                        : -1);
    m_server.WidenBacklog();
    return m_port;
  }
  void Serve() { m_server.listen_after_bind(); }
  void Stop() { m_server.stop(); }
  std::string Address() const {
    return "http://127.0.0.1:" + std::to_string(m_port) +
           "/?token=" + m_options.token;
  }
  const std::string& Token() const { return m_options.token; }

 private:
  // The checks every request passes before its route and before its body
  // is read: Host, Origin, the body's announced size, then the credential.
  // The editor's own files are no secret; the API needs the token in a
  // header (the page keeps it in its tab's storage, which no other port
  // or site can read: a cookie would go to every port of 127.0.0.1); what
  // the preview frame loads is reached through its session's secret path.
  bool Guard(const httplib::Request& req, httplib::Response& res) {
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("Cache-Control", "no-store");
    // One Host only: of two, a proxy or a server might go by the other.
    if (req.get_header_value_count("Host") != 1 ||
        !IsOwnHost(req.get_header_value("Host"), m_port)) {
      Refuse(res, 403, "the Host header does not name this server");
      return false;
    }
    // What the preview loads comes from a sandboxed frame, whose requests
    // say "Origin: null": those GETs carry their own credential and change
    // nothing.
    const bool preview =
        req.method == "GET" && req.path.compare(0, 3, "/s/") == 0;
    const bool hasOrigin = req.has_header("Origin") && !preview;
    if ((hasOrigin || req.method != "GET") &&
        !IsOwnOrigin(req.get_header_value("Origin"), m_port)) {
      Refuse(res, 403, "the request does not come from the editor's page");
      return false;
    }
    if (!BodyFits(req, res)) return false;
    if (FindEditorAsset(req.path) != nullptr && req.method == "GET")
      return true;
    if (preview) return true;  // the route checks the session's secret
    if (!SameToken(req.get_header_value("X-Htmlmemdoc-Token"),
                   m_options.token)) {
      Refuse(res, 403,
             "no access token: open the address htmlmemdoc serve printed");
      return false;
    }
    return true;
  }

  // A body must say its size, and fit: one sent in chunks, or until the
  // connection ends, could grow without a bound before any route saw it.
  bool BodyFits(const httplib::Request& req, httplib::Response& res) {
    const std::string encoding = req.get_header_value("Transfer-Encoding");
    if (!encoding.empty()) {
      Refuse(res, 411, "the editor takes a body with its Content-Length only");
      return false;
    }
    if (req.method == "GET" || req.method == "HEAD") {
      DeadlineServer::AllowBody(0);
      return true;
    }
    const std::string length = req.get_header_value("Content-Length");
    if (length.empty() ||
        length.find_first_not_of("0123456789") != std::string::npos) {
      Refuse(res, 411, "a request with a body must give its Content-Length");
      return false;
    }
    const size_t limit =
        req.path == "/api/upload" ? m_options.maxUpload : m_options.maxBody;
    if (length.size() > 18 || std::stoull(length) > limit) {
      Refuse(res, 413,
             req.path == "/api/upload"
                 ? "the file is over " + std::to_string(limit >> 20) +
                       " MB, the most the editor copies into the site"
                 : "the body is over the limit");
      return false;
    }
    DeadlineServer::AllowBody(std::stoull(length));
    return true;
  }

  void Route() {
    m_server.Get(R"(/(|[a-z_]+\.(js|css)))",
                 [](const httplib::Request& req, httplib::Response& res) {
                   const EditorAsset* asset = FindEditorAsset(req.path);
                   if (asset == nullptr)
                     return Refuse(res, 404, "no such file of the editor");
                   res.set_content(asset->body, asset->type);
                   res.set_header("Content-Security-Policy",
                                  "default-src 'self'; img-src 'self' blob:; "
                                  "frame-ancestors 'none'");
                 });
    m_server.Get("/api/pages", [this](const httplib::Request&,
                                      httplib::Response& res) { Pages(res); });
    m_server.Post("/api/open",
                  [this](const httplib::Request& req, httplib::Response& res) {
                    Open(req, res);
                  });
    for (const char* action : {"edit", "undo", "redo", "save"}) {
      m_server.Post(
          std::string("/api/") + action,
          [this, action](const httplib::Request& req, httplib::Response& res) {
            Act(action, req, res);
          });
    }
    m_server.Get("/api/diff",
                 [this](const httplib::Request& req, httplib::Response& res) {
                   Diff(req, res);
                 });
    m_server.Get(R"(/s/([0-9a-f]{32})/view)",
                 [this](const httplib::Request& req, httplib::Response& res) {
                   View(req.matches[1], res);
                 });
    m_server.Get(R"(/s/([0-9a-f]{32})/modern)",
                 [this](const httplib::Request& req, httplib::Response& res) {
                   ModernView(req.matches[1], res);
                 });
    m_server.Get(R"(/s/([0-9a-f]{32})/modern/(.+))",
                 [this](const httplib::Request& req, httplib::Response& res) {
                   ModernFile(req.matches[1], req.matches[2], res);
                 });
    m_server.Get(R"(/s/([0-9a-f]{32})/site/(.+))",
                 [this](const httplib::Request& req, httplib::Response& res) {
                   SiteFile(req.matches[1], req.matches[2], res);
                 });
    for (const char* action : {"restore", "discard"})
      m_server.Post(
          std::string("/api/") + action,
          [this, action](const httplib::Request& req, httplib::Response& res) {
            Act(action, req, res);
          });
    m_server.Post("/api/upload",
                  [this](const httplib::Request& req, httplib::Response& res) {
                    Upload upload;
                    upload.folder = req.get_param_value("folder");
                    upload.name = req.get_param_value("name");
                    upload.replace = req.get_param_value("replace") == "1";
                    upload.bytes = &req.body;
                    const UploadAnswer answer = SaveUpload(m_root, upload);
                    Answer(res, answer.status, answer.body);
                  });
    m_server.Get("/api/alive",
                 [](const httplib::Request&, httplib::Response& res) {
                   Answer(res, 200, {{"alive", true}});
                 });
  }

  // The pages below the root with whether each reads, and the root's
  // other files (what a layer's source may be chosen from). Hidden files
  // and folders are left out, special files (fifos, devices) never opened,
  // and a folder that cannot be read is named while the rest is listed.
  void Pages(httplib::Response& res) {
    json pages = json::array();
    json files = json::array();
    json unreadable = json::array();
    std::map<std::string, KeptVerdict> verdicts;
    const htmlmemdoc::SiteTree tree(htmlmemdoc::PathText(m_root), false);
    for (const htmlmemdoc::SiteTree::Unreadable& folder :
         tree.UnreadableFolders())
      unreadable.push_back(folder.path);
    tree.ForEachEntry([&](htmlmemdoc::SiteTree::FileId id,
                          const htmlmemdoc::SiteTree::Entry& found) {
      // Only what the routes would open: no folder, no special file, no
      // link leading out of the root.
      if (!found.file || found.leaves) return;
      const std::string path = tree.PathOf(id);
      fs::path file;
      if (!ResolveInside(m_root, path, file)) return;
      if (!htmlmemdoc::IsPagePath(path)) {
        files.push_back(path);
        return;
      }
      json entry = {{"path", path}, {"key", HexOf(path)}};
      Verdict(htmlmemdoc::PathText(file), entry, verdicts);
      pages.push_back(std::move(entry));
    });
    {
      std::lock_guard<std::mutex> lock(m_verdictLock);
      m_verdicts = std::move(verdicts);  // pages gone since are dropped
    }
    std::sort(pages.begin(), pages.end(),
              [](const json& a, const json& b) { return a["key"] < b["key"]; });
    std::sort(files.begin(), files.end());
    Answer(res, 200,
           {{"pages", pages}, {"files", files}, {"unreadable", unreadable}});
  }

  // What check says of a page: whether it reads, and what writing it
  // back would lose; and what a current browser plays of it. Kept per file
  // while its size and time stay, so that listing the pages again reads only
  // the pages changed since; the verdicts of this listing go into `kept`.
  struct KeptVerdict {
    std::uintmax_t size = 0;
    fs::file_time_type time;
    json verdict, warnings;
    json plays;  // what a current browser plays of it (DescribePlayVerdict)
  };
  void Verdict(const std::string& file, json& entry,
               std::map<std::string, KeptVerdict>& kept) {
    std::error_code error;
    KeptVerdict now;
    now.size = fs::file_size(htmlmemdoc::FsPath(file), error);
    if (!error) now.time = fs::last_write_time(htmlmemdoc::FsPath(file), error);
    bool found = false;
    if (!error) {
      std::lock_guard<std::mutex> lock(m_verdictLock);
      const auto at = m_verdicts.find(file);
      found = at != m_verdicts.end() && at->second.size == now.size &&
              at->second.time == now.time;
      if (found) now = at->second;
    }
    if (!found) {
      htmlmemdoc::PageFile page = htmlmemdoc::ReadPageFile(file);
      CHtmlMemDoc document;
      now.warnings = json::array();
      now.plays = json(nullptr);
      if (page.Ok() && htmlmemdoc::LoadPage(page, document)) {
        now.plays = htmlmemdoc::DescribePlayVerdict(
            htmlmemdoc::PagePlayVerdict(document, page.text));
        for (const auto& loss : htmlmemdoc::FindLosses(document, page.text))
          now.warnings.push_back(htmlmemdoc::DescribeLoss(loss));
      }
      now.verdict = page.Ok() ? "ok" : Shown(page.problem.message, "", "");
    }
    entry["verdict"] = now.verdict;
    entry["warnings"] = now.warnings;
    entry["plays"] = now.plays;
    if (!error) kept[file] = std::move(now);
  }

  // The page a request names below the root: by "key" (HexOf its path,
  // for names that are not UTF-8) or by "path"; false when none.
  bool PageOf(const json& request, std::string& relative, fs::path& file) {
    if (!request.is_object()) return false;
    const json key = request.value("key", json());
    const json path = request.value("path", json());
    if (key.is_string()) {
      if (!BytesOfHex(key.get<std::string>(), relative)) return false;
    } else if (path.is_string()) {
      relative = path.get<std::string>();
    } else {
      return false;
    }
    return !htmlmemdoc::IsHiddenPath(relative) &&
           ResolveInside(m_root, relative, file);
  }

  // Opens a page in a session of its own; the answer offers back the
  // changes an earlier session of the page left unsaved, if any.
  void Open(const httplib::Request& req, httplib::Response& res) {
    const json request = ParseRequest(req.body);
    fs::path file;
    std::string relative;
    if (!PageOf(request, relative, file)) {
      Refuse(res, 404, "no such page below the folder");
      return;
    }
    auto session = std::make_unique<htmlmemdoc::PageSession>(
        htmlmemdoc::PathText(file),
        htmlmemdoc::JournalIn(m_options.journal.empty()
                                  ? htmlmemdoc::DefaultJournalFolder()
                                  : m_options.journal));
    session->WriteOnlyBelow(htmlmemdoc::PathText(m_root));
    if (!session->Ok()) {
      Answer(res, 422,
             {{"error", session->Problem().message},
              {"problem", htmlmemdoc::ProblemJson(session->Problem())}});
      return;
    }
    const std::string id = NewToken().substr(0, 32);
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_opened.size() == kMaxSessions) {  // the oldest tab gives way
      m_sessions.erase(m_opened.front());
      m_paths.erase(m_opened.front());
      m_views.erase(m_opened.front());
      m_opened.pop_front();
    }
    m_opened.push_back(id);
    m_paths[id] = relative;
    const htmlmemdoc::PageSession& opened =
        *(m_sessions[id] = std::move(session));
    json body = State(id, opened, true);
    const htmlmemdoc::JournalRecord& unsaved = opened.Unsaved();
    if (!unsaved.edits.empty()) {
      body["unsaved"] = {{"count", unsaved.edits.size()},
                         {"time", unsaved.time},
                         {"fileChanged", opened.FileChangedSinceUnsaved()}};
    }
    Answer(res, 200, body);
  }

  // What every answer about a session carries: the page's model (its
  // losses included) when the tab opens it, and after that what changed
  // in it (the tab keeps the rest), the steps possible and the changes
  // not saved.
  json State(const std::string& id, const htmlmemdoc::PageSession& session,
             bool opened) {
    htmlmemdoc::SessionView& view = m_views[id];
    json state = {{"session", id},
                  {"path", m_paths[id]},
                  {"key", HexOf(m_paths[id])},
                  {"view", "/s/" + id + "/view"},
                  {"canUndo", session.CanUndo()},
                  {"canRedo", session.CanRedo()},
                  {"changes", session.Changes()}};
    if (opened) {
      state["model"] = view.Whole(session);
    } else {
      state["changed"] = view.Changes(session);
    }
    if (!session.JournalProblem().empty())
      state["journalProblem"] = session.JournalProblem();
    return state;
  }

  // The session a request names; null, with the answer made, when none.
  htmlmemdoc::PageSession* SessionOf(const std::string& id,
                                     httplib::Response& res) {
    const auto found = m_sessions.find(id);
    if (found != m_sessions.end()) return found->second.get();
    Refuse(res, 404, "no such open page: open it again");
    return nullptr;
  }

  void Act(const std::string& action, const httplib::Request& req,
           httplib::Response& res) {
    const json request = ParseRequest(req.body);
    if (!request.is_object())
      return Refuse(res, 400, "the body is no JSON object");
    const json named = request.value("session", json());
    const std::string id = named.is_string() ? named.get<std::string>() : "";
    std::lock_guard<std::mutex> lock(m_lock);
    htmlmemdoc::PageSession* session = SessionOf(id, res);
    if (session == nullptr) return;
    if (request.contains("page") && request["page"] != m_paths[id])
      return Refuse(res, 409, "the session holds another page");
    std::string why;
    json body = json::object();
    const int status = action == "edit"
                           ? Edit(request, m_paths[id], *session, why, body)
                       : action == "save" ? Save(*session, why, body)
                                          : Step(action, *session, why, body);
    if (status == 400) return Refuse(res, 400, why);
    body.update(State(id, *session, false));
    if (!why.empty()) body["error"] = Shown(why, session->Path(), m_paths[id]);
    Answer(res, status, body);
  }

  // The diff of the page as it would be written against the file as
  // opened, or with ?against=disk against the file on disk now.
  void Diff(const httplib::Request& req, httplib::Response& res) {
    const std::string id = req.get_param_value("session");
    std::lock_guard<std::mutex> lock(m_lock);
    htmlmemdoc::PageSession* session = SessionOf(id, res);
    if (session == nullptr) return;
    const std::string& name = m_paths[id];
    Answer(res, 200,
           {{"diff", req.get_param_value("against") == "disk"
                         ? session->DiffAgainstDisk(name)
                         : session->Diff(name)}});
  }

  // A change of page `page`: {"index", "layer", "properties"} (the layer
  // named by its place in page order and its id, so that layers sharing
  // an id are told apart), or one "property" and its "value" of the layer
  // of that id; changes "with" it are made in the same step (an alignment
  // of several layers is undone at once). Its sources must name files
  // below the root. A refused change answers 422 with the refusal's
  // "code" beside the "error".
  int Edit(const json& request, const std::string& page,
           htmlmemdoc::PageSession& session, std::string& why,
           json& body) const {
    htmlmemdoc::SessionEdit change;
    htmlmemdoc::Refusal refusal = htmlmemdoc::EditFromJson(
        request.contains("property") ? OneProperty(request) : request, change);
    for (size_t i = 0; !refusal && i <= change.with.size(); ++i) {
      const htmlmemdoc::PageEdit& part =
          i == 0 ? change.edit : change.with[i - 1].edit;
      if (!(why = SourcesRefusal(part, FolderOf(page))).empty() ||
          !(why = TextRefusal(part, session)).empty())
        refusal = htmlmemdoc::Refusal(htmlmemdoc::RefusalCode::kBadValue, why);
    }
    if (!refusal) refusal = session.Apply(change);
    why = refusal.why;
    if (refusal) body["code"] = refusal.Name();
    return refusal ? 422 : 200;
  }

  // Why a text of `edit` may not be written into the session's page. The
  // browser works in UTF-8, and a page in another character set is shown
  // with each byte it cannot read as U+FFFD: a text, content or title
  // sent back from there would write those in place of the page's own
  // bytes, and any letter beyond ASCII in a character set not the page's
  // (a page read in a double-byte code page is shown so too).
  static std::string TextRefusal(const htmlmemdoc::PageEdit& edit,
                                 const htmlmemdoc::PageSession& session) {
    if (!edit.text && !edit.content && !edit.title) return "";
    if (HtmlMemDocGetCodePage() == HTMLMEMDOC_CP_UTF8 &&
        htmlmemdoc::IsUtf8(session.Text()))
      return "";
    const CHtmlMemDoc& document = session.Document();
    const CHtmlLayer* layer = htmlmemdoc::FindLayer(document, edit.layer);
    const std::string now = edit.title ? htmlmemdoc::MarkupOf(document.m_title)
                            : layer != nullptr ? htmlmemdoc::MarkupOf(*layer)
                                               : "";
    bool ascii = htmlmemdoc::IsAscii(now);
    for (const auto* text : {&edit.text, &edit.content, &edit.title})
      ascii = ascii && (!*text || htmlmemdoc::IsAscii(**text));
    return ascii ? ""
                 : "the page is not UTF-8, which the editor's text is: a "
                   "text beyond ASCII is changed in a program that reads "
                   "the page's character set";
  }

  // Why a source of `edit`, written in a page of `folder`, may not be.
  std::string SourcesRefusal(const htmlmemdoc::PageEdit& edit,
                             const std::string& folder) const {
    for (const auto* source : {&edit.src, &edit.poster, &edit.background,
                               &edit.sound, &edit.frameSrc}) {
      if (!*source || !IsName(**source)) continue;
      const std::string why = SourceRefusal(m_root, folder, **source);
      if (!why.empty()) return why;
    }
    return "";
  }

  // 200 only when the page was written, or had nothing to write. Its path
  // is resolved again first: a folder on it swapped for a link since the
  // page was opened would lead the write out of the root.
  int Save(htmlmemdoc::PageSession& session, std::string& why,
           json& body) const {
    using Code = htmlmemdoc::RefusalCode;
    body["saved"] = false;
    if (!LeadsToItself(session.Path())) {
      why = "the page's folder changed since it was opened: open it again";
      return 409;
    }
    const htmlmemdoc::Refusal refused = session.Save();
    body["saved"] = !refused;
    if (refused.code == Code::kUnchanged) {
      body["note"] = refused.why;
      return 200;
    }
    why = refused.why;
    if (refused) body["code"] = refused.Name();
    return !refused ? 200 : refused.code == Code::kConflict ? 409 : 422;
  }

  // Whether `file`, a canonical path below the root when a page was opened,
  // still names that file through no link.
  bool LeadsToItself(const std::string& file) const {
    const fs::path path = htmlmemdoc::FsPath(file);
    fs::path now;
    return ResolveInside(m_root,
                         htmlmemdoc::PathText(path.lexically_relative(m_root)),
                         now) &&
           now == path;
  }

  // Undo, redo, and restoring or discarding the unsaved changes offered.
  static int Step(const std::string& action, htmlmemdoc::PageSession& session,
                  std::string& why, json& body) {
    if (action == "restore") {
      const std::vector<std::string> refused = session.RestoreUnsaved();
      body["refused"] = refused;
      if (!refused.empty())
        why = std::to_string(refused.size()) + " unsaved change(s) refused";
      return 200;
    }
    if (action == "discard") {
      session.DiscardUnsaved();
      return 200;
    }
    if (action == "undo" ? session.Undo() : session.Redo()) return 200;
    why = "nothing to " + action;
    return 409;
  }

  // `why` with the page's server path `file` told as the page's name.
  std::string Shown(std::string why, const std::string& file,
                    const std::string& page) const {
    why = ReplaceAll(std::move(why), file, page);
    // Any other file named (a temporary one, a folder) by its name below
    // the root, and the root itself as the site's folder.
    const std::string root = htmlmemdoc::PathText(m_root);
    return ReplaceAll(ReplaceAll(std::move(why), root + "/", ""), root,
                      "the site folder");
  }

  static std::string ReplaceAll(std::string text, const std::string& from,
                                const std::string& to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
    return text;
  }

  // The page as it would be written, its relative names resolved in its
  // folder below the session's secret path; shown in a sandbox, where
  // only the editor's own script runs.
  void View(const std::string& id, httplib::Response& res) {
    std::lock_guard<std::mutex> lock(m_lock);
    htmlmemdoc::PageSession* session = SessionOf(id, res);
    if (session == nullptr) return;
    const std::string nonce = NewToken().substr(0, 24);
    const std::string html = WithLiveScript(
        htmlmemdoc::WithBase(session->Rendering(),
                             PreviewBase(id, "site", m_paths[id])),
        nonce, htmlmemdoc::WrittenLayerPlaces(session->Document()));
    res.set_header("Content-Security-Policy", ViewPolicy(m_port, nonce));
    res.set_content(html, "text/html");
  }

  // Where the relative names of a preview of session `id`'s page `path`
  // resolve: its folder below the session's secret path and `route`.
  static std::string PreviewBase(const std::string& id, const char* route,
                                 const std::string& path) {
    const std::string folder = FolderOf(path);
    return "/s/" + id + "/" + route + "/" +
           htmlmemdoc::UrlOf(folder.empty() ? "" : folder + "/");
  }

  // Whether session `id` is open and `find` gives a file the preview may
  // load, whose bytes go into `bytes`; else answers the refusal.
  bool PreviewFile(const std::string& id,
                   const std::function<bool(fs::path&)>& find, fs::path& file,
                   std::string& bytes, httplib::Response& res) {
    {
      std::lock_guard<std::mutex> lock(m_lock);
      if (SessionOf(id, res) == nullptr) return false;
    }
    if (!find(file) ||
        !htmlmemdoc::ReadFileBytes(htmlmemdoc::PathText(file), bytes)) {
      Refuse(res, 404, "no such file below the folder");
      return false;
    }
    return true;
  }

  // A file below the root for the preview of session `id`, shown in the
  // same sandbox as the page.
  void SiteFile(const std::string& id, const std::string& relative,
                httplib::Response& res) {
    fs::path file;
    std::string bytes;
    if (!PreviewFile(
            id,
            [&](fs::path& found) {
              return !htmlmemdoc::IsHiddenPath(relative) &&
                     ResolveInside(m_root, relative, found);
            },
            file, bytes, res))
      return;
    res.set_header("Content-Security-Policy", SandboxPolicy(m_port));
    res.set_content(bytes, ContentType(file));
  }

  // The page exported for current browsers, as its unsaved state stands,
  // its relative names resolved below the session's secret path.
  void ModernView(const std::string& id, httplib::Response& res) {
    std::string path, bytes;
    {
      std::lock_guard<std::mutex> lock(m_lock);
      htmlmemdoc::PageSession* session = SessionOf(id, res);
      if (session == nullptr) return;
      path = m_paths[id];
      bytes = session->Rendering();
    }
    const htmlmemdoc::ExportedPage exported = m_modern->Page(path, bytes);
    if (exported.refusal || !exported.file.Ok()) {
      Refuse(res, 422,
             exported.refusal
                 ? exported.refusal.why
                 : htmlmemdoc::DescribeProblem(exported.file.problem));
      return;
    }
    res.set_header("Content-Security-Policy", ModernPolicy(m_port));
    res.set_content(htmlmemdoc::WithBase(exported.page.bytes,
                                         PreviewBase(id, "modern", path)),
                    "text/html");
  }

  // A file the view for current browsers loads: the Flash player's, a
  // converted sound or movie, or the site's. Its scripts' origin is
  // opaque ("null"), so the player's fetch of its WebAssembly needs the
  // CORS header, given to that origin only (any site could read the files
  // through "*"); a page reached by a link runs in the view's sandbox.
  void ModernFile(const std::string& id, const std::string& relative,
                  httplib::Response& res) {
    fs::path file;
    std::string bytes;
    if (!PreviewFile(
            id,
            [&](fs::path& found) { return m_modern->File(relative, found); },
            file, bytes, res))
      return;
    res.set_header("Access-Control-Allow-Origin", "null");
    res.set_header("Content-Security-Policy", ModernPolicy(m_port));
    res.set_content(bytes, ContentType(file));
  }

  static const char* ContentType(const fs::path& file) {
    const std::string extension = htmlmemdoc::PathText(file.extension());
    static const std::map<std::string, const char*> kTypes = {
        {".gif", "image/gif"},
        {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},
        {".png", "image/png"},
        {".htm", "text/html"},
        {".html", "text/html"},
        {".css", "text/css"},
        {".js", "text/javascript"},
        {".mid", "audio/midi"},
        {".wav", "audio/wav"},
        {".mp3", "audio/mpeg"},
        {".opus", "audio/ogg"},
        {".ogg", "audio/ogg"},
        {".mp4", "video/mp4"},
        {".webm", "video/webm"},
        {".wasm", "application/wasm"},
        {".swf", "application/x-shockwave-flash"}};
    const auto found = kTypes.find(extension);
    return found != kTypes.end() ? found->second : "application/octet-stream";
  }

  EditorOptions m_options;
  fs::path m_root;
  std::unique_ptr<ModernPreview> m_modern;  // the view for current browsers
  int m_port = -1;
  DeadlineServer m_server{kRequestDeadline};
  std::mutex m_lock;
  std::map<std::string, std::unique_ptr<htmlmemdoc::PageSession>> m_sessions;
  std::mutex m_verdictLock;  // the page list's verdicts, by file
  std::map<std::string, KeptVerdict> m_verdicts;
  std::map<std::string, std::string> m_paths;  // session: page below root
  // session: what its tab was last shown
  std::map<std::string, htmlmemdoc::SessionView> m_views;
  // Sessions in the order they were opened; at most kMaxSessions live.
  static constexpr size_t kMaxSessions = 64;
  // Connections answered at once: many more than a person's tabs, so that
  // slow or idle ones (each closed after two seconds of silence) leave
  // room for the editor's own requests.
  static constexpr size_t kWorkers = 128;
  // From a request's first byte to its last, however slowly it comes.
  static constexpr std::chrono::seconds kRequestDeadline{10};
  std::deque<std::string> m_opened;
};

EditorServer::EditorServer(EditorOptions options)
    : m_impl(new Impl(std::move(options))) {}
EditorServer::~EditorServer() = default;
int EditorServer::Bind() { return m_impl->Bind(); }
void EditorServer::Serve() { m_impl->Serve(); }
void EditorServer::Stop() { m_impl->Stop(); }
std::string EditorServer::Address() const { return m_impl->Address(); }
const std::string& EditorServer::Token() const { return m_impl->Token(); }
