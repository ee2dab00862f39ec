// Layer editing: every layer kind's Init on arbitrary markup, the text get
// and set, every style getter and setter on "div" and on the text tag,
// FlattenSwapImageSrc and RenderAsEmbed. A text set that the layer accepts
// is read back unchanged when it holds no "<" and is not empty.

#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

namespace {

void ReadStyles(const CHtmlLayer& layer, const char* tag) {
  int n = 0;
  unsigned long color = 0;
  HtmlPosition position = HtmlPositionAbsolute;
  HtmlTextAlign align = HtmlTextAlignLeft;
  HtmlVisibility visibility = HtmlVisibilityVisible;
  CString text;
  char buffer[12];
  layer.GetPosition(position, tag);
  layer.GetZIndex(n, tag);
  layer.GetPixelWidth(n, tag);
  layer.GetPixelHeight(n, tag);
  layer.GetPixelLeft(n, tag);
  layer.GetPixelTop(n, tag);
  layer.GetFontFamilyCount(n, tag);
  layer.GetFontFamily(0, text, tag);
  layer.GetFontFamily(1, buffer, sizeof buffer, tag);
  layer.GetFontSize(n, tag);
  layer.GetItalic(n, tag);
  layer.GetBold(n, tag);
  layer.GetTextAlign(align, tag);
  layer.GetColor(color, tag);
  layer.GetBackgroundImage(text, tag);
  layer.GetBackgroundImage(buffer, sizeof buffer, tag);
  layer.GetVisibility(tag, visibility);
  layer.GetAlign(align, tag);
}

void WriteStyles(CHtmlLayer& layer, const char* tag, int seed,
                 const std::string& word) {
  CString address(word.c_str());
  layer.SetPosition(static_cast<HtmlPosition>(seed % 4), tag);
  layer.SetZIndex(seed, tag);
  layer.SetPixelWidth(seed * 3, tag);
  layer.SetPixelHeight(-seed, tag);
  layer.SetPixelLeft(seed / 2, tag);
  layer.SetPixelTop(seed * 7, tag);
  layer.SetFontFamilyCount(seed % 5, tag);
  layer.SetFontFamily(seed % 4, word.c_str(), tag);
  layer.SetFontFamily(seed % 3, CString(word.c_str()), tag);
  layer.SetFontSize(seed, tag);
  layer.SetItalic(seed & 1, tag);
  layer.SetBold(seed & 2, tag);
  layer.SetTextAlign(static_cast<HtmlTextAlign>(seed % 5), tag);
  layer.SetColor(static_cast<unsigned long>(seed) * 40503u, tag);
  layer.SetBackgroundImage(address, tag);
  layer.ResetFontFamily(word.c_str(), tag);
  layer.SetVisibility(tag, static_cast<HtmlVisibility>(seed % 4));
  layer.SetAlign(static_cast<HtmlTextAlign>(seed % 5), tag);
}

void CheckText(CHtmlTextLayer& layer, const std::string& text) {
  CString read;
  layer.GetTextString(read);
  char small[6];
  layer.GetTextString(small, sizeof small);
  layer.GetTextID(read);
  if (!layer.SetTextString(text.c_str())) return;
  if (text.empty() || text.find('<') != std::string::npos) return;
  FUZZ_CHECK(layer.GetTextString(read));
  FUZZ_CHECK(read == text.c_str());
}

void CheckKindSpecific(CHtmlLayer& layer, const std::string& word, int seed) {
  CString text;
  int n = 0;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlImageLayer)) ||
      layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    CHtmlImageLayer& image = static_cast<CHtmlImageLayer&>(layer);
    for (int size : {0, 1, 3, 64}) {
      std::vector<char> buffer(static_cast<size_t>(size) + 1, '\x7f');
      if (image.GetSrc(buffer.data(), size)) {
        FUZZ_CHECK(std::strlen(buffer.data()) < static_cast<size_t>(size));
      }
      FUZZ_CHECK(buffer[static_cast<size_t>(size)] == '\x7f');
    }
    image.GetDynSrc(text);
    image.GetWidth(n);
    image.SetDynSrc(word.c_str());
    image.SetSrc(word.c_str());
    image.SetHeight(seed);
  }
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    CHtmlVideoLayer& video = static_cast<CHtmlVideoLayer&>(layer);
    video.GetRepeat(n);
    video.GetLoop(n);
    video.SetRepeat(seed);
    video.SetLoop(seed);
    FUZZ_CHECK(video.RenderAsEmbed(text));
  }
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) {
    CHtmlEmbedLayer& embed = static_cast<CHtmlEmbedLayer&>(layer);
    embed.GetSrc(text);
    embed.GetWidth(n);
    embed.SetSrc(word.c_str());
    embed.SetWidth(seed);
  }
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlLiveAudioLayer))) {
    CHtmlLiveAudioLayer& audio = static_cast<CHtmlLiveAudioLayer&>(layer);
    audio.GetLoop(n);
    audio.GetAutoStart(n);
    audio.SetLoop(seed & 1);
    audio.SetAutoStart(seed & 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::vector<std::string> in = SplitInput(data, size, 3);
  const std::string& markup = in[0];
  const std::string& text = in[1];
  const std::string& word = in[2];
  const int seed = static_cast<int>(size % 1000) - 500;
  CRuntimeClass* kinds[] = {
      RUNTIME_CLASS(CHtmlLayer),       RUNTIME_CLASS(CHtmlTextLayer),
      RUNTIME_CLASS(CHtmlImageLayer),  RUNTIME_CLASS(CHtmlVideoLayer),
      RUNTIME_CLASS(CHtmlEmbedLayer),  RUNTIME_CLASS(CHtmlLiveAudioLayer)};
  for (CRuntimeClass* kind : kinds) {
    std::unique_ptr<CHtmlLayer> layer(
        static_cast<CHtmlLayer*>(kind->CreateObject()));
    layer->Init(markup.c_str());
    const char* textTag = "div";
    if (CHtmlTextLayer* textLayer =
            layer->IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))
                ? static_cast<CHtmlTextLayer*>(layer.get())
                : nullptr) {
      CheckText(*textLayer, text);
      textTag = textLayer->m_strTextTag;
    }
    ReadStyles(*layer, "div");
    ReadStyles(*layer, textTag);
    WriteStyles(*layer, "div", seed, word);
    WriteStyles(*layer, textTag, seed + 1, word);
    layer->FlattenSwapImageSrc();
    CheckKindSpecific(*layer, word, seed);
  }
  return 0;
}
