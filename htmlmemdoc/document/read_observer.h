// read_observer.h: CHtmlReadObserver, told of each element a read files in
// one of the document's lists. A host that only looks at a page's
// elements (to compare, count or index them) can so read a large page
// without keeping what it has looked at.

#ifndef HTMLMEMDOC_DOCUMENT_READ_OBSERVER_H_
#define HTMLMEMDOC_DOCUMENT_READ_OBSERVER_H_

#include <cstddef>

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/document/text_list.h"
#include "htmlmemdoc/export.h"

class HTMLMEMDOC_EXPORT CHtmlReadObserver {
 public:
  virtual ~CHtmlReadObserver();

  // `element` has been read and is about to join `list`, one of the
  // document's element lists (metas, style rules, scripts, layers), in
  // page order. Return nonzero to let it; 0 to have the document destroy
  // it at once (its read record item then names no object). Single
  // elements (title, body, sound, frameset) are always kept and not told.
  virtual int ElementRead(const CHtmlTextList& list,
                          const CHtmlTextBase& element) = 0;

  // Asked first of each layer a read takes, with the list it is about to
  // join and its markup (`length` bytes, NUL-terminated, valid for the
  // call). Return 0 to decline it before its object is made (recorded as
  // one ElementRead declined), nonzero to have it made and then told to
  // ElementRead. The reading's result is the same either way. By default
  // every layer is made.
  virtual int LayerMarkupRead(const CHtmlTextList& list, const char* markup,
                              size_t length);
};

#endif  // HTMLMEMDOC_DOCUMENT_READ_OBSERVER_H_
