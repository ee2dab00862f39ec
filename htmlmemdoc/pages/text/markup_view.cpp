// markup_view.cpp: a small tokenizer after the browser's rules for start
// tags (a name, then attributes with double-quoted, single-quoted or
// unquoted values), comments and text, and comparisons of two views that
// allow one change.

#include "htmlmemdoc/pages/text/markup_view.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// `m`'s bytes [begin, end) in lower case into `out`, reusing its room.
void AssignLower(std::string& out, const std::string& m, size_t begin,
                 size_t end) {
  out.assign(m, begin, end - begin);
  MakeLowerBytes(&out[0], out.size());
}

// Reads the attributes of the tag whose name ends at `p`, up to its ">";
// keeps those `wanted` takes (all when it is null) in `tag`, whose
// attributes' room is reused.
size_t ReadAttributes(const std::string& m, size_t p, MarkupToken& tag,
                      AttributeFilter wanted) {
  size_t kept = 0;
  for (;;) {
    while (p < m.size() && (IsBlank(m[p]) || m[p] == '/')) ++p;
    if (p >= m.size() || m[p] == '>') break;
    const size_t nameStart = p;
    while (p < m.size() && !IsBlank(m[p]) && m[p] != '>' && m[p] != '=' &&
           (m[p] != '/' || p == nameStart)) {
      ++p;
    }
    if (kept == tag.attributes.size()) tag.attributes.emplace_back();
    MarkupToken::Attribute& attribute = tag.attributes[kept];
    AssignLower(attribute.name, m, nameStart, p);
    const bool keep = wanted == nullptr || wanted(attribute.name);
    attribute.value.clear();
    attribute.quote = 0;
    attribute.valueAt = std::string::npos;
    size_t q = p;
    while (q < m.size() && IsBlank(m[q])) ++q;
    if (q < m.size() && m[q] == '=') {
      p = q + 1;
      while (p < m.size() && IsBlank(m[p])) ++p;
      if (p < m.size() && (m[p] == '"' || m[p] == '\'')) {
        attribute.quote = m[p];
        const size_t close = m.find(m[p], p + 1);
        const size_t end = close == std::string::npos ? m.size() : close;
        if (keep) attribute.value.assign(m, p + 1, end - p - 1);
        attribute.valueAt = p + 1;
        p = close == std::string::npos ? m.size() : close + 1;
      } else {
        const size_t start = p;
        while (p < m.size() && !IsBlank(m[p]) && m[p] != '>') ++p;
        if (keep) attribute.value.assign(m, start, p - start);
        attribute.valueAt = start;
      }
    }
    if (keep) ++kept;
  }
  tag.attributes.resize(kept);
  return p;
}

bool SameAttribute(const MarkupToken::Attribute& a,
                   const MarkupToken::Attribute& b) {
  return a.name == b.name && a.value == b.value;
}

std::string Describe(const MarkupToken& token) {
  if (token.kind == MarkupToken::kTag) return "the <" + token.name + "> tag";
  if (token.kind == MarkupToken::kComment) return "a comment";
  return "the text \"" + token.raw.substr(0, 30) + "\"";
}

// The first difference between two tags' attributes other than `skip`, or
// "": one attribute more or less, or one whose value differs.
std::string AttributeChange(const MarkupToken& a, const MarkupToken& b,
                            const std::string& skip) {
  std::vector<MarkupToken::Attribute> left, right;
  for (const auto& x : a.attributes) {
    if (x.name != skip) left.push_back(x);
  }
  for (const auto& x : b.attributes) {
    if (x.name != skip) right.push_back(x);
  }
  for (size_t i = 0; i < left.size() || i < right.size(); ++i) {
    if (i < left.size() && i < right.size() &&
        SameAttribute(left[i], right[i])) {
      continue;
    }
    const auto& changed = i < left.size() ? left[i] : right[i];
    return "the <" + a.name + "> tag's " + changed.name +
           (i < left.size() && i < right.size() ? " attribute would change"
            : i < right.size()                  ? " attribute would appear"
                                                : " attribute would go");
  }
  return "";
}

// Compares the token lists token by token; `allowed` may differ as
// `check` says.
template <typename Check>
std::string Compare(const std::vector<MarkupToken>& a,
                    const std::vector<MarkupToken>& b, int allowed,
                    Check check) {
  for (size_t i = 0; i < a.size() || i < b.size(); ++i) {
    if (static_cast<int>(i) == allowed && i < a.size() && i < b.size()) {
      const std::string change = check(a[i], b[i]);
      if (!change.empty()) return change;
      continue;
    }
    if (i >= a.size()) return Describe(b[i]) + " would appear";
    if (i >= b.size()) return Describe(a[i]) + " would go";
    if (a[i].kind != b[i].kind || a[i].name != b[i].name ||
        (a[i].kind != MarkupToken::kTag && a[i].raw != b[i].raw)) {
      return Describe(a[i]) + " would change";
    }
    if (a[i].kind == MarkupToken::kTag) {
      const std::string change = AttributeChange(a[i], b[i], "");
      if (!change.empty()) return change;
    }
  }
  return "";
}

// Reads the token that starts at `p` into `token` (whose room is reused):
// its kind, and a tag's name and the attributes `wanted` takes; returns
// where it ends.
size_t ReadToken(const std::string& m, size_t p, MarkupToken& token,
                 AttributeFilter wanted) {
  const bool tag = m[p] == '<' && p + 1 < m.size() &&
                   (std::isalpha(static_cast<unsigned char>(m[p + 1])) ||
                    m[p + 1] == '/' || m[p + 1] == '!');
  token.name.clear();
  if (tag && m[p + 1] == '!' && m.compare(p, 4, "<!--") == 0) {
    token.kind = MarkupToken::kComment;
    token.attributes.clear();
    const size_t close = m.find("-->", p + 4);
    return close == std::string::npos ? m.size() : close + 3;
  }
  if (tag) {
    token.kind = MarkupToken::kTag;
    size_t q = p + 1;
    while (q < m.size() && !IsBlank(m[q]) && m[q] != '>' &&
           (m[q] != '/' || q == p + 1)) {
      ++q;
    }
    AssignLower(token.name, m, p + 1, q);
    p = ReadAttributes(m, q, token, wanted);
    return p < m.size() ? p + 1 : p;  // behind the ">"
  }
  token.kind = MarkupToken::kText;
  token.attributes.clear();
  p = m.find('<', p + 1);
  return p == std::string::npos ? m.size() : p;
}

// The tokens of `m`; with `tagsOnly`, its tags alone, without their raw
// bytes, each with the attributes `wanted` takes. The tokens already in
// `tokens` lend their room.
void ReadTokens(const std::string& m, bool tagsOnly, AttributeFilter wanted,
                std::vector<MarkupToken>& tokens) {
  size_t count = 0;
  for (size_t p = 0; p < m.size();) {
    if (count == tokens.size()) tokens.emplace_back();
    MarkupToken& token = tokens[count];
    const size_t start = p;
    p = ReadToken(m, p, token, wanted);
    if (tagsOnly) {
      token.raw.clear();
      if (token.kind == MarkupToken::kTag) ++count;
      continue;
    }
    token.raw.assign(m, start, p - start);
    ++count;
  }
  tokens.resize(count);
}

}  // namespace

std::vector<MarkupToken> ViewMarkup(const std::string& m) {
  std::vector<MarkupToken> tokens;
  ReadTokens(m, false, nullptr, tokens);
  return tokens;
}

std::vector<MarkupToken> ViewTags(const std::string& m,
                                  AttributeFilter wanted) {
  std::vector<MarkupToken> tokens;
  ViewTags(m, wanted, tokens);
  return tokens;
}

void ViewTags(const std::string& m, AttributeFilter wanted,
              std::vector<MarkupToken>& tokens) {
  ReadTokens(m, true, wanted, tokens);
}

int FindTag(const std::vector<MarkupToken>& tokens, const std::string& name) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == MarkupToken::kTag && tokens[i].name == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

const MarkupToken::Attribute* FindAttribute(const MarkupToken& tag,
                                            const std::string& name) {
  for (const auto& attribute : tag.attributes) {
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}

bool SeenAlike(const std::string& before, const std::string& after) {
  if (before == after) return true;
  const std::vector<MarkupToken> a = ViewMarkup(before);
  const std::vector<MarkupToken> b = ViewMarkup(after);
  if (a.size() != b.size()) return false;
  auto declarations = [](const MarkupToken::Attribute* style) {
    std::map<std::string, std::string> read;
    if (style == nullptr) return read;
    for (const auto& declaration : Declarations(style->value))
      read[declaration.first] = Squeezed(declaration.second);
    return read;
  };
  for (size_t i = 0; i < a.size(); ++i) {
    const MarkupToken::Attribute* x = FindAttribute(a[i], "style");
    const MarkupToken::Attribute* y = FindAttribute(b[i], "style");
    if (a[i].kind != b[i].kind || a[i].name != b[i].name ||
        (a[i].kind != MarkupToken::kTag && a[i].raw != b[i].raw) ||
        (x == nullptr) != (y == nullptr) ||
        declarations(x) != declarations(y) ||
        !AttributeChange(a[i], b[i], "style").empty())
      return false;
  }
  return true;
}

std::string OtherChange(const std::string& before, const std::string& after,
                        const std::string& tag, const std::string& attribute) {
  const std::vector<MarkupToken> a = ViewMarkup(before);
  const std::vector<MarkupToken> b = ViewMarkup(after);
  return Compare(a, b, FindTag(a, tag),
                 [&](const MarkupToken& x, const MarkupToken& y) {
                   if (x.name != y.name) return Describe(x) + " would change";
                   return AttributeChange(x, y, attribute);
                 });
}

std::string OtherTextChange(const std::string& before, const std::string& after,
                            const std::string& tag) {
  const std::vector<MarkupToken> a = ViewMarkup(before);
  std::vector<MarkupToken> b = ViewMarkup(after);
  const int at = FindTag(a, tag);
  if (at < 0) return "the <" + tag + "> tag would go";
  // The text right after the tag may change, appear or go.
  auto textAfter = [](const std::vector<MarkupToken>& tokens, int index) {
    const size_t next = static_cast<size_t>(index) + 1;
    return next < tokens.size() && tokens[next].kind == MarkupToken::kText;
  };
  std::vector<MarkupToken> left = a;
  if (textAfter(left, at)) left.erase(left.begin() + at + 1);
  if (FindTag(b, tag) == at && textAfter(b, at)) b.erase(b.begin() + at + 1);
  return Compare(left, b, -1, [](const MarkupToken&, const MarkupToken&) {
    return std::string();
  });
}

}  // namespace htmlmemdoc
