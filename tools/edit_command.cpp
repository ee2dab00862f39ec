// edit_command.cpp: finds the layer by its div's id, applies each change
// through the library's setters, and writes the page only when every change
// was made.

#include "tools/edit_command.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <string>

#include "tools/page_reader.h"

namespace {

int Fail(int code, const std::string& what) {
  std::fprintf(stderr, "htmlmemdoc: %s\n", what.c_str());
  return code;
}

// The layer whose div has the id `id`, in any of the document's lists.
CHtmlLayer* FindLayer(const CHtmlMemDoc& document, const std::string& id) {
  const CObList* lists[] = {&document.m_textLayerList,
                            &document.m_imageLayerList,
                            &document.m_videoLayerList,
                            &document.m_embedLayerList, &document.m_layerList};
  CString value;
  for (const CObList* list : lists) {
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
      CHtmlLayer* layer = static_cast<CHtmlLayer*>(list->GetNext(pos));
      if (layer->GetAttribute("div", "id", value) && value == id.c_str()) {
        return layer;
      }
    }
  }
  return nullptr;
}

// A colour as the setters take it (red in the low byte), from "#rrggbb" or
// a colour name; 0 when the text is neither.
int ParseColor(const std::string& text, unsigned long& colorref) {
  CHtmlStyle style;
  unsigned long rgb = 0;
  if (!style.Init(("color:" + text + ";").c_str()) || !style.GetColor(rgb) ||
      (text[0] == '#' && text.size() != 7)) {
    return 0;
  }
  colorref = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return 1;
}

// Runs one change; on failure says which and why.
class CEditor {
 public:
  CEditor(CHtmlLayer* layer, const std::string& id)
      : m_layer(layer), m_id(id) {}

  // `ok` is the setter's result for the change named `what`.
  bool Check(int ok, const std::string& what) {
    if (!ok && m_failure.empty()) {
      m_failure = "cannot set the " + what + " of layer " + m_id;
    }
    return ok;
  }
  bool Refuse(const std::string& why) {
    if (m_failure.empty()) m_failure = why;
    return false;
  }
  const std::string& Failure() const { return m_failure; }

  template <typename Layer>
  Layer* As() const {
    return m_layer->IsKindOf(RUNTIME_CLASS(Layer))
               ? static_cast<Layer*>(m_layer)
               : nullptr;
  }

 private:
  CHtmlLayer* m_layer;
  std::string m_id;
  std::string m_failure;
};

bool ApplyBox(const EditOptions& o, CHtmlLayer& layer, CEditor& editor) {
  struct Change {
    const std::optional<int>& value;
    int (CHtmlLayer::*set)(int, const char*);
    const char* name;
  };
  const Change kChanges[] = {{o.left, &CHtmlLayer::SetPixelLeft, "left"},
                             {o.top, &CHtmlLayer::SetPixelTop, "top"},
                             {o.width, &CHtmlLayer::SetPixelWidth, "width"},
                             {o.height, &CHtmlLayer::SetPixelHeight, "height"},
                             {o.zIndex, &CHtmlLayer::SetZIndex, "z-index"}};
  const std::string why =
      " (its div needs a style attribute the library can parse)";
  for (const Change& change : kChanges) {
    if (change.value && !editor.Check((layer.*change.set)(*change.value, "div"),
                                      change.name + why)) {
      return false;
    }
  }
  if (!o.visibility) return true;
  const HtmlVisibility value =
      *o.visibility == "hidden" ? HtmlVisibilityHidden : HtmlVisibilityVisible;
  return editor.Check(layer.SetVisibility("div", value), "visibility" + why);
}

bool ApplyText(const EditOptions& o, CEditor& editor) {
  if (!o.text && !o.fontSize && !o.color) return true;
  CHtmlTextLayer* text = editor.As<CHtmlTextLayer>();
  if (text == nullptr) {
    return editor.Refuse("--text, --font-size and --color need a text layer");
  }
  if (o.text && !editor.Check(text->SetTextString(o.text->c_str()), "text")) {
    return false;
  }
  if (o.fontSize && !editor.Check(text->SetFontSize(*o.fontSize),
                                  "font size (the text tag needs a style "
                                  "attribute)"))
    return false;
  if (o.color) {
    unsigned long colorref = 0;
    if (!ParseColor(*o.color, colorref)) {
      return editor.Refuse("not a colour: " + *o.color +
                           " (use #rrggbb or a colour name)");
    }
    if (!editor.Check(text->SetColor(colorref),
                      "colour (the text tag needs a style attribute)")) {
      return false;
    }
  }
  return true;
}

bool ApplySource(const EditOptions& o, CEditor& editor) {
  if (!o.src) return true;
  const char* src = o.src->c_str();
  if (CHtmlVideoLayer* video = editor.As<CHtmlVideoLayer>()) {
    return editor.Check(video->SetDynSrc(src), "source (dynsrc)");
  }
  if (CHtmlImageLayer* image = editor.As<CHtmlImageLayer>()) {
    return editor.Check(image->SetSrc(src), "source");
  }
  if (CHtmlEmbedLayer* embed = editor.As<CHtmlEmbedLayer>()) {
    return editor.Check(embed->SetSrc(src), "source");
  }
  return editor.Refuse("--src needs an image, video or embed layer");
}

bool HasLayerChanges(const EditOptions& o) {
  return o.left || o.top || o.width || o.height || o.zIndex || o.visibility ||
         o.text || o.src || o.fontSize || o.color;
}

// The page-wide changes; returns the failure, empty on success.
std::string ApplyPage(const EditOptions& o, CHtmlMemDoc& document) {
  if (o.background && !document.SetBackgroundImage(o.background->c_str())) {
    return "cannot set the background image (the page has no body tag)";
  }
  if (o.noSound) document.RemoveBackgroundSound();
  if (o.sound && !document.AddBackgroundSound(o.sound->c_str())) {
    return "cannot set the background sound";
  }
  return std::string();
}

}  // namespace

int RunEdit(const EditOptions& options) {
  if (HasLayerChanges(options) && options.layer.empty()) {
    return Fail(kExitUsage, "layer changes need --layer ID");
  }
  CHtmlMemDoc document;
  htmlmemdoc::PageFile pageFile;
  const int read = ReadPageOrSay(options.page, pageFile, document);
  if (read != kExitOk) return read;
  if (!options.layer.empty()) {
    CHtmlLayer* layer = FindLayer(document, options.layer);
    if (layer == nullptr) {
      return Fail(kExitUsage, "no layer with the id " + options.layer + " in " +
                                  options.page);
    }
    CEditor editor(layer, options.layer);
    if (!ApplyBox(options, *layer, editor) || !ApplyText(options, editor) ||
        !ApplySource(options, editor)) {
      return Fail(kExitPageFailed, editor.Failure() + "; nothing written");
    }
  }
  const std::string failure = ApplyPage(options, document);
  if (!failure.empty())
    return Fail(kExitPageFailed, failure + "; nothing written");
  return WritePage(document, options.out);
}
