// site_patch.cpp: a reference's place is known in its element's markup;
// the read record gives where each element's markup begins in the page
// text (a frame's inside its frameset's), and the page text differs from
// the file's bytes only by the carriage returns it drops before line
// feeds, so one pass over the bytes places every change. The check reads
// the changed bytes as a new page and compares its rendering with that of
// the page whose elements took the new values in memory.

#include "htmlmemdoc/pages/site/site_patch.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

// The byte offset in `bytes` of each offset in its page text, `at` in
// increasing order: the text drops a carriage return before a line feed.
std::vector<size_t> ByteOffsets(const std::string& bytes,
                                const std::vector<size_t>& at) {
  std::vector<size_t> offsets;
  size_t byte = 0, text = 0;
  for (const size_t target : at) {
    while (text < target && byte < bytes.size()) {
      const bool dropped = bytes[byte] == '\r' && (byte + 1 == bytes.size() ||
                                                   bytes[byte + 1] == '\n');
      ++byte;
      text += dropped ? 0 : 1;
    }
    offsets.push_back(byte);
  }
  return offsets;
}

// Whether `bytes` holds `text` once the carriage returns the page text
// drops are dropped.
bool SameText(const std::string& bytes, const std::string& text) {
  size_t t = 0;
  for (size_t b = 0; b < bytes.size(); ++b) {
    if (bytes[b] == '\r' && (b + 1 == bytes.size() || bytes[b + 1] == '\n'))
      continue;
    if (t == text.size() || bytes[b] != text[t]) return false;
    ++t;
  }
  return t == text.size();
}

struct Span {
  size_t begin, end;  // in the page text
  const ValueChange* change;
};

// Each change's place in the page text, in order; false with `refusal`
// when one cannot be placed.
bool PlaceChanges(const Placements& offsets,
                  const std::vector<PageReference>& references,
                  const std::vector<ValueChange>& changes,
                  std::vector<Span>& spans, std::string& refusal) {
  for (const ValueChange& change : changes) {
    const PageReference& reference = references[change.reference];
    const auto holder = offsets.find(reference.holder);
    const std::string old = Trim(reference.value);
    if (holder == offsets.end() || reference.at == std::string::npos ||
        old.empty()) {
      refusal = "the " + reference.element +
                " holding a reference is not in the page as the library "
                "read it";
      return false;
    }
    const size_t begin =
        holder->second.at + reference.at + reference.value.find(old);
    spans.push_back(Span{begin, begin + old.size(), &change});
  }
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.begin < b.begin; });
  for (size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].begin < spans[i - 1].end) {
      refusal = "two references to change overlap in the page";
      return false;
    }
  }
  return true;
}

// Replaces each changed reference's value in its element's markup, from
// the last in the markup to the first; false when an element refuses its
// new markup. Every change is placed (PlaceChanges).
bool ChangeInMemory(const Placements& offsets,
                    const std::vector<PageReference>& references,
                    const std::vector<ValueChange>& changes,
                    std::string& refusal) {
  std::map<CHtmlTextBase*, std::vector<const ValueChange*>> byHolder;
  for (const ValueChange& change : changes) {
    CHtmlTextBase* holder =
        offsets.at(references[change.reference].holder).element;
    byHolder[holder].push_back(&change);
  }
  for (auto& [holder, list] : byHolder) {
    std::sort(list.begin(), list.end(),
              [&](const ValueChange* a, const ValueChange* b) {
                return references[a->reference].at >
                       references[b->reference].at;
              });
    std::string markup = MarkupOf(*holder);
    for (const ValueChange* change : list) {
      const PageReference& reference = references[change->reference];
      const std::string old = Trim(reference.value);
      markup.replace(reference.at + reference.value.find(old), old.size(),
                     change->value);
    }
    if (!holder->Init(markup.c_str())) {
      refusal = "the library does not take the changed markup of its " +
                references[list.front()->reference].element;
      return false;
    }
  }
  return true;
}

std::string Rendering(const CHtmlMemDoc& document) {
  CString text;
  document.RenderToString(text, 0, nullptr);
  return std::string(text, static_cast<size_t>(text.GetLength()));
}

// "" when `patched` reads, holds the references of the page with the new
// values in the same order, and reads as `changed` (the page with its
// elements changed in memory) does.
std::string CheckPatched(const std::string& patched,
                         const std::vector<PageReference>& references,
                         const std::vector<ValueChange>& changes,
                         const CHtmlMemDoc& changed) {
  PageFile file = PageFileOf("", patched);
  CHtmlMemDoc written;
  if (!file.Ok() || !LoadPage(file, written))
    return "the changed page would not read again";
  std::vector<std::string> expected;
  for (const PageReference& reference : references)
    expected.push_back(reference.value);
  for (const ValueChange& change : changes) {
    std::string& value = expected[change.reference];
    const std::string old = Trim(value);
    value.replace(value.find(old), old.size(), change.value);
  }
  const std::vector<PageReference> found = FindReferences(written, file.text);
  const bool same =
      found.size() == expected.size() &&
      std::equal(expected.begin(), expected.end(), found.begin(),
                 [](const std::string& e, const PageReference& f) {
                   return e == f.value;
                 });
  if (!same) return "the changed page would not hold its references as planned";
  if (Rendering(written) != Rendering(changed))
    return "the changed page would read differently outside its references";
  return "";
}

}  // namespace

Placements PlaceElements(const CHtmlMemDoc& document, const std::string& text) {
  Placements offsets;
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind != HtmlReadElement || item.element == nullptr) continue;
    const size_t begin = static_cast<size_t>(item.begin);
    const size_t end = std::min(static_cast<size_t>(item.end), text.size());
    if (item.element == &document.m_frameSet) {
      size_t from = begin;
      for (int f = 0; f < document.m_frameSet.GetFrameCount(); ++f) {
        CHtmlTextBase* frame = document.m_frameSet.GetAt(f);
        const size_t at = text.find(MarkupOf(*frame), from);
        if (at == std::string::npos || at >= end) break;
        offsets.emplace(frame, PlacedElement{frame, at});
        from = at + 1;
      }
      continue;
    }
    auto* element = static_cast<CHtmlTextBase*>(item.element);
    const std::string markup = MarkupOf(*element);
    if (begin <= text.size() && text.compare(begin, markup.size(), markup) == 0)
      offsets.emplace(element, PlacedElement{element, begin});
  }
  return offsets;
}

bool SpliceBytes(const std::string& bytes, const std::string& text,
                 const std::vector<TextSplice>& splices, std::string& out) {
  std::vector<size_t> at;
  for (const TextSplice& splice : splices) {
    at.push_back(splice.begin);
    at.push_back(splice.end);
  }
  const std::vector<size_t> offsets = ByteOffsets(bytes, at);
  out.clear();
  size_t kept = 0;
  for (size_t i = 0; i < splices.size(); ++i) {
    const size_t begin = offsets[2 * i], end = offsets[2 * i + 1];
    const TextSplice& splice = splices[i];
    if (begin < kept || splice.end > text.size() ||
        !SameText(bytes.substr(begin, end - begin),
                  text.substr(splice.begin, splice.end - splice.begin)))
      return false;
    out.append(bytes, kept, begin - kept);
    out += splice.text;
    kept = end;
  }
  out.append(bytes, kept, std::string::npos);
  return true;
}

PatchedPage PatchPage(const std::string& bytes, const PageFile& page,
                      CHtmlMemDoc& document,
                      const std::vector<PageReference>& references,
                      const std::vector<ValueChange>& changes) {
  PatchedPage result;
  std::vector<Span> spans;
  std::string why;
  const Placements elements = PlaceElements(document, page.text);
  if (!PlaceChanges(elements, references, changes, spans, why)) {
    result.refusal = Refusal(RefusalCode::kNotInPlace, why);
    return result;
  }
  std::vector<TextSplice> splices;
  for (const Span& span : spans)
    splices.push_back(TextSplice{span.begin, span.end, span.change->value});
  if (!SpliceBytes(bytes, page.text, splices, result.bytes)) {
    result.refusal =
        Refusal(RefusalCode::kNotInPlace,
                "a reference is not in the file as the library read it");
    return result;
  }
  if (!ChangeInMemory(elements, references, changes, why)) {
    result.refusal = Refusal(RefusalCode::kNotExact, why);
    return result;
  }
  why = CheckPatched(result.bytes, references, changes, document);
  if (!why.empty()) result.refusal = Refusal(RefusalCode::kNoReadBack, why);
  return result;
}

}  // namespace htmlmemdoc
