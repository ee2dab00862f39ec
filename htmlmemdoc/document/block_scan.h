// block_scan.h: finding where a body block ends and what it holds
// (internal to the library).

#ifndef HTMLMEMDOC_DOCUMENT_BLOCK_SCAN_H_
#define HTMLMEMDOC_DOCUMENT_BLOCK_SCAN_H_

namespace htmlmemdoc {

// What a block's text holds, as FindNoCase would find it in the block:
// "<img", "<p" and "<embed", each as written, in lower or in upper case.
struct CBlockContents {
  bool image = false;
  bool paragraph = false;
  bool embed = false;
};

// From the "<div" at `block` (in a NUL-terminated text), the end of the
// block: just after the ">" that closes the matching "</div" (each nested
// "<div" takes one "</div", blanks may stand before the ">"), with
// `contents` filled for the text up to there. Returns null with `fault` set
// when there is no matching "</div" (just after the opening "<div") or no
// ">" after it (where the ">" should be).
const char* ScanBlock(const char* block, CBlockContents& contents,
                      const char*& fault);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_DOCUMENT_BLOCK_SCAN_H_
