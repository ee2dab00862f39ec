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
  if (text == nullptr) return 0;
  const char* cursor = text;
  SkipChars(cursor, kBlanks);
  if (!StartsWithNoCase(cursor, "<html>")) return 0;
  cursor += 6;
  for (;;) {
    SkipToChars(cursor, "<");
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
  if (!file.Open(path, CFile::modeRead)) return 0;
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
    if (htmlmemdoc::EqualNoCase(name, length, entry.name,
                                std::strlen(entry.name))) {
      return entry.reader == nullptr ||
             (this->*entry.reader)(elementStart, cursor);
    }
  }
  return 0;  // a tag the page's top level does not hold
}

// The body start tag, then the body's content.
int CHtmlMemDoc::ReadBody(const char* elementStart, const char*& cursor) {
  if (!ParseBodyElement(elementStart, cursor)) return 0;
  return ParseBodyContent(cursor, cursor);
}

// "</head", "</noframes" or "</html", blanks, then ">".
int CHtmlMemDoc::ReadClosingTag(const char*& cursor) {
  static const char* const kClosingTags[] = {"</head", "</noframes", "</html"};
  for (const char* tag : kClosingTags) {
    if (!StartsWithNoCase(cursor, tag)) continue;
    cursor += std::strlen(tag);
    SkipChars(cursor, kBlanks);
    if (*cursor != '>') return 0;
    ++cursor;
    return 1;
  }
  return 0;
}

void CHtmlMemDoc::ReportErrorAt(const char* text, const char* cursor) const {
  int line = 1;
  int column = 1;
  for (const char* p = text; p <= cursor; ++p) {
    htmlmemdoc::AdvanceLineColumn(*p, line, column, m_nTabWidth);
  }
  htmlmemdoc::ReportSyntaxError(line, column);
}
