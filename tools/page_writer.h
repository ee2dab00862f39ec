// page_writer.h: the tool's side of writing a page: the shared layer's
// check and write, with what they say printed.

#ifndef HTMLMEMDOC_TOOLS_PAGE_WRITER_H_
#define HTMLMEMDOC_TOOLS_PAGE_WRITER_H_

#include <string>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_write.h"

// Checks and writes `document`, read from `page` (whose text it frees):
// names on standard error what the page would lose, and writes nothing
// when the check refuses.
// Returns kExitOk, kExitPageFailed for a refusal, kExitUsage when the
// output cannot be written.
int WritePage(const CHtmlMemDoc& document, htmlmemdoc::PageFile& page,
              const htmlmemdoc::WriteOptions& options);

#endif  // HTMLMEMDOC_TOOLS_PAGE_WRITER_H_
