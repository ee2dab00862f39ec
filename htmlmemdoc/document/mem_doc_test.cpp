#include "htmlmemdoc/document/mem_doc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/support.h"

namespace {

TEST(MemDocTest, AddLayerTakesOwnershipAndRefusesNull) {
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.AddTextLayer(nullptr));
  EXPECT_EQ(0, document.AddImageLayer(nullptr));
  EXPECT_EQ(0, document.AddVideoLayer(nullptr));
  EXPECT_EQ(0, document.AddEmbedLayer(nullptr));
  CHtmlLiveAudioLayer* sound = new CHtmlLiveAudioLayer;
  EXPECT_EQ(1, document.AddEmbedLayer(sound));
  EXPECT_EQ(0, document.AddEmbedLayer(sound));  // held already
  CHtmlMemDoc other;
  EXPECT_EQ(0, other.ReleaseLayer(sound));
  EXPECT_EQ(1, document.ReleaseLayer(sound));
  EXPECT_EQ(1, other.AddEmbedLayer(sound));
  EXPECT_EQ(0, document.m_embedLayerList.GetCount());
  EXPECT_EQ(1, other.m_embedLayerList.GetCount());
}  // the sanitizer build fails here if a layer leaks or is freed twice

TEST(MemDocTest, DeleteBodyContentsKeepsEmbedAndPlainLayers) {
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(
                   "<html><meta name=m><style>p{}</style><body>"
                   "<div><p>t</p></div><div><img src=i></div>"
                   "<div><img dynsrc=v></div><div><embed src=e></div>"
                   "<div>plain</div></body></html>"));
  EXPECT_EQ(1, document.DeleteBodyContents());
  EXPECT_EQ(
      " meta=<meta name=m> body=<body> embed=<div><embed src=e></div>"
      " plain=<div>plain</div>",
      Outline(document));
}

TEST(MemDocTest, ReadFromFileJoinsLinesWithLineFeeds) {
  const std::string path = ::testing::TempDir() + "htmlmemdoc_page.htm";
  std::ofstream(path, std::ios::binary) << "<html>\r\n<head>\r\n<foo>";
  MessageLog log;
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.ReadFromFile(path.c_str()));
  // Line feeds only after the read: the ">" after "<foo" is column 6.
  EXPECT_EQ("HTML syntax error at Ln3, Col6", log.Joined());
  std::remove(path.c_str());
  EXPECT_EQ(0, document.ReadFromFile("/nonexistent/page.htm"));
  EXPECT_EQ(0, document.ReadFromFile(nullptr));
  EXPECT_EQ(1u, log.messages.size());  // unopenable files are silent
}

// An observer that lets in every second element it is told of, noting
// the markup of each.
class Halver : public CHtmlReadObserver {
 public:
  int ElementRead(const CHtmlTextList&, const CHtmlTextBase& element) override {
    told += std::string(static_cast<const char*>(element)) + "|";
    return ++count % 2 == 0;
  }
  std::string told;
  int count = 0;
};

TEST(MemDocTest, ReadObserverSeesListElementsInPageOrderAndKeepsWhatItLets) {
  CHtmlMemDoc document;
  Halver observer;
  document.SetReadObserver(&observer);
  ASSERT_EQ(1, document.ReadFromString(
                   "<html><head><title>t</title><meta name=a><meta name=b>"
                   "<style>p{} q{}</style><script>s</script></head><body>"
                   "<div><p>t</p></div><div><img src=i></div>"
                   "<div>plain</div></body></html>"));
  EXPECT_EQ(
      "<meta name=a>|<meta name=b>|p{}|q{}|<script>s</script>|"
      "<div><p>t</p></div>|<div><img src=i></div>|<div>plain</div>|",
      observer.told);
  EXPECT_EQ(
      " title=<title>t</title> meta=<meta name=b> style=q{} body=<body>"
      " text=<div><p>t</p></div> plain=<div>plain</div>",
      Outline(document));
  int elements = 0, declined = 0;
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    elements += item.kind == HtmlReadElement;
    declined += item.kind == HtmlReadElement && item.element == nullptr;
  }
  EXPECT_EQ(10, elements);  // the title and the body are not told
  EXPECT_EQ(4, declined);
}  // the sanitizer build fails here if a declined element leaks

// Declines every layer from its markup, noting it; keeps the rest.
class MarkupDecliner : public CHtmlReadObserver {
 public:
  int ElementRead(const CHtmlTextList&, const CHtmlTextBase&) override {
    return 1;
  }
  int LayerMarkupRead(const CHtmlTextList&, const char* markup,
                      size_t length) override {
    told += std::string(markup, length) + "|";
    return 0;
  }
  std::string told;
};

// The read's result and record, each item's place and kind.
std::string ReadSummary(const CHtmlMemDoc& document, int read) {
  const CHtmlReadError& error = document.GetReadError();
  std::string summary = std::to_string(read) + " " +
                        std::to_string(error.reason) + "@" +
                        std::to_string(error.offset);
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    summary += " " + std::to_string(item.kind) + ":" +
               std::to_string(item.begin) + "-" + std::to_string(item.end);
  }
  return summary;
}

// Layers declined before they are made read as they do made: the same
// result, fault and record, the refused ones refused all the same.
TEST(MemDocTest, LayersDeclinedFromTheirMarkupReadAsMadeOnes) {
  const char* const kBodies[] = {
      "<div id=T><p>t</p></div><div id=I><img src=i></div>"
      "<div id=V><img dynsrc=v></div><div id=E><embed src=e></div>"
      "<div id=A><embed type=audio/x src=a mastersound></div>"
      "<div>plain</div>",
      "<div id=A><embed type=audio/x src=a></div>",  // no master sound
      "<div><embed type=\"audio\" src=a></div>",
      "<div><p></div>",
      "<div><p>unended</div><div>next</div>",
  };
  for (const char* body : kBodies) {
    SCOPED_TRACE(body);
    const std::string page =
        std::string("<html><body>") + body + "</body></html>";
    MessageLog quiet;  // the refused ones say so
    CHtmlMemDoc made, declined;
    MarkupDecliner observer;
    declined.SetReadObserver(&observer);
    const int madeRead = made.ReadFromString(page.c_str());
    const int declinedRead = declined.ReadFromString(page.c_str());
    EXPECT_EQ(ReadSummary(made, madeRead), ReadSummary(declined, declinedRead));
    CObList layers;
    made.GetLayersInPageOrder(layers);
    std::string kept;
    for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;)
      kept +=
          std::string(*static_cast<const CHtmlLayer*>(layers.GetNext(pos))) +
          "|";
    if (madeRead) {
      EXPECT_EQ(kept, observer.told);
    }
    CObList none;
    declined.GetLayersInPageOrder(none);
    EXPECT_EQ(0, none.GetCount());
  }
}

TEST(MemDocTest, WalksLayersInPageOrderWithTheirKinds) {
  CHtmlMemDoc document;
  ASSERT_EQ(1,
            document.ReadFromString(
                "<html><body><div id=V><img dynsrc=v></div>"
                "<div id=T><p>t</p></div><div id=P>plain</div>"
                "<div id=A><embed src=a.rpm type=audio/x-pn-realaudio-plugin "
                "mastersound>"
                "</div><div id=I><img src=i></div>"
                "<div id=E><embed src=e></div></body></html>"));
  auto* added = new CHtmlImageLayer;
  ASSERT_EQ(1, added->Init("<div id=N><img src=n></div>"));
  ASSERT_EQ(1, document.AddImageLayer(added));
  CObList layers;
  ASSERT_EQ(7, document.GetLayersInPageOrder(layers));
  std::string walk;
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;) {
    auto* layer = static_cast<CHtmlLayer*>(layers.GetNext(pos));
    CString id;
    layer->GetAttribute("div", "id", id);
    walk += std::string(id) + std::to_string(layer->GetLayerKind()) + " ";
  }
  EXPECT_EQ("V3 T1 P0 A5 I2 E4 N2 ", walk);
  CObject* image = layers.GetAt(layers.FindIndex(4));
  EXPECT_EQ(image, DYNAMIC_DOWNCAST(CHtmlImageLayer, image));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CHtmlTextLayer, image));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CHtmlLayer, nullptr));
}

}  // namespace
