// bg_sound.cpp: the background sound element.

#include "htmlmemdoc/elements/bg_sound.h"

#include "htmlmemdoc/core/scan.h"

IMPLEMENT_DYNCREATE(CHtmlBgSound, CHtmlTextBase)

namespace {

// The subtype of the "audio/" type for a sound file's extension: "midi" or
// "wav", or "" for any other extension.
const char* AudioSubtype(const char* src) {
  CString extension;
  htmlmemdoc::GetFileExtension(src, extension);
  if (extension.CompareNoCase(".mid") == 0 ||
      extension.CompareNoCase(".midi") == 0) {
    return "midi";
  }
  if (extension.CompareNoCase(".wav") == 0 ||
      extension.CompareNoCase(".wave") == 0) {
    return "wav";
  }
  return "";
}

}  // namespace

int CHtmlBgSound::GetSrc(char* buffer, int bufferSize) const {
  return GetAttribute("bgsound", "src", buffer, bufferSize);
}

int CHtmlBgSound::SetSrc(const char* src) {
  return SetAttribute("bgsound", "src", src);
}

int CHtmlBgSound::GetLoop(int& loop) const {
  return GetNumberAttribute("bgsound", "Loop", loop);
}

int CHtmlBgSound::SetLoop(int loop) {
  return SetNumberAttribute("bgsound", "loop", loop);
}

int CHtmlBgSound::RenderAsEmbed(CString& out) const {
  CString embed("<embed ");
  CString value;
  if (GetAttribute("bgsound", "id", value)) {
    embed += "id=\"Embed" + value + "\" ";
  }
  if (GetAttribute("bgsound", "src", value)) {
    embed +=
        "src=\"" + value + "\" type=\"audio/" + AudioSubtype(value) + "\" ";
  }
  embed +=
      "autostart=\"true\" autoplay=\"true\" mastersound loop=\"true\" "
      "width=\"160\" height=\"16\">";
  out =
      "<div id=\"qBgSound\" style=\"position:absolute; width:160px; "
      "height:16px; z-index:1; left: 1px; top: -20px\">\n";
  out += embed;
  out += "\n</div>";
  return 1;
}
