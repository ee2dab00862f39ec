// head_readers.cpp: the readers of the head elements, the body start tag
// and the frameset. Each checks that its tag opens at the element start
// (as written, all lower or all upper case), finds where the element ends,
// hands the element's markup to an element object and moves the loop's
// cursor past it. They accept exactly the shapes below, not HTML in
// general; where a tag may carry blanks or attributes before its ">", the
// reader passes over them to the ">" and never stalls.

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/mbcs.h"

using htmlmemdoc::FindNoCase;
using htmlmemdoc::SkipChars;
using htmlmemdoc::SkipToChars;
using htmlmemdoc::StartsWithNoCase;

using htmlmemdoc::kBlanks;

namespace {

const char kBlanksOrClose[] = " \t\r\n>";

CString Range(const char* begin, const char* end) {
  return CString(begin, static_cast<int>(end - begin));
}

// A start tag without content, such as <meta ...>: from after the tag name
// to the first ">" (a "<" or the end first is a fault there). On success
// `markup` holds the tag and `cursor` stands after its ">".
int ReadStartTag(const char* elementStart, const char* tag, const char*& cursor,
                 CString& markup) {
  const char* p = elementStart + std::strlen(tag);
  SkipToChars(p, "><");
  if (*p != '>') {
    cursor = p;
    return 0;
  }
  markup = Range(elementStart, p + 1);
  cursor = p + 1;
  return 1;
}

// 1 when the text, lower-cased, names the page script file.
int IsPageScriptFile(const CString& markup) {
  CString lower(markup);
  lower.MakeLower();
  return lower.Find("plumeta.js") >= 0;
}

}  // namespace

int CHtmlMemDoc::ParseMetaElement(const char* elementStart,
                                  const char*& cursor) {
  CString markup;
  if (!StartsWithNoCase(elementStart, "<meta")) {
    return Refuse(HtmlReadMixedCase);
  }
  if (!ReadStartTag(elementStart, "<meta", cursor, markup)) {
    return Refuse(HtmlReadUnclosedTag);
  }
  CHtmlMeta* meta = new CHtmlMeta;
  if (!meta->Init(static_cast<const char*>(markup))) {
    delete meta;
    return Refuse(HtmlReadTooLong);
  }
  FileElement(m_metaList, meta, elementStart, cursor);
  return 1;
}

// A start tag that fills one of the single elements: the sound or the
// body start tag.
int CHtmlMemDoc::ReadSingleTag(const char* elementStart, const char* tag,
                               CHtmlTextBase& element, const char*& cursor) {
  CString markup;
  if (!StartsWithNoCase(elementStart, tag)) return Refuse(HtmlReadMixedCase);
  if (!ReadStartTag(elementStart, tag, cursor, markup)) {
    return Refuse(HtmlReadUnclosedTag);
  }
  if (!element.Init(static_cast<const char*>(markup))) {
    return Refuse(HtmlReadTooLong);
  }
  RecordSingle(element, elementStart, cursor);
  return 1;
}

int CHtmlMemDoc::ParseBgSoundElement(const char* elementStart,
                                     const char*& cursor) {
  return ReadSingleTag(elementStart, "<bgsound", m_bgSound, cursor);
}

int CHtmlMemDoc::ParseBodyElement(const char* elementStart,
                                  const char*& cursor) {
  return ReadSingleTag(elementStart, "<body", m_body, cursor);
}

namespace {

// From just after "<title": where the title's content begins, or null with
// `fault` set when the start tag does not close.
const char* TitleContentStart(const char* p, const char*& fault) {
  const char* stop = p;
  SkipToChars(stop, kBlanksOrClose);
  if (stop - p > 1 || *stop == '\0') {
    fault = stop;
    return nullptr;
  }
  if (*stop != '>') SkipToChars(stop, ">");  // blanks or attributes
  if (*stop == '\0') {
    fault = stop;
    return nullptr;
  }
  return stop + 1;
}

// Where the title element stops, given the first "<" (or the end) after
// its content: the ">" of "</title" normally, that "<" when it opens
// something else.
const char* TitleStop(const char* lt) {
  if (*lt != '<' || lt[1] != '/' || !StartsWithNoCase(lt + 2, "title")) {
    return lt;
  }
  const char* letter = lt + 6;  // the name's last letter
  const char* stop = letter;
  SkipToChars(stop, kBlanksOrClose);
  if (stop - letter == 1 && *stop != '>') SkipToChars(stop, ">");
  return stop;
}

}  // namespace

int CHtmlMemDoc::ParseTitleElement(const char* elementStart,
                                   const char*& cursor) {
  if (!StartsWithNoCase(elementStart, "<title")) {
    return Refuse(HtmlReadMixedCase);
  }
  const char* content = TitleContentStart(elementStart + 6, cursor);
  if (content == nullptr) return Refuse(HtmlReadUnclosedTag);
  const char* lt = content;
  SkipToChars(lt, "<");
  const char* stop = TitleStop(lt);
  const char* end = *stop != '\0' ? stop + 1 : stop;
  cursor = end;
  if (!m_title.Init(static_cast<const char*>(Range(elementStart, end)))) {
    return Refuse(HtmlReadTooLong);
  }
  RecordSingle(m_title, elementStart, end);
  return 1;
}

// Reads the rules of a style block up to its end tag, one CHtmlStyle per
// rule. A rule its Init refuses marks the block failed, but the rules
// after it are still read.
int CHtmlMemDoc::ParseStyleElement(const char* elementStart,
                                   const char*& cursor) {
  if (!StartsWithNoCase(elementStart, "<style")) {
    return Refuse(HtmlReadMixedCase);
  }
  const char* p = elementStart + 6;
  SkipToChars(p, ">");  // over blanks and attributes
  if (*p != '>') {
    cursor = p;
    return Refuse(HtmlReadUnclosedTag);
  }
  ++p;
  Record(HtmlReadTag, elementStart, p);
  SkipChars(p, kBlanks);
  if (StartsWithNoCase(p, "<!--")) p += 4;
  SkipChars(p, kBlanks);
  if (*p == '\0') {
    cursor = p;
    return Refuse(HtmlReadMissingEndTag);
  }
  int ok = 1;
  while (*p != '<') {
    const char* rule = p;
    SkipToChars(p, "{<");
    if (*p != '{') {
      RecordStyleGap(rule, p);
    } else {
      SkipToChars(p, "<}");
      if (*p != '}') {
        cursor = p;
        return Refuse(*p == '\0' ? HtmlReadMissingEndTag : HtmlReadRefusedRule);
      }
      ++p;
      ok = ReadRule(rule, p) && ok;
      SkipChars(p, kBlanks);
    }
    if (*p == '\0') {
      cursor = p;
      return ok || Refuse(HtmlReadRefusedRule);
    }
  }
  if (!ReadStyleEndTag(p, cursor)) return 0;
  return ok || Refuse(HtmlReadRefusedRule);
}

// One rule of a style block, [begin, end); 0 when CHtmlStyle refuses it.
int CHtmlMemDoc::ReadRule(const char* begin, const char* end) {
  CHtmlStyle* style = new CHtmlStyle;
  if (!style->Init(static_cast<const char*>(Range(begin, end)))) {
    delete style;
    return 0;
  }
  FileElement(m_styleList, style, begin, end);
  return 1;
}

// Text between a style block's rules that is not a rule: the closing "-->"
// of the comment around the rules belongs to the block; anything else is
// passed over.
void CHtmlMemDoc::RecordStyleGap(const char* begin, const char* end) {
  const char* p = begin;
  if (StartsWithNoCase(p, "-->")) p += 3;
  RecordText(p, end);
}

// "</style" at `p`, then ">" (blanks before it are passed over); one
// further letter is tolerated, more fail.
int CHtmlMemDoc::ReadStyleEndTag(const char* p, const char*& cursor) {
  if (!StartsWithNoCase(p, "</style")) {
    cursor = p;
    return Refuse(HtmlReadUnknownTag);
  }
  const char* tagStart = p;
  p += 7;
  const char* stop = p;
  SkipToChars(stop, kBlanksOrClose);
  if (stop - p > 1) {
    cursor = *stop == '>' ? stop + 1 : stop;
    return Refuse(HtmlReadUnknownTag);
  }
  if (*stop != '>') SkipToChars(stop, ">");
  cursor = *stop == '>' ? stop + 1 : stop;
  Record(HtmlReadTag, tagStart, cursor);
  return 1;
}

// A script element runs to the ">" of the first "</script". The page
// script file "plumeta.js" is not kept. A script without an end tag fails
// with the cursor left on its start tag.
int CHtmlMemDoc::ParseScriptElement(const char* elementStart,
                                    const char*& cursor) {
  if (!StartsWithNoCase(elementStart, "<script")) {
    return Refuse(HtmlReadMixedCase);
  }
  const char* endTag = FindNoCase(elementStart + 7, "</script");
  if (endTag == nullptr) return Refuse(HtmlReadMissingEndTag);
  const char* p = endTag + 8;
  SkipChars(p, kBlanks);
  if (*p != '>') {
    cursor = p;
    return Refuse(HtmlReadUnclosedTag);
  }
  cursor = p + 1;
  const CString markup = Range(elementStart, p + 1);
  if (IsPageScriptFile(markup)) {
    Record(HtmlReadDropped, elementStart, cursor);
    return 1;
  }
  CHtmlScript* script = new CHtmlScript;
  if (!script->Init(static_cast<const char*>(markup))) {
    delete script;
    return Refuse(HtmlReadTooLong);
  }
  FileElement(m_scriptList, script, elementStart, cursor);
  return 1;
}

// The frameset block runs from the first "<frameset" at or after the
// element start to the ">" after the first "</frameset" (or to the end).
int CHtmlMemDoc::ParseFrameSetElement(const char* elementStart,
                                      const char*& cursor) {
  const char* start = FindNoCase(elementStart, "<frameset");
  if (start == nullptr) return Refuse(HtmlReadUnknownTag);
  const char* endTag = FindNoCase(start + 9, "</frameset");
  if (endTag == nullptr) return Refuse(HtmlReadMissingEndTag);
  const char* p = endTag + 10;
  SkipToChars(p, ">");
  const char* end = *p == '>' ? p + 1 : p;
  cursor = end;
  if (!m_frameSet.Init(static_cast<const char*>(Range(start, end)))) return 0;
  RecordSingle(m_frameSet, start, end);
  return 1;
}
