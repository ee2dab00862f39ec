// page_generator.h: layout pages of a chosen size for the benchmarks, in
// the shape the library reads: a full head, a body start tag with a preload
// handler, and layers of every kind in the proportions of real pages.

#ifndef HTMLMEMDOC_BENCH_PAGE_GENERATOR_H_
#define HTMLMEMDOC_BENCH_PAGE_GENERATOR_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GeneratedPage {
  std::string text;
  // The files the page refers to, as the page names them (relative paths).
  std::vector<std::string> files;
};

// A page of about `targetBytes` bytes, the same for the same seed. About
// half its layers are text (a <p> with <font> runs), a quarter images (some
// with swap-image handlers), and the rest video, embed, live-audio and
// nested plain divs; every element stays under the library's size limits.
GeneratedPage GeneratePage(size_t targetBytes, uint32_t seed);

// The names of the page shapes GenerateShape makes: "page" (the page of
// GeneratePage) and pages that each repeat one construct that could make a
// reader or a command slow or large: many body start tags, many frames,
// many head elements, many small style rules, many small layers, runs of
// "<" without ">", long blank runs, and deeply nested divs.
const std::vector<std::string>& ShapeNames();

// A page of the named shape and about `targetBytes` bytes that the library
// reads; empty for an unknown name.
std::string GenerateShape(const std::string& shape, size_t targetBytes,
                          uint32_t seed);

// Creates every file of `page` under `directory`, each name in another
// letter case than the page writes it (upper case), so that rendering with
// a base path in `directory` has names to match.
void CreateSiteFiles(const GeneratedPage& page, const std::string& directory);

// Writes a site of `pages` pages of about `pageBytes` bytes each under
// `directory` (p1.htm, p2.htm, ...) with the files they refer to: of the
// distinct files, one in ten missing, the others created under the name
// the pages write or in upper case, half and half.
void WriteSite(const std::string& directory, size_t pages, size_t pageBytes);

#endif  // HTMLMEMDOC_BENCH_PAGE_GENERATOR_H_
