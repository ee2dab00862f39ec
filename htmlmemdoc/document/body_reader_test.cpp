#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"
#include "tests/support/text_of.h"

namespace {

struct BodyRead {
  int ok;
  std::string message;
};

BodyRead ReadBody(CHtmlMemDoc& document, const std::string& body) {
  MessageLog log;
  const int ok = document.ReadFromString(("<html><body>" + body).c_str());
  return {ok, log.Joined()};
}

// Which list of the document a body of one block was filed in.
std::string KindOf(const std::string& block) {
  CHtmlMemDoc document;
  const BodyRead read = ReadBody(document, block + "</body></html>");
  if (!read.ok) return "<fail> " + read.message;
  const struct {
    const char* name;
    const CObList* list;
  } kLists[] = {{"video", &document.m_videoLayerList},
                {"image", &document.m_imageLayerList},
                {"text", &document.m_textLayerList},
                {"embed", &document.m_embedLayerList},
                {"plain", &document.m_layerList}};
  for (const auto& entry : kLists) {
    if (entry.list->GetCount() == 1) {
      CObject* layer = entry.list->GetHead();
      return std::string(entry.name) + " " +
             layer->GetRuntimeClass()->m_lpszClassName;
    }
  }
  return "none";
}

TEST(BodyReaderTest, ClassifiesEachBlockByWhatItHolds) {
  struct Case {
    const char* block;
    const char* kind;
  };
  const Case kCases[] = {
      {"<div id=\"L1\" style=\"position:absolute\"><img src=\"a.gif\"></div>",
       "image CHtmlImageLayer"},
      {"<div><img dynsrc=\"v.avi\" src=\"v.gif\"></div>",
       "video CHtmlVideoLayer"},
      {"<div>\n<p>text</p><img src=a.gif></div>", "image CHtmlImageLayer"},
      {"<div>\n<p class=x>text</p></div>", "text CHtmlTextLayer"},
      {"<div><param name=x value=y>text</div>", "text CHtmlTextLayer"},
      {"<div><embed src=\"s.mid\" type=\"audio/midi\" mastersound></div>",
       "embed CHtmlLiveAudioLayer"},
      {"<div><embed src=\"m.mpg\" type=\"video/mpeg\"></div>",
       "embed CHtmlEmbedLayer"},
      {"<div><embed src=\"m.swf\"></div>", "embed CHtmlEmbedLayer"},
      {"<div><embed src=a type=\"Audio/x\" mastersound></div>",
       "embed CHtmlEmbedLayer"},  // "audio" is case-sensitive
      {"<div>just text</div>", "plain CHtmlLayer"},
      {"<div><div><img src=in.gif></div></div>", "image CHtmlImageLayer"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.kind, KindOf(c.block)) << c.block;
  EXPECT_EQ("<fail> HTML syntax error at Ln1, Col62",  // after the block
            KindOf("<div><embed src=\"s.mid\" type=\"audio/midi\"></div>"));
}

TEST(BodyReaderTest, OneBlockOfEachKindInPageOrderThenGroupedOnOutput) {
  CHtmlMemDoc document;
  ASSERT_EQ(1, ReadBody(document,
                        "<div id=plain>x</div>"
                        "<div id=live><embed src=a.mid type=audio/midi "
                        "mastersound></div>"
                        "<div id=embed><embed src=m.swf></div>"
                        "<div id=video><img dynsrc=v.avi></div>"
                        "<div id=image><img src=i.gif></div>"
                        "<div id=text><p>t</p></div>"
                        "<div id=text2><p>u</p></div></body></html>")
                   .ok);
  EXPECT_EQ("<div id=text><p>t</p></div>|<div id=text2><p>u</p></div>",
            Markups(document.m_textLayerList));
  EXPECT_EQ(
      "<div id=live><embed src=a.mid type=audio/midi mastersound>"
      "</div>|<div id=embed><embed src=m.swf></div>",
      Markups(document.m_embedLayerList));
  CString text;
  document.RenderToString(text, 0, nullptr);
  EXPECT_EQ(
      "<html>\n<head>\n\n</head><body>\n"
      "<div id=text><p>t</p></div>\n\n<div id=text2><p>u</p></div>\n\n"
      "<div id=image><img src=i.gif></div>\n\n"
      "<div id=video><img dynsrc=v.avi></div>\n\n"
      "<div id=live><embed src=a.mid type=audio/midi mastersound></div>\n\n"
      "<div id=embed><embed src=m.swf></div>\n\n</body>\n</html>",
      text);
  document.DeleteBodyContents();
  EXPECT_EQ(2, document.m_embedLayerList.GetCount());
  EXPECT_EQ("<div id=plain>x</div>", Markups(document.m_layerList));
  EXPECT_TRUE(document.m_textLayerList.IsEmpty());
  EXPECT_TRUE(document.m_imageLayerList.IsEmpty());
  EXPECT_TRUE(document.m_videoLayerList.IsEmpty());
}

TEST(BodyReaderTest, BlocksIncludeNestedDivsAndTheirWholeEndTag) {
  CHtmlMemDoc document;
  ASSERT_EQ(1, ReadBody(document,
                        "\n <div>A<div>B</div>C</div >\n"
                        "<!-- between -->\n<DIV>x</DIV>\n</body>\n</html>")
                   .ok);
  EXPECT_EQ("<div>A<div>B</div>C</div >|<DIV>x</DIV>",
            Markups(document.m_layerList));
}

TEST(BodyReaderTest, FaultPositions) {
  struct Case {
    const char* body;
    const char* message;
  };
  const Case kCases[] = {
      // "<html><body>" is 12 bytes; the column counts through the fault.
      {"Hello</body>", "HTML syntax error at Ln1, Col14"},
      {"<div>x</div x></body>", "HTML syntax error at Ln1, Col26"},
      {"<div>x<div>y</div></body>", "HTML syntax error at Ln1, Col18"},
      {"<!-- a > b --><div>x</div>", "HTML syntax error at Ln1, Col23"},
      {"<!-- open", "HTML syntax error at Ln1, Col23"},
      {"<p>x</p><div>y</div>", "HTML syntax error at Ln1, Col14"},
      {"<div>x</div></body x>", "HTML syntax error at Ln1, Col33"},
      {"", "HTML syntax error at Ln1, Col14"},
      {"<Div>x</Div>", "HTML syntax error at Ln1, Col18"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    const BodyRead read = ReadBody(document, c.body);
    EXPECT_EQ(0, read.ok) << c.body;
    EXPECT_EQ(c.message, read.message) << c.body;
  }
}

TEST(BodyReaderTest, EndsAtTheBodyEndTagOrAfterTheLastBlock) {
  CHtmlMemDoc empty;
  EXPECT_EQ(1, ReadBody(empty, "</body></html>").ok);
  CHtmlMemDoc unclosed;  // the text ends right after the last block
  EXPECT_EQ(1, ReadBody(unclosed, "<div>x</div>").ok);
  EXPECT_EQ(1, unclosed.m_layerList.GetCount());
  CHtmlMemDoc script;  // another tag goes back to the reading loop
  EXPECT_EQ(1, ReadBody(script, "<div>x</div><script>s</script></html>").ok);
  EXPECT_EQ(1, script.m_scriptList.GetCount());
}

TEST(BodyReaderTest, ARefusedBlockStopsTheReadAndKeepsEarlierLayers) {
  CHtmlMemDoc document;
  const std::string big = "<div>" + std::string(8200, 'x') + "</div>";
  const BodyRead read =
      ReadBody(document, "<div>\n<p>a</p></div>" + big + "</body>");
  EXPECT_EQ(0, read.ok);
  EXPECT_EQ(1, document.m_textLayerList.GetCount());
  EXPECT_EQ(0, document.m_layerList.GetCount());
}

TEST(BodyReaderTest, TheRoadOfOnePage) {
  MessageLog log;
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(
                   "<html><head><title>T</title><style>.a{color:red}</style>"
                   "</head><body><div id=L1 style=\"position:absolute; "
                   "left:10px\"><img src=\"pics/a.gif\"></div></body></html>"))
      << log.Joined();
  ASSERT_EQ(1, document.m_imageLayerList.GetCount());
  CHtmlImageLayer* layer =
      static_cast<CHtmlImageLayer*>(document.m_imageLayerList.GetHead());
  EXPECT_EQ(1, layer->SetPixelLeft(20, "div"));
  CString style;
  layer->GetAttribute("div", "style", style);
  EXPECT_EQ(" position:absolute; left:20px;", style);
  CString text;
  document.RenderToString(text, 0, nullptr);
  EXPECT_EQ(
      "<html>\n<head>\n\n<title>T</title>\n\n<style>\n.a{  color:red; }\n"
      "</style>\n\n</head><body>\n<div id=L1 style=\" position:absolute; "
      "left:20px;\"><img src=\"pics/a.gif\"></div>\n\n</body>\n</html>",
      text);
}

}  // namespace
