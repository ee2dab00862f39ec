// page_references.cpp: the read record gives the elements in page order;
// each element's markup is tokenized as a browser reads it, and the
// attributes that name files are taken from its tags. Two kinds of
// reference live inside another attribute's value: the preloaded images
// in the body's load handler and a layer's style background image; the
// library reads those, and they are placed by finding them in that value.

#include "htmlmemdoc/pages/page_references.h"

#include <algorithm>

#include "htmlmemdoc/pages/markup_view.h"
#include "htmlmemdoc/pages/page_loss.h"
#include "htmlmemdoc/pages/page_model.h"
#include "htmlmemdoc/pages/text_util.h"

namespace htmlmemdoc {
namespace {

// The file-naming attributes of a tag of an element of kind `element`.
bool NamesFile(const std::string& element, const std::string& tag,
               const std::string& attribute) {
  if (attribute == "background") return true;
  const bool layer = element.find("layer") != std::string::npos;
  if (tag == "img")
    return layer && (attribute == "src" || attribute == "dynsrc");
  if (tag == "embed") return layer && attribute == "src";
  if (tag == "a") return layer && attribute == "href";
  if (tag == "bgsound" || tag == "frame" || tag == "script")
    return attribute == "src";
  return false;
}

class Collector {
 public:
  Collector(std::vector<PageReference>& found) : m_found(found) {}

  // The references of one element that starts on `line`.
  void Element(CHtmlTextBase& element, const std::string& kind,
               const std::string& id, int line) {
    const std::string markup = MarkupOf(element);
    m_tokens = ViewMarkup(markup);
    for (const MarkupToken& token : m_tokens) {
      if (token.kind != MarkupToken::kTag) continue;
      for (const auto& attribute : token.attributes) {
        if (attribute.valueAt == std::string::npos ||
            !NamesFile(kind, token.name, attribute.name) ||
            Trim(attribute.value).empty()) {
          continue;
        }
        Add(element, kind, id, token.name, attribute, attribute.value, 0, line,
            markup);
      }
    }
  }

  // A reference the library reads inside attribute `name` of the first
  // tag `tag` of the element, found there after the end of the one before
  // it.
  void Inner(CHtmlTextBase& element, const std::string& kind,
             const std::string& id, const std::string& tag,
             const std::string& name, const std::string& value, int line) {
    const std::string markup = MarkupOf(element);
    const int at = FindTag(m_tokens, tag);
    const MarkupToken::Attribute* attribute =
        at < 0 ? nullptr
               : FindAttribute(m_tokens[static_cast<size_t>(at)], name);
    if (attribute == nullptr || value.empty()) return;
    const size_t inside = attribute->value.find(value, m_innerFrom);
    if (inside != std::string::npos) m_innerFrom = inside + value.size();
    Add(element, kind, id, tag, *attribute, value, inside, line, markup);
  }

  void ResetInner() { m_innerFrom = 0; }

 private:
  void Add(CHtmlTextBase& element, const std::string& kind,
           const std::string& id, const std::string& tag,
           const MarkupToken::Attribute& attribute, const std::string& value,
           size_t inside, int line, const std::string& markup) {
    PageReference reference;
    reference.value = value;
    reference.element = kind;
    reference.id = id;
    reference.tag = tag;
    reference.attribute = attribute.name;
    reference.holder = &element;
    reference.quote = attribute.quote;
    if (inside != std::string::npos) reference.at = attribute.valueAt + inside;
    const size_t upTo = std::min(
        reference.at == std::string::npos ? attribute.valueAt : reference.at,
        markup.size());
    reference.line =
        line == 0 ? 0
                  : line + static_cast<int>(std::count(
                               markup.begin(),
                               markup.begin() + static_cast<long>(upTo), '\n'));
    m_found.push_back(std::move(reference));
  }

  std::vector<PageReference>& m_found;
  std::vector<MarkupToken> m_tokens;
  size_t m_innerFrom = 0;
};

}  // namespace

std::vector<PageReference> FindReferences(const CHtmlMemDoc& document,
                                          const std::string& text) {
  std::vector<PageReference> found;
  Collector collect(found);
  const std::vector<int> lines = ReadItemLines(document, text);
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind != HtmlReadElement || item.element == nullptr) continue;
    auto* element = static_cast<CHtmlTextBase*>(item.element);
    const int line = lines[static_cast<size_t>(i)];
    if (element->IsKindOf(RUNTIME_CLASS(CHtmlLayer))) {
      auto* layer = static_cast<CHtmlLayer*>(element);
      const std::string kind = std::string(LayerKind(*layer)) + " layer";
      const std::string id = LayerId(*layer);
      collect.Element(*layer, kind, id, line);
      CString address;
      collect.ResetInner();
      if (layer->GetBackgroundImage(address, "div")) {
        collect.Inner(*layer, kind, id, "div", "style",
                      static_cast<const char*>(address), line);
      }
    } else if (element == &document.m_body) {
      collect.Element(*element, "body", "", line);
      CStringArray preloads;
      collect.ResetInner();
      if (document.m_body.GetPreloadImage(preloads)) {
        for (int p = 0; p < preloads.GetSize(); ++p) {
          collect.Inner(*element, "body", "", "body", "onload",
                        static_cast<const char*>(preloads[p]), line);
        }
      }
    } else if (element == &document.m_bgSound) {
      collect.Element(*element, "background sound", "", line);
    } else if (element == &document.m_frameSet) {
      for (int f = 0; f < document.m_frameSet.GetFrameCount(); ++f) {
        collect.Element(*document.m_frameSet.GetAt(f), "frame", "", line);
      }
    } else if (element->IsKindOf(RUNTIME_CLASS(CHtmlScript))) {
      collect.Element(*element, "script", "", line);
    }
  }
  return found;
}

}  // namespace htmlmemdoc
