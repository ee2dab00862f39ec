// bench_main.cpp: throughput of the library's main operations on generated
// pages of 10 KB to 10 MB, with libxml2 and gumbo parsing the same pages and
// a memory floor (memcpy, and a memchr pass over every "<") for scale. At
// the end a table gives every operation's bytes per second by page size,
// the ratio of each peer to read + render, and the peak memory of reading
// the 10 MB page.

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "bench/page_generator.h"
#include "bench/report.h"
#include "htmlmemdoc/htmlmemdoc.h"

namespace {

const uint32_t kSeed = 20261205;

int Ignore(const char*, unsigned, void*) { return IDOK; }

const GeneratedPage& Page(int64_t bytes) {
  static std::map<int64_t, GeneratedPage> pages;
  auto found = pages.find(bytes);
  if (found == pages.end()) {
    found =
        pages.emplace(bytes, GeneratePage(static_cast<size_t>(bytes), kSeed))
            .first;
  }
  return found->second;
}

// A directory holding the page's files in other letter case, and a base
// path (a page file name) inside it.
std::string SiteBase(int64_t bytes) {
  static std::map<int64_t, std::string> bases;
  auto found = bases.find(bytes);
  if (found != bases.end()) return found->second;
  const std::string dir = (std::filesystem::temp_directory_path() /
                           ("htmlmemdoc_bench_site_" + std::to_string(bytes)))
                              .string();
  std::filesystem::remove_all(dir);
  CreateSiteFiles(Page(bytes), dir);
  return bases[bytes] = dir + "/page.htm";
}

std::unique_ptr<CHtmlMemDoc> ReadPage(int64_t bytes) {
  std::unique_ptr<CHtmlMemDoc> document(new CHtmlMemDoc);
  if (!document->ReadFromString(Page(bytes).text.c_str())) std::abort();
  return document;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations()) *
      static_cast<int64_t>(Page(state.range(0)).text.size()));
}

void BM_Read(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    CHtmlMemDoc document;
    benchmark::DoNotOptimize(document.ReadFromString(text.c_str()));
  }
  SetBytes(state);
}

void RenderWith(benchmark::State& state, int encode, const char* base) {
  std::unique_ptr<CHtmlMemDoc> document = ReadPage(state.range(0));
  CString out;
  for (auto _ : state) {
    document->RenderToString(out, encode, base);
    benchmark::DoNotOptimize(out.GetLength());
  }
  SetBytes(state);
}

void BM_Render(benchmark::State& state) { RenderWith(state, 0, nullptr); }
void BM_RenderEncode(benchmark::State& state) { RenderWith(state, 1, nullptr); }
void BM_RenderBase(benchmark::State& state) {
  const std::string base = SiteBase(state.range(0));
  RenderWith(state, 0, base.c_str());
}

// Each iteration as a host handles one page: a new document, a new output.
void BM_ReadRender(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    CHtmlMemDoc document;
    document.ReadFromString(text.c_str());
    CString out;
    document.RenderToString(out, 0, nullptr);
    benchmark::DoNotOptimize(out.GetLength());
  }
  SetBytes(state);
}

void BM_ReadRenderBuffer(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    CHtmlMemDoc document;
    document.ReadFromString(text.c_str());
    char* out = nullptr;
    document.RenderToString(out, 0, nullptr);
    benchmark::DoNotOptimize(out);
    ::operator delete(out);
  }
  SetBytes(state);
}

// Renders to a file in the temporary directory: the page cache, no sync.
void BM_ReadRenderToFile(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  const std::string path =
      (std::filesystem::temp_directory_path() / "htmlmemdoc_bench_out.htm")
          .string();
  for (auto _ : state) {
    CHtmlMemDoc document;
    document.ReadFromString(text.c_str());
    benchmark::DoNotOptimize(document.RenderToFile(path.c_str(), 0, nullptr));
  }
  std::remove(path.c_str());
  SetBytes(state);
}

// Places every layer of a list on a grid, as a host laying out a page does.
void MoveLayers(CObList& list) {
  int index = 0;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr; ++index) {
    CHtmlLayer* layer = static_cast<CHtmlLayer*>(list.GetNext(pos));
    layer->SetPixelLeft(10 + 130 * (index % 6), "div");
    layer->SetPixelTop(10 + 40 * (index / 6), "div");
  }
}

// Moves every layer of every kind, and sets a font size and a colour on
// every text layer's text.
void EditEveryLayer(CHtmlMemDoc& document) {
  MoveLayers(document.m_textLayerList);
  MoveLayers(document.m_imageLayerList);
  MoveLayers(document.m_videoLayerList);
  MoveLayers(document.m_embedLayerList);
  MoveLayers(document.m_layerList);
  for (POSITION pos = document.m_textLayerList.GetHeadPosition();
       pos != nullptr;) {
    CHtmlTextLayer* layer =
        static_cast<CHtmlTextLayer*>(document.m_textLayerList.GetNext(pos));
    layer->SetFontSize(11);
    layer->SetColor(0x336699);
  }
}

void BM_ReadEditRender(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    CHtmlMemDoc document;
    document.ReadFromString(text.c_str());
    EditEveryLayer(document);
    CString out;
    document.RenderToString(out, 0, nullptr);
    benchmark::DoNotOptimize(out.GetLength());
  }
  SetBytes(state);
}

void BM_GetAllSrc(benchmark::State& state) {
  std::unique_ptr<CHtmlMemDoc> document = ReadPage(state.range(0));
  CStringArray files;
  for (auto _ : state) {
    document->GetAllSrc(files);
    benchmark::DoNotOptimize(files.GetSize());
  }
  SetBytes(state);
}

const char kLayer[] =
    "<div id=\"Image42\" style=\"position:absolute; left:120px; top:640px; "
    "width:200px; height:150px; z-index:42\">\n<a href=\"page.htm\" "
    "onMouseOver=\"MM_swapImage('Image42','','images/over.gif',1)\"><img "
    "src=\"images/rose.gif\" width=\"200\" height=\"150\" border=\"0\"></a>"
    "</div>";

void BM_GetAttribute(benchmark::State& state) {
  CHtmlImageLayer layer;
  layer.Init(kLayer);
  char value[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        layer.GetAttribute("img", "src", value, sizeof value));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(sizeof kLayer - 1));
}

void BM_SetAttribute(benchmark::State& state) {
  CHtmlImageLayer layer;
  layer.Init(kLayer);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        layer.SetAttribute("img", "width", (i++ & 1) ? "200" : "201"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(sizeof kLayer - 1));
}

const char kDeclarations[] =
    "position:absolute; left:120px; top:640px; width:200px; height:150px; "
    "z-index:42; visibility:visible; font-family:Verdana, Arial; "
    "font-size:10pt; color:#333333;";

void BM_StyleInitRender(benchmark::State& state) {
  CString out;
  for (auto _ : state) {
    CHtmlStyle style;
    style.Init(kDeclarations);
    style.RenderOutputString(out, 1);
    benchmark::DoNotOptimize(out.GetLength());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(sizeof kDeclarations - 1));
}

void BM_Libxml2ParseSerialize(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    htmlDocPtr doc = htmlReadMemory(
        text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
        HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlChar* out = nullptr;
    int length = 0;
    htmlDocDumpMemory(doc, &out, &length);
    benchmark::DoNotOptimize(length);
    xmlFree(out);
    xmlFreeDoc(doc);
  }
  SetBytes(state);
}

void BM_GumboParse(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions,
                                                   text.data(), text.size());
    benchmark::DoNotOptimize(output->root);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  SetBytes(state);
}

void BM_FloorMemcpy(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  std::string copy(text.size(), '\0');
  for (auto _ : state) {
    std::memcpy(&copy[0], text.data(), text.size());
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_FloorMemchr(benchmark::State& state) {
  const std::string& text = Page(state.range(0)).text;
  for (auto _ : state) {
    size_t tags = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while ((p = static_cast<const char*>(std::memchr(
                p, '<', static_cast<size_t>(end - p)))) != nullptr) {
      ++tags;
      ++p;
    }
    benchmark::DoNotOptimize(tags);
  }
  SetBytes(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int64_t bytes : {10 << 10, 100 << 10, 1 << 20, 10 << 20}) b->Arg(bytes);
}

BENCHMARK(BM_Read)->Apply(Sizes);
BENCHMARK(BM_Render)->Apply(Sizes);
BENCHMARK(BM_RenderBase)->Apply(Sizes);
BENCHMARK(BM_RenderEncode)->Apply(Sizes);
BENCHMARK(BM_ReadRender)->Apply(Sizes);
BENCHMARK(BM_ReadRenderBuffer)->Apply(Sizes);
BENCHMARK(BM_ReadRenderToFile)->Apply(Sizes);
BENCHMARK(BM_ReadEditRender)->Apply(Sizes);
BENCHMARK(BM_GetAllSrc)->Apply(Sizes);
BENCHMARK(BM_GetAttribute);
BENCHMARK(BM_SetAttribute);
BENCHMARK(BM_StyleInitRender);
BENCHMARK(BM_Libxml2ParseSerialize)->Apply(Sizes);
BENCHMARK(BM_GumboParse)->Apply(Sizes);
BENCHMARK(BM_FloorMemcpy)->Apply(Sizes);
BENCHMARK(BM_FloorMemchr)->Apply(Sizes);

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// In a fresh process: the page file read into memory, then the peak memory
// that reading it into a document adds, in kilobytes.
int MeasureReadPeak(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  const long before = ResidentKilobytes();
  CHtmlMemDoc document;
  if (!document.ReadFromString(text.c_str())) return 1;
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss - before);
  return 0;
}

// Runs MeasureReadPeak on the 10 MB page in a child process.
double ReadPeakRatio(const char* self) {
  const GeneratedPage& page = Page(10 << 20);
  const std::string path =
      (std::filesystem::temp_directory_path() / "htmlmemdoc_bench_10mb.htm")
          .string();
  std::ofstream(path, std::ios::binary) << page.text;
  const std::string command =
      std::string(self) + " --measure-read-peak " + path;
  std::FILE* child = popen(command.c_str(), "r");
  long kilobytes = -1;
  if (child == nullptr || std::fscanf(child, "%ld", &kilobytes) != 1) {
    kilobytes = -1;
  }
  if (child != nullptr) pclose(child);
  std::remove(path.c_str());
  return kilobytes < 0
             ? -1.0
             : kilobytes * 1024.0 / static_cast<double>(page.text.size());
}

// Writes a page of a shape (see ShapeNames) and size to a file, for the
// script that measures the tool's commands.
int WriteShape(const char* shape, const char* bytes, const char* path) {
  const std::string text =
      GenerateShape(shape, std::strtoull(bytes, nullptr, 10), kSeed);
  if (text.empty()) {
    std::fprintf(stderr, "unknown shape %s\n", shape);
    return 2;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  return out.good() ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  AfxSetMessageBoxHandler(&Ignore, nullptr);
  if (argc == 3 && std::strcmp(argv[1], "--measure-read-peak") == 0) {
    return MeasureReadPeak(argv[2]);
  }
  if (argc == 5 && std::strcmp(argv[1], "--write-shape") == 0) {
    return WriteShape(argv[2], argv[3], argv[4]);
  }
  if (argc == 5 && std::strcmp(argv[1], "--write-site") == 0) {
    WriteSite(argv[2], std::strtoull(argv[3], nullptr, 10),
              std::strtoull(argv[4], nullptr, 10));
    return 0;
  }
  // A warm heap, as in a host that has been running for a while: freed
  // memory stays with the process instead of going back to the system and
  // faulting in again on the next iteration, whatever ran before.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ThroughputTable table;
  benchmark::RunSpecifiedBenchmarks(&table);
  table.Print(ReadPeakRatio(argv[0]));
  benchmark::Shutdown();
  return 0;
}
