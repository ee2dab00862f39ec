// The editor server's API from a client: every request kind, and every
// refusal, each of which needs one check of the server to hold.

#include "tools/editor/editor_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "htmlmemdoc/platform/code_page.h"
#include "tests/support/support.h"
#include "tools/editor/deadline_server.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char kToken[] = "0123456789abcdef0123456789abcdef";

// A socket connected to `port` of this machine; -1 when it cannot be.
int ConnectTo(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
    close(fd);
    return -1;
  }
  return fd;
}

class EditorServerTest : public ::testing::Test {
 protected:
  // A server of `root`, journaling beside it (never in the user's home).
  static EditorOptions Options(const std::string& root,
                               const std::string& token, size_t maxBody) {
    EditorOptions options;
    options.root = root;
    options.token = token;
    options.maxBody = maxBody;
    options.maxUpload = 2 * maxBody;
    options.journal = root + "/../journal";
    return options;
  }

  void SetUp() override {
    // A folder per test and process: tests run at once.
    m_root =
        fs::path(::testing::TempDir()) /
        ("htmlmemdoc_editor_" +
         std::string(
             ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         "_" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "site" / "images");
    for (const char* name : {"welcome.htm", "images/rose.gif"})
      fs::copy_file(fs::path("examples") / name, m_root / "site" / name);
    std::ofstream(m_root / "outside.htm") << "<html></html>";
    fs::create_directory_symlink(m_root, m_root / "site" / "up");
    fs::create_symlink(m_root / "outside.htm", m_root / "site" / "out.htm");
    fs::create_directories(m_root / "site" / ".git");
    std::ofstream(m_root / "site" / ".git" / "config") << "[core]";
    std::ofstream(m_root / "site" / ".hidden.htm") << "<html>";
    fs::create_symlink(".git", m_root / "site" / "gitlink");
    ASSERT_EQ(0, mkfifo((m_root / "site" / "pipe.htm").c_str(), 0600));
    m_server.reset(
        new EditorServer(Options((m_root / "site").string(), kToken, 4096)));
    m_port = m_server->Bind();
    ASSERT_GT(m_port, 0);
    m_thread = std::thread([this] { m_server->Serve(); });
    m_client.reset(new httplib::Client("127.0.0.1", m_port));
    m_client->set_read_timeout(5, 0);  // a server that hangs fails the test
    for (int tries = 0; tries < 100 && !m_client->Get("/api/pages"); ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  void TearDown() override {
    if (m_server) m_server->Stop();
    if (m_thread.joinable()) m_thread.join();
    fs::remove_all(m_root);
  }

  int Connect() const { return ConnectTo(m_port); }
  // The status lines of every answer to `request` (sent as it is) until
  // the server ends the connection, joined by '|'.
  std::string Raw(const std::string& request) const {
    const int fd = Connect();
    if (fd < 0) return "no connection";
    const timeval wait = {5, 0};  // a server that hangs fails the test
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string answers;
    char buffer[4096];
    for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;)
      answers.append(buffer, static_cast<size_t>(got));
    close(fd);
    std::string lines;
    for (size_t at = answers.find("HTTP/1.1 "); at != std::string::npos;
         at = answers.find("HTTP/1.1 ", at + 1))
      lines += (lines.empty() ? "" : "|") +
               answers.substr(at, answers.find('\r', at) - at);
    return lines;
  }
  std::string Head(const std::string& line) const {
    return line + "\r\nHost: 127.0.0.1:" + std::to_string(m_port) +
           "\r\nOrigin: http://127.0.0.1:" + std::to_string(m_port) +
           "\r\nX-Htmlmemdoc-Token: " + kToken + "\r\n";
  }

  // The headers the editor's page sends: its Host, Origin and token.
  httplib::Headers Own() const {
    const std::string host = "127.0.0.1:" + std::to_string(m_port);
    return {{"Host", host},
            {"Origin", "http://" + host},
            {"X-Htmlmemdoc-Token", kToken}};
  }
  json Post(const std::string& path, const json& body, int want,
            httplib::Headers headers = {}) {
    if (headers.empty()) headers = Own();
    const auto res =
        m_client->Post(path.c_str(), headers, body.dump(), "application/json");
    EXPECT_TRUE(res);
    if (!res) return json();
    EXPECT_EQ(want, res->status) << path << " " << body << ": " << res->body;
    json answer = json::parse(res->body, nullptr, false);
    if (answer.is_object() && answer.value("session", "") == m_followed)
      Follow(answer);
    return answer;
  }
  // A change of one property of `layer` ("" for the page) in `session`.
  json Edit(const std::string& session, const std::string& layer,
            const std::string& property, const json& value, int want) {
    return Post("/api/edit",
                {{"session", session},
                 {"layer", layer},
                 {"property", property},
                 {"value", value}},
                want);
  }
  // A request's headers as a browser sends them for a file: no token.
  httplib::Headers Bare() const {
    return {{"Host", "127.0.0.1:" + std::to_string(m_port)}};
  }
  // Opens `page`; the first page opened is followed as the editor's page
  // follows it: its model, with the changes each answer carries applied.
  std::string Open(const std::string& page) {
    const json opened = Post("/api/open", {{"path", page}}, 200);
    if (m_followed.empty()) {
      m_followed = opened.value("session", "");
      m_model = opened["model"];
    }
    return opened.value("session", "");
  }
  void Follow(const json& answer) {
    if (!answer.contains("changed")) return;
    const json& changed = answer["changed"];
    EXPECT_EQ(m_model["revision"].get<int>() + 1, changed["revision"]);
    m_model["revision"] = changed["revision"];
    for (const auto& [name, value] : changed["page"].items())
      m_model[name] = value;
    json& layers = m_model["layers"];
    for (const json& layer : changed.value("layers", json::array()))
      layers[layer["index"].get<size_t>()] = layer;
    if (!changed.contains("splice")) return;
    const json& splice = changed["splice"];
    const auto at = layers.begin() + splice["at"].get<ptrdiff_t>();
    layers.erase(at, at + splice["remove"].get<ptrdiff_t>());
    layers.insert(layers.begin() + splice["at"].get<ptrdiff_t>(),
                  splice["layers"].begin(), splice["layers"].end());
    for (size_t i = 0; i < layers.size(); ++i) layers[i]["index"] = i;
  }
  // A layer of the followed page's model, or of `state`'s when it has one.
  const json* Layer(const json& state, const std::string& id) const {
    const json& model = state.contains("model") ? state["model"] : m_model;
    for (const json& layer : model["layers"])
      if (layer["id"] == id) return &layer;
    return nullptr;
  }

  fs::path m_root;
  std::unique_ptr<EditorServer> m_server;
  int m_port = 0;
  std::thread m_thread;
  std::unique_ptr<httplib::Client> m_client;
  std::string m_followed;  // the session whose model is followed
  json m_model;
};

TEST_F(EditorServerTest, RefusesRequestsThatAreNotTheEditors) {
  const std::string host = "127.0.0.1:" + std::to_string(m_port);
  const std::string origin = "http://" + host;
  const std::string session = Open("welcome.htm");
  const std::string files = "/s/" + session + "/site/";
  // A change of `property` of layer Rose (of the page for a background).
  const auto edit = [&session](const char* property, const json& value) {
    return json({{"session", session},
                 {"layer", property == std::string("src") ? "Rose" : ""},
                 {"property", property},
                 {"value", value}})
        .dump();
  };
  const httplib::Headers bare = Bare();
  struct Case {
    const char* what;
    httplib::Headers headers;
    const char* method;
    std::string path;
    std::string body;
    int status;
  } kCases[] = {
      {"no token", bare, "GET", "/api/pages", "", 403},
      {"a wrong token",
       {{"Host", host}, {"X-Htmlmemdoc-Token", "x"}},
       "GET",
       "/api/pages",
       "",
       403},
      {"another host (DNS rebinding)",
       {{"Host", "evil.example:" + std::to_string(m_port)},
        {"X-Htmlmemdoc-Token", kToken}},
       "GET",
       "/api/pages",
       "",
       403},
      {"a second Host",
       {{"Host", host},
        {"Host", "evil.example"},
        {"X-Htmlmemdoc-Token", kToken}},
       "GET",
       "/api/pages",
       "",
       403},
      {"a POST without Origin",
       {{"Host", host}, {"X-Htmlmemdoc-Token", kToken}},
       "POST",
       "/api/open",
       R"({"path":"welcome.htm"})",
       403},
      {"another site's page",
       {{"Host", host},
        {"Origin", "http://evil.example"},
        {"X-Htmlmemdoc-Token", kToken}},
       "POST",
       "/api/open",
       R"({"path":"welcome.htm"})",
       403},
      {"a path above the folder", Own(), "POST", "/api/open",
       R"({"path":"../outside.htm"})", 404},
      {"an absolute path", Own(), "POST", "/api/open",
       R"({"path":")" + (m_root / "outside.htm").string() + "\"}", 404},
      {"a link out of the folder", Own(), "POST", "/api/open",
       R"({"path":"up/outside.htm"})", 404},
      {"a file above the folder", bare, "GET", files + "up/outside.htm", "",
       404},
      {"a file of no session", bare, "GET",
       "/s/00000000000000000000000000000000/site/images/rose.gif", "", 404},
      {"a hidden folder", bare, "GET", files + ".git/config", "", 404},
      {"a hidden page", Own(), "POST", "/api/open", R"({"path":".hidden.htm"})",
       404},
      {"a hidden folder through a link", bare, "GET", files + "gitlink/config",
       "", 404},
      {"a fifo as a page", Own(), "POST", "/api/open", R"({"path":"pipe.htm"})",
       404},
      {"a fifo as a file", bare, "GET", files + "pipe.htm", "", 404},
      {"the token as a cookie",
       {{"Host", host},
        {"Cookie", "htmlmemdoc-" + std::to_string(m_port) + "=" + kToken}},
       "GET",
       "/api/pages",
       "",
       403},
      {"a body over the limit", Own(), "POST", "/api/open",
       std::string(5000, ' '), 413},
      {"a script as a source", Own(), "POST", "/api/edit",
       edit("src", "javascript:alert(1)"), 422},
      {"a system file as a source", Own(), "POST", "/api/edit",
       edit("src", "/etc/passwd"), 422},
      {"another site's file as a source", Own(), "POST", "/api/edit",
       edit("src", "http://evil.example/x.gif"), 422},
      {"a background above the folder", Own(), "POST", "/api/edit",
       edit("background", "up/outside.htm"), 422},
      {"a sound escaping the folder", Own(), "POST", "/api/edit",
       edit("sound", "%2E%2E/outside.htm"), 422},
      {"a hidden file as a source", Own(), "POST", "/api/edit",
       edit("src", ".git/config"), 422},
      {"a fifo as a source", Own(), "POST", "/api/edit",
       edit("sound", "pipe.htm"), 422},
      {"a missing file as a source", Own(), "POST", "/api/edit",
       edit("src", "images/none.gif"), 422},
      {"a z-index past 32 bits", Own(), "POST", "/api/edit",
       edit("zIndex", 4294967297), 422},
      {"a width that is no whole number", Own(), "POST", "/api/edit",
       edit("width", 1.5), 422},
      {"a source with a query and an escape", Own(), "POST", "/api/edit",
       edit("src", "images/ros%65.gif?v=2#top"), 200},
  };
  for (const Case& c : kCases) {
    const auto res = std::string(c.method) == "GET"
                         ? m_client->Get(c.path.c_str(), c.headers)
                         : m_client->Post(c.path.c_str(), c.headers, c.body,
                                          "application/json");
    ASSERT_TRUE(res) << c.what;
    EXPECT_EQ(c.status, res->status) << c.what << ": " << res->body;
    EXPECT_EQ("nosniff", res->get_header_value("X-Content-Type-Options"));
    EXPECT_EQ(std::string::npos, res->body.find(m_root.string())) << c.what;
    EXPECT_FALSE(res->has_header("Set-Cookie")) << c.what;
  }
  // Bodies that do not say their size could grow without a bound.
  const struct {
    const char* what;
    std::string request;
    const char* status;
  } kBodies[] = {
      {"a request hidden in a refused body",
       Head("POST /api/open HTTP/1.1") + "Transfer-Encoding: chunked\r\n\r\n" +
           Head("GET /api/pages HTTP/1.1") + "\r\n",
       "HTTP/1.1 411 Length Required"},
      {"a chunked body",
       Head("POST /api/open HTTP/1.1") +
           "Content-Length: 10\r\nTransfer-Encoding: chunked\r\n\r\n"
           "1000\r\n" +
           std::string(4096, ' '),
       "HTTP/1.1 411 Length Required"},
      {"a body until the end", Head("POST /api/open HTTP/1.1") + "\r\n{}",
       "HTTP/1.1 411 Length Required"},
      {"a body announced over the limit",
       Head("POST /api/open HTTP/1.1") + "Content-Length: 99999999999\r\n\r\n",
       "HTTP/1.1 413 Payload Too Large"},
      // httplib gathers a header line without a bound: 20 such
      // connections held a gigabyte.
      {"a head without an end",
       Head("GET /api/pages HTTP/1.1") + "X: " + std::string(100000, 'x'),
       "HTTP/1.1 400 Bad Request"},
      // The library writes a value by recursion: 100,000 deep ended the
      // server.
      {"a body nested deeper than any request",
       Head("POST /api/edit HTTP/1.1") + "Content-Length: 2024\r\n\r\n" +
           "{\"session\":\"s\",\"value\":" + std::string(1000, '[') +
           std::string(1000, ']') + "}",
       "HTTP/1.1 400 Bad Request"},
  };
  for (const auto& c : kBodies) EXPECT_EQ(c.status, Raw(c.request)) << c.what;
}

// 50 connections made at once, then sending a header byte at a time while
// an ordinary request is made: all are taken and the request answered,
// well before the 3 s ceiling (a connection the system's queue dropped is
// tried again only after a second, then three).
TEST_F(EditorServerTest, SlowConnectionsDoNotHoldTheServer) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<int> slow;
  for (int i = 0; i < 50; ++i) {
    slow.push_back(Connect());
    ASSERT_GE(slow.back(), 0);
  }
  std::atomic<bool> done{false};
  std::thread dribble([&] {
    const std::string head = Head("GET /api/pages HTTP/1.1");
    for (size_t at = 0; !done && at < head.size(); ++at) {
      for (const int fd : slow) send(fd, &head[at], 1, MSG_NOSIGNAL);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  httplib::Client client("127.0.0.1", m_port);
  client.set_read_timeout(5, 0);
  const auto res = client.Get("/api/pages", Own());
  EXPECT_TRUE(res && res->status == 200);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  done = true;
  dribble.join();
  for (const int fd : slow) close(fd);
}

// A request must arrive whole by its deadline, however often a byte of it
// comes (the read timeout alone counts from one byte to the next).
TEST(DeadlineServerTest, DropsARequestStillArrivingAtItsDeadline) {
  DeadlineServer server(std::chrono::milliseconds(500));
  server.set_read_timeout(2, 0);
  server.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("ok", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  std::thread serving([&server] { server.listen_after_bind(); });
  const int fd = ConnectTo(port);
  EXPECT_GE(fd, 0);
  const std::string head = "GET / HTTP/1.1\r\nX-Slow: " + std::string(40, 'x');
  const auto start = std::chrono::steady_clock::now();
  bool dropped = false;
  for (size_t at = 0; at < head.size() && !dropped; ++at) {
    dropped = send(fd, &head[at], 1, MSG_NOSIGNAL) < 0;
    char byte;
    dropped = dropped || recv(fd, &byte, 1, MSG_DONTWAIT) >= 0;  // answered
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(dropped);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  close(fd);
  server.stop();
  serving.join();
}

// The token is never a cookie (a cookie of 127.0.0.1 goes to every port):
// the editor's own files need none, the API wants the header.
TEST_F(EditorServerTest, TheTokenTravelsOnlyInAHeader) {
  // A server of its own makes a token of 256 random bits.
  const std::string made =
      EditorServer(Options(m_root.string(), "", 1)).Token();
  EXPECT_EQ(64u, made.size());
  EXPECT_NE(made, EditorServer(Options(m_root.string(), "", 1)).Token());
  const httplib::Headers host = Bare();
  for (const std::string& path :
       {std::string("/?token=") + kToken, std::string("/"),
        std::string("/editor.js")}) {
    const auto res = m_client->Get(path.c_str(), host);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(200, res->status) << path;
    EXPECT_FALSE(res->has_header("Set-Cookie")) << path;
    EXPECT_EQ(std::string::npos, res->body.find(kToken)) << path;
    EXPECT_NE(std::string::npos,
              res->get_header_value("Content-Security-Policy")
                  .find("frame-ancestors 'none'"))
        << path;
  }
}

TEST_F(EditorServerTest, EditsUndoesRedoesAndSaves) {
  const auto list = m_client->Get("/api/pages", Own());
  ASSERT_TRUE(list);
  const json pages = json::parse(list->body);
  ASSERT_EQ(1u, pages["pages"].size()) << list->body;  // no link out
  EXPECT_EQ("welcome.htm", pages["pages"][0]["path"]);
  EXPECT_EQ("ok", pages["pages"][0]["verdict"]);
  EXPECT_EQ("3 files play once exported (flash, midi, old video)",
            pages["pages"][0]["plays"]);
  EXPECT_EQ(json({"images/rose.gif"}), pages["files"]);
  const std::string session = Open("welcome.htm");
  json state = Post("/api/edit",
                    {{"session", session},
                     {"page", "welcome.htm"},
                     {"layer", "Rose"},
                     {"properties", {{"left", 390}, {"top", 95}}}},
                    200);
  EXPECT_EQ(390, (*Layer(state, "Rose"))["left"]);
  EXPECT_EQ(1u, state["changed"]["layers"].size()) << state["changed"];
  EXPECT_LT((*Layer(state, "Title"))["index"],
            (*Layer(state, "Rose"))["index"]);
  EXPECT_TRUE(state["canUndo"]);
  state = Edit(session, "Title", "color", "#12", 422);
  EXPECT_NE(std::string::npos, state.value("error", "").find("not a colour"));
  state = Edit(session, "Title", "text", "Hello", 200);
  state = Post("/api/undo", {{"session", session}}, 200);
  EXPECT_EQ("Welcome to the garden club", (*Layer(state, "Title"))["text"]);
  EXPECT_EQ(390, (*Layer(state, "Rose"))["left"]);
  state = Post("/api/redo", {{"session", session}}, 200);
  EXPECT_EQ("Hello", (*Layer(state, "Title"))["text"]);
  Post("/api/redo", {{"session", session}}, 409);

  const auto diff =
      m_client->Get(("/api/diff?session=" + session).c_str(), Own());
  ASSERT_TRUE(diff);
  EXPECT_NE(std::string::npos, diff->body.find("left:390px"));
  // The preview and its files: by the session's secret path, in a sandbox
  // that runs nothing of the page.
  const httplib::Headers host = Bare();
  const std::string secret = "/s/" + session;
  EXPECT_EQ(secret + "/view", state["view"]);
  const auto view = m_client->Get((secret + "/view").c_str(), host);
  ASSERT_TRUE(view);
  EXPECT_NE(std::string::npos,
            view->body.find("<base href=\"" + secret + "/site/\">"));
  const auto image =
      m_client->Get((secret + "/site/images/rose.gif").c_str(), host);
  ASSERT_TRUE(image);
  EXPECT_EQ(ReadBytes("examples/images/rose.gif"), image->body);
  EXPECT_EQ(
      0u, image->get_header_value("Content-Security-Policy").find("sandbox;"));
  // In the preview only the editor's script runs: the one the policy's
  // nonce names, told where each written layer stands in page order.
  const std::string policy = view->get_header_value("Content-Security-Policy");
  const size_t nonce = policy.find("'nonce-");
  ASSERT_EQ(0u, policy.find("sandbox allow-scripts;")) << policy;
  ASSERT_NE(std::string::npos, nonce) << policy;
  const std::string script =
      "<script nonce=\"" +
      policy.substr(nonce + 7, policy.find('\'', nonce + 1) - nonce - 7) +
      "\" data-places=\"[0,1,2,3,4,5]\">";
  EXPECT_NE(std::string::npos, view->body.find(script)) << policy;
  EXPECT_EQ(view->body.find("nonce="), view->body.rfind("nonce="));
  // The view for current browsers runs the page's scripts, in a sandbox of
  // their own; its files come by the same secret path, and none outside.
  const auto modern = m_client->Get((secret + "/modern").c_str(), host);
  ASSERT_TRUE(modern);
  EXPECT_NE(std::string::npos,
            modern->body.find("<base href=\"" + secret + "/modern/\">"));
  EXPECT_EQ(0u, modern->get_header_value("Content-Security-Policy")
                    .find("sandbox allow-scripts;"));
  const auto copy =
      m_client->Get((secret + "/modern/images/rose.gif").c_str(), host);
  ASSERT_TRUE(copy);
  EXPECT_EQ(image->body, copy->body);
  // A site page reached from the view runs in its sandbox too, and only
  // the view's opaque origin may read its files.
  const auto linked =
      m_client->Get((secret + "/modern/welcome.htm").c_str(), host);
  ASSERT_TRUE(linked);
  EXPECT_EQ(0u, linked->get_header_value("Content-Security-Policy")
                    .find("sandbox allow-scripts;"));
  EXPECT_EQ("null", copy->get_header_value("Access-Control-Allow-Origin"));
  for (const char* name : {"/modern/../outside.htm", "/modern/.git/config",
                           "/modern/htmlmemdoc-export/ruffle/../../x"}) {
    const auto refused = m_client->Get((secret + name).c_str(), host);
    ASSERT_TRUE(refused);
    EXPECT_EQ(404, refused->status) << name;
  }

  // A second tab opened the page before the first saved: its save finds
  // the conflict and writes nothing.
  const std::string other = Open("welcome.htm");
  Post("/api/save", {{"session", session}}, 200);
  const std::string saved = ReadBytes((m_root / "site/welcome.htm").string());
  EXPECT_NE(std::string::npos, saved.find("Hello"));
  Edit(other, "Rose", "top", 7, 200);
  state = Post("/api/save", {{"session", other}}, 409);
  EXPECT_NE(std::string::npos,
            state.value("error", "").find("changed on disk"));
  EXPECT_EQ(saved, ReadBytes((m_root / "site/welcome.htm").string()));
  // Past 64 open pages the oldest gives way; its unsaved change is offered
  // back when its page is opened again.
  for (int i = 0; i < 63; ++i) Open("welcome.htm");
  Post("/api/undo", {{"session", session}}, 404);
  Post("/api/redo", {{"session", other}}, 409);  // still open
  Open("welcome.htm");
  Post("/api/redo", {{"session", other}}, 404);
  state = Post("/api/open", {{"path", "welcome.htm"}}, 200);
  EXPECT_EQ(1, state["unsaved"].value("count", 0)) << state["unsaved"];
  state = Post("/api/restore", {{"session", state["session"]}}, 200);
  EXPECT_EQ(json::array(), state["refused"]);
  EXPECT_EQ(7, state["changed"]["layers"][0]["top"]) << state["changed"];
}

// A folder on a page's path swapped for a link to a copy outside the root
// between open and save: the save writes nothing, there or anywhere.
TEST_F(EditorServerTest, RefusesASaveThroughAFolderSwappedForALink) {
  const fs::path site = m_root / "site";
  fs::create_directories(site / "deep");
  fs::copy_file(site / "welcome.htm", site / "deep/welcome.htm");
  const std::string session = Open("deep/welcome.htm");
  Edit(session, "Rose", "top", 7, 200);
  fs::rename(site / "deep", m_root / "away");
  fs::create_directory_symlink(m_root / "away", site / "deep");
  const std::string before = ReadBytes((m_root / "away/welcome.htm").string());
  Post("/api/save", {{"session", session}}, 409);
  EXPECT_EQ(before, ReadBytes((m_root / "away/welcome.htm").string()));
}

// Pages the tool reads: named and written in Latin-1 (not UTF-8), or in
// Shift-JIS under code page 932, in a folder whose name an address must
// escape. Each is listed, opened by its key and shown as show --json shows
// it, and its preview finds its images.
TEST_F(EditorServerTest, OpensPagesAndNamesThatAreNotUtf8) {
  const std::string kBad = "\xef\xbf\xbd";  // U+FFFD, for each byte not UTF-8
  const struct {
    std::string folder, name, shown;
    int codePage;
    std::string garden, title, base;
  } kCases[] = {
      {"", "caf\xe9.htm", "caf" + kBad + ".htm", HTMLMEMDOC_CP_UTF8,
       "jardin \xe9t\xe9",
       "Welcome to the jardin " + kBad + "t" + kBad + " club", ""},
      {"a #\"%? b/", "sj.htm", "a #\"%? b/sj.htm", 932,
       "\x8e\x74\x83\x4e\x83\x89\x83\x75",  // a word in Shift-JIS
       "Welcome to the " + kBad + "t" + kBad + "N" + kBad + kBad + kBad +
           "u club",
       "a%20%23%22%25%3F%20b/"},
  };
  for (const auto& c : kCases) {
    ASSERT_EQ(0, HtmlMemDocSetCodePage(c.codePage));
    const fs::path folder = m_root / "site" / c.folder;
    fs::create_directories(folder / "images");
    fs::copy_file("examples/images/rose.gif", folder / "images/rose.gif",
                  fs::copy_options::overwrite_existing);
    std::ofstream((folder / c.name).string(), std::ios::binary)
        << ReplaceAll(ReadBytes("examples/welcome.htm"), "garden", c.garden);
    const auto list = m_client->Get("/api/pages", Own());
    ASSERT_TRUE(list);
    ASSERT_EQ(200, list->status) << list->body;
    std::string key;
    const json pages = json::parse(list->body)["pages"];
    for (const json& page : pages)
      if (page["path"] == c.shown) key = page["key"];
    ASSERT_FALSE(key.empty()) << c.shown << ": " << list->body;
    const json state = Post("/api/open", {{"key", key}}, 200);
    EXPECT_EQ(c.title, (*Layer(state, "Title"))["text"]);
    EXPECT_EQ(key, state["key"]);
    const httplib::Headers host = Bare();
    const std::string site = "/s/" + state.value("session", "") + "/site/";
    const auto view = m_client->Get(state.value("view", "").c_str(), host);
    ASSERT_TRUE(view);
    EXPECT_NE(std::string::npos,
              view->body.find("<base href=\"" + site + c.base + "\">"));
    const auto image =
        m_client->Get((site + c.base + "images/rose.gif").c_str(), host);
    ASSERT_TRUE(image);
    EXPECT_EQ(200, image->status) << c.shown;
    // The title came as U+FFFD where the page's bytes are not UTF-8:
    // sent back, it would write those; a text beyond ASCII neither.
    const std::string session = state.value("session", "");
    for (const std::string& title : {c.title, std::string("caf\xc3\xa9")})
      EXPECT_EQ("bad-value",
                Edit(session, "", "title", title, 422).value("code", ""));
    Edit(session, "Intro", "text", "Roses", 200);
  }
  HtmlMemDocSetCodePage(HTMLMEMDOC_CP_UTF8);
}

// The list of changes every front end takes and refuses alike, through
// the editor's API.
TEST_F(EditorServerTest, TakesAndRefusesWhatEveryFrontEndDoes) {
  const json table = json::parse(ReadBytes("tests/data/edit_values.json"));
  // The editor takes only sources that are files below its folder: the
  // ones the list takes are made.
  for (const json& c : table["cases"]) {
    const std::string property = c["property"];
    if (c.contains("refused") ||
        (property != "src" && property != "background" && property != "sound"))
      continue;
    const fs::path file = m_root / "site" / c["value"].get<std::string>();
    fs::create_directories(file.parent_path());
    std::ofstream(file.string()) << "";
  }
  for (const json& c : table["cases"]) {
    const std::string session = Open("welcome.htm");
    const bool refused = c.contains("refused");
    const json state = Post("/api/edit",
                            {{"session", session},
                             {"layer", c["layer"]},
                             {"properties", {{c["property"], c["value"]}}}},
                            refused ? 422 : 200);
    if (refused) {
      EXPECT_NE(std::string::npos,
                state.value("error", "").find(c["refused"].get<std::string>()))
          << c.dump() << ": " << state.value("error", "");
      EXPECT_EQ(c["code"], state.value("code", "")) << c.dump();
    }
  }
}

// Layers are made, copied and taken out, several changes make one step,
// and each answer carries the layers it changed; the model so followed is
// the page's as a tab opening it now is shown it.
TEST_F(EditorServerTest, MakesAndRemovesLayersAndAnswersWithWhatChanged) {
  const std::string session = Open("welcome.htm");
  // Each change in turn, its answer's status and refusal code: an
  // alignment of two layers is one step, and one refused in a step leaves
  // the page as it was.
  const struct {
    const char* change;
    int status;
    const char* code;
  } kSteps[] = {
      {R"({"layer":"Note","properties":{"add":"text","text":"Hi"}})", 200, ""},
      {R"({"layer":"Pic","properties":{"add":"image","src":"images/rose.gif"}})",
       200, ""},
      {R"({"layer":"Pic","properties":{"add":"image","src":"images/rose.gif"}})",
       422, "in-the-way"},
      {R"({"layer":"Up","properties":{"add":"image","src":"up/outside.htm"}})",
       422, "bad-value"},
      {R"({"layer":"Rose","properties":{"left":40},
           "with":[{"layer":"Map","properties":{"left":40}}]})",
       200, ""},
      {R"({"layer":"Rose","properties":{"left":1},
           "with":[{"layer":"Nothing","properties":{"left":1}}]})",
       422, "no-layer"},
      {R"({"index":1,"layer":"Intro","properties":{"remove":true}})", 200, ""},
      {R"({"layer":"Rose","properties":{"copyAs":"Rose2"}})", 200, ""},
  };
  for (const auto& step : kSteps) {
    json request = json::parse(step.change);
    request["session"] = session;
    EXPECT_EQ(step.code,
              Post("/api/edit", request, step.status).value("code", ""))
        << step.change;
  }
  EXPECT_EQ(40, (*Layer(m_model, "Map"))["left"]);
  EXPECT_EQ(40, (*Layer(m_model, "Rose"))["left"]);
  EXPECT_EQ(nullptr, Layer(m_model, "Intro"));
  Post("/api/save", {{"session", session}}, 200);
  const json reopened = Post("/api/open", {{"path", "welcome.htm"}}, 200);
  EXPECT_EQ(reopened["model"]["layers"], m_model["layers"]);
}

// A file copied into the site: under a name safe for every server, into
// a folder below the root, never over a file or through a link unless
// asked, and never over the limit.
TEST_F(EditorServerTest, CopiesUploadsIntoTheSiteAndRefusesTheRest) {
  const fs::path site = m_root / "site";
  fs::create_symlink(m_root / "outside.htm", site / "images/link.gif");
  const struct {
    const char* query;
    std::string bytes;
    int status;
    const char* answer;  // a piece of the answer
  } kCases[] = {
      {"folder=images&name=My%20Photo!.GIF", "one", 200,
       "images/my_photo_.gif"},
      {"folder=images&name=my_photo_.gif", "two", 409,
       "images/my_photo_-2.gif"},
      {"folder=images&name=my_photo_.gif&replace=1", "three", 200, "my_photo_"},
      {"folder=&name=top.png", "four", 200, "\"top.png\""},
      {"folder=&name=Bl%C3%BCte%E2%82%AC.PNG", "five", 200, "\"blute_.png\""},
      {"folder=..&name=x.gif", "x", 422, "no such folder"},
      {"folder=up&name=x.gif", "x", 422, "no such folder"},
      {"folder=.git&name=x.gif", "x", 422, "no such folder"},
      {"folder=gitlink&name=x.gif", "x", 422, "no such folder"},
      {"folder=images&name=...", "x", 422, "no name"},
      {"folder=images&name=link.gif&replace=1", "x", 409, "is a link"},
      {"folder=images&name=big.gif", std::string(8193, 'b'), 413, "over"},
  };
  for (const auto& c : kCases) {
    const auto res =
        m_client->Post(("/api/upload?" + std::string(c.query)).c_str(), Own(),
                       c.bytes, "application/octet-stream");
    ASSERT_TRUE(res) << c.query;
    EXPECT_EQ(c.status, res->status) << c.query << ": " << res->body;
    EXPECT_NE(std::string::npos, res->body.find(c.answer))
        << c.query << ": " << res->body;
  }
  EXPECT_EQ("three", ReadBytes((site / "images/my_photo_.gif").string()));
  EXPECT_EQ("four", ReadBytes((site / "top.png").string()));
  EXPECT_EQ("<html></html>", ReadBytes((m_root / "outside.htm").string()));
  EXPECT_FALSE(fs::exists(site / "images/big.gif"));
  EXPECT_FALSE(fs::exists(m_root / "x.gif"));
}

}  // namespace
