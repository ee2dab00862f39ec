// Differential target: each scanning primitive that was made fast against a
// plain, obviously correct form of its definition, kept here and not in the
// library. A character boundary is found the plain way too: by walking the
// text from its start, a character at a time. A fifth piece of the input
// picks the code page: UTF-8 when it is empty (so older inputs keep their
// meaning), else one of the double-byte pages.

#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/document/block_scan.h"
#include "htmlmemdoc/platform/code_page.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace {

using htmlmemdoc::CharLength;

// Case changes touch the ASCII letters that are characters of their own.
std::string Lower(std::string text) {
  for (size_t i = 0; i < text.size(); i += CharLength(&text[i])) {
    text[i] = htmlmemdoc::ToLowerAscii(text[i]);
  }
  return text;
}

std::string Upper(std::string text) {
  for (size_t i = 0; i < text.size(); i += CharLength(&text[i])) {
    text[i] = htmlmemdoc::ToUpperAscii(text[i]);
  }
  return text;
}

// 1 when walking characters from `from` (a boundary) lands on `p`.
bool Reaches(const char* from, const char* p) {
  while (from < p && *from != '\0') from += CharLength(from);
  return from == p;
}

// The multi-byte substring search: the first character start at which the
// needle stands and ends on a character boundary.
const char* PlainFind(const char* text, const std::string& needle) {
  if (needle.empty()) return text;
  for (const char* p = text; *p != '\0'; p += CharLength(p)) {
    if (std::strncmp(p, needle.c_str(), needle.size()) == 0 &&
        Reaches(p, p + needle.size())) {
      return p;
    }
  }
  return nullptr;
}

// FindNoCase as defined: three searches, the earliest hit.
const char* PlainFindNoCase(const char* text, const std::string& needle) {
  const char* best = nullptr;
  for (const std::string& form : {needle, Lower(needle), Upper(needle)}) {
    const char* hit = PlainFind(text, form);
    if (hit != nullptr && (best == nullptr || hit < best)) best = hit;
  }
  return best;
}

void CheckFinds(const std::string& text, const std::string& a,
                const std::string& b) {
  const char* t = text.c_str();
  FUZZ_CHECK(htmlmemdoc::FindNoCase(t, a.c_str(), b.c_str(), nullptr) ==
             PlainFindNoCase(t, a + b));
  FUZZ_CHECK(htmlmemdoc::FindNoCase(t, nullptr, a.c_str()) ==
             PlainFindNoCase(t, a));
  FUZZ_CHECK(htmlmemdoc::StartsWithNoCase(t, a.c_str()) ==
             (PlainFindNoCase(t, a) == t));
  FUZZ_CHECK(htmlmemdoc::FindText(t, a.c_str()) == PlainFind(t, a));
  const std::string lower = Lower(text);
  const char* lowerHit = PlainFind(lower.c_str(), Lower(a));
  const char* hit = htmlmemdoc::FindTextIgnoringCase(t, a.c_str());
  FUZZ_CHECK((hit == nullptr) == (lowerHit == nullptr));
  FUZZ_CHECK(hit == nullptr || hit - t == lowerHit - lower.c_str());
}

void CheckSkips(const std::string& text, const std::string& set) {
  const char* plain = text.c_str();
  while (*plain != '\0' && std::strchr(set.c_str(), *plain) != nullptr) ++plain;
  const char* cursor = text.c_str();
  htmlmemdoc::SkipChars(cursor, set.c_str());
  FUZZ_CHECK(cursor == plain);
  // In a double-byte code page the search for a member steps over whole
  // characters (a trail byte may equal one).
  const bool characters = htmlmemdoc::CodePageTable() != nullptr;
  plain = text.c_str();
  while (*plain != '\0' &&
         (std::strchr(set.c_str(), *plain) == nullptr ||
          (characters && CharLength(plain) != 1))) {
    plain += characters ? CharLength(plain) : 1;
  }
  cursor = text.c_str();
  htmlmemdoc::SkipToChars(cursor, set.c_str());
  FUZZ_CHECK(cursor == plain);
}

// strtok, a character at a time: only single-byte characters delimit.
class PlainTokenizer {
 public:
  explicit PlainTokenizer(const std::string& text) : m_text(text), m_at(0) {}
  bool Next(const std::string& delimiters, std::string& token) {
    auto isDelimiter = [&](size_t i) {
      return CharLength(m_text.c_str() + i) == 1 &&
             delimiters.find(m_text[i]) != std::string::npos;
    };
    while (m_at < m_text.size() && isDelimiter(m_at)) ++m_at;
    if (m_at >= m_text.size()) return false;
    const size_t start = m_at;
    while (m_at < m_text.size() && !isDelimiter(m_at)) {
      m_at += static_cast<size_t>(CharLength(m_text.c_str() + m_at));
    }
    token = m_text.substr(start, m_at - start);
    ++m_at;  // the delimiter that ended the token, or past the end
    return true;
  }

 private:
  std::string m_text;
  size_t m_at;
};

void CheckTokenizers(const std::string& text,
                     const std::vector<std::string>& sets) {
  std::string copy = text;
  htmlmemdoc::CTokenizer tokens(&copy[0]);
  htmlmemdoc::CSpanTokenizer spans(text.c_str());
  htmlmemdoc::CSpanTokenizer tables(text.c_str());  // with byte-set tables
  bool ascii = true;  // byte sets stand for ASCII sets only
  PlainTokenizer plain(text);
  for (const std::string& set : sets) {
    std::string want;
    const bool has = plain.Next(set, want);
    char* token = tokens.Next(set.c_str());
    htmlmemdoc::CTextSpan span;
    const int hasSpan = spans.Next(set.c_str(), span);
    FUZZ_CHECK((token != nullptr) == has);
    FUZZ_CHECK(hasSpan == (has ? 1 : 0));
    for (unsigned char c : set) ascii = ascii && c < 0x80;
    htmlmemdoc::CTextSpan tableSpan;
    if (ascii) {
      FUZZ_CHECK(tables.Next(htmlmemdoc::CByteSet(set.c_str()), tableSpan) ==
                 (has ? 1 : 0));
    }
    if (!has) return;
    FUZZ_CHECK(want == token);
    FUZZ_CHECK(want == std::string(span.begin, span.end));
    if (ascii) FUZZ_CHECK(want == std::string(tableSpan.begin, tableSpan.end));
  }
}

// The block end as the reader defines it: two search points for "</div"
// and "<div"; a nested "<div" before the next "</div" takes that one.
const char* PlainBlockEnd(const char* block, const char*& fault) {
  const char* a = block + 4;
  const char* b = block + 4;
  const char* c;
  for (;;) {
    c = PlainFindNoCase(a, "</div");
    if (c == nullptr) {
      fault = block + 4;
      return nullptr;
    }
    const char* o = PlainFindNoCase(b, "<div");
    if (o == nullptr || o > c) break;
    b = o + 4;
    a = c + 5;
  }
  const char* p = c + 5;
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  if (*p != '>') {
    fault = p;
    return nullptr;
  }
  return p + 1;
}

void CheckBlock(const std::string& body) {
  const std::string text = "<div" + body;
  const char* block = text.c_str();
  htmlmemdoc::CBlockContents contents;
  const char* fault = nullptr;
  const char* plainFault = nullptr;
  const char* end = htmlmemdoc::ScanBlock(block, contents, fault);
  const char* plainEnd = PlainBlockEnd(block, plainFault);
  FUZZ_CHECK(end == plainEnd);
  if (end == nullptr) {
    FUZZ_CHECK(fault == plainFault);
    return;
  }
  const std::string copy(block, end);
  const bool image = PlainFindNoCase(copy.c_str(), "<img") != nullptr;
  FUZZ_CHECK(contents.image == image);
  if (image) return;  // the walk stops looking at an image
  FUZZ_CHECK(contents.paragraph ==
             (PlainFindNoCase(copy.c_str(), "<p") != nullptr));
  FUZZ_CHECK(contents.embed ==
             (PlainFindNoCase(copy.c_str(), "<embed") != nullptr));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> in = SplitInput(data, size, 5);
  static const int kPages[] = {932, 936, 949, 950};
  HtmlMemDocSetCodePage(in[4].empty() ? HTMLMEMDOC_CP_UTF8
                                      : kPages[in[4][0] & 3]);
  CheckFinds(in[0], in[1], in[2]);
  CheckSkips(in[0], in[1]);
  std::vector<std::string> sets;
  for (size_t i = 0; i < 24; ++i) sets.push_back(i % 2 ? in[1] : in[3]);
  CheckTokenizers(in[0], sets);
  CheckBlock(in[0]);
  return 0;
}
