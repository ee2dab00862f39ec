// canonical_style.h: one property changed in a style attribute that is
// already in the bare form a rendering writes, without reading it into
// fields (internal to the library).

#ifndef HTMLMEMDOC_STYLE_CANONICAL_STYLE_H_
#define HTMLMEMDOC_STYLE_CANONICAL_STYLE_H_

#include "htmlmemdoc/style/style_fields.h"

namespace htmlmemdoc {

// Where the declaration of a field stands in a canonical text.
struct CCanonicalField {
  const char* begin;  // its " name:", or where it would be inserted
  const char* end;    // behind its ';'; equal to begin when it is absent
  const char* value;  // the value, which ends at end - 1; null when absent
};

// 1 when `text` is a bare rendering that reads back to itself, with the
// spot of `field` (a rendered field other than the border); 0 for any
// other text.
int FindCanonicalField(const char* text, StyleField field,
                       CCanonicalField& spot);

// When `text` is a bare rendering that reads back to itself ("font-family:
// Arial; font-size:12pt; left:3px;"), writes into `out` that text with the
// declaration of `field` (a rendered field other than the border) set to
// the non-empty `value`, or inserted where the rendering order puts it,
// and returns 1: the bytes reading, changing and rendering would give.
// Returns 0, writing nothing, for any other text. `out` holds
// CInlineStyle::kMaxRendering + 1 bytes; `text` at most kMaxText bytes and
// `value` at most 23.
int EditCanonicalStyle(const char* text, StyleField field, const char* value,
                       char* out);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_STYLE_CANONICAL_STYLE_H_
