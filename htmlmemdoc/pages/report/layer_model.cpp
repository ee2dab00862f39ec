// layer_model.cpp: a layer's fields read through the library's accessors,
// as a JSON object or written straight as its JSON text.

#include "htmlmemdoc/pages/report/layer_model.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/layers/layer_box.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/text_content.h"
#include "htmlmemdoc/pages/report/page_model.h"
#include "htmlmemdoc/pages/text/text_util.h"

using nlohmann::json;

namespace htmlmemdoc {

json StringOr(int ok, const CString& value) {
  return ok ? json(static_cast<const char*>(value)) : json(nullptr);
}

json NumberOr(int ok, int value) { return ok ? json(value) : json(nullptr); }

json FlagOr(int ok, int flag) { return ok ? json(flag != 0) : json(nullptr); }

namespace {

// The JSON text of a string of well-formed UTF-8 as the JSON library
// writes it: '"' and '\\' escaped, the five control bytes with a short
// escape by it, the other control bytes as \u00xx, every other byte as it
// is.
// Whether one of the eight bytes of `word` is below 0x20, '"' or '\\'
// (the tests for a zero byte and a byte below a bound, a word at a time).
bool NeedsEscape(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  const auto below = [](std::uint64_t v, std::uint64_t bound) {
    return (v - kOnes * bound) & ~v & kHigh;
  };
  return (below(word, 0x20) | below(word ^ (kOnes * '"'), 1) |
          below(word ^ (kOnes * '\\'), 1)) != 0;
}

// Where the run of bytes written as they are that starts at `at` ends.
size_t PlainRunEnd(const std::string& text, size_t at) {
  const auto plain = [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\';
  };
  for (std::uint64_t word; at + 8 <= text.size(); at += 8) {
    std::memcpy(&word, text.data() + at, 8);
    if (NeedsEscape(word)) break;
  }
  while (at < text.size() && plain(text[at])) ++at;
  return at;
}

void AppendQuotedUtf8(const std::string& text, std::string& out) {
  static const char kShort[] = "btnvfr";  // \b \t \n (\v has none) \f \r
  out += '"';
  for (size_t at = 0; at < text.size();) {
    const size_t run = PlainRunEnd(text, at);
    out.append(text, at, run - at);  // a run of bytes written as they are
    if (run == text.size()) break;
    at = run + 1;
    const char c = text[run];
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte >= 8 && byte <= 13 && byte != 11) {
      out += '\\';
      out += kShort[byte - 8];
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    }
  }
  out += '"';
}

// The names of a layer's fields, in the order a JSON object sorts them
// (byte by byte), so that the fields are written in that order as they
// stand.
enum LayerKey {
  kAutoStartKey,
  kBoldKey,
  kColorKey,
  kContentKey,
  kFontFamilyKey,
  kFontSizeKey,
  kHeightKey,
  kIdKey,
  kItalicKey,
  kKindKey,
  kLeftKey,
  kLoopKey,
  kPosterKey,
  kRepeatKey,
  kSrcKey,
  kTextKey,
  kTextAlignKey,
  kTopKey,
  kVisibilityKey,
  kWidthKey,
  kZIndexKey,
  kLayerKeys
};
constexpr const char* kLayerKeyNames[kLayerKeys] = {
    "autoStart",  "bold",   "color",  "content", "fontFamily", "fontSize",
    "height",     "id",     "italic", "kind",    "left",       "loop",
    "poster",     "repeat", "src",    "text",    "textAlign",  "top",
    "visibility", "width",  "zIndex"};

constexpr bool Before(const char* a, const char* b) {
  return *a != *b
             ? static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b)
             : *a != '\0' && Before(a + 1, b + 1);
}
constexpr bool SortedNames(int i) {
  return i + 1 >= kLayerKeys ||
         (Before(kLayerKeyNames[i], kLayerKeyNames[i + 1]) &&
          SortedNames(i + 1));
}
static_assert(SortedNames(0), "the layer's field names are sorted");

// A layer's model: the fields it has, each a scalar.
struct LayerFields {
  FieldValue value[kLayerKeys];
  bool has[kLayerKeys] = {};
  FieldValue& Set(LayerKey key) {
    has[key] = true;
    return value[key];
  }
  void SetNumber(LayerKey key, int ok, int number) {
    FieldValue& field = Set(key);
    if (!ok) return;
    field.kind = FieldValue::kNumber;
    field.number = number;
  }
  void SetFlag(LayerKey key, int ok, int flag) {
    FieldValue& field = Set(key);
    if (!ok) return;
    field.kind = FieldValue::kFlag;
    field.number = flag != 0;
  }
  void SetText(LayerKey key, bool ok, const char* text) {
    FieldValue& field = Set(key);
    if (!ok) return;
    field.kind = FieldValue::kText;
    field.text = text;
  }
  void SetText(LayerKey key, bool ok, std::string&& text) {
    FieldValue& field = Set(key);
    if (!ok) return;
    field.kind = FieldValue::kText;
    field.text = std::move(text);
  }
};

// The font of a text layer's text tag: size in points, colour as
// "#rrggbb", bold, italic, alignment and families, read from one copy of
// its style; null where the tag's style does not say.
void AddFont(const CHtmlTextLayer& layer, LayerFields& entry) {
  static const char* const kAligns[] = {"left", "center", "right"};
  static const StyleField kFields[] = {kFontSizeField, kColorField,
                                       kFontWeightField, kFontStyleField,
                                       kTextAlignField};
  CStyleValue font[5];
  std::string families =
      GetStyleValuesAndFamilies(layer, layer.m_strTextTag, kFields, font, 5);
  entry.SetNumber(kFontSizeKey, font[0].ok, font[0].number);
  entry.SetText(kColorKey, font[1].ok,
                font[1].ok ? ColorHex(font[1].color) : std::string());
  entry.SetFlag(kBoldKey, font[2].ok, font[2].number);
  entry.SetFlag(kItalicKey, font[3].ok, font[3].number);
  entry.SetText(kTextAlignKey, font[4].ok,
                font[4].ok ? kAligns[font[4].number - 1] : "");
  entry.SetText(kFontFamilyKey, !families.empty(), std::move(families));
}

// How a video or live-audio layer plays: its loop, and the video's repeat
// or the sound's autostart.
void AddPlayback(const CHtmlLayer& layer, LayerFields& entry) {
  int loop = 0, other = 0;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    const CHtmlVideoLayer& video = static_cast<const CHtmlVideoLayer&>(layer);
    const int hasLoop = video.GetLoop(loop);
    const int hasRepeat = video.GetRepeat(other);
    entry.SetNumber(kLoopKey, hasLoop, loop);
    entry.SetNumber(kRepeatKey, hasRepeat, other);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlLiveAudioLayer))) {
    const CHtmlLiveAudioLayer& sound =
        static_cast<const CHtmlLiveAudioLayer&>(layer);
    const int hasLoop = sound.GetLoop(loop);
    const int hasAutoStart = sound.GetAutoStart(other);
    entry.SetFlag(kLoopKey, hasLoop, loop);
    entry.SetFlag(kAutoStartKey, hasAutoStart, other);
  }
}

// Adds what a layer shows to `entry`: its text, or the file it plays;
// with its fonts, markup and playback unless only its outline is asked.
void AddLayerContent(const CHtmlLayer& layer, LayerDetail detail,
                     LayerFields& entry) {
  const bool all = detail == LayerDetail::kAll;
  CString value;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))) {
    const CHtmlTextLayer& text = static_cast<const CHtmlTextLayer&>(layer);
    std::string read;
    const bool hasText = LayerText(text, read);
    entry.SetText(kTextKey, hasText, std::move(read));
    if (!all) return;
    const bool hasContent = LayerContent(text, read);
    entry.SetText(kContentKey, hasContent, std::move(read));
    AddFont(text, entry);
    return;
  }
  if (all) AddPlayback(layer, entry);
  int ok = 0;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    const CHtmlVideoLayer& video = static_cast<const CHtmlVideoLayer&>(layer);
    if (all) {
      CString poster;
      const int hasPoster = video.GetSrc(poster);
      entry.SetText(kPosterKey, hasPoster, poster);
    }
    ok = video.GetDynSrc(value);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlImageLayer))) {
    ok = static_cast<const CHtmlImageLayer&>(layer).GetSrc(value);
  } else if (layer.IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) {
    ok = static_cast<const CHtmlEmbedLayer&>(layer).GetSrc(value);
  } else {
    return;  // a plain layer names no file
  }
  entry.SetText(kSrcKey, ok, value);
}

// The layer's fields: its kind, id, and the div's box, z-index and
// visibility, read from one copy of its style, then what it shows.
void FillFields(const CHtmlLayer& layer, LayerDetail detail,
                LayerFields& entry) {
  static const StyleField kFields[] = {kLeftField,   kTopField,
                                       kWidthField,  kHeightField,
                                       kZIndexField, kVisibilityField};
  CStyleValue div[6];
  GetStyleValues(layer, "div", kFields, div, 6);
  CString id;
  const int hasId = layer.GetAttribute("div", "id", id);
  const bool hidden = div[5].number == HtmlVisibilityHidden;
  entry.SetText(kKindKey, true, LayerKindName(layer));
  entry.SetText(kIdKey, hasId, id);
  entry.SetNumber(kLeftKey, div[0].ok, div[0].number);
  entry.SetNumber(kTopKey, div[1].ok, div[1].number);
  entry.SetNumber(kWidthKey, div[2].ok, div[2].number);
  entry.SetNumber(kHeightKey, div[3].ok, div[3].number);
  entry.SetNumber(kZIndexKey, div[4].ok, div[4].number);
  entry.SetText(kVisibilityKey, div[5].ok, hidden ? "hidden" : "visible");
  AddLayerContent(layer, detail, entry);
}

// Calls `visit` with each field the layer has, in the order of its name.
template <typename Visit>
void VisitFields(const CHtmlLayer& layer, LayerDetail detail, Visit&& visit) {
  LayerFields fields;
  FillFields(layer, detail, fields);
  for (int key = 0; key < kLayerKeys; ++key) {
    if (fields.has[key]) visit(kLayerKeyNames[key], fields.value[key]);
  }
}

}  // namespace

json ToJson(const FieldValue& value) {
  switch (value.kind) {
    case FieldValue::kFlag:
      return json(value.number != 0);
    case FieldValue::kNumber:
      return json(value.number);
    case FieldValue::kText:
      return json(value.text);
    default:
      return json(nullptr);
  }
}

void ForEachLayerField(const CHtmlLayer& layer, LayerDetail detail,
                       const LayerFieldVisit& visit) {
  VisitFields(layer, detail, visit);
}

json DescribeLayer(const CHtmlLayer& layer) {
  json entry = json::object();
  VisitFields(layer, LayerDetail::kAll,
              [&entry](const char* name, const FieldValue& value) {
                entry[name] = ToJson(value);
              });
  return entry;
}

namespace {

// Appends a scalar's JSON text as JsonText writes it; a number, a flag,
// null and a string of well-formed UTF-8 (all but a few of a page's)
// directly.
void AppendScalar(const FieldValue& value, std::string& out) {
  switch (value.kind) {
    case FieldValue::kNull:
      out += "null";
      return;
    case FieldValue::kFlag:
      out += value.number != 0 ? "true" : "false";
      return;
    case FieldValue::kNumber: {
      char digits[16];
      const auto end =
          std::to_chars(digits, digits + sizeof digits, value.number);
      out.append(digits, end.ptr);
      return;
    }
    case FieldValue::kText:
      if (IsWellFormedUtf8(value.text)) {
        AppendQuotedUtf8(value.text, out);
      } else {
        out += JsonText(json(value.text), -1);
      }
      return;
  }
}

}  // namespace

// The fields in the order of their names, a line each.
void AppendLayerJson(const CHtmlLayer& layer, std::string& out,
                     const char* feed) {
  // What comes before a field's name: "{" or ",", the feed, the indent
  // and the opening quote.
  std::string lead = std::string("{") + feed + "  \"";
  VisitFields(layer, LayerDetail::kAll,
              [&](const char* name, const FieldValue& value) {
                out += lead;
                out += name;
                out += "\": ";
                AppendScalar(value, out);
                lead[0] = ',';
              });
  out += feed;
  out += '}';
}

}  // namespace htmlmemdoc
