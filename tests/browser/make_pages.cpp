// make_pages: renders the pages the browser suite loads, and what the
// document model says about each of their layers.
//
// Usage: make_pages EXAMPLES_DIR ASSETS_DIR OUT_DIR
// Every example page that reads is rendered into OUT_DIR with RenderToFile,
// and so is a copy of welcome.htm edited through the library (layers moved,
// resized, restacked, hidden, re-sourced, text replaced, text colour and
// font size changed, background image set). The example pages' images and
// the files of ASSETS_DIR (the edited page's new background) are copied
// beside them, and OUT_DIR/manifest.json lists each page's layers as
// `htmlmemdoc show --json` describes them: kind, id, left, top, width,
// height, z-index and visibility as the model reads them (null when
// absent), and the text or the file.

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/page_model.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

int Ignore(const char*, unsigned, void*) { return IDOK; }

CHtmlLayer* FindLayer(const CObList& list, const char* id) {
  CString value;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    CHtmlLayer* layer = static_cast<CHtmlLayer*>(list.GetNext(pos));
    if (layer->GetAttribute("div", "id", value) && value == id) return layer;
  }
  return nullptr;
}

// The edits of the edited page; false when one of them fails.
bool EditWelcome(CHtmlMemDoc& document) {
  CHtmlTextLayer* title = static_cast<CHtmlTextLayer*>(
      FindLayer(document.m_textLayerList, "Title"));
  CHtmlTextLayer* intro = static_cast<CHtmlTextLayer*>(
      FindLayer(document.m_textLayerList, "Intro"));
  CHtmlImageLayer* rose = static_cast<CHtmlImageLayer*>(
      FindLayer(document.m_imageLayerList, "Rose"));
  CHtmlLayer* map = FindLayer(document.m_embedLayerList, "Map");
  return title != nullptr && intro != nullptr && rose != nullptr &&
         map != nullptr && title->SetPixelLeft(60, "div") &&
         title->SetPixelTop(10, "div") && title->SetColor(0xA03000) &&
         title->SetFontSize(28) && intro->SetPixelWidth(260, "div") &&
         intro->SetPixelHeight(140, "div") && intro->SetPixelTop(110, "div") &&
         intro->SetTextString("Summer meetings move to the orchard.") &&
         rose->SetZIndex(12, "div") && rose->SetSrc("images/tulip.gif") &&
         rose->SetPixelLeft(400, "div") &&
         map->SetVisibility("div", HtmlVisibilityHidden) &&
         document.SetBackgroundImage("images/leaves.gif");
}

// Renders `document` as OUT_DIR/name and adds it to the manifest.
bool Emit(const CHtmlMemDoc& document, const fs::path& out,
          const std::string& name, json& manifest) {
  if (!document.RenderToFile((out / name).string().c_str(), 0, nullptr)) {
    std::fprintf(stderr, "make_pages: cannot write %s\n", name.c_str());
    return false;
  }
  manifest.push_back(
      {{"page", name}, {"layers", DescribePage(document)["layers"]}});
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_pages EXAMPLES_DIR ASSETS_DIR OUT_DIR\n");
    return 2;
  }
  AfxSetMessageBoxHandler(&Ignore, nullptr);
  const fs::path examples(argv[1]);
  const fs::path out(argv[3]);
  fs::create_directories(out / "images");
  const auto copying =
      fs::copy_options::recursive | fs::copy_options::overwrite_existing;
  fs::copy(examples / "images", out / "images", copying);
  fs::copy(argv[2], out, copying);
  json manifest = json::array();
  for (const fs::directory_entry& entry : fs::directory_iterator(examples)) {
    if (entry.path().extension() != ".htm") continue;
    CHtmlMemDoc document;
    if (!document.ReadFromFile(entry.path().string().c_str())) continue;
    if (!Emit(document, out, entry.path().filename().string(), manifest)) {
      return 1;
    }
  }
  CHtmlMemDoc edited;
  if (!edited.ReadFromFile((examples / "welcome.htm").string().c_str()) ||
      !EditWelcome(edited)) {
    std::fprintf(stderr, "make_pages: editing welcome.htm failed\n");
    return 1;
  }
  if (!Emit(edited, out, "welcome_edited.htm", manifest)) return 1;
  std::ofstream(out / "manifest.json") << manifest.dump(2) << "\n";
  return 0;
}
