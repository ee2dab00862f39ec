// text_range.cpp: the two scans of a text layer's markup.
//
// FindTextTag descends from the first ">" over every following tag that
// is separated from the previous one only by blanks; the last such tag's
// name is the text tag. FindTagRange cuts the markup at blanks, and before
// every "<" so that a tag glued to the one before it is a token of its own,
// looks for the token "<name" (or "<" followed by the token "name"), and
// takes the content from the ">" that closes that start tag to the next
// "<". Where
// that ">" directly follows the blank after the name ("<p >Hello") or the
// content is empty ("<p></p>"), the range is the one a reader expects: the
// content "Hello", and an empty content just before "</p>", so reading and
// replacing the text agree.

#include "htmlmemdoc/layers/text_range.h"

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

namespace {

size_t Length(const CTextSpan& span) {
  return static_cast<size_t>(span.end - span.begin);
}

// Cuts text into tokens at blanks (which are dropped) and before each "<"
// that does not begin a token.
class CTagTokenizer {
 public:
  explicit CTagTokenizer(const char* text) : m_pNext(text) {}

  int Next(CTextSpan& token) {
    SkipChars(m_pNext, kBlanks);
    if (*m_pNext == '\0') return 0;
    token.begin = m_pNext;
    token.end = m_pNext + 1 + std::strcspn(m_pNext + 1, " \t\r\n<");
    m_pNext = token.end;
    return 1;
  }

  // Where the next token is looked for: just after the blank that ended
  // the last token, or on the "<" that did; null at the end of the text.
  const char* Position() const {
    if (*m_pNext == '\0') return nullptr;
    return *m_pNext == '<' ? m_pNext : m_pNext + 1;
  }

 private:
  const char* m_pNext;
};

}  // namespace

int FindTagRange(const char* text, const char* tagName, int& start, int& end) {
  if (text == nullptr || tagName == nullptr) return 0;
  const size_t nameLength = std::strlen(tagName);
  CTagTokenizer tokens(text);
  CTextSpan token;
  while (tokens.Next(token)) {
    if (*token.begin != '<') continue;
    CTextSpan name = {token.begin + 1, token.end};
    if (Length(name) == 0 && !tokens.Next(name)) return 0;
    if (!EqualNoCase(name.begin, Length(name), tagName, nameLength)) continue;
    const char* after = tokens.Position();
    if (after == nullptr) return 0;  // the text ends inside the tag
    const char* close = std::strchr(after, '>');
    if (close == nullptr || close[1] == '\0') return 0;
    const char* content = close + 1;
    const char* stop = content;
    SkipToChars(stop, "<");
    start = static_cast<int>(content - text);
    end = static_cast<int>(stop - text);
    return 1;
  }
  return 0;
}

// The delimiters of a tag's name.
constexpr CByteSet kNameEnd(" <>\t\r\n");

int FindTextTag(const char* markup, const char*& name, int& length) {
  // ">" is below every code page's trail bytes, so each one found byte by
  // byte stands for itself, as a search by characters would find it.
  const char* close = std::strchr(markup, '>');
  if (close == nullptr) return 0;
  for (;;) {
    const char* next = close + 1;
    SkipChars(next, kBlanks);
    if (*next != '<') break;  // text, or the end, follows this tag
    close = std::strchr(close + 1, '>');
    if (close == nullptr) return 0;
  }
  const char* open = close;
  while (open > markup && *open != '<') --open;
  if (*open != '<') return 0;
  CSpanTokenizer tokens(open);
  CTextSpan token;
  if (!tokens.Next(kNameEnd, token)) return 0;
  name = token.begin;
  length = static_cast<int>(Length(token));
  return 1;
}

}  // namespace htmlmemdoc
