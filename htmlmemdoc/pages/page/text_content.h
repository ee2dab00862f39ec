// text_content.h: a text layer's text and content as the services layer
// reads and writes them, beside the library's own rule (which it leaves
// unchanged). The library takes a layer's text after its text tag when a
// blank or an attribute follows the tag's name; these functions also take
// the text after a text tag written bare ("<p>Text</p>"). A layer's
// content is everything inside the first element of its div, the
// paragraph a person writes in: text with bold, italic, line breaks and
// fonts, written in the page's own markup.

#ifndef HTMLMEMDOC_PAGES_PAGE_TEXT_CONTENT_H_
#define HTMLMEMDOC_PAGES_PAGE_TEXT_CONTENT_H_

#include <string>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

// The stretch [begin, end) of `markup` holding the text after the first
// start tag of `tag` written bare ("<p>", any letter case), up to the next
// "<"; false when there is no such tag.
bool BareTextStretch(const std::string& markup, const std::string& tag,
                     size_t& begin, size_t& end);

// The layer's text: the library's, or the text after its bare text tag;
// false when it has neither.
bool LayerText(const CHtmlTextLayer& layer, std::string& text);

// The font families of the text tag's style, ", " between them ("" when
// it names none).
std::string FontFamilies(const CHtmlTextLayer& layer);

// The stretch [begin, end) of a layer's `markup` inside the first element
// of its div: from after that element's start tag to its matching end
// tag; false when the div holds no element, or it does not end.
bool ContentStretch(const std::string& markup, size_t& begin, size_t& end);

// The layer's content (ContentStretch); false when it has none.
bool LayerContent(const CHtmlLayer& layer, std::string& content);

// "" when `content` is one a layer's content may become: text and
// character references, with <b>, <i>, <font ...> (face, size, color
// and a style of the font and its colour) and their end tags,
// each element closed in order, and <br>; else why not.
// A start tag found byte for byte in `current` (the layer's content as it
// stands) passes with whatever attributes it has.
std::string ContentRefusal(const std::string& content,
                           const std::string& current = "");

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_TEXT_CONTENT_H_
