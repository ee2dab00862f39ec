// frames.cpp: the frameset and its frames.

#include "htmlmemdoc/elements/frames.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "htmlmemdoc/core/scan.h"

IMPLEMENT_DYNCREATE(CHtmlFrame, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlFrameSet, CHtmlTextBase)

namespace {

const int kDimensionBuffer = 16;

// Reads a dimension such as "50%": its leading number (0 when there is
// none) and its unit, `defaultUnit` when the text names none.
void ParseDimension(const char* text, int& value, HtmlUnit& unit,
                    HtmlUnit defaultUnit) {
  value = 0;
  unit = defaultUnit;
  if (text == nullptr) return;
  htmlmemdoc::ScanLeadingInt(text, value);
  if (htmlmemdoc::FindNoCase(text, "px") != nullptr) {
    unit = HtmlUnitPixel;
  } else if (std::strchr(text, '%') != nullptr) {
    unit = HtmlUnitPercent;
  } else if (std::strchr(text, '*') != nullptr) {
    unit = HtmlUnitRelative;
  }
}

}  // namespace

int CHtmlFrame::GetID(CString& id) const {
  return GetAttribute("frame", "id", id);
}
int CHtmlFrame::GetID(char* buffer, int bufferSize) const {
  return GetAttribute("frame", "id", buffer, bufferSize);
}
int CHtmlFrame::GetName(CString& name) const {
  return GetAttribute("frame", "name", name);
}
int CHtmlFrame::GetName(char* buffer, int bufferSize) const {
  return GetAttribute("frame", "name", buffer, bufferSize);
}
int CHtmlFrame::GetSrc(CString& src) const {
  return GetAttribute("frame", "src", src);
}
int CHtmlFrame::GetSrc(char* buffer, int bufferSize) const {
  return GetAttribute("frame", "src", buffer, bufferSize);
}
int CHtmlFrame::SetSrc(const char* src) {
  return SetAttribute("frame", "src", src);
}
int CHtmlFrame::SetSrc(CString& src) {
  return SetSrc(static_cast<const char*>(src));
}

int CHtmlFrame::GetWidth(int& value, HtmlUnit& unit) const {
  return GetDimension("width", value, unit);
}
int CHtmlFrame::GetHeight(int& value, HtmlUnit& unit) const {
  return GetDimension("height", value, unit);
}
int CHtmlFrame::SetWidth(int value) { return SetDimension("width", value); }
int CHtmlFrame::SetHeight(int value) { return SetDimension("height", value); }

int CHtmlFrame::GetDimension(const char* attr, int& value,
                             HtmlUnit& unit) const {
  char buffer[kDimensionBuffer];
  if (!GetAttribute("frame", attr, buffer, sizeof buffer)) return 0;
  ParseDimension(buffer, value, unit, HtmlUnitPixel);
  return 1;
}

// The new number followed by the old value's text after its leading digits
// (its unit), built in a 16-byte buffer that the result must fit.
int CHtmlFrame::SetDimension(const char* attr, int value) {
  char old[kDimensionBuffer];
  if (!GetAttribute("frame", attr, old, sizeof old)) return 0;
  const char* suffix = old + std::strspn(old, "0123456789");
  char buffer[kDimensionBuffer];
  const int length =
      std::snprintf(buffer, sizeof buffer, "%d%s", value, suffix);
  if (length < 0 || length >= kDimensionBuffer) return 0;
  return SetAttribute("frame", attr, buffer);
}

CHtmlFrameSet::CHtmlFrameSet() : m_frameList(10) {}

CHtmlFrameSet::~CHtmlFrameSet() { DeleteFrames(); }

void CHtmlFrameSet::DeleteFrames() {
  while (!m_frameList.IsEmpty()) delete m_frameList.RemoveHead();
}

int CHtmlFrameSet::Init(const char* text) {
  if (text == nullptr) text = "";
  const char* scan = nullptr;
  const char* start = htmlmemdoc::FindNoCase(text, "<frameset");
  if (start != nullptr) {
    const char* close = start;
    htmlmemdoc::SkipToChars(close, ">");
    const char* tagEnd = *close == '>' ? close + 1 : close;
    ReplaceText(start, static_cast<size_t>(tagEnd - start));
    if (*close == '>' && close[1] != '\0') scan = close + 1;
  }
  DeleteFrames();
  while (scan != nullptr) {
    const char* tag = htmlmemdoc::FindNoCase(scan, "<frame");
    if (tag == nullptr) break;
    const char* close = tag;
    htmlmemdoc::SkipToChars(close, ">");
    scan = *close == '>' ? close + 1 : close;
    const CString tagText(tag, static_cast<int>(scan - tag));
    CHtmlFrame* frame = new CHtmlFrame;
    if (frame->Init(static_cast<const char*>(tagText))) {
      m_frameList.AddTail(frame);
    } else {
      delete frame;
    }
  }
  return 1;
}

int CHtmlFrameSet::GetID(CString& id) const {
  return GetAttribute("frameset", "id", id);
}
int CHtmlFrameSet::GetID(char* buffer, int bufferSize) const {
  return GetAttribute("frameset", "id", buffer, bufferSize);
}
int CHtmlFrameSet::GetName(CString& name) const {
  return GetAttribute("frameset", "name", name);
}
int CHtmlFrameSet::GetName(char* buffer, int bufferSize) const {
  return GetAttribute("frameset", "name", buffer, bufferSize);
}

CHtmlFrame* CHtmlFrameSet::GetAt(int index) const {
  return static_cast<CHtmlFrame*>(
      m_frameList.GetAt(m_frameList.FindIndex(index)));
}

int CHtmlFrameSet::RenderOutputString(CString& out) const {
  CString text;
  if (!WriteBlock([&text](const char* piece, size_t length) {
        text.Append(piece, static_cast<int>(length));
      })) {
    return 0;
  }
  out = std::move(text);
  return 1;
}
