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

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "tests/support/support.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const char kToken[] = "0123456789abcdef0123456789abcdef";

class EditorServerTest : public ::testing::Test {
 protected:
  // A server of `root`, journaling beside it (never in the user's home).
  static EditorOptions Options(const std::string& root,
                               const std::string& token, size_t maxBody) {
    EditorOptions options;
    options.root = root;
    options.token = token;
    options.maxBody = maxBody;
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
    fs::create_directories(m_root / "site" / ".git");
    std::ofstream(m_root / "site" / ".git" / "config") << "[core]";
    std::ofstream(m_root / "site" / ".hidden.htm") << "<html>";
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

  // A socket connected to the server; -1 when it cannot be.
  int Connect() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
      close(fd);
      return -1;
    }
    return fd;
  }
  // The status line the server answers `request` (sent as it is) with.
  std::string Raw(const std::string& request) const {
    const int fd = Connect();
    if (fd < 0) return "no connection";
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) < 0) {
    }
    char answer[256] = {};
    const ssize_t got = recv(fd, answer, sizeof answer - 1, 0);
    close(fd);
    const std::string line(answer, got > 0 ? static_cast<size_t>(got) : 0);
    return line.substr(0, line.find('\r'));
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
    return json::parse(res->body, nullptr, false);
  }
  std::string Open(const std::string& page) {
    return Post("/api/open", {{"path", page}}, 200).value("session", "");
  }
  static const json* Layer(const json& state, const std::string& id) {
    for (const json& layer : state["model"]["layers"])
      if (layer["id"] == id) return &layer;
    return nullptr;
  }

  fs::path m_root;
  std::unique_ptr<EditorServer> m_server;
  int m_port = 0;
  std::thread m_thread;
  std::unique_ptr<httplib::Client> m_client;
};

TEST_F(EditorServerTest, RefusesRequestsThatAreNotTheEditors) {
  const std::string host = "127.0.0.1:" + std::to_string(m_port);
  const std::string origin = "http://" + host;
  const std::string files = "/s/" + Open("welcome.htm") + "/site/";
  struct Case {
    const char* what;
    httplib::Headers headers;
    const char* method;
    std::string path;
    std::string body;
    int status;
  } kCases[] = {
      {"no token", {{"Host", host}}, "GET", "/api/pages", "", 403},
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
      {"a file above the folder",
       {{"Host", host}},
       "GET",
       files + "up/outside.htm",
       "",
       404},
      {"a file of no session",
       {{"Host", host}},
       "GET",
       "/s/00000000000000000000000000000000/site/images/rose.gif",
       "",
       404},
      {"a hidden folder",
       {{"Host", host}},
       "GET",
       files + ".git/config",
       "",
       404},
      {"a hidden page", Own(), "POST", "/api/open", R"({"path":".hidden.htm"})",
       404},
      {"a fifo as a page", Own(), "POST", "/api/open", R"({"path":"pipe.htm"})",
       404},
      {"a fifo as a file",
       {{"Host", host}},
       "GET",
       files + "pipe.htm",
       "",
       404},
      {"the token as a cookie",
       {{"Host", host},
        {"Cookie", "htmlmemdoc-" + std::to_string(m_port) + "=" + kToken}},
       "GET",
       "/api/pages",
       "",
       403},
      {"a body over the limit", Own(), "POST", "/api/open",
       std::string(5000, ' '), 413},
  };
  for (const Case& c : kCases) {
    const auto res = std::string(c.method) == "GET"
                         ? m_client->Get(c.path.c_str(), c.headers)
                         : m_client->Post(c.path.c_str(), c.headers, c.body,
                                          "application/json");
    ASSERT_TRUE(res) << c.what;
    EXPECT_EQ(c.status, res->status) << c.what << ": " << res->body;
    EXPECT_EQ("nosniff", res->get_header_value("X-Content-Type-Options"));
  }
  // Bodies that do not say their size could grow without a bound.
  const struct {
    const char* what;
    std::string request;
    const char* status;
  } kBodies[] = {
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
  };
  for (const auto& c : kBodies) EXPECT_EQ(c.status, Raw(c.request)) << c.what;
}

TEST_F(EditorServerTest, SlowConnectionsDoNotHoldTheServer) {
  std::vector<int> slow;
  for (int i = 0; i < 50; ++i) {
    const int fd = Connect();
    ASSERT_GE(fd, 0);
    ASSERT_EQ(3, send(fd, "GET", 3, MSG_NOSIGNAL));  // and nothing more
    slow.push_back(fd);
  }
  httplib::Client client("127.0.0.1", m_port);
  client.set_read_timeout(5, 0);
  const auto start = std::chrono::steady_clock::now();
  const auto res = client.Get("/api/pages", Own());
  EXPECT_TRUE(res && res->status == 200);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  for (const int fd : slow) close(fd);
}

// The token is never a cookie (a cookie of 127.0.0.1 goes to every port):
// the editor's own files need none, the API wants the header.
TEST_F(EditorServerTest, TheTokenTravelsOnlyInAHeader) {
  // A server of its own makes a token of 256 random bits.
  const std::string made =
      EditorServer(Options(m_root.string(), "", 1)).Token();
  EXPECT_EQ(64u, made.size());
  EXPECT_NE(made, EditorServer(Options(m_root.string(), "", 1)).Token());
  const httplib::Headers host = {
      {"Host", "127.0.0.1:" + std::to_string(m_port)}};
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
  EXPECT_EQ("welcome.htm", pages["pages"][0]["path"]);
  EXPECT_EQ("ok", pages["pages"][0]["verdict"]);
  EXPECT_EQ(json({"images/rose.gif"}), pages["files"]);
  const std::string session = Open("welcome.htm");
  json state = Post("/api/edit",
                    {{"session", session},
                     {"page", "welcome.htm"},
                     {"layer", "Rose"},
                     {"properties", {{"left", 390}, {"top", 95}}}},
                    200);
  EXPECT_EQ(390, (*Layer(state, "Rose"))["left"]);
  EXPECT_TRUE(state["canUndo"]);
  state = Post("/api/edit",
               {{"session", session},
                {"layer", "Title"},
                {"property", "color"},
                {"value", "#12"}},
               422);
  EXPECT_NE(std::string::npos, state.value("error", "").find("not a colour"));
  state = Post("/api/edit",
               {{"session", session},
                {"layer", "Title"},
                {"property", "text"},
                {"value", "Hello"}},
               200);
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
  const httplib::Headers host = {
      {"Host", "127.0.0.1:" + std::to_string(m_port)}};
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
  for (const auto* answer : {&view, &image}) {
    EXPECT_EQ(0u, (*answer)
                      ->get_header_value("Content-Security-Policy")
                      .find("sandbox;"));
  }

  // A second tab opened the page before the first saved: its save finds
  // the conflict and writes nothing.
  const std::string other = Open("welcome.htm");
  Post("/api/save", {{"session", session}}, 200);
  const std::string saved = ReadBytes((m_root / "site/welcome.htm").string());
  EXPECT_NE(std::string::npos, saved.find("Hello"));
  Post("/api/edit",
       {{"session", other},
        {"layer", "Rose"},
        {"property", "top"},
        {"value", 7}},
       200);
  state = Post("/api/save", {{"session", other}}, 409);
  EXPECT_NE(std::string::npos,
            state.value("error", "").find("changed on disk"));
  EXPECT_EQ(saved, ReadBytes((m_root / "site/welcome.htm").string()));
  Post("/api/undo", {{"session", "none"}}, 404);
}

}  // namespace

namespace {

// A page named and written in Latin-1 (not UTF-8) is listed, opened by
// its key and shown, as the tool shows it.
TEST_F(EditorServerTest, OpensPagesAndNamesThatAreNotUtf8) {
  const std::string name = "caf\xe9.htm";
  std::ofstream((m_root / "site" / name).string(), std::ios::binary)
      << ReplaceAll(ReadBytes("examples/welcome.htm"), "garden",
                    "jardin \xe9t\xe9");
  const auto list = m_client->Get("/api/pages", Own());
  ASSERT_TRUE(list);
  ASSERT_EQ(200, list->status) << list->body;
  const json pages = json::parse(list->body)["pages"];
  std::string key;
  for (const json& page : pages)
    if (page["path"] == "caf\xef\xbf\xbd.htm") key = page["key"];
  ASSERT_EQ("636166e92e68746d", key) << list->body;
  const json state = Post("/api/open", {{"key", key}}, 200);
  EXPECT_EQ("Welcome to the jardin \xef\xbf\xbdt\xef\xbf\xbd club",
            (*Layer(state, "Title"))["text"]);
  EXPECT_EQ(key, state["key"]);
}

}  // namespace

namespace {

// The list of changes every front end takes and refuses alike, through
// the editor's API.
TEST_F(EditorServerTest, TakesAndRefusesWhatEveryFrontEndDoes) {
  const json table = json::parse(ReadBytes("tests/data/edit_values.json"));
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
    }
  }
}

}  // namespace
