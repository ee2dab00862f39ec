// inline_style.cpp: reading and writing one style attribute in place.
//
// The reading follows CHtmlStyle::Init step by step (the same tokenizer,
// delimiter sets and trimming), so every property lands in the same field
// with the same text; instead of copying a value into a string it ends
// the value with a NUL inside the object's own copy of the text. Those
// NULs stand behind the tokenizer's cursor, so they never change what it
// reads next.

#include "htmlmemdoc/style/inline_style.h"

#include <cstring>
#include <initializer_list>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/style/style_values.h"

namespace htmlmemdoc {
namespace {

constexpr CByteSet kSelectorEnd("{");
constexpr CByteSet kNameEnd(":");
constexpr CByteSet kFirstNameEnd("\":");
constexpr CByteSet kValueEnd(";}");
constexpr CByteSet kNameLeft("; \t\r\n");
constexpr CByteSet kFamilyEnd("\",");
constexpr CByteSet kFamilyTrim(" \t\r\n\"");

// Narrows [begin, end) by the bytes of `left` at its start and of `right`
// at its end, as CString's TrimLeft and TrimRight do.
void Trim(CTextSpan& span, const CByteSet& left, const CByteSet& right) {
  while (span.begin < span.end && left.Has(*span.begin)) ++span.begin;
  while (span.end > span.begin && right.Has(span.end[-1])) --span.end;
}

// The address inside "url(...)" (or "URL(...)"), else the whole value; a
// "url(" without ")" gives everything behind it. The first ')' of the
// value ends the address, wherever it stands.
const char* BackgroundAddress(char* value) {
  const char* at = FindText(value, "url(");
  if (at == nullptr) at = FindText(value, "URL(");
  if (at == nullptr) return value;
  char* start = value + (at - value) + 4;
  char* close = std::strchr(value, ')');
  if (close == nullptr) return start;
  if (close <= start) return "";
  *close = '\0';
  return start;
}

// Copies `text` without its NUL; the texts of a style are a few bytes
// each, where a plain loop beats measuring them and calling a copy.
char* Append(char* out, const char* text) {
  while (*text != '\0') *out++ = *text++;
  return out;
}

}  // namespace

int CInlineStyle::Read(const char* text) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > kMaxText) return 0;
  std::memcpy(m_text, text, length + 1);
  for (const char*& field : m_fields) field = "";
  m_familyCount = 0;
  const char* start = m_text;
  SkipChars(start, kBlanks);
  const int rule = FindText(m_text, "{") != nullptr;
  char* families = nullptr;
  if (!ReadDeclarations(Writable(start), rule, families)) return 0;
  if (families != nullptr && *families != '\0') SplitFamilies(families);
  return 1;
}

// The selector of a rule (passed over), then the declarations and the
// trailing fragment, which must hold the closing mark of the form.
int CInlineStyle::ReadDeclarations(char* text, int rule, char*& families) {
  CSpanTokenizer tokens(text);
  CTextSpan token;
  int hasProperty;
  if (rule) {
    tokens.Next(kSelectorEnd, token);
    hasProperty = tokens.Next(kNameEnd, token);
  } else {
    hasProperty = tokens.Next(kFirstNameEnd, token);  // passes over a quote
  }
  for (; hasProperty; hasProperty = tokens.Next(kNameEnd, token)) {
    if (*token.end != ':') {
      const char mark = rule ? '}' : '"';
      return std::memchr(token.begin, mark,
                         static_cast<size_t>(token.end - token.begin)) !=
             nullptr;
    }
    CTextSpan property = token;
    Trim(property, kNameLeft, kBlankSet);
    CTextSpan value;
    if (!tokens.Next(kValueEnd, value)) return 0;
    Trim(value, kBlankSet, kBlankSet);
    *Writable(value.end) = '\0';
    Store(property, Writable(value.begin), families);
  }
  return 1;
}

void CInlineStyle::Store(const CTextSpan& property, char* value,
                         char*& families) {
  const CStyleProperty* known = FindStyleProperty(
      property.begin, static_cast<size_t>(property.end - property.begin));
  if (known == nullptr) return;
  switch (known->action) {
    case kStoreField:
      m_fields[known->field] = value;
      break;
    case kStoreBorder: {
      const char* blank = std::strchr(value, ' ');
      m_fields[kBorderField] = blank != nullptr ? blank + 1 : value;
      break;
    }
    case kStoreFamilies:
      families = value;
      break;
    case kStoreBackground:
      m_fields[kBackgroundImageField] = BackgroundAddress(value);
      break;
  }
}

// Names split at '"' and ',', trimmed, at most three plain identifiers.
void CInlineStyle::SplitFamilies(char* families) {
  CSpanTokenizer tokens(families);
  for (CTextSpan name; tokens.Next(kFamilyEnd, name);) {
    Trim(name, kFamilyTrim, kFamilyTrim);
    *Writable(name.end) = '\0';
    if (name.begin != name.end && m_familyCount < 3 &&
        IsPlainIdentifier(name.begin)) {
      m_families[m_familyCount++] = name.begin;
    }
  }
}

size_t CInlineStyle::Render(char* out) const {
  char* end = out;
  if (m_familyCount > 0) {
    end = Append(end, "font-family:");
    end = Append(end, m_families[0]);
    for (int i = 1; i < m_familyCount; ++i) {
      end = Append(end, ", ");
      end = Append(end, m_families[i]);
    }
    *end++ = ';';
  }
  for (int field = 0; field < kRenderedFieldCount; ++field) {
    if (*m_fields[field] == '\0') continue;
    end = Append(end, kRenderedNames[field]);
    end = Append(end, m_fields[field]);
    *end++ = ';';
  }
  const char* address = m_fields[kBackgroundImageField];
  if (*address != '\0') {
    for (const char* name :
         {" background-image:url(", " layer-background-image:url("}) {
      end = Append(end, name);
      end = Append(end, address);
      end = Append(end, ");");
    }
  }
  *end = '\0';
  return static_cast<size_t>(end - out);
}

}  // namespace htmlmemdoc
