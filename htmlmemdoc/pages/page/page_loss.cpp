// page_loss.cpp: three looks at a read page. The read record names what
// the reader passed over. A rendering read back again shows which layers
// the renderer left out: in each kind's list, the layers kept come back in
// order with their markup unchanged, so a walk over both lists side by
// side finds the others. Each style rule's declarations, compared with the
// rule as it is written, show the properties it does not write as given.

#include "htmlmemdoc/pages/page/page_loss.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/stacking.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

// `text` on one line, cut short when long.
std::string Cut(const std::string& text) {
  const size_t kLongest = 60;
  std::string line = Trim(text).substr(0, kLongest);
  std::replace(line.begin(), line.end(), '\n', ' ');
  return Trim(text).size() > kLongest ? line + "..." : line;
}

// Collects losses with the line each starts on: known at once for what
// the page text holds, looked up at the end for the document's elements
// (only theirs: one walk over the read record), so that the text need not
// be kept until then.
class LossList {
 public:
  LossList(const CHtmlMemDoc& document, const std::vector<int>& itemLines)
      : m_document(document), m_itemLines(itemLines) {}

  // `line` 0: not from the page text.
  void Add(const char* kind, const std::string& id, int line,
           const std::string& what) {
    Add(kind, id, Place{line, nullptr}, what);
  }
  void Add(const char* kind, const std::string& id, const CObject* element,
           const std::string& what) {
    Add(kind, id, Place{0, element}, what);
  }

  // Ends the list: one entry for the losses of each kind not listed, then
  // the line of every element's entry; sorted by line.
  std::vector<PageLoss> Finish() {
    for (const auto& [kind, repeats] : m_repeats) {
      if (repeats.found <= kMostLossesOfAKind) continue;
      const size_t more = repeats.found - kMostLossesOfAKind;
      m_losses.push_back(
          PageLoss{kind, "", 0,
                   "and " + std::to_string(more) + " more of this kind", more});
      m_places.push_back(repeats.first);
    }
    ElementLines();
    for (size_t i = 0; i < m_losses.size(); ++i) {
      m_losses[i].line = m_places[i].line;
    }
    std::stable_sort(
        m_losses.begin(), m_losses.end(),
        [](const PageLoss& a, const PageLoss& b) { return a.line < b.line; });
    return std::move(m_losses);
  }

 private:
  struct Place {
    int line;
    const CObject* element;  // when set, the line is the element's
  };
  struct Repeats {
    size_t found = 0;
    Place first{0, nullptr};  // of those not listed
  };

  void Add(const char* kind, const std::string& id, Place place,
           const std::string& what) {
    Repeats& repeats = m_repeats[kind];
    if (++repeats.found > kMostLossesOfAKind) {
      if (repeats.found == kMostLossesOfAKind + 1) repeats.first = place;
      return;
    }
    m_losses.push_back(PageLoss{kind, id, 0, Cut(what)});
    m_places.push_back(place);
  }

  // Each element's line from the read record; 0 when the read did not
  // make it.
  void ElementLines() {
    std::unordered_map<const CObject*, int> lines;
    for (const Place& place : m_places) {
      if (place.element != nullptr) lines.emplace(place.element, 0);
    }
    if (lines.empty()) return;
    for (int i = 0; i < m_document.GetReadItemCount(); ++i) {
      const CHtmlReadItem& item = *m_document.GetReadItem(i);
      if (item.kind != HtmlReadElement) continue;
      const auto found = lines.find(item.element);
      if (found != lines.end()) found->second = m_itemLines[i];
    }
    for (Place& place : m_places) {
      if (place.element != nullptr) place.line = lines[place.element];
    }
  }

  const CHtmlMemDoc& m_document;
  const std::vector<int>& m_itemLines;
  std::vector<PageLoss> m_losses;
  std::vector<Place> m_places;
  std::map<std::string, Repeats> m_repeats;
};

// A frame tag the renderer writes back as the bare tag: its name alone,
// or a style start tag that only says its type is CSS.
bool IsBareTag(const std::string& tag) {
  std::string name = Lower(tag);
  name.erase(
      std::remove_if(
          name.begin(), name.end(),
          [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
      name.end());
  return name.find_first_of(" =\"'") == std::string::npos ||
         name == "<styletype=\"text/css\">" || name == "<styletype=text/css>";
}

void AddRecordLosses(const CHtmlMemDoc& document, const std::string& text,
                     const std::vector<int>& itemLines, LossList& losses) {
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    const int line = itemLines[static_cast<size_t>(i)];
    if (item.kind == HtmlReadElement) continue;  // the most, and no loss
    const std::string stretch =
        text.substr(static_cast<size_t>(item.begin),
                    static_cast<size_t>(item.end - item.begin));
    switch (item.kind) {
      case HtmlReadText:
        losses.Add("text between the page's tags", "", line, stretch);
        break;
      case HtmlReadComment:
        losses.Add("comment", "", line, stretch);
        break;
      case HtmlReadDropped:
        losses.Add("page script", "", line, stretch);
        break;
      case HtmlReadReplaced:
        losses.Add("element replaced by a later one", "", line,
                   stretch.substr(0, stretch.find('>') + 1));
        break;
      case HtmlReadTag:
        if (!IsBareTag(stretch)) {
          losses.Add("attributes of a tag written bare", "", line, stretch);
        }
        break;
      default:
        break;
    }
  }
}

void AddLayers(const std::vector<const CHtmlLayer*>& layers, const char* kind,
               LossList& losses) {
  for (const CHtmlLayer* layer : layers) {
    losses.Add(kind, LayerId(*layer), layer, MarkupOf(*layer));
  }
}

void AddLayerLosses(const CHtmlMemDoc& document, const ReadBack& written,
                    LossList& losses) {
  for (POSITION pos = document.m_layerList.GetHeadPosition(); pos != nullptr;) {
    const auto* layer =
        static_cast<const CHtmlLayer*>(document.m_layerList.GetNext(pos));
    losses.Add("plain layer (no text, image or embed in it)", LayerId(*layer),
               layer, MarkupOf(*layer));
  }
  AddLayers(written.Lost(kTextLayers), "text layer left out", losses);
  AddLayers(written.Lost(kImageLayers), "image layer with an empty source",
            losses);
  AddLayers(written.Lost(kVideoLayers), "video layer with an empty source",
            losses);
  AddLayers(written.Lost(kEmbedLayers), "embed layer with an empty source",
            losses);
  for (const StackingChange& change :
       FindStackingChanges(document, kMostLossesOfAKind)) {
    losses.Add("stacking order", LayerId(*change.under), change.under,
               "would go under " +
                   (change.over != nullptr ? "layer " + LayerId(*change.over)
                                           : std::string("a layer")) +
                   ", which it overlaps");
  }
}

// The declarations between a rule's braces.
std::map<std::string, std::string> RuleDeclarations(const std::string& rule) {
  const size_t open = rule.find('{');
  if (open == std::string::npos) return {};
  const size_t close = rule.rfind('}');
  return Declarations(rule.substr(
      open + 1, (close == std::string::npos ? rule.size() : close) - open - 1));
}

void AddStyleLosses(const CHtmlMemDoc& document, LossList& losses) {
  for (POSITION pos = document.m_styleList.GetHeadPosition(); pos != nullptr;) {
    const CHtmlStyle& rule =
        *static_cast<const CHtmlStyle*>(document.m_styleList.GetNext(pos));
    CString written;
    rule.RenderOutputString(written, 0);
    const std::string writtenText =
        Lower(Squeezed(static_cast<const char*>(written)));
    const std::string markup = MarkupOf(rule);
    // Each declaration is a stretch of the rule, so with the blanks and
    // case aside a rule written as it stands keeps every one of them.
    if (Lower(Squeezed(markup)) == writtenText) continue;
    CString name;
    rule.GetStyleName(name);
    for (const auto& declaration : RuleDeclarations(markup)) {
      const std::string wanted =
          Lower(Squeezed(declaration.first + ":" + declaration.second));
      if (writtenText.find(wanted) != std::string::npos) continue;
      losses.Add("style property not written as given in rule",
                 static_cast<const char*>(name), &rule,
                 declaration.first + ": " + declaration.second);
    }
  }
}

// What a frameset block holds besides its start tag, its frames and its
// end tag.
void AddFrameSetLoss(const CHtmlMemDoc& document, const std::string& text,
                     const std::vector<int>& itemLines, LossList& losses) {
  long begin = -1;
  size_t end = 0;
  int line = 0;
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind == HtmlReadElement && item.element == &document.m_frameSet) {
      begin = item.begin;
      end = static_cast<size_t>(item.end);
      line = itemLines[static_cast<size_t>(i)];
    }
  }
  if (begin < 0) return;
  const std::string block =
      text.substr(static_cast<size_t>(begin), end - begin);
  // The block with its start tag and each frame, found in order, turned
  // into a blank: built in one pass, as a frameset may hold many frames.
  std::string rest;
  size_t from = 0;
  auto skip = [&](const std::string& part) {
    const size_t at = part.empty() ? std::string::npos : block.find(part, from);
    if (at == std::string::npos) return;
    rest.append(block, from, at - from);
    rest += ' ';
    from = at + part.size();
  };
  skip(MarkupOf(document.m_frameSet));
  for (int i = 0; i < document.m_frameSet.GetFrameCount(); ++i) {
    skip(MarkupOf(*document.m_frameSet.GetAt(i)));
  }
  rest.append(block, from, std::string::npos);
  const size_t endTag = Lower(rest).rfind("</frameset");
  if (endTag != std::string::npos) rest.erase(endTag);
  if (!Trim(rest).empty()) {
    losses.Add("frameset content other than frames", "", line, rest);
  }
}

}  // namespace

struct LossFinder::Found {
  Found(const CHtmlMemDoc& document, const std::string& text)
      : itemLines(ReadItemLines(document, text)), losses(document, itemLines) {}
  std::vector<int> itemLines;
  LossList losses;
};

LossFinder::LossFinder(const CHtmlMemDoc& document, const std::string& text)
    : m_document(document), m_found(new Found(document, text)) {
  AddRecordLosses(document, text, m_found->itemLines, m_found->losses);
  AddFrameSetLoss(document, text, m_found->itemLines, m_found->losses);
  AddStyleLosses(document, m_found->losses);
}

LossFinder::~LossFinder() = default;

std::vector<PageLoss> LossFinder::Finish(const ReadBack& written) {
  AddLayerLosses(m_document, written, m_found->losses);
  return m_found->losses.Finish();
}

namespace {

// Renders the document and reads the rendering back.
std::vector<PageLoss> RenderAndFinish(const CHtmlMemDoc& document,
                                      LossFinder& finder) {
  ReadBack written(document);
  {
    CString rendered;
    document.RenderToString(rendered, 0, nullptr);
    written.Read(rendered);
  }
  return finder.Finish(written);
}

}  // namespace

std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text) {
  LossFinder finder(document, text);
  return RenderAndFinish(document, finder);
}

std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 std::string&& text) {
  LossFinder finder(document, text);
  std::string().swap(text);
  return RenderAndFinish(document, finder);
}

std::vector<int> ReadItemLines(const CHtmlMemDoc& document,
                               const std::string& text,
                               std::vector<int>* columns) {
  std::vector<int> lines(static_cast<size_t>(document.GetReadItemCount()));
  if (columns != nullptr) columns->assign(lines.size(), 0);
  int line = 1;
  size_t counted = 0;    // text[0, counted) holds line - 1 line feeds
  size_t lineStart = 0;  // where the line of `counted` starts
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t offset = std::max(
        counted, std::min(static_cast<size_t>(
                              document.GetReadItem(static_cast<int>(i))->begin),
                          text.size()));
    const size_t feeds =
        CountLineFeeds(text.data() + counted, text.data() + offset);
    line += static_cast<int>(feeds);
    // The last of them is in text[counted, offset): the search is linear.
    if (feeds > 0) lineStart = text.rfind('\n', offset - 1) + 1;
    counted = offset;
    lines[i] = line;
    if (columns != nullptr)
      (*columns)[i] = static_cast<int>(offset - lineStart) + 1;
  }
  return lines;
}

size_t CountLosses(const std::vector<PageLoss>& losses) {
  size_t count = 0;
  for (const PageLoss& loss : losses) count += loss.count;
  return count;
}

std::vector<PageLoss> CheckPageFile(PageFile& page) {
  CHtmlMemDoc document;
  if (!page.Ok() || !LoadPage(page, document)) return {};
  return FindLosses(document, std::move(page.text));
}

std::string DescribeLoss(const PageLoss& loss) {
  std::string line =
      loss.line > 0 ? "line " + std::to_string(loss.line) + ": " : "";
  line += loss.kind;
  if (!loss.id.empty()) line += " " + loss.id;
  return line + ": " + loss.what;
}

}  // namespace htmlmemdoc
