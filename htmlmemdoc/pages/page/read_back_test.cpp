#include "htmlmemdoc/pages/page/read_back.h"

#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/pages/text/text_util.h"

namespace {

using htmlmemdoc::ReadBack;

// The ids of a list's lost layers and of what came back in it, as
// "lost:A,B back:C," (a layer that came back changed shows as "*").
std::string Outcome(const CHtmlMemDoc& document, const ReadBack& back,
                    size_t kind) {
  std::string text = "lost:";
  for (const CHtmlLayer* layer : back.Lost(kind)) {
    CString id;
    layer->GetAttribute("div", "id", id);
    text += std::string(static_cast<const char*>(id)) + ",";
  }
  text += " back:";
  const CObList& list = htmlmemdoc::WrittenLayers(document, kind);
  for (size_t i = 0; back.Echo(kind, i) != nullptr; ++i) {
    std::string id = "*";
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
      const auto* layer = static_cast<const CHtmlLayer*>(list.GetNext(pos));
      if (back.Echo(kind, i) != static_cast<const char*>(*layer)) continue;
      CString found;
      layer->GetAttribute("div", "id", found);
      id = static_cast<const char*>(found);
    }
    text += id + ",";
  }
  return text;
}

// Layers of the document are taken out, or given markup the rendering
// reads back otherwise, and the read-back tells which.
TEST(ReadBackTest, MatchesLayersListByList) {
  const char* kPage =
      "<html><body>"
      "<div id=T1><p>a</p></div><div id=T2><p>b</p></div>"
      "<div id=T3><p>c</p></div><div id=I1><img src=x></div>"
      "<div id=I2><img src=\"\"></div><div id=I3><img src=y></div>"
      "</body></html>";
  struct Case {
    const char* name;
    const char* text2;  // new markup of T2, or null
    const char* text;   // expected for the text layers
    const char* image;  // expected for the image layers
  } kCases[] = {
      {"unchanged", nullptr, "lost: back:T1,T2,T3,", "lost:I2, back:I1,I3,"},
      {"a layer that reads back as two",
       "<div id=T2><p>b</p></div><div id=T4><p>d</p></div>",
       "lost:T2,T3, back:T1,*,*,*,", "lost:I2, back:I1,I3,"},
  };
  for (const Case& c : kCases) {
    CHtmlMemDoc document;
    ASSERT_EQ(1, document.ReadFromString(kPage));
    if (c.text2 != nullptr) {
      POSITION pos = document.m_textLayerList.FindIndex(1);
      auto* layer =
          static_cast<CHtmlTextLayer*>(document.m_textLayerList.GetAt(pos));
      ASSERT_EQ(1, layer->Init(c.text2)) << c.name;
    }
    ReadBack back(document);
    CString rendering;
    document.RenderToString(rendering, 0, nullptr);
    EXPECT_EQ("", back.Read(rendering)) << c.name;
    EXPECT_EQ(c.text, Outcome(document, back, htmlmemdoc::kTextLayers))
        << c.name;
    EXPECT_EQ(c.image, Outcome(document, back, htmlmemdoc::kImageLayers))
        << c.name;
  }
}

// A rendering that does not read again says why and where, as a read
// that keeps its record would.
TEST(ReadBackTest, TellsWhyARenderingDoesNotRead) {
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(
                   "<html><body><div id=T><p>a</p></div></body></html>"));
  auto* layer =
      static_cast<CHtmlTextLayer*>(document.m_textLayerList.GetHead());
  ASSERT_EQ(1, layer->Init("<div id=T><p>a</p></div><form>"));
  ReadBack back(document);
  CString rendering;
  document.RenderToString(rendering, 0, nullptr);
  EXPECT_EQ(
      "5:25: <form> after the layers: after its layers a layout page holds "
      "only end tags",
      back.Read(rendering));
}

}  // namespace
