// page_references.h: every file reference a page holds, in page order,
// each with the element and the bytes that hold it: what GetAllSrc lists
// (image and embed sources, layers' style background images, the page
// background, the sound, the preloaded images) and what it leaves out (the
// sources of video layers, frames and external scripts, the background of
// every tag, the links of layers). References are read as a browser reads
// the markup, as a browser is what fetches them.

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_REFERENCES_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_REFERENCES_H_

#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

struct PageReference {
  std::string value;      // as the page writes it, or with `decoded`:
  bool decoded = false;   // with its character references read (&quot;)
  std::string element;    // "image layer", "body", "frame", "script", ...
  std::string id;         // the layer's id, when it has one
  std::string tag;        // the tag that holds it: "img", "a", "body", ...
  std::string attribute;  // "src", "href", "background", "style", "onload"
  int line = 0;           // in the page text, and the column of the value's
  int column = 0;         // first byte there (1-based); both 0 when unknown
  // The element that holds it (to tell elements apart; a change to it goes
  // through the document it belongs to), where the value stands in the
  // element's markup (npos when it cannot be placed), and the quote of the
  // attribute that holds it ('"', '\'' or 0 for none).
  const CHtmlTextBase* holder = nullptr;
  size_t at = std::string::npos;
  char quote = 0;
};

// The references of `document`, read from `text`, in page order.
std::vector<PageReference> FindReferences(const CHtmlMemDoc& document,
                                          const std::string& text);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_REFERENCES_H_
