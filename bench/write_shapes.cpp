// write_shapes.cpp: writes one generated page of each shape into a folder,
// so that other programs (the tool on two systems, say) can be run on the
// same pages.
// Usage: write_shapes FOLDER BYTES

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/page_generator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_shapes FOLDER BYTES\n");
    return 2;
  }
  const size_t bytes = std::strtoull(argv[2], nullptr, 10);
  for (const std::string& shape : ShapeNames()) {
    std::ofstream out(std::string(argv[1]) + "/" + shape + ".htm",
                      std::ios::binary);
    out << GenerateShape(shape, bytes, 1);
    if (!out) return 2;
  }
  return 0;
}
