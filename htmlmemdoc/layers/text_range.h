// text_range.h: where a text layer's text content lies (internal to the
// library).

#ifndef HTMLMEMDOC_LAYERS_TEXT_RANGE_H_
#define HTMLMEMDOC_LAYERS_TEXT_RANGE_H_

namespace htmlmemdoc {

// Finds the content of the first start tag named `tagName` (ASCII case
// ignored) in `text`: the bytes from just after the ">" that closes that
// start tag up to the next "<" (or the end). The name must end at a blank
// or a "<": "<p align=x>Hi" and "<b><p align=x>Hi" match "p", "<p>Hi" does
// not. Returns
// 1 with byte offsets [start, end); an empty content is an empty range.
// Fails when no tag matches, when the start tag is not closed, and when
// nothing follows its ">".
int FindTagRange(const char* text, const char* tagName, int& start, int& end);

// The name of the tag that directly encloses the text of a layer's markup
// (see CHtmlTextLayer), or 0 when the markup has no ">" to start from or
// no name follows the "<" found.
int FindTextTag(const char* markup, const char*& name, int& length);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_LAYERS_TEXT_RANGE_H_
