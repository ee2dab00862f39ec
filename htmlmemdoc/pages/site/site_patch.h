// site_patch.h: a page changed only where some of its reference values
// stand: the file's own bytes with those values replaced, its line ends,
// layout and everything else kept byte for byte, and checked before it is
// written: the changed bytes read, they hold the same references with the
// new values, and the library reads them exactly as it reads the page
// with the values changed in its elements.

#ifndef HTMLMEMDOC_PAGES_SITE_SITE_PATCH_H_
#define HTMLMEMDOC_PAGES_SITE_SITE_PATCH_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_references.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

// An element of a document and where its markup begins in the page text.
// `element` is the read record's own pointer to it.
struct PlacedElement {
  CHtmlTextBase* element;
  size_t at;
};
using Placements = std::unordered_map<const CHtmlTextBase*, PlacedElement>;

// Where each element's markup begins in `text` (the page text `document`
// was read from; a frame's inside its frameset's), for the elements whose
// markup stands there as the library keeps it.
Placements PlaceElements(const CHtmlMemDoc& document, const std::string& text);

// A stretch [begin, end) of a page text and what takes its place.
struct TextSplice {
  size_t begin, end;
  std::string text;
};

// `bytes`, the file the page text `text` was read from, with each splice
// made where its stretch stands in the file (the text drops a carriage
// return before each line feed), into `out`. The splices are in
// increasing order and do not overlap; false when one's stretch is not in
// the file as it is in the text.
bool SpliceBytes(const std::string& bytes, const std::string& text,
                 const std::vector<TextSplice>& splices, std::string& out);

// A reference's new value: `reference` indexes FindReferences's list; the
// value replaces the reference's value without its blanks at both ends.
struct ValueChange {
  size_t reference;
  std::string value;
};

struct PatchedPage {
  std::string bytes;  // the file as it would be written
  // Why it must not be written (not-in-place, not-exact, no-read-back);
  // none when it may be.
  Refusal refusal;
};

// Patches `bytes`, the file `page` (with `document` and `references`) was
// read from. `document` is changed in memory as the check needs (the
// caller reads it no more); `changes` are in any order, one a reference.
PatchedPage PatchPage(const std::string& bytes, const PageFile& page,
                      CHtmlMemDoc& document,
                      const std::vector<PageReference>& references,
                      const std::vector<ValueChange>& changes);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_SITE_PATCH_H_
