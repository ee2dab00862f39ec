// attribute.h: the attribute syntax of start tags (internal to the
// library), shared by GetAttribute and SetAttribute.
//
// A start tag is found with FindNoCase("<" + tag). From its "<" the text is
// cut into tokens at separator bytes; quoted values are not special, so the
// words of a quoted value are tokens too. The first token equal to the
// attribute name (ASCII case ignored) is the only candidate; a token that
// holds ">" before it means the tag ended without the attribute.

#ifndef HTMLMEMDOC_CORE_ATTRIBUTE_H_
#define HTMLMEMDOC_CORE_ATTRIBUTE_H_

#include "htmlmemdoc/platform/byte_set.h"

namespace htmlmemdoc {

// Token separators: GetAttribute's set, and SetAttribute's, which adds the
// form feed.
extern const char* const kGetAttributeSeparators;
extern const char* const kSetAttributeSeparators;
extern const CByteSet kGetAttributeSeparatorSet;
extern const CByteSet kSetAttributeSeparatorSet;

enum AttributeSearch {
  kAttributeNoTag,    // no start tag of that name
  kAttributeFound,    // name token found: nameBegin / nameEnd are set
  kAttributeAbsent,   // the tag ended first: insertAt is its ">"
  kAttributeNoTagEnd  // the tokens ran out before either
};

struct CAttributeSpot {
  const char* tagBegin = nullptr;   // the "<" of the start tag
  const char* nameBegin = nullptr;  // the matched name token
  const char* nameEnd = nullptr;
  const char* insertAt = nullptr;  // the ">" that ends the start tag
};

AttributeSearch LocateAttribute(const char* text, const char* tag,
                                const char* attr, const CByteSet& separators,
                                CAttributeSpot& spot);

// 1 when an odd number of double quotes stands between `tagBegin` and
// `position`, that is, `position` lies inside a quoted value.
int IsInsideQuotes(const char* tagBegin, const char* position);

struct CAttributeValue {
  const char* begin = nullptr;  // the value's bytes
  const char* end = nullptr;
  const char* after = nullptr;  // just after the old value, quote included
  int quoted = 0;
  int closed = 0;  // a quoted value has its closing quote
};

// Reads the value that follows an attribute name: blanks, "=", blanks, then
// a quoted value up to the next double quote (or the end of the text), or
// an unquoted run outside " \t\r\n=;>\"" after skipping such bytes. Returns
// 0 when no "=" follows the name.
int ReadAttributeValue(const char* afterName, CAttributeValue& value);

// The value of `attr` in the first start tag named `tag`, as GetAttribute
// finds it.
int FindAttributeValue(const char* text, const char* tag, const char* attr,
                       CAttributeSpot& spot, CAttributeValue& value);

// CHtmlTextBase::GetAttribute into a buffer, on any text: the value of
// `attr` in the first start tag named `tag`, delivered only when it fits
// with its NUL; on failure the buffer holds "" (when it has room).
int GetAttributeOf(const char* text, const char* tag, const char* attr,
                   char* buffer, int bufferSize);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_CORE_ATTRIBUTE_H_
