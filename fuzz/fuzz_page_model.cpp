// Drives what the shared layer does with a page the tool reads: the read
// with its problem told as data, the page model and its JSON text, the
// losses, and the write check with and without reference rewriting. The
// JSON must always be UTF-8 and parse back; nothing may throw or crash.

#include <string>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/pages/page_file.h"
#include "htmlmemdoc/pages/page_model.h"
#include "htmlmemdoc/pages/page_write.h"
#include "htmlmemdoc/pages/read_problem.h"

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
  htmlmemdoc::WriteOptions options;
  htmlmemdoc::CheckWrite(document, page.text, options);
  options.encode = true;
  options.allowLoss = true;
  const htmlmemdoc::WriteCheck check =
      htmlmemdoc::CheckWrite(document, page.text, options);
  FUZZ_CHECK(!check.text.IsEmpty());
  return 0;
}
