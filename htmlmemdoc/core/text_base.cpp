// text_base.cpp: the element base and its attribute engine. Both attribute
// operations locate the name with LocateAttribute over the stored text
// itself; SetAttribute then builds the new text in one buffer sized for the
// result and swaps it in, so a failed call never touches the element.

#include "htmlmemdoc/core/text_base.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "htmlmemdoc/core/attribute.h"
#include "htmlmemdoc/core/scan.h"

using htmlmemdoc::CAttributeSpot;
using htmlmemdoc::CAttributeValue;

IMPLEMENT_DYNCREATE(CHtmlTextBase, CObject)

namespace {

const int kStringAttributeBuffer = 1024;
const int kNumberAttributeBuffer = 16;

}  // namespace

CHtmlTextBase::CHtmlTextBase() : m_pszOuterText(nullptr), m_nOuterLength(0) {}

CHtmlTextBase::~CHtmlTextBase() { Reset(); }

int CHtmlTextBase::Init(const char* text) {
  const size_t length = text != nullptr ? std::strlen(text) : 0;
  if (length > GetMaxOuterTextLength()) return 0;
  ReplaceText(text != nullptr ? text : "", length);
  return length > 0;
}

int CHtmlTextBase::Init(CString& text) {
  return Init(static_cast<const char*>(text));
}

int CHtmlTextBase::WriteToFile(CStdioFile* file) {
  if (m_pszOuterText == nullptr || file == nullptr || !file->IsOpen()) {
    return 0;
  }
  try {
    file->WriteString(m_pszOuterText);
  } catch (CFileException* error) {
    error->ReportError();
    error->Delete();
    return 0;
  }
  return 1;
}

unsigned int CHtmlTextBase::GetMaxOuterTextLength() const {
  return kMaxOuterTextLength;
}

void CHtmlTextBase::Reset() { Adopt(nullptr, 0); }

size_t CHtmlTextBase::GetOuterTextLength() const {
  if (m_pszOuterText == nullptr) return 0;
  return m_nOuterLength != kLengthUnknown ? m_nOuterLength
                                          : std::strlen(m_pszOuterText);
}

void CHtmlTextBase::Adopt(char* text, size_t length) {
  if (text != m_pszOuterText) delete[] m_pszOuterText;
  m_pszOuterText = text;
  m_nOuterLength = length < kLengthUnknown ? static_cast<unsigned int>(length)
                                           : kLengthUnknown;
}

void CHtmlTextBase::ReplaceText(const char* text, size_t length) {
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  Adopt(copy, length);
}

namespace {

// Whether SetAttribute may replace `old`, the value read behind the name
// at `spot`: the name is not a word of another attribute's quoted value,
// a quoted value has its closing quote, an unquoted one is not empty.
int IsReplaceable(const CAttributeSpot& spot, const CAttributeValue& old) {
  return !htmlmemdoc::IsInsideQuotes(spot.tagBegin, spot.nameBegin) &&
         !(old.quoted && !old.closed) && !(!old.quoted && old.begin == old.end);
}

}  // namespace

int CHtmlTextBase::GetAttribute(const char* tag, const char* attr, char* buffer,
                                int bufferSize) const {
  return htmlmemdoc::GetAttributeOf(m_pszOuterText, tag, attr, buffer,
                                    bufferSize);
}

int CHtmlTextBase::GetAttribute(const CString& tag, const CString& attr,
                                CString& value) const {
  return GetAttribute(static_cast<const char*>(tag),
                      static_cast<const char*>(attr), value);
}

// A missing tag name reads as "" here, as it does through a CString.
int CHtmlTextBase::GetAttribute(const char* tag, const char* attr,
                                CString& value) const {
  char buffer[kStringAttributeBuffer];
  if (!GetAttribute(tag != nullptr ? tag : "", attr, buffer, sizeof buffer)) {
    return 0;
  }
  value = buffer;
  return 1;
}

int CHtmlTextBase::GetNumberAttribute(const char* tag, const char* attr,
                                      int& value) const {
  char buffer[kNumberAttributeBuffer];
  if (!GetAttribute(tag, attr, buffer, sizeof buffer)) return 0;
  htmlmemdoc::ScanLeadingInt(buffer, value);
  return 1;
}

int CHtmlTextBase::SetNumberAttribute(const char* tag, const char* attr,
                                      int value) {
  char buffer[kNumberAttributeBuffer];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return SetAttribute(tag, attr, buffer);
}

namespace {

// 1 when `attr` can be written as an attribute name: not empty, and no byte
// that would end the name or the tag.
int IsWritableName(const char* attr) {
  return attr != nullptr && *attr != '\0' &&
         attr[std::strcspn(attr, htmlmemdoc::kSetAttributeSeparators)] ==
             '\0' &&
         std::strchr(attr, '>') == nullptr;
}

// 1 when no piece lies in [begin, end].
int PiecesOutside(std::initializer_list<const char*> pieces, const char* begin,
                  const char* end) {
  for (const char* piece : pieces) {
    if (piece >= begin && piece <= end) return 0;
  }
  return 1;
}

// text[0, keepEnd) + the pieces + text[resume, end), where `end` is text +
// `length`; `length` becomes the result's. When the result is no longer
// than the text and no piece points into it, the text is edited in place
// and returned; otherwise the result is a new[] buffer of the exact size.
char* Splice(char* text, size_t& length, const char* keepEnd,
             std::initializer_list<const char*> pieces, const char* resume) {
  const size_t head = static_cast<size_t>(keepEnd - text);
  const size_t tail = length - static_cast<size_t>(resume - text);
  size_t middle = 0;
  for (const char* piece : pieces) middle += std::strlen(piece);
  const size_t total = head + middle + tail;
  char* result = text;
  if (total > length || !PiecesOutside(pieces, text, text + length)) {
    result = new char[total + 1];
    std::memcpy(result, text, head);
  }
  std::memmove(result + head + middle, resume, tail + 1);  // with the NUL
  char* out = result + head;
  for (const char* piece : pieces) {
    const size_t pieceLength = std::strlen(piece);
    std::memcpy(out, piece, pieceLength);
    out += pieceLength;
  }
  length = total;
  return result;
}

}  // namespace

int CHtmlTextBase::SetAttribute(const char* tag, const char* attr,
                                const char* value) {
  if (m_pszOuterText == nullptr || tag == nullptr || !IsWritableName(attr)) {
    return 0;
  }
  if (value == nullptr) value = "";
  CAttributeSpot spot;
  const htmlmemdoc::AttributeSearch found = htmlmemdoc::LocateAttribute(
      m_pszOuterText, tag, attr, htmlmemdoc::kSetAttributeSeparatorSet, spot);
  if (found == htmlmemdoc::kAttributeNoTag ||
      std::strchr(spot.tagBegin, '>') == nullptr) {
    return 0;
  }
  char* result = nullptr;
  size_t length = GetOuterTextLength();
  if (found == htmlmemdoc::kAttributeAbsent) {
    result = Splice(m_pszOuterText, length, spot.insertAt,
                    {" ", attr, "=\"", value, "\""}, spot.insertAt);
  } else if (found == htmlmemdoc::kAttributeFound) {
    CAttributeValue old;
    if (!htmlmemdoc::ReadAttributeValue(spot.nameEnd, old) ||
        !IsReplaceable(spot, old)) {
      return 0;
    }
    result = Splice(m_pszOuterText, length, spot.nameEnd, {"=\"", value, "\""},
                    old.after);
  } else {
    return 0;
  }
  Adopt(result, length);
  return 1;
}

int CHtmlTextBase::EditAttribute(const char* tag, const char* attr,
                                 AttributeEdit edit, void* context) {
  if (m_pszOuterText == nullptr || tag == nullptr || !IsWritableName(attr)) {
    return 0;
  }
  CAttributeSpot spot;
  CAttributeValue old;
  if (!htmlmemdoc::FindAttributeValue(m_pszOuterText, tag, attr, spot, old))
    return 0;
  char value[kStringAttributeBuffer];
  const size_t length = static_cast<size_t>(old.end - old.begin);
  if (length >= sizeof value) return 0;
  std::memcpy(value, old.begin, length);
  value[length] = '\0';
  char edited[kEditedValueRoom];
  if (!edit(value, edited, context)) return 0;
  // The setter's separators add the form feed: without one before the
  // name, its search finds the same name at the same place.
  if (std::memchr(spot.tagBegin, '\f',
                  static_cast<size_t>(spot.nameEnd - spot.tagBegin)) !=
      nullptr) {
    return SetAttribute(tag, attr, edited);
  }
  // A ">" after the tag's start, looked for first behind the value, where
  // it usually ends the tag.
  const bool closed =
      std::strchr(old.after, '>') != nullptr ||
      std::memchr(spot.tagBegin, '>',
                  static_cast<size_t>(old.after - spot.tagBegin)) != nullptr;
  if (!closed || !IsReplaceable(spot, old)) return 0;
  size_t total = GetOuterTextLength();
  char* result = Splice(m_pszOuterText, total, spot.nameEnd,
                        {"=\"", edited, "\""}, old.after);
  Adopt(result, total);
  return 1;
}

int CHtmlTextBase::SetAttribute(const CString& tag, const CString& attr,
                                const CString& value) {
  return SetAttribute(static_cast<const char*>(tag),
                      static_cast<const char*>(attr),
                      static_cast<const char*>(value));
}
