// examples/list_layers.cpp: lists a page's layers in the order the page
// holds them, each with its kind, id and box.
// Usage: list_layers PAGE

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

namespace {

const char* KindName(HtmlLayerKind kind) {
  static const char* const kNames[] = {"plain", "text",  "image",
                                       "video", "embed", "live audio"};
  return kNames[kind];
}

// A side of the div's box, or "-" when its style does not give it.
void PrintSide(int (CHtmlLayer::*get)(int&, const char*) const,
               const CHtmlLayer& layer) {
  int value = 0;
  if ((layer.*get)(value, "div")) {
    std::printf(" %6d", value);
  } else {
    std::printf(" %6s", "-");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: list_layers PAGE\n");
    return 2;
  }
  CHtmlMemDoc page;
  if (!page.ReadFromFile(argv[1])) return 1;
  CObList layers;  // the page's layers, still owned by the page
  page.GetLayersInPageOrder(layers);
  std::printf("%-10s %-16s %6s %6s %6s %6s\n", "kind", "id", "left", "top",
              "width", "height");
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;) {
    const CHtmlLayer& layer =
        *static_cast<const CHtmlLayer*>(layers.GetNext(pos));
    CString id;
    layer.GetAttribute("div", "id", id);
    std::printf("%-10s %-16s", KindName(layer.GetLayerKind()),
                static_cast<const char*>(id));
    PrintSide(&CHtmlLayer::GetPixelLeft, layer);
    PrintSide(&CHtmlLayer::GetPixelTop, layer);
    PrintSide(&CHtmlLayer::GetPixelWidth, layer);
    PrintSide(&CHtmlLayer::GetPixelHeight, layer);
    std::printf("\n");
  }
  return 0;
}
