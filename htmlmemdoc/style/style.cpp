// style.cpp: parsing style declarations.
//
// Init reads the text with a strtok-like tokenizer whose delimiter set
// changes from call to call: the selector runs to "{", a property name to
// ":", a value to ";" or "}". A name token that did not end at ":" is the
// trailing fragment after the last declaration, and it must hold the
// closing mark of the form: '"' for an inline list, '}' for a rule. Values
// go into one text field per property through a dispatch table; unknown
// properties are passed over.

#include "htmlmemdoc/style/style.h"

#include <cstring>
#include <utility>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/style/style_fields.h"
#include "htmlmemdoc/style/style_values.h"

using htmlmemdoc::CSpanTokenizer;
using htmlmemdoc::CTextSpan;

IMPLEMENT_DYNCREATE(CHtmlStyle, CHtmlTextBase)

using htmlmemdoc::kBlanks;

namespace {

const int kDefaultFamilyLimit = 3;

CString SpanText(const CTextSpan& span) {
  return CString(span.begin, static_cast<int>(span.end - span.begin));
}

// Whether CString's TrimLeft and TrimRight take `c` off for `set`.
bool Trims(char c, const char* set) {
  return static_cast<unsigned char>(c) < 0x80 && c != '\0' &&
         std::strchr(set, c) != nullptr;
}

// Narrows the span as TrimLeft(left) and TrimRight(right) trim a string.
CTextSpan TrimmedSpan(CTextSpan span, const char* left, const char* right) {
  while (span.begin < span.end && Trims(*span.begin, left)) ++span.begin;
  while (span.end > span.begin && Trims(span.end[-1], right)) --span.end;
  return span;
}

// The span's text trimmed so, narrowed before it is copied.
CString Trimmed(const CTextSpan& span, const char* left, const char* right) {
  return SpanText(TrimmedSpan(span, left, right));
}

// The address inside "url(...)" (or "URL(...)"), else the whole value. A
// "url(" without ")" gives everything behind it.
CString BackgroundAddress(const CString& value) {
  int at = value.Find("url(");
  if (at < 0) at = value.Find("URL(");
  if (at < 0) return value;
  const int start = at + 4;
  const int end = value.Find(')');
  if (end < 0) return value.Mid(start);
  return end > start ? value.Mid(start, end - start) : CString();
}

// The part of a border shorthand after its first blank ("1px solid black"
// gives "solid black"), or the whole value when it has none.
CString BorderAfterWidth(const CString& value) {
  const int blank = value.Find(' ');
  return blank < 0 ? value : value.Mid(blank + 1);
}

}  // namespace

CHtmlStyle::CHtmlStyle()
    : m_nKind(kNotParsed), m_bClass(0), m_nFamilyLimit(kDefaultFamilyLimit) {}

CHtmlStyle::~CHtmlStyle() = default;

void CHtmlStyle::GetStyleName(CString& name) const { name = m_strName; }

int CHtmlStyle::Init(const char* text) {
  if (text == nullptr) text = "";
  const char* cursor = text;
  htmlmemdoc::SkipChars(cursor, kBlanks);
  m_nKind = htmlmemdoc::FindText(text, "{") != nullptr ? kRule : kInline;
  CString pendingFamilies;
  if (!ParseDeclarations(cursor, pendingFamilies)) return 0;
  if (!pendingFamilies.IsEmpty()) ResetFontFamily(pendingFamilies);
  return CHtmlTextBase::Init(text);
}

// Steps 3 to 5 of parsing: the selector of a rule, then the declarations
// and the trailing fragment.
int CHtmlStyle::ParseDeclarations(const char* text, CString& pendingFamilies) {
  CSpanTokenizer tokens(text);
  CTextSpan token;
  int hasProperty;
  if (m_nKind == kRule) {
    if (tokens.Next("{", token)) {
      m_strName = Trimmed(token, kBlanks, kBlanks);
      m_bClass = m_strName.GetAt(0) == '.';
      if (m_bClass) m_strName.TrimLeft('.');
    }
    hasProperty = tokens.Next(":", token);
  } else {
    hasProperty = tokens.Next("\":", token);  // passes over an opening quote
  }
  for (; hasProperty; hasProperty = tokens.Next(":", token)) {
    if (*token.end != ':') {
      // The trailing fragment behind the last declaration.
      const char mark = m_nKind == kInline ? '"' : '}';
      return SpanText(token).Find(mark) >= 0;
    }
    const CTextSpan property = TrimmedSpan(token, "; \t\r\n", kBlanks);
    CTextSpan value;
    if (!tokens.Next(";}", value)) return 0;
    const htmlmemdoc::CStyleProperty* known = htmlmemdoc::FindStyleProperty(
        property.begin, static_cast<size_t>(property.end - property.begin));
    // Any other property is dropped, its value never copied.
    if (known != nullptr)
      StoreDeclaration(known->action, known->field,
                       Trimmed(value, kBlanks, kBlanks), pendingFamilies);
  }
  return 1;
}

CString& CHtmlStyle::Field(int field) {
  static CString CHtmlStyle::*const kFields[htmlmemdoc::kStyleFieldCount] = {
      &CHtmlStyle::m_strFontSize,       &CHtmlStyle::m_strFontStyle,
      &CHtmlStyle::m_strFontWeight,     &CHtmlStyle::m_strTextAlign,
      &CHtmlStyle::m_strColor,          &CHtmlStyle::m_strBorder,
      &CHtmlStyle::m_strMarginTop,      &CHtmlStyle::m_strMarginBottom,
      &CHtmlStyle::m_strPaddingTop,     &CHtmlStyle::m_strPaddingBottom,
      &CHtmlStyle::m_strLineHeight,     &CHtmlStyle::m_strPosition,
      &CHtmlStyle::m_strVisibility,     &CHtmlStyle::m_strZIndex,
      &CHtmlStyle::m_strWidth,          &CHtmlStyle::m_strHeight,
      &CHtmlStyle::m_strLeft,           &CHtmlStyle::m_strTop,
      &CHtmlStyle::m_strBorderStyle,    &CHtmlStyle::m_strBorderWidth,
      &CHtmlStyle::m_strBorderColor,    &CHtmlStyle::m_strCursor,
      &CHtmlStyle::m_strBackgroundImage};
  return this->*kFields[field];
}

const CString& CHtmlStyle::Field(int field) const {
  return const_cast<CHtmlStyle*>(this)->Field(field);
}

void CHtmlStyle::StoreDeclaration(int action, int field, CString value,
                                  CString& pendingFamilies) {
  switch (action) {
    case htmlmemdoc::kStoreField:
      Field(field) = std::move(value);
      break;
    case htmlmemdoc::kStoreBorder:
      m_strBorder = BorderAfterWidth(value);
      break;
    case htmlmemdoc::kStoreFamilies:
      pendingFamilies = std::move(value);
      break;
    case htmlmemdoc::kStoreBackground:
      m_strBackgroundImage = BackgroundAddress(value);
      break;
  }
}

int CHtmlStyle::ResetFontFamily(const char* families) {
  m_fontFamilies.RemoveAll();
  CString copy(families);
  htmlmemdoc::CTokenizer tokens(copy.GetBuffer(copy.GetLength()));
  for (char* token = tokens.Next("\","); token != nullptr;
       token = tokens.Next("\",")) {
    CString family(token);
    family.TrimLeft(" \t\r\n\"");
    family.TrimRight(" \t\r\n\"");
    if (!family.IsEmpty() && m_fontFamilies.GetSize() < m_nFamilyLimit &&
        htmlmemdoc::IsPlainIdentifier(family)) {
      m_fontFamilies.Add(family);
    }
  }
  return 1;
}
