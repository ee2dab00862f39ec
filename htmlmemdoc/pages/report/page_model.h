// page_model.h: a read page described as JSON: what `show --json` prints
// and what a host shows a person of a page.

#ifndef HTMLMEMDOC_PAGES_REPORT_PAGE_MODEL_H_
#define HTMLMEMDOC_PAGES_REPORT_PAGE_MODEL_H_

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/report/layer_model.h"

class CHtmlMemDoc;
class CHtmlFrame;
class CHtmlLayer;

namespace htmlmemdoc {

// The page's title, metas, style rules, scripts, background, background
// sound, preloaded images, every file it refers to (as `sources` lists
// them), frames and layers (kind, id, position, size, z-index, visibility,
// and text or source, fonts or playback), whether the page text `text` it
// was read from is UTF-8, and what writing it back would lose. A value the
// page does not hold is null.
nlohmann::json DescribePage(const CHtmlMemDoc& document,
                            const std::string& text);
// The same with the losses already found (FindLosses).
nlohmann::json DescribePage(const CHtmlMemDoc& document,
                            const std::string& text,
                            const std::vector<PageLoss>& losses);

// DescribePage's model without its lists of layers, metas, style rules and
// scripts, nor the files it refers to: what a page's editor shows beside
// the layers (the title, background, sound, frames, losses).
nlohmann::json DescribePageProperties(const CHtmlMemDoc& document,
                                      const std::string& text,
                                      const std::vector<PageLoss>& losses);

// DescribePage's model with its lists of layers and frames empty and
// without the files it refers to: what a listing of the page shows before
// it walks the frames (DescribeFrameModel) and layers (ForEachLayer,
// ForEachLayerField) itself.
nlohmann::json DescribePageHead(const CHtmlMemDoc& document,
                                const std::string& text,
                                const std::vector<PageLoss>& losses);

// One frame as the model's list of frames describes it.
nlohmann::json DescribeFrameModel(const CHtmlFrame& frame);

// Writes DescribePage's model as JSON text indented by two spaces, and a
// line feed, to `out`, holding one layer's JSON at a time.
void WritePageJson(const CHtmlMemDoc& document, const std::string& text,
                   std::FILE* out);

// `value` as JSON text, indented by `indent` (-1: on one line). A string
// byte that is not UTF-8 comes out as U+FFFD.
std::string JsonText(const nlohmann::json& value, int indent);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_PAGE_MODEL_H_
