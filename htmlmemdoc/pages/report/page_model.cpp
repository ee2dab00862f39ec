// page_model.cpp: reads the document's members and layers through the
// library's accessors into JSON.

#include "htmlmemdoc/pages/report/page_model.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/page/text_content.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/text/text_util.h"

using nlohmann::json;

namespace htmlmemdoc {
namespace {

// A string value, or null when `ok` is 0.
json StringOr(int ok, const CString& value) {
  return ok ? json(static_cast<const char*>(value)) : json(nullptr);
}

json NumberOr(int ok, int value) { return ok ? json(value) : json(nullptr); }

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

json DescribeFrame(const CHtmlFrame& frame) {
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

json FlagOr(int ok, int flag) { return ok ? json(flag != 0) : json(nullptr); }

// The font of a text layer's text tag: size in points, colour as
// "#rrggbb", bold, italic and alignment; null where the tag's style does
// not say.
void AddFont(const CHtmlTextLayer& layer, json& entry) {
  static const char* const kAligns[] = {"left", "center", "right"};
  int size = 0, bold = 0, italic = 0;
  unsigned long color = 0;
  HtmlTextAlign align = HtmlTextAlignLeft;
  const int hasSize = layer.GetFontSize(size);
  const int hasColor = layer.GetColor(color);
  const int hasBold = layer.GetBold(bold);
  const int hasItalic = layer.GetItalic(italic);
  const int hasAlign = layer.GetTextAlign(align);
  entry["fontSize"] = NumberOr(hasSize, size);
  entry["color"] = hasColor ? json(ColorHex(color)) : json(nullptr);
  entry["bold"] = FlagOr(hasBold, bold);
  entry["italic"] = FlagOr(hasItalic, italic);
  entry["textAlign"] = hasAlign ? json(kAligns[align - 1]) : json(nullptr);
  const std::string families = FontFamilies(layer);
  entry["fontFamily"] = families.empty() ? json(nullptr) : json(families);
}

// How a video or live-audio layer plays: its loop, and the video's repeat
// or the sound's autostart.
void AddPlayback(const CHtmlLayer& layer, json& entry) {
  int loop = 0, other = 0;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    const CHtmlVideoLayer& video = static_cast<const CHtmlVideoLayer&>(layer);
    const int hasLoop = video.GetLoop(loop);
    const int hasRepeat = video.GetRepeat(other);
    entry["loop"] = NumberOr(hasLoop, loop);
    entry["repeat"] = NumberOr(hasRepeat, other);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlLiveAudioLayer))) {
    const CHtmlLiveAudioLayer& sound =
        static_cast<const CHtmlLiveAudioLayer&>(layer);
    const int hasLoop = sound.GetLoop(loop);
    const int hasAutoStart = sound.GetAutoStart(other);
    entry["loop"] = FlagOr(hasLoop, loop);
    entry["autoStart"] = FlagOr(hasAutoStart, other);
  }
}

// Adds what a layer shows to `entry`: its text, or the file it plays.
void AddLayerContent(const CHtmlLayer& layer, json& entry) {
  CString value;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))) {
    const CHtmlTextLayer& text = static_cast<const CHtmlTextLayer&>(layer);
    std::string read;
    entry["text"] = LayerText(text, read) ? json(read) : json(nullptr);
    entry["content"] = LayerContent(text, read) ? json(read) : json(nullptr);
    AddFont(text, entry);
    return;
  }
  AddPlayback(layer, entry);
  int ok = 0;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    const CHtmlVideoLayer& video = static_cast<const CHtmlVideoLayer&>(layer);
    CString poster;
    const int hasPoster = video.GetSrc(poster);
    entry["poster"] = StringOr(hasPoster, poster);
    ok = video.GetDynSrc(value);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlImageLayer))) {
    ok = static_cast<const CHtmlImageLayer&>(layer).GetSrc(value);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) {
    ok = static_cast<const CHtmlEmbedLayer&>(layer).GetSrc(value);
  } else {
    return;  // a plain layer names no file
  }
  entry["src"] = StringOr(ok, value);
}

json Describe(const CHtmlLayer& layer) {
  CString id;
  const int hasId = layer.GetAttribute("div", "id", id);
  int left = 0, top = 0, width = 0, height = 0, z = 0;
  const int hasLeft = layer.GetPixelLeft(left, "div");
  const int hasTop = layer.GetPixelTop(top, "div");
  const int hasWidth = layer.GetPixelWidth(width, "div");
  const int hasHeight = layer.GetPixelHeight(height, "div");
  const int hasZ = layer.GetZIndex(z, "div");
  HtmlVisibility visibility = HtmlVisibilityVisible;
  const int hasVisibility = layer.GetVisibility("div", visibility);
  json entry = {
      {"kind", LayerKindName(layer)},
      {"id", StringOr(hasId, id)},
      {"left", NumberOr(hasLeft, left)},
      {"top", NumberOr(hasTop, top)},
      {"width", NumberOr(hasWidth, width)},
      {"height", NumberOr(hasHeight, height)},
      {"zIndex", NumberOr(hasZ, z)},
      {"visibility",
       hasVisibility
           ? json(visibility == HtmlVisibilityHidden ? "hidden" : "visible")
           : json(nullptr)}};
  AddLayerContent(layer, entry);
  return entry;
}

}  // namespace

json DescribeLayer(const CHtmlLayer& layer) { return Describe(layer); }

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

// The lists that make the bulk of a model, in the order its text writes
// them (by name), each with what fills it.
using AddItem = std::function<void(const json&)>;

struct CModelList {
  const char* name;
  void (*fill)(const CHtmlMemDoc& document, const AddItem& add);
};

const CModelList kModelLists[] = {
    {"frames",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachFrame(document,
                    [&](const CHtmlFrame& f) { add(DescribeFrame(f)); });
     }},
    {"layers",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachLayer(document, [&](const CHtmlLayer& l) { add(Describe(l)); });
     }},
    {"metas",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlTextBase>(
           document.m_metaList,
           [&](const CHtmlTextBase& m) { add(MarkupOf(m)); });
     }},
    {"scripts",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlScript>(document.m_scriptList, [&](const CHtmlScript& s) {
         add(DescribeScript(s));
       });
     }},
    {"styleRules",
     [](const CHtmlMemDoc& document, const AddItem& add) {
       ForEachIn<CHtmlStyle>(document.m_styleList, [&](const CHtmlStyle& r) {
         add(DescribeRule(r));
       });
     }},
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

// Writes `item` as an element of a list of the model's top level: after
// a comma unless it is the first, indented under the list.
void WriteListItem(std::FILE* out, const json& element, bool& first) {
  const std::string item = JsonText(element, 2);
  std::fputs(first ? "\n    " : ",\n    ", out);
  first = false;
  for (size_t from = 0;;) {
    const size_t feed = item.find('\n', from);
    std::fwrite(item.data() + from, 1,
                (feed == std::string::npos ? item.size() : feed) - from, out);
    if (feed == std::string::npos) break;
    std::fputs("\n    ", out);
    from = feed + 1;
  }
}

}  // namespace

json DescribePageProperties(const CHtmlMemDoc& document,
                            const std::string& text,
                            const std::vector<PageLoss>& losses) {
  json page = PropertiesOf(document, text, losses);
  ForEachFrame(document, [&page](const CHtmlFrame& frame) {
    page["frames"].push_back(DescribeFrame(frame));
  });
  return page;
}

json DescribePage(const CHtmlMemDoc& document, const std::string& text) {
  return DescribePage(document, text, FindLosses(document, text));
}

json DescribePage(const CHtmlMemDoc& document, const std::string& text,
                  const std::vector<PageLoss>& losses) {
  json page = DescribeAllButLists(document, text, losses);
  for (const CModelList& list : kModelLists) {
    json& items = page[list.name];
    list.fill(document, [&items](const json& item) { items.push_back(item); });
  }
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
    bool first = true;
    list.fill(document,
              [&](const json& item) { WriteListItem(out, item, first); });
    if (!first) std::fputs("\n  ", out);
  }
  std::fwrite(rest.data() + written, 1, rest.size() - written, out);
  std::fputc('\n', out);
}

std::string JsonText(const json& value, int indent) {
  return value.dump(indent, ' ', false, json::error_handler_t::replace);
}

}  // namespace htmlmemdoc
