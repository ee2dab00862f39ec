// examples/first_program.cpp: reads a page and prints its title and how
// many layers of each kind it holds.
// Usage: first_program PAGE

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: first_program PAGE\n");
    return 2;
  }
  std::printf("htmlmemdoc %s\n", HtmlMemDocVersion());
  CHtmlMemDoc page;
  if (!page.ReadFromFile(argv[1])) {
    // The message box (standard error by default) said why; the reason is
    // also data.
    const CHtmlReadError& error = page.GetReadError();
    std::fprintf(stderr, "not read: reason %d at line %d, column %d\n",
                 error.reason, error.line, error.column);
    return 1;
  }
  // An element keeps its markup as the page wrote it; null when the page
  // has none.
  const char* title = page.m_title;
  std::printf("title element: %s\n", title != nullptr ? title : "(none)");
  std::printf(
      "text layers: %d, image layers: %d, video layers: %d, "
      "embed layers: %d, plain layers: %d\n",
      page.m_textLayerList.GetCount(), page.m_imageLayerList.GetCount(),
      page.m_videoLayerList.GetCount(), page.m_embedLayerList.GetCount(),
      page.m_layerList.GetCount());
  return 0;
}
