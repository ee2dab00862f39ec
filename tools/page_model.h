// page_model.h: a description of a read page as JSON, for `show`.

#ifndef HTMLMEMDOC_TOOLS_PAGE_MODEL_H_
#define HTMLMEMDOC_TOOLS_PAGE_MODEL_H_

#include <nlohmann/json.hpp>

class CHtmlMemDoc;
class CHtmlLayer;

// The page's title, metas, style rules, scripts, background, background
// sound, preloaded images, every file it refers to (as `sources` lists
// them), frames and layers (kind, id, position, size, z-index, visibility,
// and text or source, fonts or playback). A value the page does not hold
// is null.
nlohmann::json DescribePage(const CHtmlMemDoc& document);

// The layer's kind as `show` names it: "text", "image", "video", "embed",
// "live audio" or "plain".
const char* LayerKind(const CHtmlLayer& layer);

#endif  // HTMLMEMDOC_TOOLS_PAGE_MODEL_H_
