// reading_loop.cpp: the top level of a page. The loop knows only the
// opening "<html>", the names of the elements its readers take, and the
// closing tags of head, noframes and html; text between tags is skipped
// unread. A cursor walks the caller's text, which is never changed. The
// first fault stops the read with a syntax error at the cursor, whose line
// and column count every byte from the start of the text up to and
// including the cursor's own.

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/file.h"
#include "htmlmemdoc/platform/mbcs.h"

using htmlmemdoc::SkipChars;
using htmlmemdoc::SkipToChars;
using htmlmemdoc::StartsWithNoCase;

using htmlmemdoc::kBlanks;

namespace {

const char kTagNameEnd[] = " \n\t\r>";

}  // namespace

int CHtmlMemDoc::ReadFromString(const char* text) {
  StartRecord(text);
  const int ok = ReadPage(text);
  m_pReadText = nullptr;
  return ok;
}

int CHtmlMemDoc::ReadPage(const char* text) {
  if (text == nullptr) return Refuse(HtmlReadNotAPage);
  const char* cursor = text;
  SkipChars(cursor, kBlanks);
  if (!StartsWithNoCase(cursor, "<html>")) {
    LocateFault(text, cursor);
    return Refuse(HtmlReadNotAPage);
  }
  Record(HtmlReadTag, cursor, cursor + 6);
  cursor += 6;
  for (;;) {
    const char* passed = cursor;
    SkipToChars(cursor, "<");
    RecordText(passed, cursor);
    if (*cursor == '\0') return 1;
    if (!ReadTopLevelTag(cursor)) {
      ReportErrorAt(text, cursor);
      return 0;
    }
  }
}

int CHtmlMemDoc::ReadFromString(CString& text) {
  return ReadFromString(static_cast<const char*>(text));
}

int CHtmlMemDoc::ReadFromFile(const char* path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead)) {
    StartRecord(nullptr);
    return Refuse(HtmlReadCannotOpen);
  }
  CString text;
  CString line;
  while (file.ReadString(line)) {
    text += line;
    text += '\n';
  }
  file.Close();
  return ReadFromString(text);
}

// Reads the tag at `cursor` (on its "<") and what belongs to it.
int CHtmlMemDoc::ReadTopLevelTag(const char*& cursor) {
  if (cursor[1] == '/') return ReadClosingTag(cursor);
  struct Entry {
    const char* name;
    ElementReader reader;  // null: the tag is skipped
  };
  static const Entry kEntries[] = {
      {"head", nullptr},
      {"noframes", nullptr},
      {"title", &CHtmlMemDoc::ParseTitleElement},
      {"meta", &CHtmlMemDoc::ParseMetaElement},
      {"style", &CHtmlMemDoc::ParseStyleElement},
      {"script", &CHtmlMemDoc::ParseScriptElement},
      {"bgsound", &CHtmlMemDoc::ParseBgSoundElement},
      {"frameset", &CHtmlMemDoc::ParseFrameSetElement},
      {"body", &CHtmlMemDoc::ReadBody},
  };
  const char* elementStart = cursor;
  SkipToChars(cursor, kTagNameEnd);
  const char* name = elementStart + 1;
  const size_t length = static_cast<size_t>(cursor - name);
  for (const Entry& entry : kEntries) {
    if (!htmlmemdoc::EqualNoCase(name, length, entry.name,
                                 std::strlen(entry.name))) {
      continue;
    }
    if (entry.reader != nullptr) {
      return (this->*entry.reader)(elementStart, cursor);
    }
    PassTag(elementStart, cursor);
    return 1;
  }
  return Refuse(
      HtmlReadUnknownTag);  // a tag the page's top level does not hold
}

// The body start tag, then the body's content.
int CHtmlMemDoc::ReadBody(const char* elementStart, const char*& cursor) {
  if (!ParseBodyElement(elementStart, cursor)) return 0;
  return ParseBodyContent(cursor, cursor);
}

// "</head", "</noframes" or "</html", blanks, then ">".
int CHtmlMemDoc::ReadClosingTag(const char*& cursor) {
  static const char* const kClosingTags[] = {"</head", "</noframes", "</html"};
  const char* tagStart = cursor;
  for (const char* tag : kClosingTags) {
    if (!StartsWithNoCase(cursor, tag)) continue;
    cursor += std::strlen(tag);
    SkipChars(cursor, kBlanks);
    if (*cursor != '>') return Refuse(HtmlReadUnclosedTag);
    ++cursor;
    Record(HtmlReadTag, tagStart, cursor);
    return 1;
  }
  return Refuse(HtmlReadUnknownTag);
}

// Passes over a head or noframes start tag, from its "<" to past its ">";
// the loop would pass over what follows the name up to the next "<"
// anyway, so it goes on where it would have.
void CHtmlMemDoc::PassTag(const char* tagStart, const char*& cursor) {
  SkipToChars(cursor, "<>");
  if (*cursor == '>') ++cursor;
  Record(HtmlReadTag, tagStart, cursor);
}

// Text the loop passes over between tags; blanks alone are not recorded.
void CHtmlMemDoc::RecordText(const char* begin, const char* end) {
  const char* p = begin;
  SkipChars(p, kBlanks);
  if (p < end) Record(HtmlReadText, begin, end);
}

// Notes the fault's place in the read error: its line and column, counting
// every byte up to and including the cursor's own, and its offset.
void CHtmlMemDoc::LocateFault(const char* text, const char* cursor) {
  int line = 1;
  int column = 1;
  for (const char* p = text; p <= cursor; ++p) {
    htmlmemdoc::AdvanceLineColumn(*p, line, column, m_nTabWidth);
  }
  m_readError.line = line;
  m_readError.column = column;
  m_readError.offset = static_cast<long>(cursor - text);
}

void CHtmlMemDoc::ReportErrorAt(const char* text, const char* cursor) {
  LocateFault(text, cursor);
  if (m_readError.reason == HtmlReadOk) m_readError.reason = HtmlReadUnknownTag;
  htmlmemdoc::ReportSyntaxError(m_readError.line, m_readError.column);
}
