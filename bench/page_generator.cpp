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
  int Below(int n) {
    return static_cast<int>(Next() % static_cast<uint32_t>(n));
  }

 private:
  uint32_t m_state;
};

const char* const kWords[] = {
    "garden", "club",   "spring", "meeting", "roses",   "tulips", "members",
    "visit",  "summer", "show",   "prizes",  "pruning", "seeds",  "compost",
    "border", "bulbs",  "water",  "autumn",  "leaves",  "path",   "orchard"};

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
    const std::string name =
        std::string(dir) + "/file" + std::to_string(random.Below(4000)) + ext;
    page.files.push_back(name);
    return name;
  }

  void TextLayer() {
    page.text += "<div id=\"" + Id("Text") + "\" style=\"" +
                 Box(random, layer) +
                 "\">\n<p align=\"left\">\n<font face=\"Verdana\" "
                 "style=\"font-size:10pt; color:#333333;\">" +
                 Words(random, 12 + random.Below(40)) + "</font></p></div>\n";
  }
  void ImageLayer() {
    const std::string id = Id("Image");
    const std::string swap =
        random.Below(3) == 0 ? " onMouseOver=\"MM_swapImage('" + id + "','','" +
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
    page.text +=
        "<div id=\"" + Id("Embed") + "\" style=\"" + Box(random, layer) +
        "\">\n<embed src=\"" +
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

namespace {

// `head`, then units from `unit` (given their index) while the page stays
// under `targetBytes`, then `tail`.
template <typename Unit>
std::string Repeated(const std::string& head, Unit unit,
                     const std::string& tail, size_t targetBytes) {
  std::string text = head;
  for (int i = 0;; ++i) {
    const std::string next = unit(i);
    if (text.size() + next.size() + tail.size() > targetBytes) break;
    text += next;
  }
  return text + tail;
}

const char kEmptyHead[] = "<html>\n<head>\n</head>\n";
const char kBodyStart[] = "<body bgcolor=\"#ffffff\">\n";
const char kBodyEnd[] = "</body>\n</html>\n";

std::string Number(int i) { return std::to_string(10000 + i % 90000); }

std::string BodyTags(size_t bytes) {
  return Repeated(
      kEmptyHead, [](int) { return std::string(kBodyStart); }, kBodyEnd, bytes);
}

std::string Frames(size_t bytes) {
  return Repeated(
      std::string(kEmptyHead) + "<frameset rows=\"*\">\n",
      [](int i) {
        return "<frame src=\"f" + Number(i) + ".htm\" name=\"f" + Number(i) +
               "\">\n";
      },
      "</frameset>\n</html>\n", bytes);
}

std::string HeadElements(size_t bytes) {
  return Repeated(
      "<html>\n<head>\n",
      [](int i) {
        return "<meta name=\"k" + Number(i) + "\" content=\"roses\">\n<title>" +
               Number(i) + "</title>\n<script>show(" + Number(i) +
               ")</script>\n";
      },
      "</head>\n" + std::string(kBodyStart) + kBodyEnd, bytes);
}

// Rules of 28 bytes with one declaration each: the most rules per byte a
// style block of real rules holds.
std::string SmallRules(size_t bytes) {
  return Repeated(
      "<html>\n<head>\n<style>\n",
      [](int i) { return ".r" + Number(i) + " { color: #1a2b3c; }\n"; },
      "</style>\n</head>\n" + std::string(kBodyStart) + kBodyEnd, bytes);
}

std::string SmallLayers(size_t bytes) {
  return Repeated(
      std::string(kEmptyHead) + kBodyStart,
      [](int i) { return "<div id=\"t" + Number(i) + "\"><p>x</p></div>\n"; },
      kBodyEnd, bytes);
}

std::string OpenAngles(size_t bytes) {
  return Repeated(
      "<html>\n<head>\n",
      [](int) {
        return "<script>\n" + std::string(4000, '<') + "\n</script>\n";
      },
      "</head>\n" + std::string(kBodyStart) + kBodyEnd, bytes);
}

std::string BlankRuns(size_t bytes, uint32_t seed) {
  Builder builder{Random(seed), {}, 0};
  return Repeated(
      kEmptyHead + std::string(4000, ' ') + "\n" + kBodyStart,
      [&builder](int) {
        builder.page.text.clear();
        builder.AnyLayer();
        return std::string(2000, ' ') + std::string(2000, '\n') +
               builder.page.text;
      },
      kBodyEnd, bytes);
}

// Text layers each holding 600 nested divs around their paragraph.
std::string DeepNesting(size_t bytes) {
  const int depth = 600;
  std::string inner;
  for (int d = 0; d < depth; ++d) inner += "<div>";
  inner += "<p>deep</p>";
  for (int d = 0; d < depth; ++d) inner += "</div>";
  return Repeated(
      std::string(kEmptyHead) + kBodyStart,
      [&inner](int i) {
        return "<div id=\"d" + Number(i) + "\">" + inner + "</div>\n";
      },
      kBodyEnd, bytes);
}

}  // namespace

const std::vector<std::string>& ShapeNames() {
  static const std::vector<std::string> names = {
      "page",          "body-tags",   "frames",
      "head-elements", "small-rules", "small-layers",
      "open-angles",   "blank-runs",  "deep-nesting"};
  return names;
}

std::string GenerateShape(const std::string& shape, size_t targetBytes,
                          uint32_t seed) {
  if (shape == "page") return GeneratePage(targetBytes, seed).text;
  if (shape == "body-tags") return BodyTags(targetBytes);
  if (shape == "frames") return Frames(targetBytes);
  if (shape == "head-elements") return HeadElements(targetBytes);
  if (shape == "small-rules") return SmallRules(targetBytes);
  if (shape == "small-layers") return SmallLayers(targetBytes);
  if (shape == "open-angles") return OpenAngles(targetBytes);
  if (shape == "blank-runs") return BlankRuns(targetBytes, seed);
  if (shape == "deep-nesting") return DeepNesting(targetBytes);
  return std::string();
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

void WriteSite(const std::string& directory, size_t pages, size_t pageBytes) {
  namespace fs = std::filesystem;
  std::set<std::string> files;
  for (size_t i = 1; i <= pages; ++i) {
    const GeneratedPage page =
        GeneratePage(pageBytes, static_cast<uint32_t>(i));
    std::ofstream(fs::path(directory) / ("p" + std::to_string(i) + ".htm"),
                  std::ios::binary)
        << page.text;
    files.insert(page.files.begin(), page.files.end());
  }
  size_t n = 0;
  for (const std::string& file : files) {
    if (++n % 10 == 0) continue;  // missing
    const fs::path path(file);
    std::string name = path.filename().string();
    if (n % 2 == 0) {
      for (char& c : name) c = static_cast<char>(std::toupper(c));
    }
    const fs::path target = fs::path(directory) / path.parent_path() / name;
    fs::create_directories(target.parent_path());
    std::ofstream(target) << "x";
  }
}
