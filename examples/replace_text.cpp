// examples/replace_text.cpp: in every .htm page of a folder, replaces OLD
// by NEW in the text of each text layer that holds it, gives that text the
// colour #RRGGBB, and writes the page back in place.
// Usage: replace_text FOLDER OLD NEW RRGGBB

#include <htmlmemdoc/htmlmemdoc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Replaces OLD in the page's text layers; the number of layers changed.
int ReplaceInPage(CHtmlMemDoc& page, const std::string& oldText,
                  const std::string& newText, unsigned long colorref) {
  int changed = 0;
  for (POSITION pos = page.m_textLayerList.GetHeadPosition(); pos != nullptr;) {
    CHtmlTextLayer& layer =
        *static_cast<CHtmlTextLayer*>(page.m_textLayerList.GetNext(pos));
    CString text;
    if (!layer.GetTextString(text)) continue;
    std::string value = static_cast<const char*>(text);
    const size_t at = value.find(oldText);
    if (at == std::string::npos) continue;
    value.replace(at, oldText.size(), newText);
    // SetColor takes red in the low byte (0x00BBGGRR); GetColor gives
    // 0x00RRGGBB.
    if (layer.SetTextString(value.c_str()) && layer.SetColor(colorref)) {
      ++changed;
    }
  }
  return changed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: replace_text FOLDER OLD NEW RRGGBB\n");
    return 2;
  }
  const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
  const unsigned long colorref =
      ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  std::vector<std::filesystem::path> pages;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    if (entry.path().extension() == ".htm") pages.push_back(entry.path());
  }
  std::sort(pages.begin(), pages.end());
  int failures = 0;
  for (const std::filesystem::path& file : pages) {
    const std::string path = file.string();
    CHtmlMemDoc page;
    if (!page.ReadFromFile(path.c_str())) {
      ++failures;
      continue;
    }
    const int changed = ReplaceInPage(page, argv[2], argv[3], colorref);
    if (changed == 0) continue;
    if (!page.RenderToFile(path.c_str(), 0, nullptr)) ++failures;
    std::printf("%s: %d layers\n", file.filename().string().c_str(), changed);
  }
  return failures == 0 ? 0 : 1;
}
