// page_model.cpp: reads the document's members and layers through the
// library's accessors into JSON.

#include "htmlmemdoc/pages/report/page_model.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/report/layer_model.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/text/text_util.h"

using nlohmann::json;

namespace htmlmemdoc {
namespace {

json TitleOf(const CHtmlTitle& title) {
  std::string text;
  return TitleText(title, text) ? json(text) : json(nullptr);
}

json Strings(const CStringArray& items) {
  json all = json::array();
  for (int i = 0; i < items.GetSize(); ++i) {
    all.push_back(static_cast<const char*>(items[i]));
  }
  return all;
}

// A script as its source file, or as the size of its inline text.
json DescribeScript(const CHtmlScript& script) {
  CString src;
  const int hasSrc = script.GetAttribute("script", "src", src);
  const char* markup = script;
  return {{"src", StringOr(hasSrc, src)},
          {"bytes", markup != nullptr ? std::strlen(markup) : 0}};
}

// A style rule as it is written back.
json DescribeRule(const CHtmlStyle& rule) {
  CString text;
  rule.RenderOutputString(text, 0);
  return static_cast<const char*>(text);
}

json BackgroundSound(const CHtmlMemDoc& document) {
  if (!document.IsBackgroundSoundExist()) return nullptr;
  char src[1040];
  document.GetBackgroundSound(src, sizeof src);
  int loop = 0;
  const int hasLoop = document.m_bgSound.GetLoop(loop);
  return {{"src", src}, {"loop", NumberOr(hasLoop, loop)}};
}

// A frame dimension as {"value": 50, "unit": "percent"}, or null.
json Dimension(int ok, int value, HtmlUnit unit) {
  static const char* const kUnits[] = {"relative", "pixel", "percent"};
  if (!ok) return nullptr;
  return {{"value", value}, {"unit", kUnits[unit - HtmlUnitRelative]}};
}

}  // namespace

json DescribeFrameModel(const CHtmlFrame& frame) {
  CString name;
  CString src;
  int width = 0, height = 0;
  HtmlUnit widthUnit = HtmlUnitPixel, heightUnit = HtmlUnitPixel;
  const int hasName = frame.GetName(name);
  const int hasSrc = frame.GetSrc(src);
  const int hasWidth = frame.GetWidth(width, widthUnit);
  const int hasHeight = frame.GetHeight(height, heightUnit);
  return {{"name", StringOr(hasName, name)},
          {"src", StringOr(hasSrc, src)},
          {"width", Dimension(hasWidth, width, widthUnit)},
          {"height", Dimension(hasHeight, height, heightUnit)}};
}

namespace {

template <typename Visit>
void ForEachFrame(const CHtmlMemDoc& document, Visit visit) {
  for (int i = 0; i < document.m_frameSet.GetFrameCount(); ++i) {
    visit(*document.m_frameSet.GetAt(i));
  }
}

// Calls `visit` with every element of `list`, as an `Element`.
template <typename Element, typename Visit>
void ForEachIn(const CObList& list, Visit visit) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    visit(*static_cast<const Element*>(list.GetNext(pos)));
  }
}

// Writes a list's items, each on lines of its own indented in the list,
// in pieces of about kPiece bytes.
class ListWriter {
 public:
  explicit ListWriter(std::FILE* out) : m_out(out) {}
  ~ListWriter() { Flush(); }
  ListWriter(const ListWriter&) = delete;
  ListWriter& operator=(const ListWriter&) = delete;

  // Adds an item's JSON text, its lines indented in the list.
  void Add(const std::string& item) {
    std::string& text = Open();
    for (size_t from = 0;;) {
      const size_t feed = item.find('\n', from);
      if (feed == std::string::npos) {
        text.append(item, from, std::string::npos);
        break;
      }
      text.append(item, from, feed - from);
      text += kIndent;
      from = feed + 1;
    }
    Close();
  }
  // Starts an item the caller appends to the returned text itself, each
  // of its line feeds followed by kIndent; Close ends it.
  std::string& Open() {
    if (!m_empty) m_text += ',';
    m_text += kIndent;
    m_empty = false;
    return m_text;
  }
  void Close() {
    if (m_text.size() >= kPiece) Flush();
  }
  bool Empty() const { return m_empty; }
  void Flush() {
    std::fwrite(m_text.data(), 1, m_text.size(), m_out);
    m_text.clear();
  }

  static constexpr const char* kIndent = "\n    ";

 private:
  static const size_t kPiece = 65536;
  std::FILE* m_out;
  std::string m_text;
  bool m_empty = true;
};

// The lists that make the bulk of a model, in the order its text writes
// them (by name), each with what fills it and, where it is the bulk of a
// page, what writes its items' JSON text without making them first.
using AddItem = std::function<void(const json&)>;

struct CModelList {
  const char* name;
  void (*fill)(const CHtmlMemDoc& document, const AddItem& add);
  void (*write)(const CHtmlMemDoc& document, ListWriter& items);
};

const CModelList kModelLists[] = {
    {"frames",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachFrame(document,
                    [&](const CHtmlFrame& f) { add(DescribeFrameModel(f)); });
     },
     nullptr},
    {"layers",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachLayer(document,
                    [&](const CHtmlLayer& l) { add(DescribeLayer(l)); });
     },
     [](const CHtmlMemDoc& document, ListWriter& items) {
       ForEachLayer(document, [&](const CHtmlLayer& l) {
         AppendLayerJson(l, items.Open(), ListWriter::kIndent);
         items.Close();
       });
     }},
    {"metas",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlTextBase>(
           document.m_metaList,
           [&](const CHtmlTextBase& m) { add(MarkupOf(m)); });
     },
     nullptr},
    {"scripts",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlScript>(document.m_scriptList, [&](const CHtmlScript& s) {
         add(DescribeScript(s));
       });
     },
     nullptr},
    {"styleRules",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlStyle>(document.m_styleList, [&](const CHtmlStyle& r) {
         add(DescribeRule(r));
       });
     },
     nullptr},
};

// The frameset's columns and rows, each null when its tag has none; null
// for a page without frames.
json Frameset(const CHtmlMemDoc& document) {
  if (document.m_frameSet.GetFrameCount() == 0) return nullptr;
  json sizes = json::object();
  for (const char* attribute : {"cols", "rows"}) {
    CString value;
    sizes[attribute] =
        document.m_frameSet.GetAttribute("frameset", attribute, value)
            ? json(static_cast<const char*>(value))
            : json(nullptr);
  }
  return sizes;
}

// The page's own properties: all of its model but the lists.
json PropertiesOf(const CHtmlMemDoc& document, const std::string& text,
                  const std::vector<PageLoss>& losses) {
  char background[1024];
  const int hasBackground =
      document.GetBackgroundImage(background, sizeof background);
  CStringArray preloads;
  document.GetPreloadImage(preloads);
  CString color;
  const int hasColor = document.m_body.GetAttribute("body", "bgcolor", color);
  return {{"title", TitleOf(document.m_title)},
          {"background", hasBackground ? json(background) : json(nullptr)},
          {"backgroundColor", StringOr(hasColor, color)},
          {"backgroundSound", BackgroundSound(document)},
          {"preloadedImages", Strings(preloads)},
          {"frames", json::array()},
          {"frameset", Frameset(document)},
          {"utf8", IsUtf8(text)},
          {"losses", LossesJson(losses)}};
}

// The page's model with the lists of kModelLists empty.
json DescribeAllButLists(const CHtmlMemDoc& document, const std::string& text,
                         const std::vector<PageLoss>& losses) {
  json page = PropertiesOf(document, text, losses);
  CStringArray files;
  const int hasFiles = document.GetAllSrc(files);
  page["files"] = hasFiles ? Strings(files) : json(nullptr);
  for (const CModelList& list : kModelLists) page[list.name] = json::array();
  return page;
}

// Fills each list of kModelLists that `take` takes into `page`, and sets
// every other one empty.
template <typename Take>
void FillLists(const CHtmlMemDoc& document, json& page, Take take) {
  for (const CModelList& list : kModelLists) {
    json& items = page[list.name];
    items = json::array();
    if (!take(list)) continue;
    list.fill(document, [&items](const json& item) { items.push_back(item); });
  }
}

}  // namespace

json DescribePageProperties(const CHtmlMemDoc& document,
                            const std::string& text,
                            const std::vector<PageLoss>& losses) {
  json page = PropertiesOf(document, text, losses);
  ForEachFrame(document, [&page](const CHtmlFrame& frame) {
    page["frames"].push_back(DescribeFrameModel(frame));
  });
  return page;
}

json DescribePageHead(const CHtmlMemDoc& document, const std::string& text,
                      const std::vector<PageLoss>& losses) {
  json page = PropertiesOf(document, text, losses);
  FillLists(document, page, [](const CModelList& list) {
    return std::strcmp(list.name, "layers") != 0 &&
           std::strcmp(list.name, "frames") != 0;
  });
  return page;
}

json DescribePage(const CHtmlMemDoc& document, const std::string& text) {
  return DescribePage(document, text, FindLosses(document, text));
}

json DescribePage(const CHtmlMemDoc& document, const std::string& text,
                  const std::vector<PageLoss>& losses) {
  json page = DescribeAllButLists(document, text, losses);
  FillLists(document, page, [](const CModelList&) { return true; });
  return page;
}

// The lists are the bulk of a model: they are written item by item into
// the places of the empty lists in the rest of the model's text. Strings
// in JSON text hold no line feed, so a list's line is found by its text,
// and each item's lines are indented by writing after every feed.
void WritePageJson(const CHtmlMemDoc& document, const std::string& text,
                   std::FILE* out) {
  const std::string rest = JsonText(
      DescribeAllButLists(document, text, FindLosses(document, text)), 2);
  size_t written = 0;
  for (const CModelList& list : kModelLists) {
    const std::string empty = std::string("\n  \"") + list.name + "\": []";
    const size_t at = rest.find(empty, written) + empty.size() - 1;
    std::fwrite(rest.data() + written, 1, at - written, out);
    written = at;  // the list's "]"
    ListWriter items(out);
    if (list.write != nullptr) {
      list.write(document, items);
    } else {
      list.fill(document,
                [&](const json& item) { items.Add(JsonText(item, 2)); });
    }
    items.Flush();
    if (!items.Empty()) std::fputs("\n  ", out);
  }
  std::fwrite(rest.data() + written, 1, rest.size() - written, out);
  std::fputc('\n', out);
}

std::string JsonText(const json& value, int indent) {
  return value.dump(indent, ' ', false, json::error_handler_t::replace);
}

}  // namespace htmlmemdoc
