// page_references.cpp: the read record gives the elements in page order;
// each element's markup is tokenized as a browser reads it, and the
// attributes that name files are taken from its tags. Two kinds of
// reference live inside another attribute's value: the preloaded images
// in the body's load handler and a layer's style background image; the
// library reads those, and they are placed by finding them in that value.
// A browser also fetches what scripts in event handlers name (the images a
// swap-image handler shows on hover) and what url() names in a style
// attribute or a style rule: those are found in the text itself, each a
// quoted name with a file extension or a url() argument.

#include "htmlmemdoc/pages/page/page_references.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

// The file-naming attributes of a tag of an element, a layer or not.
bool NamesFile(bool layer, std::string_view tag, std::string_view attribute) {
  if (attribute == "background") return true;
  if (tag == "img")
    return layer && (attribute == "src" || attribute == "dynsrc");
  if (tag == "embed") return layer && attribute == "src";
  if (tag == "a") return layer && attribute == "href";
  if (tag == "bgsound" || tag == "frame" || tag == "script")
    return attribute == "src";
  return false;
}

// Each stretch of `value` a browser fetches: quoted names ending in a file
// extension, in an event handler ("images/rose_over.gif" in
// MM_swapImage('Rose','','images/rose_over.gif',1)), or the arguments of
// url(...) in a style, as (offset, length) pairs.
std::vector<std::pair<size_t, size_t>> NamesIn(const std::string& value,
                                               bool handler) {
  std::vector<std::pair<size_t, size_t>> names;
  if (handler) {
    for (size_t at = value.find_first_of("'\""); at != std::string::npos;) {
      const size_t end = value.find(value[at], at + 1);
      if (end == std::string::npos) break;
      const std::string name = value.substr(at + 1, end - at - 1);
      const size_t dot = name.rfind('.');
      const bool file =
          dot != std::string::npos && dot > 0 && name.size() - dot >= 3 &&
          name.size() - dot <= 5 &&
          name.find_first_of(" ();,") == std::string::npos &&
          std::all_of(name.begin() + static_cast<long>(dot) + 1, name.end(),
                      [](char c) {
                        return std::isalnum(static_cast<unsigned char>(c));
                      });
      if (file) names.emplace_back(at + 1, end - at - 1);
      at = value.find_first_of("'\"", end + 1);
    }
    return names;
  }
  const std::string lower = Lower(value);
  for (size_t at = lower.find("url("); at != std::string::npos;
       at = lower.find("url(", at + 4)) {
    size_t from = at + 4;
    while (from < value.size() && value[from] == ' ') ++from;
    const char quote =
        from < value.size() && (value[from] == '\'' || value[from] == '"')
            ? value[from]
            : 0;
    if (quote != 0) ++from;
    const size_t end =
        quote != 0 ? value.find(quote, from) : value.find_first_of(") ", from);
    if (end == std::string::npos || end == from) continue;
    names.emplace_back(from, end - from);
  }
  return names;
}

bool IsHandler(const std::string& attribute) {
  return attribute.size() > 2 && attribute.compare(0, 2, "on") == 0;
}

// The attributes that may name a file: event handlers, styles, and the
// file-naming ones of NamesFile.
bool NamesFiles(const std::string& attribute) {
  const std::string_view name = attribute;
  return IsHandler(attribute) || name == "style" || name == "background" ||
         name == "src" || name == "dynsrc" || name == "href";
}

// Where an element starts in the page text: 1-based line and column, both
// 0 when unknown.
struct Place {
  int line = 0;
  int column = 0;
};

// The place of text[length], text[0] standing at `start`.
Place Advance(std::string_view text, size_t length, Place start) {
  if (start.line == 0) return start;
  const size_t feeds = CountLineFeeds(text.data(), text.data() + length);
  if (feeds == 0) return {start.line, start.column + static_cast<int>(length)};
  return {start.line + static_cast<int>(feeds),
          static_cast<int>(length - text.rfind('\n', length - 1))};
}

class Collector {
 public:
  Collector(std::vector<PageReference>& found) : m_found(found) {}

  // The references of one element that starts at `place`.
  void Element(const CHtmlTextBase& element, const std::string& kind,
               const std::string& id, Place place) {
    const std::string markup = MarkupOf(element);
    ViewTags(markup, NamesFiles, m_tokens);
    const bool layer = kind.find("layer") != std::string::npos;
    bool first = true;  // a layer's first tag is its div
    for (const MarkupToken& token : m_tokens) {
      const bool layerDiv = first && layer;
      first = false;
      const std::string_view tag = token.name;
      for (const auto& attribute : token.attributes) {
        if (attribute.valueAt == std::string::npos) continue;
        const std::string_view name = attribute.name;
        // The library itself reads a layer's style background and the
        // body's preloads (see Inner).
        const bool handler =
            IsHandler(attribute.name) && !(tag == "body" && name == "onload");
        if (handler || (name == "style" && !layerDiv)) {
          // Names are looked for in the value as a browser reads it
          // ("&quot;" quoting a handler's strings); one that reads
          // otherwise than it is written has no place to be fixed in.
          const std::string read = DecodeCharacterReferences(attribute.value);
          const bool decoded = read != attribute.value;
          for (const auto& [at, size] : NamesIn(read, handler))
            Add(element, kind, id, token.name, attribute, read.substr(at, size),
                decoded ? std::string::npos : at, place, markup, decoded);
          continue;
        }
        if (!NamesFile(layer, tag, name) || Trim(attribute.value).empty()) {
          continue;
        }
        Add(element, kind, id, token.name, attribute, attribute.value, 0, place,
            markup);
      }
    }
  }

  // The url() names of a style rule, placed in its text, which no
  // attribute quotes: each is replaced exactly where it stands.
  void Rule(const CHtmlTextBase& rule, Place place) {
    const std::string markup = MarkupOf(rule);
    MarkupToken::Attribute whole;
    whole.name = "style";
    whole.valueAt = 0;
    whole.quote = '"';
    for (const auto& [at, size] : NamesIn(markup, false))
      Add(rule, "style rule", "", "style", whole, markup.substr(at, size), at,
          place, markup);
  }

  // A reference the library reads inside attribute `name` of the first
  // tag `tag` of the element, found there after the end of the one before
  // it.
  void Inner(const CHtmlTextBase& element, const std::string& kind,
             const std::string& id, const std::string& tag,
             const std::string& name, const std::string& value, Place place) {
    const std::string markup = MarkupOf(element);
    const int at = FindTag(m_tokens, tag);
    const MarkupToken::Attribute* attribute =
        at < 0 ? nullptr
               : FindAttribute(m_tokens[static_cast<size_t>(at)], name);
    if (attribute == nullptr || value.empty()) return;
    const size_t inside = attribute->value.find(value, m_innerFrom);
    if (inside != std::string::npos) m_innerFrom = inside + value.size();
    Add(element, kind, id, tag, *attribute, value, inside, place, markup);
  }

  void ResetInner() { m_innerFrom = 0; }

 private:
  void Add(const CHtmlTextBase& element, const std::string& kind,
           const std::string& id, const std::string& tag,
           const MarkupToken::Attribute& attribute, const std::string& value,
           size_t inside, Place place, const std::string& markup,
           bool decoded = false) {
    PageReference reference;
    reference.value = value;
    reference.decoded = decoded;
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
    const Place at = Advance(markup, upTo, place);
    reference.line = at.line;
    reference.column = at.column;
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
  std::vector<int> columns;
  const std::vector<int> lines = ReadItemLines(document, text, &columns);
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind != HtmlReadElement || item.element == nullptr) continue;
    const auto* element = static_cast<const CHtmlTextBase*>(item.element);
    const Place place{lines[static_cast<size_t>(i)],
                      columns[static_cast<size_t>(i)]};
    if (element->IsKindOf(RUNTIME_CLASS(CHtmlLayer))) {
      const auto* layer = static_cast<const CHtmlLayer*>(element);
      const std::string kind = std::string(LayerKindName(*layer)) + " layer";
      const std::string id = LayerId(*layer);
      collect.Element(*layer, kind, id, place);
      CString address;
      collect.ResetInner();
      if (layer->GetBackgroundImage(address, "div")) {
        collect.Inner(*layer, kind, id, "div", "style",
                      static_cast<const char*>(address), place);
      }
    } else if (element == &document.m_body) {
      collect.Element(*element, "body", "", place);
      CStringArray preloads;
      collect.ResetInner();
      if (document.m_body.GetPreloadImage(preloads)) {
        for (int p = 0; p < preloads.GetSize(); ++p) {
          collect.Inner(*element, "body", "", "body", "onload",
                        static_cast<const char*>(preloads[p]), place);
        }
      }
    } else if (element == &document.m_bgSound) {
      collect.Element(*element, "background sound", "", place);
    } else if (element == &document.m_frameSet) {
      // Each frame's markup stands in the text after the frameset's tag,
      // byte for byte, in order; a frame not found there (never, for the
      // text the document read) takes the place of the one before it.
      size_t from = std::min<size_t>(item.begin, text.size());
      Place at = place;
      for (int f = 0; f < document.m_frameSet.GetFrameCount(); ++f) {
        const CHtmlTextBase& frame = *document.m_frameSet.GetAt(f);
        const size_t found = text.find(MarkupOf(frame), from);
        if (found != std::string::npos) {
          at = Advance(std::string_view(text).substr(from), found - from, at);
          from = found;
        }
        collect.Element(frame, "frame", "", at);
      }
    } else if (element->IsKindOf(RUNTIME_CLASS(CHtmlScript))) {
      collect.Element(*element, "script", "", place);
    } else if (element->IsKindOf(RUNTIME_CLASS(CHtmlStyle))) {
      collect.Rule(*element, place);
    }
  }
  return found;
}

}  // namespace htmlmemdoc
