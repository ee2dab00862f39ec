#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"

namespace {

std::string Render(const CHtmlMemDoc& document) {
  CString text;
  EXPECT_EQ(1, document.RenderToString(text, 0, nullptr));
  return static_cast<const char*>(text);
}

template <typename Layer>
Layer* NewLayer(const char* markup) {
  Layer* layer = new Layer;
  layer->Init(markup);
  return layer;
}

TEST(RenderingTest, EmptyDocument) {
  CHtmlMemDoc document;
  EXPECT_EQ("<html>\n<head>\n\n</head></html>", Render(document));
}

TEST(RenderingTest, HeadSectionsInTheirOrder) {
  CHtmlMemDoc document;
  document.m_metaList.AddTail(NewLayer<CHtmlMeta>("<meta name=a>"));
  document.m_metaList.AddTail(NewLayer<CHtmlMeta>("<meta name=b>"));
  document.m_title.Init("<title>T</title>");
  CHtmlStyle* rule = new CHtmlStyle;
  rule->Init(".a { color: red }");
  document.m_styleList.AddTail(rule);
  document.m_styleList.AddTail(new CHtmlStyle);  // renders nothing
  document.m_scriptList.AddTail(NewLayer<CHtmlScript>("<script>x</script>"));
  EXPECT_EQ(
      "<html>\n<head>\n\n<meta name=a>\n<meta name=b>\n\n<title>T</title>\n\n"
      "<style>\n.a{  color:red; }\n\n</style>\n\n<script>x</script>\n\n"
      "</head></html>",
      Render(document));
}

TEST(RenderingTest, LayersGroupedByKindAndPlainLayersLeftOut) {
  CHtmlMemDoc document;
  document.m_body.Init("<body bgcolor=white>");
  document.AddEmbedLayer(NewLayer<CHtmlLiveAudioLayer>("<div>E</div>"));
  document.AddVideoLayer(NewLayer<CHtmlVideoLayer>("<div>V</div>"));
  document.AddImageLayer(NewLayer<CHtmlImageLayer>("<div>I</div>"));
  document.AddTextLayer(NewLayer<CHtmlTextLayer>("<div><p>T</p></div>"));
  document.m_layerList.AddTail(NewLayer<CHtmlLayer>("<div>plain</div>"));
  EXPECT_EQ(
      "<html>\n<head>\n\n</head><body bgcolor=white>\n"
      "<div><p>T</p></div>\n\n<div>I</div>\n\n<div>V</div>\n\n<div>E</div>\n\n"
      "</body>\n</html>",
      Render(document));
}

TEST(RenderingTest, FramesetPutsTheBodyInNoframes) {
  CHtmlMemDoc document;
  document.m_bgSound.Init("<bgsound src=\"s.mid\">");
  document.m_frameSet.Init(
      "<frameset cols=\"*,*\"><frame src=a><frame src=b></frameset>");
  document.m_body.Init("<body>");
  EXPECT_EQ(
      "<html>\n<head>\n\n</head><bgsound src=\"s.mid\">\n"
      "<frameset cols=\"*,*\">\n<frame src=a>\n<frame src=b>\n</frameset>\n"
      "<noframes>\n<body>\n</body>\n</noframes>\n</html>",
      Render(document));

  CHtmlMemDoc noFrames;  // a start tag without frames is not written
  noFrames.m_frameSet.Init("<frameset cols=\"*\"></frameset>");
  noFrames.m_body.Init("<body>");
  EXPECT_EQ("<html>\n<head>\n\n</head><body>\n</body>\n</html>",
            Render(noFrames));

  CHtmlMemDoc noBody;  // without a body tag, no body and no layers
  noBody.m_frameSet.Init("<frameset><frame src=a></frameset>");
  noBody.AddTextLayer(NewLayer<CHtmlTextLayer>("<div><p>T</p></div>"));
  EXPECT_EQ(
      "<html>\n<head>\n\n</head><frameset>\n<frame src=a>\n"
      "</frameset>\n</html>",
      Render(noBody));
}

TEST(RenderingTest, ReadPageRendersInTheFixedLayout) {
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString("<html><head><title>T</title></head>"
                                       "<bgsound src=a.mid></html>"));
  EXPECT_EQ(
      "<html>\n<head>\n\n<title>T</title>\n\n</head><bgsound src=a.mid>\n"
      "</html>",
      Render(document));
}

TEST(RenderingTest, ReadBodyRendersTextLayersFirstAndDropsPlainOnes) {
  MessageLog log;
  CHtmlMemDoc simple;
  ASSERT_EQ(1, simple.ReadFromString(
                   "<html><head><title>T</title></head><body><div id=a><p>x"
                   "</p></div></body></html>"))
      << log.Joined();
  EXPECT_EQ(
      "<html>\n<head>\n\n<title>T</title>\n\n</head><body>\n"
      "<div id=a><p>x</p></div>\n\n</body>\n</html>",
      Render(simple));
  CHtmlMemDoc mixed;
  ASSERT_EQ(1, mixed.ReadFromString(
                   "<html><body><div><img src=i.gif></div><div>plain</div>"
                   "<div><p>t</p></div></body></html>"));
  EXPECT_EQ(
      "<html>\n<head>\n\n</head><body>\n<div><p>t</p></div>\n\n"
      "<div><img src=i.gif></div>\n\n</body>\n</html>",
      Render(mixed));
}

TEST(RenderingTest, CharBufferFormIsACopyTheCallerFrees) {
  CHtmlMemDoc document;
  document.m_title.Init("<title>T</title>");
  char* text = nullptr;
  ASSERT_EQ(1, document.RenderToString(text, 0, nullptr));
  EXPECT_EQ(Render(document), std::string(text));
  ::operator delete(text);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(RenderToFileTest, WritesCrLfAndReportsOnlyWriteErrors) {
  CHtmlMemDoc document;
  const std::string path = ::testing::TempDir() + "htmlmemdoc_render.htm";
  MessageLog log;
  ASSERT_EQ(1, document.RenderToFile(path.c_str(), 0, nullptr));
  EXPECT_EQ("<html>\r\n<head>\r\n\r\n</head></html>", ReadBytes(path));
  std::remove(path.c_str());

  EXPECT_EQ(0, document.RenderToFile("/nonexistent/dir/x.htm", 0, nullptr));
  EXPECT_EQ(0, document.RenderToFile(nullptr, 0, nullptr));
  EXPECT_EQ("", log.Joined());  // no message when the file cannot be opened

  EXPECT_EQ(0, document.RenderToFile("/dev/full", 0, nullptr));
  ASSERT_EQ(1u, log.messages.size());
  EXPECT_EQ("Disk full while writing /dev/full. (No space left on device)",
            log.messages[0]);
}

}  // namespace
