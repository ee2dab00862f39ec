// page_loss.cpp: three looks at a read page. The read record names what
// the reader passed over. A rendering read back again shows which layers
// the renderer left out: in each kind's list, the layers kept come back in
// order with their markup unchanged, so a walk over both lists side by
// side finds the others. Each style rule's declarations, compared with the
// rule as it is written, show the properties it does not write as given.

#include "htmlmemdoc/pages/page_loss.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

#include "htmlmemdoc/pages/message_capture.h"
#include "htmlmemdoc/pages/text_util.h"

namespace htmlmemdoc {
namespace {

// `text` on one line, cut short when long.
std::string Cut(const std::string& text) {
  const size_t kLongest = 60;
  std::string line = Trim(text).substr(0, kLongest);
  std::replace(line.begin(), line.end(), '\n', ' ');
  return Trim(text).size() > kLongest ? line + "..." : line;
}

// Collects losses with their offsets in the page text; Lines() then gives
// each its line in one pass over the text, so no table of line starts (as
// large as the text for a page of blank lines) is built.
class LossList {
 public:
  explicit LossList(std::vector<PageLoss>& losses) : m_losses(losses) {}

  // `offset` < 0: not from the page text.
  void Add(const char* kind, const std::string& id, long offset,
           const std::string& what) {
    Repeats& repeats = m_repeats[kind];
    if (++repeats.found > kMostLossesOfAKind) {
      if (repeats.found == kMostLossesOfAKind + 1) repeats.firstOffset = offset;
      return;
    }
    m_losses.push_back(PageLoss{kind, id, 0, Cut(what)});
    m_offsets.push_back(offset);
  }

  // Ends the list: one entry for the losses of each kind not listed, then
  // the line of every entry.
  void Finish(const std::string& text) {
    for (const auto& [kind, repeats] : m_repeats) {
      if (repeats.found <= kMostLossesOfAKind) continue;
      const size_t more = repeats.found - kMostLossesOfAKind;
      m_losses.push_back(
          PageLoss{kind, "", 0,
                   "and " + std::to_string(more) + " more of this kind", more});
      m_offsets.push_back(repeats.firstOffset);
    }
    Lines(text);
  }

 private:
  struct Repeats {
    size_t found = 0;
    long firstOffset = -1;
  };

  void Lines(const std::string& text) {
    std::vector<size_t> order(m_losses.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
      return m_offsets[a] < m_offsets[b];
    });
    int line = 1;
    size_t counted = 0;  // text[0, counted) holds line - 1 line feeds
    for (size_t i : order) {
      if (m_offsets[i] < 0) continue;
      const size_t offset =
          std::min(static_cast<size_t>(m_offsets[i]), text.size());
      line += static_cast<int>(
          std::count(text.begin() + static_cast<long>(counted),
                     text.begin() + static_cast<long>(offset), '\n'));
      counted = offset;
      m_losses[i].line = line;
    }
  }

  std::vector<PageLoss>& m_losses;
  std::vector<long> m_offsets;
  std::map<std::string, Repeats> m_repeats;
};

std::string IdOf(const CHtmlLayer& layer) {
  CString id;
  return layer.GetAttribute("div", "id", id) ? static_cast<const char*>(id)
                                             : "";
}

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
                     LossList& losses) {
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    const std::string stretch =
        text.substr(static_cast<size_t>(item.begin),
                    static_cast<size_t>(item.end - item.begin));
    switch (item.kind) {
      case HtmlReadText:
        losses.Add("text between the page's tags", "", item.begin, stretch);
        break;
      case HtmlReadComment:
        losses.Add("comment", "", item.begin, stretch);
        break;
      case HtmlReadDropped:
        losses.Add("page script", "", item.begin, stretch);
        break;
      case HtmlReadReplaced:
        losses.Add("element replaced by a later one", "", item.begin,
                   stretch.substr(0, stretch.find('>') + 1));
        break;
      case HtmlReadTag:
        if (!IsBareTag(stretch)) {
          losses.Add("attributes of a tag written bare", "", item.begin,
                     stretch);
        }
        break;
      default:
        break;
    }
  }
}

// Where each kept element starts in the page text.
std::unordered_map<const CObject*, long> ElementOffsets(
    const CHtmlMemDoc& document) {
  std::unordered_map<const CObject*, long> offsets;
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind == HtmlReadElement) offsets[item.element] = item.begin;
  }
  return offsets;
}

long OffsetOf(const std::unordered_map<const CObject*, long>& offsets,
              const CObject* element) {
  const auto found = offsets.find(element);
  return found != offsets.end() ? found->second : -1;
}

// The layers of `kept` the rendering `written` has lost.
void AddDroppedLayers(const CObList& kept, const CObList& written,
                      const char* kind,
                      const std::unordered_map<const CObject*, long>& offsets,
                      LossList& losses) {
  POSITION next = written.GetHeadPosition();
  for (POSITION pos = kept.GetHeadPosition(); pos != nullptr;) {
    const CHtmlLayer& layer =
        *static_cast<const CHtmlLayer*>(kept.GetNext(pos));
    const std::string markup = MarkupOf(layer);
    if (next != nullptr && MarkupOf(*static_cast<const CHtmlTextBase*>(
                               written.GetAt(next))) == markup) {
      written.GetNext(next);
      continue;
    }
    losses.Add(kind, IdOf(layer), OffsetOf(offsets, &layer), markup);
  }
}

void AddLayerLosses(const CHtmlMemDoc& document, const CHtmlMemDoc& written,
                    const std::unordered_map<const CObject*, long>& offsets,
                    LossList& losses) {
  CObList none;
  AddDroppedLayers(document.m_layerList, none,
                   "plain layer (no text, image or embed in it)", offsets,
                   losses);
  AddDroppedLayers(document.m_textLayerList, written.m_textLayerList,
                   "text layer left out", offsets, losses);
  AddDroppedLayers(document.m_imageLayerList, written.m_imageLayerList,
                   "image layer with an empty source", offsets, losses);
  AddDroppedLayers(document.m_videoLayerList, written.m_videoLayerList,
                   "video layer with an empty source", offsets, losses);
  AddDroppedLayers(document.m_embedLayerList, written.m_embedLayerList,
                   "embed layer with an empty source", offsets, losses);
}

// The declarations between a rule's braces.
std::map<std::string, std::string> RuleDeclarations(const std::string& rule) {
  const size_t open = rule.find('{');
  if (open == std::string::npos) return {};
  const size_t close = rule.rfind('}');
  return Declarations(rule.substr(
      open + 1, (close == std::string::npos ? rule.size() : close) - open - 1));
}

void AddStyleLosses(const CHtmlMemDoc& document,
                    const std::unordered_map<const CObject*, long>& offsets,
                    LossList& losses) {
  for (POSITION pos = document.m_styleList.GetHeadPosition(); pos != nullptr;) {
    const CHtmlStyle& rule =
        *static_cast<const CHtmlStyle*>(document.m_styleList.GetNext(pos));
    CString written;
    rule.RenderOutputString(written, 0);
    const std::string writtenText =
        Lower(Squeezed(static_cast<const char*>(written)));
    CString name;
    rule.GetStyleName(name);
    for (const auto& declaration : RuleDeclarations(MarkupOf(rule))) {
      const std::string wanted =
          Lower(Squeezed(declaration.first + ":" + declaration.second));
      if (writtenText.find(wanted) != std::string::npos) continue;
      losses.Add("style property not written as given in rule",
                 static_cast<const char*>(name), OffsetOf(offsets, &rule),
                 declaration.first + ": " + declaration.second);
    }
  }
}

// What a frameset block holds besides its start tag, its frames and its
// end tag.
void AddFrameSetLoss(const CHtmlMemDoc& document, const std::string& text,
                     const std::unordered_map<const CObject*, long>& offsets,
                     LossList& losses) {
  const long begin = OffsetOf(offsets, &document.m_frameSet);
  if (begin < 0) return;
  size_t end = static_cast<size_t>(begin);
  for (int i = 0; i < document.GetReadItemCount(); ++i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.element == &document.m_frameSet)
      end = static_cast<size_t>(item.end);
  }
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
    losses.Add("frameset content other than frames", "", begin, rest);
  }
}

}  // namespace

std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text,
                                 const CHtmlMemDoc& written) {
  std::vector<PageLoss> found;
  LossList losses(found);
  const auto offsets = ElementOffsets(document);
  AddRecordLosses(document, text, losses);
  AddFrameSetLoss(document, text, offsets, losses);
  AddStyleLosses(document, offsets, losses);
  AddLayerLosses(document, written, offsets, losses);
  losses.Finish(text);
  std::stable_sort(
      found.begin(), found.end(),
      [](const PageLoss& a, const PageLoss& b) { return a.line < b.line; });
  return found;
}

std::vector<PageLoss> FindLosses(const CHtmlMemDoc& document,
                                 const std::string& text) {
  CHtmlMemDoc written;
  {
    CString rendered;
    document.RenderToString(rendered, 0, nullptr);
    CMessageCapture quiet;
    written.ReadFromString(rendered);
  }
  return FindLosses(document, text, written);
}

size_t CountLosses(const std::vector<PageLoss>& losses) {
  size_t count = 0;
  for (const PageLoss& loss : losses) count += loss.count;
  return count;
}

std::string DescribeLoss(const PageLoss& loss) {
  std::string line =
      loss.line > 0 ? "line " + std::to_string(loss.line) + ": " : "";
  line += loss.kind;
  if (!loss.id.empty()) line += " " + loss.id;
  return line + ": " + loss.what;
}

}  // namespace htmlmemdoc
