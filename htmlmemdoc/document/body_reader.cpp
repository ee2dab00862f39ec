// body_reader.cpp: the page body as this library models it, a sequence of
// top-level <div> blocks, each filed as one layer of a kind chosen from
// what the block holds. Only blanks, comments, div blocks and the body end
// tag may stand at the top level. Every search stops at its earliest hit,
// so reading a body costs time in proportion to its length.

#include <cstring>
#include <string>

#include "htmlmemdoc/core/attribute.h"
#include "htmlmemdoc/core/case_forms.h"
#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/document/block_scan.h"
#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/layers/layer_markup.h"
#include "htmlmemdoc/platform/mbcs.h"

using htmlmemdoc::CBlockContents;
using htmlmemdoc::FindNoCase;
using htmlmemdoc::SkipChars;
using htmlmemdoc::SkipToChars;
using htmlmemdoc::StartsWithNoCase;

using htmlmemdoc::kBlanks;

namespace {

// The kind of layer the block's text calls for, into `kind`; 0 when the
// block cannot be checked for an audio embed (its text is empty or longer
// than an element takes).
int LayerKindFor(const char* block, size_t length,
                 const CBlockContents& contents, HtmlLayerKind& kind) {
  if (contents.image) {
    kind = FindNoCase(block, "dynsrc") != nullptr ? HtmlLayerVideo
                                                  : HtmlLayerImage;
    return 1;
  }
  if (contents.paragraph || !contents.embed) {
    kind = contents.paragraph ? HtmlLayerText : HtmlLayerPlain;
    return 1;
  }
  if (length == 0 || length > CHtmlTextBase::kMaxOuterTextLength) return 0;
  char type[1024];  // what GetAttribute into a CString reads through
  kind =
      htmlmemdoc::GetAttributeOf(block, "embed", "type", type, sizeof type) &&
              htmlmemdoc::FindText(type, "audio") != nullptr
          ? HtmlLayerLiveAudio
          : HtmlLayerEmbed;
  return 1;
}

}  // namespace

// Passes over blanks and comments, recording each comment; a comment ends
// at its first ">". Returns 0, with `p` on the end of the text, for a
// comment without ">".
int CHtmlMemDoc::SkipBlanksAndComments(const char*& p) {
  static const htmlmemdoc::CCaseForms kComment("<!--");
  SkipChars(p, kBlanks);
  while (kComment.MatchesAt(p, p)) {
    const char* comment = p;
    SkipToChars(p, ">");
    if (*p == '\0') return Refuse(HtmlReadMissingEndTag);
    ++p;
    Record(HtmlReadComment, comment, p);
    SkipChars(p, kBlanks);
  }
  return 1;
}

// Files the layer, read from [begin, end), in the list of its kind.
// The list a layer of `kind` joins.
CHtmlTextList& CHtmlMemDoc::LayerListOf(HtmlLayerKind kind) {
  switch (kind) {
    case HtmlLayerVideo:
      return m_videoLayerList;
    case HtmlLayerImage:
      return m_imageLayerList;
    case HtmlLayerText:
      return m_textLayerList;
    case HtmlLayerEmbed:
    case HtmlLayerLiveAudio:
      return m_embedLayerList;
    default:
      return m_layerList;
  }
}

// Reads the block at `p` (on its "<div") into a layer; on success `p`
// stands after the block, on failure `cursor` is the fault. `scratch`
// holds the block's text while the layer is made, reused from block to
// block. A layer the observer declines from its markup is not made.
int CHtmlMemDoc::ReadLayerBlock(const char*& p, const char*& cursor,
                                std::string& scratch) {
  CBlockContents contents;
  const char* end = htmlmemdoc::ScanBlock(p, contents, cursor);
  if (end == nullptr) {
    // No matching "</div" leaves the fault on the block's name, a "</div"
    // not followed by ">" on what stands there instead.
    return Refuse(cursor == p + 4 ? HtmlReadMissingEndTag
                                  : HtmlReadUnclosedTag);
  }
  scratch.assign(p, end);
  const char* begin = p;
  p = end;
  const char* block = scratch.c_str();
  HtmlLayerKind kind = HtmlLayerPlain;
  const int known = LayerKindFor(block, scratch.size(), contents, kind);
  CHtmlTextList& list = LayerListOf(kind);
  // An observer is asked only of a layer that would be made.
  const bool asked = known && m_pObserver != nullptr &&
                     htmlmemdoc::InitTakes(kind, block, scratch.size());
  if (asked && !m_pObserver->LayerMarkupRead(list, block, scratch.size())) {
    Record(HtmlReadElement, begin, end, nullptr);
    return 1;
  }
  CHtmlLayer* layer = known ? htmlmemdoc::NewLayerOf(kind) : nullptr;
  if (layer == nullptr || !layer->Init(block)) {
    delete layer;
    cursor = p;
    return Refuse(scratch.size() > CHtmlTextBase::kMaxOuterTextLength
                      ? HtmlReadTooLong
                      : HtmlReadRefusedLayer);
  }
  FileElement(list, layer, begin, end);
  return 1;
}

// The first "<div" (any letter case) at or after `p`, or null. A search
// that already passed `p` answers again when its hit lies at or after `p`.
const char* CHtmlMemDoc::FindDivFrom(const char* p) {
  const bool known = m_pDivSearchStart != nullptr && m_pDivSearchStart <= p &&
                     (m_pDivFound == nullptr || m_pDivFound >= p);
  if (!known) {
    m_pDivSearchStart = p;
    m_pDivFound = FindNoCase(p, "<div");
  }
  return m_pDivFound;
}

int CHtmlMemDoc::ParseBodyContent(const char* elementStart,
                                  const char*& cursor) {
  static const htmlmemdoc::CCaseForms kDiv("<div");
  const char* p = elementStart;
  std::string scratch;
  for (;;) {
    if (!SkipBlanksAndComments(p)) {
      cursor = p;
      return 0;
    }
    if (!kDiv.MatchesAt(p, p)) break;
    if (!ReadLayerBlock(p, cursor, scratch)) return 0;
    if (*p == '\0') {
      cursor = p;
      return 1;
    }
  }
  // Anything but the body's end: text, another tag with a div later on, or
  // the end of the text.
  if (*p != '<' || FindDivFrom(p) != nullptr) {
    cursor = p;
    return Refuse(HtmlReadBodyContent);
  }
  if (StartsWithNoCase(p, "</body")) {
    const char* tagStart = p;
    p += 6;
    SkipChars(p, kBlanks);
    if (*p != '>') {
      cursor = p;
      return Refuse(HtmlReadUnclosedTag);
    }
    ++p;
    Record(HtmlReadTag, tagStart, p);
  }
  cursor = p;
  return 1;
}
