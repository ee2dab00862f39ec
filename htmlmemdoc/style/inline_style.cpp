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

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/style/style_values.h"

namespace htmlmemdoc {
namespace {

// A set of single-byte characters as a table: the reader's delimiter and
// trimming sets are all ASCII, where a byte test is what strspn and
// TrimLeft do, and a table makes each test one load.
class CByteSet {
 public:
  constexpr explicit CByteSet(const char* bytes) : m_has() {
    for (; *bytes != '\0'; ++bytes) m_has[static_cast<unsigned char>(*bytes)] = 1;
  }
  bool Has(char c) const { return m_has[static_cast<unsigned char>(c)] != 0; }

 private:
  unsigned char m_has[256];
};

constexpr CByteSet kSelectorEnd("{");
constexpr CByteSet kNameEnd(":");
constexpr CByteSet kFirstNameEnd("\":");
constexpr CByteSet kValueEnd(";}");
constexpr CByteSet kBlankSet(" \t\r\n");
constexpr CByteSet kNameLeft("; \t\r\n");
constexpr CByteSet kFamilyEnd("\",");
constexpr CByteSet kFamilyTrim(" \t\r\n\"");

// CSpanTokenizer's steps with table sets: leading delimiters are passed
// over, a token runs to the next delimiter, which is stepped over.
class CTableTokenizer {
 public:
  explicit CTableTokenizer(const char* text) : m_next(text) {}
  int Next(const CByteSet& set, CTextSpan& token) {
    if (m_next == nullptr) return 0;
    const char* start = m_next;
    while (*start != '\0' && set.Has(*start)) ++start;
    if (*start == '\0') {
      m_next = nullptr;
      return 0;
    }
    const char* end = start;
    while (*end != '\0' && !set.Has(*end)) ++end;
    m_next = *end != '\0' ? end + 1 : nullptr;
    token = {start, end};
    return 1;
  }

 private:
  const char* m_next;
};

// Narrows [begin, end) by the bytes of `left` at its start and of `right`
// at its end, as CString's TrimLeft and TrimRight do.
void Trim(CTextSpan& span, const CByteSet& left, const CByteSet& right) {
  while (span.begin < span.end && left.Has(*span.begin)) ++span.begin;
  while (span.end > span.begin && right.Has(span.end[-1])) --span.end;
}

// `expected` is in lower case and ASCII.
int NameIs(const CTextSpan& name, const char* expected) {
  const char* p = name.begin;
  for (; p != name.end; ++p, ++expected) {
    if (ToLowerAscii(*p) != *expected) return 0;  // the NUL differs too
  }
  return *expected == '\0';
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

char* Append(char* out, const char* text) {
  const size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
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
  const int rule = std::strchr(m_text, '{') != nullptr;
  char* families = nullptr;
  if (!ReadDeclarations(Writable(start), rule, families)) return 0;
  if (families != nullptr && *families != '\0') SplitFamilies(families);
  return 1;
}

// The selector of a rule (passed over), then the declarations and the
// trailing fragment, which must hold the closing mark of the form.
int CInlineStyle::ReadDeclarations(char* text, int rule, char*& families) {
  CTableTokenizer tokens(text);
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
  for (const CStyleProperty& entry : kPlainProperties) {
    if (NameIs(property, entry.name)) {
      m_fields[entry.field] = value;
      return;
    }
  }
  for (const char* side : kBorderSides) {
    if (NameIs(property, side)) {
      const char* blank = std::strchr(value, ' ');
      m_fields[kBorderField] = blank != nullptr ? blank + 1 : value;
      return;
    }
  }
  if (NameIs(property, kFontFamilyProperty)) {
    families = value;
    return;
  }
  for (const char* name : kBackgroundProperties) {
    if (NameIs(property, name)) {
      m_fields[kBackgroundImageField] = BackgroundAddress(value);
      return;
    }
  }
}

// Names split at '"' and ',', trimmed, at most three plain identifiers.
void CInlineStyle::SplitFamilies(char* families) {
  CTableTokenizer tokens(families);
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
    for (const char* name : kBackgroundProperties) {
      *end++ = ' ';
      end = Append(end, name);
      end = Append(end, ":url(");
      end = Append(end, address);
      end = Append(end, ");");
    }
  }
  *end = '\0';
  return static_cast<size_t>(end - out);
}

}  // namespace htmlmemdoc
