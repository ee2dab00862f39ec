// body_reader.cpp: the page body as this library models it, a sequence of
// top-level <div> blocks, each filed as one layer of a kind chosen from
// what the block holds. Only blanks, comments, div blocks and the body end
// tag may stand at the top level. Every search stops at its earliest hit,
// so reading a body costs time in proportion to its length.

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

// Passes over blanks and comments; a comment ends at its first ">". Returns
// 0, with `p` on the end of the text, for a comment without ">".
int SkipBlanksAndComments(const char*& p) {
  SkipChars(p, kBlanks);
  while (StartsWithNoCase(p, "<!--")) {
    SkipToChars(p, ">");
    if (*p == '\0') return 0;
    ++p;
    SkipChars(p, kBlanks);
  }
  return 1;
}

// From the "<div" at `block`, the end of the block: just after the ">"
// that closes the matching "</div" (each nested "<div" takes one "</div").
// Returns null with `fault` set when there is none.
const char* MatchingDivEnd(const char* block, const char*& fault) {
  const char* a = block + 4;  // where "</div" is searched from
  const char* b = block + 4;  // where "<div" is searched from
  const char* close;
  for (;;) {
    close = FindNoCase(a, "</div");
    if (close == nullptr) {
      fault = block + 4;
      return nullptr;
    }
    const char* open = FindNoCase(b, "<div");
    if (open == nullptr || open > close) break;
    b = open + 4;
    a = close + 5;
  }
  const char* p = close + 5;
  SkipChars(p, kBlanks);
  if (*p != '>') {
    fault = p;
    return nullptr;
  }
  return p + 1;
}

// A new layer object of the kind the block's text calls for, or null when
// the block cannot be checked for an audio embed.
CHtmlLayer* NewLayerFor(const CString& block) {
  if (FindNoCase(block, "<img") != nullptr) {
    if (FindNoCase(block, "dynsrc") != nullptr) return new CHtmlVideoLayer;
    return new CHtmlImageLayer;
  }
  if (FindNoCase(block, "<p") != nullptr) return new CHtmlTextLayer;
  if (FindNoCase(block, "<embed") == nullptr) return new CHtmlLayer;
  CHtmlTextBase probe;
  if (!probe.Init(static_cast<const char*>(block))) return nullptr;
  CString type;
  if (probe.GetAttribute("embed", "type", type) && type.Find("audio") >= 0) {
    return new CHtmlLiveAudioLayer;
  }
  return new CHtmlEmbedLayer;
}

}  // namespace

// Files the layer in the list of its kind; the document takes it.
void CHtmlMemDoc::FileLayer(CHtmlLayer* layer) {
  CRuntimeClass* kind = layer->GetRuntimeClass();
  if (kind == RUNTIME_CLASS(CHtmlVideoLayer)) {
    m_videoLayerList.AddTail(layer);
  } else if (kind == RUNTIME_CLASS(CHtmlImageLayer)) {
    m_imageLayerList.AddTail(layer);
  } else if (kind == RUNTIME_CLASS(CHtmlTextLayer)) {
    m_textLayerList.AddTail(layer);
  } else if (layer->IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) {
    m_embedLayerList.AddTail(layer);
  } else {
    m_layerList.AddTail(layer);
  }
}

// Reads the block at `p` (on its "<div") into a layer; on success `p`
// stands after the block, on failure `cursor` is the fault.
int CHtmlMemDoc::ReadLayerBlock(const char*& p, const char*& cursor) {
  const char* end = MatchingDivEnd(p, cursor);
  if (end == nullptr) return 0;
  const CString block(p, static_cast<int>(end - p));
  p = end;
  CHtmlLayer* layer = NewLayerFor(block);
  if (layer == nullptr || !layer->Init(static_cast<const char*>(block))) {
    delete layer;
    cursor = p;
    return 0;
  }
  FileLayer(layer);
  return 1;
}

int CHtmlMemDoc::ParseBodyContent(const char* elementStart,
                                  const char*& cursor) {
  const char* p = elementStart;
  for (;;) {
    if (!SkipBlanksAndComments(p)) {
      cursor = p;
      return 0;
    }
    if (!StartsWithNoCase(p, "<div")) break;
    if (!ReadLayerBlock(p, cursor)) return 0;
    if (*p == '\0') {
      cursor = p;
      return 1;
    }
  }
  // Anything but the body's end: text, another tag with a div later on, or
  // the end of the text.
  if (*p != '<' || FindNoCase(p, "<div") != nullptr) {
    cursor = p;
    return 0;
  }
  if (StartsWithNoCase(p, "</body")) {
    p += 6;
    SkipChars(p, kBlanks);
    if (*p != '>') {
      cursor = p;
      return 0;
    }
    ++p;
  }
  cursor = p;
  return 1;
}
