// embed_layer.cpp: embed and live-audio layers.

#include "htmlmemdoc/layers/embed_layer.h"

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/layers/layer_markup.h"
#include "htmlmemdoc/platform/mbcs.h"

IMPLEMENT_DYNCREATE(CHtmlEmbedLayer, CHtmlLayer)
IMPLEMENT_DYNCREATE(CHtmlLiveAudioLayer, CHtmlEmbedLayer)

namespace {

const int kNumberBuffer = 16;

int GetFlag(const CHtmlTextBase& element, const char* attr, int& flag) {
  char buffer[kNumberBuffer];
  if (!element.GetAttribute("embed", attr, buffer, sizeof buffer)) return 0;
  flag = htmlmemdoc::CompareNoCase(buffer, "true") == 0;
  return 1;
}

}  // namespace

int CHtmlEmbedLayer::GetEmbedID(CString& id) const {
  return GetAttribute("embed", "id", id);
}
int CHtmlEmbedLayer::GetEmbedID(char* buffer, int bufferSize) const {
  return GetAttribute("embed", "id", buffer, bufferSize);
}
int CHtmlEmbedLayer::GetSrc(CString& src) const {
  return GetAttribute("embed", "src", src);
}
int CHtmlEmbedLayer::GetSrc(char* buffer, int bufferSize) const {
  return GetAttribute("embed", "src", buffer, bufferSize);
}

int CHtmlEmbedLayer::GetWidth(int& width) const {
  return GetNumberAttribute("embed", "width", width);
}
int CHtmlEmbedLayer::GetHeight(int& height) const {
  return GetNumberAttribute("embed", "height", height);
}

int CHtmlEmbedLayer::SetSrc(const char* src) {
  return SetAttribute("embed", "src", src);
}
int CHtmlEmbedLayer::SetSrc(CString& src) {
  return SetSrc(static_cast<const char*>(src));
}

int CHtmlEmbedLayer::SetWidth(int width) {
  return SetNumberAttribute("embed", "width", width);
}
int CHtmlEmbedLayer::SetHeight(int height) {
  return SetNumberAttribute("embed", "height", height);
}

int CHtmlLiveAudioLayer::Init(const char* text) {
  if (!CHtmlEmbedLayer::Init(text)) return 0;
  return htmlmemdoc::HasLiveAudioEmbed(*this);
}

int CHtmlLiveAudioLayer::GetLoop(int& loop) const {
  return GetFlag(*this, "loop", loop);
}
int CHtmlLiveAudioLayer::SetLoop(int loop) {
  return SetAttribute("embed", "loop", loop ? "true" : "false");
}
int CHtmlLiveAudioLayer::GetAutoStart(int& autoStart) const {
  return GetFlag(*this, "autostart", autoStart);
}
int CHtmlLiveAudioLayer::SetAutoStart(int autoStart) {
  return SetAttribute("embed", "autostart", autoStart ? "true" : "false");
}
