#include "htmlmemdoc/pages/report/page_model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"

namespace {

// What WritePageJson writes of `page`.
std::string Streamed(const CHtmlMemDoc& document, const std::string& page) {
  std::FILE* out = std::tmpfile();
  htmlmemdoc::WritePageJson(document, page, out);
  std::string text(static_cast<size_t>(std::ftell(out)), '\0');
  std::rewind(out);
  text.resize(std::fread(&text[0], 1, text.size(), out));
  std::fclose(out);
  return text;
}

// The streamed model is the model's own JSON text, whatever the layers'
// texts, ids and sources hold: quotes, backslashes, control bytes, bytes
// that are not UTF-8, and every layer kind's fields.
TEST(PageJsonTest, StreamedModelIsTheModelsText) {
  const char* const kLayers[] = {
      "<div id=\"T\" style=\"position:absolute; left:1px; top:2px; "
      "width:3px; height:4px; z-index:5; visibility:hidden\">"
      "<p style=\"font-size:9pt; color:#102030; font-weight:bold; "
      "font-style:italic; text-align:center; font-family:Arial, Verdana\">"
      "a \"quoted\" back\\slash\ttab\x01\x1f\x7f</p></div>",
      "<div id=\"caf\xc3\xa9 \xff\" style=\"left:1px;top:2px\">"
      "<p>line\r\nfeed \xe2\x82\xac \xc3</p></div>",
      "<div id=\"\x08\x0c\x0b\"><p>a\r\nb</p></div>",
      // overlong, surrogate, four bytes, above U+10FFFF, cut short
      "<div id=\"\xc0\xaf \xe0\x9f\xbf \xed\xa0\x80\">"
      "<p>\xf0\x9f\x98\x80 \xf0\x8f\xbf\xbf \xf4\x90\x80\x80 "
      "\xe2\x82</p></div>",
      "<div id=\"I\" style=\"left:-4px; top:0px; width:10px; height:10px\">"
      "<img src=\"a&amp;b.gif\" dynsrc=\"m.avi\" loop=\"2\"></div>",
      "<div id=\"E\" style=\"z-index:auto\"><embed src=\"x.swf\"></div>",
      "<div id=\"S\"><embed src=\"s.wav\" width=\"9\" height=\"9\" "
      "autostart=\"true\" loop=\"true\"></div>",
      "<div style=\"position:absolute\">plain</div>"};
  for (const char* layer : kLayers) {
    SCOPED_TRACE(layer);
    const std::string page = std::string(
                                 "<html><head><title>t</title>"
                                 "</head><body>\n") +
                             layer + "\n</body></html>\n";
    CHtmlMemDoc document;
    ASSERT_TRUE(document.ReadFromString(page.c_str()));
    EXPECT_EQ(
        Streamed(document, page),
        htmlmemdoc::JsonText(htmlmemdoc::DescribePage(document, page), 2) +
            "\n");
  }
}

}  // namespace
