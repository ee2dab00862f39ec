// canonical_style.cpp: recognising a bare rendering and editing it as text.
//
// A rendering reads back to itself when it has the exact shape a rendering
// writes and nothing in it changes on the way through the reader: family
// names that are plain identifiers without outer blanks, then
// " name:value;" declarations in rendering order whose values are
// non-empty, untrimmable and free of ';', '{' and '}', then optionally the
// two background declarations with the same address. The border is written
// under a name the reader does not know, so a text holding it is never
// canonical.

#include "htmlmemdoc/style/canonical_style.h"

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/byte_set.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/style/style_values.h"

namespace htmlmemdoc {
namespace {

const char kFamilyPrefix[] = "font-family:";
constexpr CByteSet kValueStop(";{}");
constexpr CByteSet kNameStop(":;");
const int kMostFamilies = 3;

// 1 when `prefix` stands at `text`; reads no further than the first byte
// that differs.
int StartsWith(const char* text, const char* prefix) {
  for (; *prefix != '\0'; ++text, ++prefix) {
    if (*text != *prefix) return 0;
  }
  return 1;
}

// One family name ending at ',' or ';': a plain identifier without outer
// blanks. Returns where it ends, or null.
const char* SkipFamilyName(const char* p) {
  const size_t length = std::strcspn(p, ",;");
  if (length == 0 || kBlankSet.Has(p[0]) || kBlankSet.Has(p[length - 1])) return nullptr;
  char name[1024];
  if (length >= sizeof name) return nullptr;
  std::memcpy(name, p, length);
  name[length] = '\0';
  return IsPlainIdentifier(name) ? p + length : nullptr;
}

// "font-family:A, B, C;" at `p`; returns what follows, or null.
const char* SkipFamilies(const char* p) {
  if (!StartsWith(p, kFamilyPrefix)) return p;
  p += sizeof kFamilyPrefix - 1;
  for (int count = 1;; ++count) {
    p = SkipFamilyName(p);
    if (p == nullptr || count > kMostFamilies) return nullptr;
    if (*p == ';') return p + 1;
    if (!StartsWith(p, ", ")) return nullptr;
    p += 2;
  }
}

// The end of a declaration's value that starts at `p` (its ';'), or null.
const char* SkipValue(const char* p) {
  const char* end = p;
  while (!kValueStop.Stops(*end)) ++end;
  if (*end != ';' || end == p || kBlankSet.Has(*p) || kBlankSet.Has(end[-1])) {
    return nullptr;
  }
  return end;
}

// The first rendered field at or after `from` whose " name:" stands at
// `p`, or -1; `value` is then where its value starts.
int MatchDeclaration(const char* p, int from, const char*& value) {
  if (*p != ' ') return -1;
  const char* colon = p + 1;
  while (!kNameStop.Stops(*colon)) ++colon;
  if (*colon != ':') return -1;
  const size_t length = static_cast<size_t>(colon + 1 - p);
  for (int field = from; field < kRenderedFieldCount; ++field) {
    if (kRenderedNameLengths[field] == length &&
        std::memcmp(p, kRenderedNames[field], length) == 0) {
      value = colon + 1;
      return field;
    }
  }
  return -1;
}

// " background-image:url(A); layer-background-image:url(A);" and the end of
// the text at `p`, or an empty rest.
int IsCanonicalBackground(const char* p) {
  if (*p == '\0') return 1;
  const char* first = " background-image:url(";
  if (!StartsWith(p, first)) return 0;
  const char* address = p + std::strlen(first);
  const size_t length = SpanToDelimiter(address, "();{}");
  if (length == 0 || !StartsWith(address + length, ");")) return 0;
  const char* second = address + length + 2;
  const char* name = " layer-background-image:url(";
  if (!StartsWith(second, name)) return 0;
  const char* again = second + std::strlen(name);
  return std::strncmp(again, address, length) == 0 &&
         std::strcmp(again + length, ");") == 0;
}

}  // namespace

int FindCanonicalField(const char* text, StyleField field,
                       CCanonicalField& spot) {
  const char* p = *text != '\0' ? SkipFamilies(text) : nullptr;
  if (p == nullptr) return 0;
  spot = {nullptr, nullptr, nullptr};
  const char* value = nullptr;
  for (int next = 0, found; (found = MatchDeclaration(p, next, value)) >= 0;
       next = found + 1) {
    if (found == kBorderField) return 0;
    const char* end = SkipValue(value);
    if (end == nullptr) return 0;
    if (spot.begin == nullptr && found >= field) {
      spot = found == field ? CCanonicalField{p, end + 1, value}
                            : CCanonicalField{p, p, nullptr};
    }
    p = end + 1;
  }
  if (!IsCanonicalBackground(p)) return 0;
  if (spot.begin == nullptr) spot = {p, p, nullptr};
  return 1;
}

int EditCanonicalStyle(const char* text, StyleField field, const char* value,
                       char* out) {
  CCanonicalField spot;
  if (!FindCanonicalField(text, field, spot)) return 0;
  char* cursor = out;
  const size_t head = static_cast<size_t>(spot.begin - text);
  std::memcpy(cursor, text, head);
  cursor += head;
  std::memcpy(cursor, kRenderedNames[field], kRenderedNameLengths[field]);
  cursor += kRenderedNameLengths[field];
  const size_t length = std::strlen(value);
  std::memcpy(cursor, value, length);
  cursor += length;
  *cursor++ = ';';
  std::strcpy(cursor, spot.end);
  return 1;
}

}  // namespace htmlmemdoc
