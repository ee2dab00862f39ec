// Drives the export's rewrite of one page: whatever the page holds, each
// of its references taken in turn for a converted sound, a converted
// movie, a Flash movie, a plain file or no file at all. The rewrite must
// never crash or throw; a page it refuses is given back byte for byte,
// and one it rewrites reads again (the rewrite reads it back itself).

#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/pages/export/export_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  htmlmemdoc::PageRead read;
  read.bytes.assign(reinterpret_cast<const char*>(data), size);
  read.bytes.resize(std::strlen(read.bytes.c_str()));  // a page holds no NUL
  read.file = htmlmemdoc::PageFileOf("page.htm", read.bytes);
  if (!read.file.Ok() || !htmlmemdoc::LoadPage(read.file, read.document))
    return 0;
  read.references = htmlmemdoc::FindReferences(read.document, read.file.text);
  std::vector<htmlmemdoc::CheckedReference> checked;
  for (size_t i = 0; i < read.references.size(); ++i) {
    htmlmemdoc::CheckedReference reference;
    reference.reference = read.references[i];
    reference.reference.holder = nullptr;
    reference.kind = htmlmemdoc::ReferenceKind::kOk;
    reference.file = {0, static_cast<int>(i % 5)};  // 4: no file
    checked.push_back(reference);
  }
  const htmlmemdoc::ExportedFile files[] = {
      {"sound.opus", htmlmemdoc::MediaKind::kAudio, true, ""},
      {"movie.mp4", htmlmemdoc::MediaKind::kVideo, true, ""},
      {"", htmlmemdoc::MediaKind::kFlash, true, ""},
      {"", htmlmemdoc::MediaKind::kOther, true, ""}};
  htmlmemdoc::PageExportOptions options;
  const htmlmemdoc::PageExport exported = htmlmemdoc::ExportPage(
      read, checked,
      [&](const htmlmemdoc::CheckedReference& reference)
          -> const htmlmemdoc::ExportedFile* {
        const int entry = reference.file.entry;
        return entry < 4 ? &files[entry] : nullptr;
      },
      options);
  if (exported.refusal) FUZZ_CHECK(exported.bytes == read.bytes);
  return 0;
}
