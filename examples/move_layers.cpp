// examples/move_layers.cpp: moves every layer of a page by DX and DY
// pixels and writes the page to OUT.
// Usage: move_layers PAGE DX DY OUT

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: move_layers PAGE DX DY OUT\n");
    return 2;
  }
  const int dx = std::atoi(argv[2]);
  const int dy = std::atoi(argv[3]);
  CHtmlMemDoc page;
  if (!page.ReadFromFile(argv[1])) return 1;
  CObList layers;
  page.GetLayersInPageOrder(layers);
  int moved = 0;
  for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;) {
    CHtmlLayer& layer = *static_cast<CHtmlLayer*>(layers.GetNext(pos));
    int left = 0, top = 0;
    // "div": the layer's own box; a layer whose style has no left or top
    // stays where it is.
    if (layer.GetPixelLeft(left, "div") && layer.GetPixelTop(top, "div") &&
        layer.SetPixelLeft(left + dx, "div") &&
        layer.SetPixelTop(top + dy, "div")) {
      ++moved;
    }
  }
  if (!page.RenderToFile(argv[4], 0, nullptr)) return 1;
  std::printf("moved %d of %d layers\n", moved, layers.GetCount());
  return 0;
}
