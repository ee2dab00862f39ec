// page_layers.cpp: the markup of a new layer is the form the page's own
// layers take; the image, video and embed fill the layer's box (100%), so
// that resizing the layer resizes what it shows.

#include "htmlmemdoc/pages/page/page_layers.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {

const char kNewLayerKinds[] = "text, image, video, embed or live audio";

namespace {

// What a layer of each kind holds inside its div.
struct LayerTemplate {
  const char* kind;  // LayerKindName's
  const char* content;
  CRuntimeClass* runtimeClass;
};

const LayerTemplate* TemplateOf(const std::string& kind) {
  static const LayerTemplate kTemplates[] = {
      {"text", "<p align=\"left\">Text</p>", RUNTIME_CLASS(CHtmlTextLayer)},
      {"image", "<img src=\"\" width=\"100%\" height=\"100%\" border=\"0\">",
       RUNTIME_CLASS(CHtmlImageLayer)},
      {"video", "<img dynsrc=\"\" width=\"100%\" height=\"100%\" loop=\"1\">",
       RUNTIME_CLASS(CHtmlVideoLayer)},
      {"embed", "<embed src=\"\" width=\"100%\" height=\"100%\">",
       RUNTIME_CLASS(CHtmlEmbedLayer)},
      {"live audio",
       "<embed src=\"\" type=\"TYPE\" autostart=\"true\" mastersound "
       "width=\"100%\" height=\"100%\">",
       RUNTIME_CLASS(CHtmlLiveAudioLayer)}};
  for (const LayerTemplate& found : kTemplates)
    if (kind == found.kind) return &found;
  return nullptr;
}

// The audio type an embed of `source` names, by its extension.
std::string AudioType(const std::string& source) {
  static const char* const kTypes[][2] = {{".wav", "audio/wav"},
                                          {".mp3", "audio/mpeg"},
                                          {".au", "audio/basic"},
                                          {".aif", "audio/aiff"},
                                          {".aiff", "audio/aiff"}};
  for (const auto& type : kTypes)
    if (HasEnding(source, type[0])) return type[1];
  return "audio/midi";
}

// One above the highest z-index of the page's layers (1 for none).
int TopStacking(const CHtmlMemDoc& document) {
  int top = 0;
  ForEachLayer(document, [&top](const CHtmlLayer& layer) {
    int z = 0;
    if (layer.GetZIndex(z, "div")) top = std::max(top, z);
  });
  return top < INT_MAX ? top + 1 : top;
}

// Puts `layer` in the document's list for its kind; false for a plain one.
bool AddToDocument(CHtmlMemDoc& document, CHtmlLayer* layer) {
  switch (layer->GetLayerKind()) {
    case HtmlLayerText:
      return document.AddTextLayer(static_cast<CHtmlTextLayer*>(layer)) != 0;
    case HtmlLayerImage:
      return document.AddImageLayer(static_cast<CHtmlImageLayer*>(layer)) != 0;
    case HtmlLayerVideo:
      return document.AddVideoLayer(static_cast<CHtmlVideoLayer*>(layer)) != 0;
    case HtmlLayerEmbed:
    case HtmlLayerLiveAudio:
      return document.AddEmbedLayer(static_cast<CHtmlEmbedLayer*>(layer)) != 0;
    default:
      return false;
  }
}

// `markup` as a new layer of `runtimeClass` in `document`, which then
// owns it; null when the class does not read it as a layer of its kind.
CHtmlLayer* NewLayer(CHtmlMemDoc& document, CRuntimeClass* runtimeClass,
                     const std::string& markup) {
  std::unique_ptr<CHtmlLayer> layer(
      static_cast<CHtmlLayer*>(runtimeClass->CreateObject()));
  if (layer == nullptr || !layer->Init(markup.c_str()) ||
      layer->GetRuntimeClass() != runtimeClass ||
      !AddToDocument(document, layer.get()))
    return nullptr;
  return layer.release();
}

}  // namespace

Refusal MakeLayer(CHtmlMemDoc& document, const std::string& kind,
                  const std::string& id, const std::string& source,
                  CHtmlLayer*& made) {
  const LayerTemplate* form = TemplateOf(kind);
  if (form == nullptr || (source.empty() && kind != "text")) {
    return Refusal(
        RefusalCode::kBadValue,
        form == nullptr
            ? "no layer kind " + kind + ": a new layer is " + kNewLayerKinds
            : "a new " + kind + " layer needs a source file");
  }
  if (MarkupOf(document.m_body).empty()) {
    return Refusal(RefusalCode::kWrongKind,
                   "cannot add a layer: the page has no body tag");
  }
  if (FindLayer(document, id) != nullptr) return IdTaken(id);
  std::string content = form->content;
  const size_t type = content.find("TYPE");
  if (type != std::string::npos) content.replace(type, 4, AudioType(source));
  const std::string markup =
      "<div id=\"" + id +
      "\" style=\"position:absolute; left:0px; top:0px; width:100px; "
      "height:100px; z-index:" +
      std::to_string(TopStacking(document)) + "\">\n" + content + "</div>";
  made = NewLayer(document, form->runtimeClass, markup);
  if (made != nullptr) return Refusal();
  return Refusal(
      RefusalCode::kNotExact,
      "the library does not read the new layer as a " + kind + " layer");
}

Refusal CopyLayer(CHtmlMemDoc& document, const CHtmlLayer& layer,
                  const std::string& id, CHtmlLayer*& made) {
  if (layer.GetLayerKind() == HtmlLayerPlain) {
    return Refusal(RefusalCode::kWrongKind,
                   "a plain layer is not written back, so it is not copied");
  }
  if (FindLayer(document, id) != nullptr) return IdTaken(id);
  made = NewLayer(document, layer.GetRuntimeClass(), MarkupOf(layer));
  if (made != nullptr) return Refusal();
  return Refusal(RefusalCode::kNotExact,
                 "the library does not read the copy as the layer it copies");
}

void DestroyLayer(CHtmlMemDoc& document, CHtmlLayer* layer) {
  if (document.ReleaseLayer(layer)) delete layer;
}

Refusal IdTaken(const std::string& id) {
  return Refusal(RefusalCode::kInTheWay,
                 "a layer with the id " + id + " is on the page already");
}

}  // namespace htmlmemdoc
