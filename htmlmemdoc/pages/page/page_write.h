// page_write.h: the one way a front end writes a page. Before anything is
// written, the rendering is checked: what it would lose of the page (see
// page_loss.h), that it reads again, and that rewriting file references
// (encoding them, matching their case) changed nothing but the references.
// Then the text replaces the output only once it is written whole: through
// a temporary file that a signal or a crash does not leave behind, keeping
// the old file's permissions and owner, writing through links to their
// target.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_WRITE_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_WRITE_H_

#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

struct WriteOptions {
  std::string output;    // empty or "-": standard output
  bool encode = false;   // replace blank ! $ & ( ) , @ in file references
  std::string basePath;  // empty: no matching of file-name letter case
  bool allowLoss = false;
  // A file's line feeds written as CR LF (as the library writes pages);
  // false: as they are (to keep a page's own line ends, PageFile::crlf).
  bool crlf = true;
  // When set, a file is replaced only while it still holds exactly these
  // bytes (checked again just before the replace), so that a write by
  // another program since they were read is never overwritten.
  const std::string* expected = nullptr;
  // When set, `output` is relative to this folder and is written only
  // through folders below it that are no links (WholeText::within).
  std::string within;
  // The check's reading of the rendering kept whole (WriteCheck::read), for
  // a caller that goes on from the page as written without reading it
  // again. Only when no reference is rewritten (no encode, no basePath):
  // then the text read is the text written.
  bool keepRead = false;
};

struct WriteCheck {
  CString text;                  // the page as it would be written
  std::vector<PageLoss> losses;  // what it would not write of the page
  // Why it must not be written: loss (for the losses alone: allowing loss
  // would write it) or no-read-back; none when it may be.
  Refusal refusal;
  // With keepRead, when the text reads: the document it reads as (owned
  // here; move it out).
  std::unique_ptr<CHtmlMemDoc> read;
};

// Renders `document`, read from `pageText`, as `options` say and checks
// the rendering. A loss is a refusal unless `options.allowLoss`. The page
// text is freed before the rendering is made (move it in).
WriteCheck CheckWrite(const CHtmlMemDoc& document, std::string pageText,
                      const WriteOptions& options);

// Writes `text` to `options.output`: to standard output as it is, to a
// file with each line feed as CR LF, as the library writes page files. A
// regular file is replaced only once the new one is whole and on disk; a
// device or a pipe is written directly. Returns no refusal, or
// cannot-write with a sentence that names the output (and its folder when
// that is the cause).
Refusal WriteText(const CString& text, const WriteOptions& options);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_WRITE_H_
