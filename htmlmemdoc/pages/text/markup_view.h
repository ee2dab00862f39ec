// markup_view.h: an element's markup seen as a browser tokenizes it, for
// checking that a change touched only what it meant to. The library's
// attribute engine takes the first word after "=" as an unquoted value and
// knows only double quotes; a browser also reads single-quoted values and
// ends an unquoted one at a blank. Where the two part ways, a change the
// engine makes can leave the rest of a value behind as new attributes;
// comparing the browser's view before and after shows it.

#ifndef HTMLMEMDOC_PAGES_TEXT_MARKUP_VIEW_H_
#define HTMLMEMDOC_PAGES_TEXT_MARKUP_VIEW_H_

#include <string>
#include <utility>
#include <vector>

namespace htmlmemdoc {

struct MarkupToken {
  enum Kind { kText, kTag, kComment } kind = kText;
  std::string raw;   // the token's bytes
  std::string name;  // a tag's name in lower case, "/" first for end tags
  // A tag's attributes in order: lower-case name, value as a browser reads
  // it, and the quote it stood in ('"', '\'' or 0 for none).
  struct Attribute {
    std::string name;
    std::string value;
    char quote = 0;
    size_t valueAt = std::string::npos;  // where the value starts in the
                                         // markup; npos when it has none
  };
  std::vector<Attribute> attributes;
};

std::vector<MarkupToken> ViewMarkup(const std::string& markup);

// Whether an attribute (its lower-case name) is one a caller wants.
using AttributeFilter = bool (*)(const std::string& name);

// The start and end tags of ViewMarkup's view alone, without their raw
// bytes, each with those of its attributes `wanted` takes: what a caller
// that looks at some attributes of every element needs, made without
// copying the rest.
std::vector<MarkupToken> ViewTags(const std::string& markup,
                                  AttributeFilter wanted);
// The same into `tokens`, whose earlier tokens lend their room: a caller
// that views many elements allocates once for them all.
void ViewTags(const std::string& markup, AttributeFilter wanted,
              std::vector<MarkupToken>& tokens);

// The index of the first start tag named `name` (lower case), or -1.
int FindTag(const std::vector<MarkupToken>& tokens, const std::string& name);

// The attribute `name` (lower case) of `tag`, or null.
const MarkupToken::Attribute* FindAttribute(const MarkupToken& tag,
                                            const std::string& name);

// Compares the views of `before` and `after` of one element whose only
// change may be attribute `attribute` of the first start tag named `tag`
// (added when it was missing). Returns "" when nothing else differs, else
// what did, in a phrase: "the div tag's id would change".
std::string OtherChange(const std::string& before, const std::string& after,
                        const std::string& tag, const std::string& attribute);

// Whether a browser sees `before` and `after` alike: the same tokens, each
// tag with the same attributes but for the order and spelling of its
// style's declarations.
bool SeenAlike(const std::string& before, const std::string& after);

// The same for a change of the text that follows the first start tag
// named `tag`.
std::string OtherTextChange(const std::string& before, const std::string& after,
                            const std::string& tag);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_TEXT_MARKUP_VIEW_H_
