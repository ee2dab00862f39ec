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

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"
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

CString Trimmed(const CTextSpan& span, const char* left, const char* right) {
  CString text = SpanText(span);
  text.TrimLeft(left);
  text.TrimRight(right);
  return text;
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
  m_nKind = std::strchr(text, '{') != nullptr ? kRule : kInline;
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
    const CString property = Trimmed(token, "; \t\r\n", kBlanks);
    CTextSpan value;
    if (!tokens.Next(";}", value)) return 0;
    StoreDeclaration(property, Trimmed(value, kBlanks, kBlanks),
                     pendingFamilies);
  }
  return 1;
}

void CHtmlStyle::StoreDeclaration(const CString& property, const CString& value,
                                  CString& pendingFamilies) {
  struct Field {
    const char* name;
    CString CHtmlStyle::*field;
  };
  static const Field kFields[] = {
      {"font-size", &CHtmlStyle::m_strFontSize},
      {"font-style", &CHtmlStyle::m_strFontStyle},
      {"font-weight", &CHtmlStyle::m_strFontWeight},
      {"text-align", &CHtmlStyle::m_strTextAlign},
      {"color", &CHtmlStyle::m_strColor},
      {"visibility", &CHtmlStyle::m_strVisibility},
      {"position", &CHtmlStyle::m_strPosition},
      {"z-index", &CHtmlStyle::m_strZIndex},
      {"width", &CHtmlStyle::m_strWidth},
      {"height", &CHtmlStyle::m_strHeight},
      {"left", &CHtmlStyle::m_strLeft},
      {"top", &CHtmlStyle::m_strTop},
      {"border-style", &CHtmlStyle::m_strBorderStyle},
      {"border-width", &CHtmlStyle::m_strBorderWidth},
      {"border-color", &CHtmlStyle::m_strBorderColor},
      {"margin-top", &CHtmlStyle::m_strMarginTop},
      {"margin-bottom", &CHtmlStyle::m_strMarginBottom},
      {"padding-top", &CHtmlStyle::m_strPaddingTop},
      {"padding-bottom", &CHtmlStyle::m_strPaddingBottom},
      {"line-height", &CHtmlStyle::m_strLineHeight},
      {"cursor", &CHtmlStyle::m_strCursor},
  };
  static const char* const kBorderSides[] = {"border-left", "border-top",
                                             "border-right", "border-bottom"};
  for (const Field& entry : kFields) {
    if (property.CompareNoCase(entry.name) == 0) {
      this->*entry.field = value;
      return;
    }
  }
  for (const char* side : kBorderSides) {
    if (property.CompareNoCase(side) == 0) {
      m_strBorder = BorderAfterWidth(value);
      return;
    }
  }
  if (property.CompareNoCase("font-family") == 0) {
    pendingFamilies = value;
  } else if (property.CompareNoCase("background-image") == 0 ||
             property.CompareNoCase("layer-background-image") == 0) {
    m_strBackgroundImage = BackgroundAddress(value);
  }
  // Any other property, the per-side border widths included, is dropped.
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
