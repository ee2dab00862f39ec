// layer_model.h: one layer as a page's model describes it (kind, id, box,
// z-index, visibility, and text and fonts or source and playback), and the
// values of a getter's result in that model.

#ifndef HTMLMEMDOC_PAGES_REPORT_LAYER_MODEL_H_
#define HTMLMEMDOC_PAGES_REPORT_LAYER_MODEL_H_

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

class CHtmlLayer;
class CString;

namespace htmlmemdoc {

// What of a layer is asked for: every field of its model, or its outline
// (kind, id, box, z-index, visibility, and text or source), what a list of
// a page's layers shows.
enum class LayerDetail { kAll, kOutline };

// One field's value in a layer's model: null, a flag, a number or a text
// (bytes as the layer holds them).
struct FieldValue {
  enum Kind : unsigned char { kNull, kFlag, kNumber, kText };
  Kind kind = kNull;
  int number = 0;  // the flag (0 or 1) or the number
  std::string text;
};

// The field's value as a JSON scalar.
nlohmann::json ToJson(const FieldValue& value);

using LayerFieldVisit =
    std::function<void(const char* name, const FieldValue& value)>;

// Calls `visit` with each field of the layer's model that `detail` asks
// for, in the order of their names; a field the layer's kind has not is
// not given, one it has without a value is given as null.
void ForEachLayerField(const CHtmlLayer& layer, LayerDetail detail,
                       const LayerFieldVisit& visit);

// The layer as a JSON object.
nlohmann::json DescribeLayer(const CHtmlLayer& layer);

// Appends the layer's JSON text as JsonText(DescribeLayer(layer), 2)
// writes it, without making the object; each line feed followed by
// `feed`'s blanks instead (`feed` is "\n" and blanks).
void AppendLayerJson(const CHtmlLayer& layer, std::string& out,
                     const char* feed = "\n");

// A getter's result: its value when `ok`, else null.
nlohmann::json StringOr(int ok, const CString& value);
nlohmann::json NumberOr(int ok, int value);
nlohmann::json FlagOr(int ok, int flag);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_LAYER_MODEL_H_
