// page_generator.cpp: builds pages from a small deterministic generator so
// every run measures the same text.

#include "bench/page_generator.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

// xorshift32: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(uint32_t seed) : m_state(seed != 0 ? seed : 1) {}
  uint32_t Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t m_state;
};

const char* const kWords[] = {
    "garden", "club",   "spring", "meeting", "roses",  "tulips", "members",
    "visit",  "summer", "show",   "prizes",  "pruning", "seeds", "compost",
    "border", "bulbs",  "water",  "autumn",  "leaves", "path",   "orchard"};

std::string Words(Random& random, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += ' ';
    text += kWords[random.Below(sizeof kWords / sizeof kWords[0])];
  }
  return text;
}

std::string Box(Random& random, int z) {
  char style[160];
  std::snprintf(style, sizeof style,
                "position:absolute; left:%dpx; top:%dpx; width:%dpx; "
                "height:%dpx; z-index:%d",
                random.Below(800), random.Below(4000), 40 + random.Below(500),
                20 + random.Below(300), z);
  return style;
}

std::string Head() {
  std::string head =
      "<html>\n<head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=utf-8\">\n<meta name=\"generator\" content=\"Layout\">\n"
      "<meta name=\"keywords\" content=\"garden, club, roses\">\n"
      "<title>Garden club</title>\n<style>\n<!--\n";
  for (int i = 0; i < 24; ++i) {
    head += ".rule" + std::to_string(i) +
            " { font-family: Verdana, Arial; font-size: " +
            std::to_string(8 + i % 10) + "pt; color: #2e5d34 }\n";
  }
  head +=
      "-->\n</style>\n"
      "<script language=\"JavaScript\" src=\"plumeta.js\"></script>\n"
      "<script language=\"JavaScript\">\nfunction MM_swapImgRestore() { "
      "}\nfunction MM_preloadImages() { }\n</script>\n</head>\n"
      "<bgsound id=\"BackgroundSound\" src=\"audio/theme.mid\" loop=\"-1\">\n"
      "<body bgcolor=\"#ffffff\" background=\"images/paper.gif\" "
      "onLoad=\"MM_preloadImages('images/over1.gif','images/over2.gif')\">\n";
  return head;
}

struct Builder {
  Random random;
  GeneratedPage page;
  int layer = 0;

  std::string Id(const char* kind) {
    return std::string(kind) + std::to_string(++layer);
  }
  std::string File(const char* dir, const char* ext) {
    const std::string name = std::string(dir) + "/file" +
                             std::to_string(random.Below(4000)) + ext;
    page.files.push_back(name);
    return name;
  }

  void TextLayer() {
    page.text += "<div id=\"" + Id("Text") + "\" style=\"" + Box(random, layer) +
                 "\">\n<p align=\"left\">\n<font face=\"Verdana\" "
                 "style=\"font-size:10pt; color:#333333;\">" +
                 Words(random, 12 + random.Below(40)) + "</font></p></div>\n";
  }
  void ImageLayer() {
    const std::string id = Id("Image");
    const std::string swap = random.Below(3) == 0
        ? " onMouseOver=\"MM_swapImage('" + id + "','','" +
              File("images", ".gif") + "',1)\""
        : "";
    page.text += "<div id=\"" + id + "\" style=\"" + Box(random, layer) +
                 "\">\n<a href=\"page.htm\"" + swap + "><img src=\"" +
                 File("images", ".gif") +
                 "\" width=\"120\" height=\"90\" border=\"0\"></a></div>\n";
  }
  void VideoLayer() {
    page.text += "<div id=\"" + Id("Video") + "\" style=\"" +
                 Box(random, layer) + "\">\n<img dynsrc=\"" +
                 File("video", ".mpg") + "\" src=\"" + File("images", ".gif") +
                 "\" width=\"320\" height=\"240\" loop=\"1\"></div>\n";
  }
  void EmbedLayer(bool audio) {
    page.text += "<div id=\"" + Id("Embed") + "\" style=\"" +
                 Box(random, layer) + "\">\n<embed src=\"" +
                 (audio ? File("audio", ".mid") : File("media", ".swf")) +
                 (audio ? "\" type=\"audio/midi\" mastersound autostart=\"true\""
                        : "\"") +
                 " width=\"160\" height=\"16\"></div>\n";
  }
  void PlainLayer() {
    page.text += "<div id=\"" + Id("Box") + "\" style=\"" + Box(random, layer) +
                 "\">\n<div class=\"inner\">" + Words(random, 6) +
                 "</div></div>\n";
  }
  void AnyLayer() {
    const int pick = random.Below(20);
    if (pick < 10) return TextLayer();
    if (pick < 15) return ImageLayer();
    if (pick == 15) return VideoLayer();
    if (pick == 16) return EmbedLayer(false);
    if (pick == 17) return EmbedLayer(true);
    PlainLayer();
  }
};

}  // namespace

GeneratedPage GeneratePage(size_t targetBytes, uint32_t seed) {
  Builder builder{Random(seed), {}, 0};
  builder.page.text = Head();
  builder.page.files = {"images/paper.gif", "audio/theme.mid"};
  while (builder.page.text.size() + 24 < targetBytes) builder.AnyLayer();
  builder.page.text += "</body>\n</html>\n";
  return builder.page;
}

void CreateSiteFiles(const GeneratedPage& page, const std::string& directory) {
  namespace fs = std::filesystem;
  std::set<std::string> done;
  for (const std::string& file : page.files) {
    if (!done.insert(file).second) continue;
    const fs::path path(file);
    std::string upper = path.filename().string();
    for (char& c : upper) c = static_cast<char>(std::toupper(c));
    const fs::path target = fs::path(directory) / path.parent_path() / upper;
    fs::create_directories(target.parent_path());
    std::ofstream(target) << "x";
  }
}
