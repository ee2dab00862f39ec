// Drives what the shared layer does with a page the tool reads: the read
// with its problem told as data, the page model and its JSON text, the
// losses, and the write check with and without reference rewriting. The
// JSON must always be UTF-8, parse back and be written alike as a stream;
// the rendering read back without keeping its layers must lose the same
// layers as a whole second document compared list by list; nothing may
// throw or crash.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_write.h"
#include "htmlmemdoc/pages/page/read_back.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/report/page_model.h"

namespace {

// The layers of `kept` that a walk beside `written` does not meet: each
// kept layer is met when the next written one has its markup.
std::vector<const CHtmlLayer*> Unmet(const CObList& kept,
                                     const CObList& written) {
  std::vector<const CHtmlLayer*> unmet;
  POSITION next = written.GetHeadPosition();
  for (POSITION pos = kept.GetHeadPosition(); pos != nullptr;) {
    const auto* layer = static_cast<const CHtmlLayer*>(kept.GetNext(pos));
    const char* markup = *layer;
    const char* other =
        next != nullptr
            ? *static_cast<const CHtmlTextBase*>(written.GetAt(next))
            : nullptr;
    if (other != nullptr && markup != nullptr &&
        std::strcmp(markup, other) == 0) {
      written.GetNext(next);
    } else {
      unmet.push_back(layer);
    }
  }
  return unmet;
}

void CheckReadBack(const CHtmlMemDoc& document) {
  CString rendering;
  document.RenderToString(rendering, 0, nullptr);
  htmlmemdoc::ReadBack back(document);
  back.Read(rendering);
  CHtmlMemDoc whole;
  whole.ReadFromString(rendering);
  for (size_t kind = 0; kind < htmlmemdoc::kWrittenLists; ++kind) {
    FUZZ_CHECK(back.Lost(kind) ==
               Unmet(htmlmemdoc::WrittenLayers(document, kind),
                     htmlmemdoc::WrittenLayers(whole, kind)));
  }
}

// The model written as a stream is the model's own JSON text.
void CheckStreamedJson(const CHtmlMemDoc& document, const std::string& text) {
  char* written = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&written, &size);
  htmlmemdoc::WritePageJson(document, text, out);
  std::fclose(out);
  const std::string whole =
      htmlmemdoc::JsonText(htmlmemdoc::DescribePage(document, text), 2) + "\n";
  FUZZ_CHECK(whole == std::string(written, size));
  std::free(written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  std::string bytes(reinterpret_cast<const char*>(data), size);
  bytes.resize(std::strlen(bytes.c_str()));  // a page holds no NUL
  htmlmemdoc::PageFile page;
  page.text = htmlmemdoc::PageTextOf(bytes);
  CHtmlMemDoc document;
  if (!htmlmemdoc::LoadPage(page, document)) {
    FUZZ_CHECK(!htmlmemdoc::DescribeProblem(page.problem).empty());
    return 0;
  }
  const std::string json =
      htmlmemdoc::JsonText(htmlmemdoc::DescribePage(document, page.text), -1);
  FUZZ_CHECK(htmlmemdoc::IsUtf8(json));
  FUZZ_CHECK(!nlohmann::json::parse(json, nullptr, false).is_discarded());
  CheckReadBack(document);
  CheckStreamedJson(document, page.text);
  htmlmemdoc::WriteOptions options;
  htmlmemdoc::CheckWrite(document, page.text, options);
  options.encode = true;
  options.allowLoss = true;
  const htmlmemdoc::WriteCheck check =
      htmlmemdoc::CheckWrite(document, page.text, options);
  FUZZ_CHECK(!check.text.IsEmpty());
  return 0;
}
