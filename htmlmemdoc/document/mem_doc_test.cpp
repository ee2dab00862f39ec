#include "htmlmemdoc/document/mem_doc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "htmlmemdoc/style/style.h"
#include "tests/support/message_log.h"

namespace {

TEST(MemDocTest, StartsEmpty) {
  CHtmlMemDoc document;
  EXPECT_EQ(4, document.m_nTabWidth);
  EXPECT_EQ(nullptr, static_cast<const char*>(document.m_title));
  EXPECT_EQ(nullptr, static_cast<const char*>(document.m_body));
  EXPECT_EQ(0, document.m_frameSet.GetFrameCount());
  EXPECT_TRUE(document.m_textLayerList.IsEmpty());
}

TEST(MemDocTest, AddLayerTakesOwnershipAndRefusesNull) {
  CHtmlMemDoc document;
  EXPECT_EQ(0, document.AddTextLayer(nullptr));
  EXPECT_EQ(0, document.AddImageLayer(nullptr));
  EXPECT_EQ(0, document.AddVideoLayer(nullptr));
  EXPECT_EQ(0, document.AddEmbedLayer(nullptr));
  EXPECT_EQ(1, document.AddTextLayer(new CHtmlTextLayer));
  EXPECT_EQ(1, document.AddEmbedLayer(new CHtmlLiveAudioLayer));
  EXPECT_EQ(1, document.m_textLayerList.GetCount());
  EXPECT_EQ(1, document.m_embedLayerList.GetCount());
}  // the sanitizer build fails here if the layers leak

TEST(MemDocTest, DeleteBodyContentsKeepsEmbedAndPlainLayers) {
  CHtmlMemDoc document;
  document.AddTextLayer(new CHtmlTextLayer);
  document.AddImageLayer(new CHtmlImageLayer);
  document.AddVideoLayer(new CHtmlVideoLayer);
  document.AddEmbedLayer(new CHtmlEmbedLayer);
  document.m_layerList.AddTail(new CHtmlLayer);
  document.m_styleList.AddTail(new CHtmlStyle);
  document.m_metaList.AddTail(new CHtmlMeta);
  EXPECT_EQ(1, document.DeleteBodyContents());
  EXPECT_TRUE(document.m_styleList.IsEmpty());
  EXPECT_TRUE(document.m_textLayerList.IsEmpty());
  EXPECT_TRUE(document.m_imageLayerList.IsEmpty());
  EXPECT_TRUE(document.m_videoLayerList.IsEmpty());
  EXPECT_EQ(1, document.m_embedLayerList.GetCount());
  EXPECT_EQ(1, document.m_layerList.GetCount());
  EXPECT_EQ(1, document.m_metaList.GetCount());
}

TEST(MemDocTest, ReadFromFileJoinsLinesWithLineFeeds) {
  const std::string path = ::testing::TempDir() + "htmlmemdoc_page.htm";
  {
    std::ofstream out(path, std::ios::binary);
    out << "<html>\r\n<head>\r\n<foo>";  // CR LF line ends, no final one
  }
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

}  // namespace
