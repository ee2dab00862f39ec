// show_command.cpp: prints the page model as JSON, or as aligned text
// made from the same model, a layer at a time.

#include "tools/show_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/report/layer_model.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "tools/page_reader.h"

using nlohmann::json;

namespace {

// A JSON value as plain text: strings unquoted, null as "-".
std::string Plain(const json& value) {
  if (value.is_null()) return "-";
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_integer()) return std::to_string(value.get<long long>());
  return value.dump();
}

void PrintField(const char* name, const std::string& value) {
  std::printf("%-17s %s\n", name, value.c_str());
}

// A field of many lines, one per entry, the first after the field's
// name; "-" when it has none.
class FieldLines {
 public:
  explicit FieldLines(const char* name) : m_label(name) {}
  ~FieldLines() {
    if (*m_label != '\0') PrintField(m_label, "-");
  }
  FieldLines(const FieldLines&) = delete;
  FieldLines& operator=(const FieldLines&) = delete;

  void Add(const std::string& line) {
    PrintField(m_label, line);
    m_label = "";
  }

 private:
  const char* m_label;
};

void PrintList(const char* name, const json& items) {
  FieldLines lines(name);
  for (const json& item : items) lines.Add(Plain(item));
}

std::string Describe(const json& sound) {
  if (sound.is_null()) return "-";
  return Plain(sound["src"]) + " (loop " + Plain(sound["loop"]) + ")";
}

// A field of a layer as plain text, as Plain gives its JSON value.
std::string PlainField(const htmlmemdoc::FieldValue& value) {
  switch (value.kind) {
    case htmlmemdoc::FieldValue::kText:
      return value.text;
    case htmlmemdoc::FieldValue::kNumber:
      return std::to_string(value.number);
    case htmlmemdoc::FieldValue::kFlag:
      return value.number != 0 ? "true" : "false";
    default:
      return "-";
  }
}

// A layer's outline: the fields its line shows, "-" where it has none.
struct Outline {
  std::string kind = "-", id = "-", left = "-", top = "-", width = "-",
              height = "-", zIndex = "-", visibility = "-", text = "-",
              src = "-";
  bool hasText = false, hasSrc = false;

  // The fields come in the order of their names, so they are matched with
  // this list, in the same order, in one walk.
  explicit Outline(const CHtmlLayer& layer) {
    static const std::pair<const char*, std::string Outline::*> kFields[] = {
        {"height", &Outline::height}, {"id", &Outline::id},
        {"kind", &Outline::kind},     {"left", &Outline::left},
        {"src", &Outline::src},       {"text", &Outline::text},
        {"top", &Outline::top},       {"visibility", &Outline::visibility},
        {"width", &Outline::width},   {"zIndex", &Outline::zIndex}};
    size_t next = 0;
    htmlmemdoc::ForEachLayerField(
        layer, htmlmemdoc::LayerDetail::kOutline,
        [&](const char* name, const htmlmemdoc::FieldValue& value) {
          int order = 1;
          while (next < std::size(kFields) &&
                 (order = std::strcmp(kFields[next].first, name)) < 0)
            ++next;
          if (order != 0) return;
          const auto field = kFields[next].second;
          this->*field = PlainField(value);
          hasText = hasText || field == &Outline::text;
          hasSrc = hasSrc || field == &Outline::src;
        });
  }
};

// `text` padded with blanks to `width` bytes, on the left or the right as
// printf's "%-5s" and "%5s" pad.
void AppendPadded(std::string& line, const std::string& text, size_t width,
                  bool left) {
  const size_t pad = text.size() < width ? width - text.size() : 0;
  if (!left) line.append(pad, ' ');
  line += text;
  if (left) line.append(pad, ' ');
}

// The line's padded fields: what stands before each, its width, and
// whether it is padded on the right (printf's "%-5s") or on the left.
struct PaddedField {
  const char* before;
  std::string Outline::*field;
  size_t width;
  bool left;
};
const PaddedField kLineFields[] = {
    {"", &Outline::id, 12, true},        {" left ", &Outline::left, 5, true},
    {" top ", &Outline::top, 5, true},   {" ", &Outline::width, 5, false},
    {" x ", &Outline::height, 5, true},  {" z ", &Outline::zIndex, 3, true},
    {" ", &Outline::visibility, 0, true}};

std::string LayerLine(const Outline& layer) {
  std::string line = layer.kind;
  line.resize(11, ' ');
  for (const PaddedField& field : kLineFields) {
    line += field.before;
    AppendPadded(line, layer.*field.field, field.width, field.left);
  }
  if (layer.hasText) line += "  \"" + layer.text + "\"";
  if (layer.hasSrc) line += "  " + layer.src;
  return line;
}

// The page's frames, a line each: name and source.
void PrintFrames(const CHtmlMemDoc& document) {
  FieldLines lines("frames");
  for (int i = 0; i < document.m_frameSet.GetFrameCount(); ++i) {
    const json frame =
        htmlmemdoc::DescribeFrameModel(*document.m_frameSet.GetAt(i));
    lines.Add(Plain(frame["name"]) + ": " + Plain(frame["src"]));
  }
}

// The page's layers, a line each, written as they are described.
void PrintLayers(const CHtmlMemDoc& document) {
  FieldLines lines("layers");
  htmlmemdoc::ForEachLayer(document, [&lines](const CHtmlLayer& layer) {
    lines.Add(LayerLine(Outline(layer)));
  });
}

void PrintText(const CHtmlMemDoc& document, const json& page,
               const std::vector<htmlmemdoc::PageLoss>& losses) {
  PrintField("title", Plain(page["title"]));
  PrintList("metas", page["metas"]);
  PrintList("style rules", page["styleRules"]);
  json scripts = json::array();
  for (const json& script : page["scripts"]) {
    scripts.push_back(script["src"].is_null()
                          ? "inline, " + Plain(script["bytes"]) + " bytes"
                          : Plain(script["src"]));
  }
  PrintList("scripts", scripts);
  PrintField("background", Plain(page["background"]));
  PrintField("background sound", Describe(page["backgroundSound"]));
  PrintList("preloaded images", page["preloadedImages"]);
  PrintFrames(document);
  PrintLayers(document);
  json lost = json::array();
  for (const htmlmemdoc::PageLoss& loss : losses)
    lost.push_back(htmlmemdoc::DescribeLoss(loss));
  PrintList("not written back", lost);
}

}  // namespace

int RunShow(const std::string& page, bool asJson) {
  CHtmlMemDoc document;
  htmlmemdoc::PageFile pageFile;
  const int read = ReadPageOrSay(page, pageFile, document);
  if (read != kExitOk) return read;
  if (asJson) {
    htmlmemdoc::WritePageJson(document, pageFile.text, stdout);
  } else {
    const std::vector<htmlmemdoc::PageLoss> losses =
        htmlmemdoc::FindLosses(document, pageFile.text);
    PrintText(document,
              htmlmemdoc::DescribePageHead(document, pageFile.text, losses),
              losses);
  }
  return kExitOk;
}
