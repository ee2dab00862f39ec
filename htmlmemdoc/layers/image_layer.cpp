// image_layer.cpp: image and video layers.

#include "htmlmemdoc/layers/image_layer.h"

#include <cstring>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"

IMPLEMENT_DYNCREATE(CHtmlImageLayer, CHtmlLayer)
IMPLEMENT_DYNCREATE(CHtmlVideoLayer, CHtmlLayer)

namespace {

const int kNumberBuffer = 16;

// "&amp;" in any letter case read as "&", in one left-to-right pass.
// A value without '&' (nearly every one) is taken as it is.
CString DecodeAmpersands(const CString& value) {
  const char* text = value;
  if (std::strchr(text, '&') == nullptr) return value;
  CString decoded;
  for (const char* p = text; *p != '\0'; ++p) {
    decoded += *p;
    if (*p == '&' && htmlmemdoc::EqualNoCase(p, strnlen(p, 5), "&amp;", 5)) {
      p += 4;
    }
  }
  return decoded;
}

// The "video/" subtype for a video file's extension.
const char* VideoSubtype(const char* src) {
  CString extension;
  htmlmemdoc::GetFileExtension(src, extension);
  if (extension.CompareNoCase(".avi") == 0) return "avi";
  if (extension.CompareNoCase(".mpg") == 0 ||
      extension.CompareNoCase(".mpeg") == 0) {
    return "mpeg";
  }
  return "";
}

}  // namespace

int CHtmlImageLayer::GetImageID(CString& id) const {
  return GetAttribute("img", "id", id);
}
int CHtmlImageLayer::GetImageID(char* buffer, int bufferSize) const {
  return GetAttribute("img", "id", buffer, bufferSize);
}

int CHtmlImageLayer::GetSrc(CString& src) const {
  CString value;
  if (!GetAttribute("img", "src", value)) return 0;
  src = DecodeAmpersands(value);
  return 1;
}

int CHtmlImageLayer::GetSrc(char* buffer, int bufferSize) const {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  CString src;
  if (!GetSrc(src) || src.GetLength() >= bufferSize) {
    buffer[0] = '\0';
    return 0;
  }
  std::memset(buffer, 0, static_cast<size_t>(bufferSize));
  std::memcpy(buffer, static_cast<const char*>(src),
              static_cast<size_t>(src.GetLength()));
  return 1;
}

int CHtmlImageLayer::GetDynSrc(CString& src) const {
  return GetAttribute("img", "dynsrc", src);
}
int CHtmlImageLayer::GetDynSrc(char* buffer, int bufferSize) const {
  return GetAttribute("img", "dynsrc", buffer, bufferSize);
}

int CHtmlImageLayer::GetWidth(int& width) const {
  return GetNumberAttribute("img", "width", width);
}
int CHtmlImageLayer::GetHeight(int& height) const {
  return GetNumberAttribute("img", "height", height);
}

int CHtmlImageLayer::SetSrc(const char* src) {
  return SetAttribute("img", "src", src);
}
int CHtmlImageLayer::SetSrc(CString& src) {
  return SetSrc(static_cast<const char*>(src));
}

int CHtmlImageLayer::SetDynSrc(const char* src) {
  CString old;
  if (!GetDynSrc(old)) return 0;
  return SetAttribute("img", "dynsrc", src);
}
int CHtmlImageLayer::SetDynSrc(CString& src) {
  return SetDynSrc(static_cast<const char*>(src));
}

int CHtmlImageLayer::SetWidth(int width) {
  return SetNumberAttribute("img", "width", width);
}
int CHtmlImageLayer::SetHeight(int height) {
  return SetNumberAttribute("img", "height", height);
}

int CHtmlVideoLayer::GetRepeat(int& repeat) const {
  char buffer[kNumberBuffer];
  if (!GetAttribute("img", "Repeat", buffer, sizeof buffer)) return 0;
  int count = 0;
  if (htmlmemdoc::ScanLeadingInt(buffer, count)) repeat = count != 0;
  return 1;
}

int CHtmlVideoLayer::SetRepeat(int repeat) {
  return SetAttribute("img", "repeat", repeat ? "1" : "0");
}

int CHtmlVideoLayer::GetLoop(int& loop) const {
  return GetNumberAttribute("img", "Loop", loop);
}

int CHtmlVideoLayer::SetLoop(int loop) {
  return SetNumberAttribute("img", "loop", loop);
}

int CHtmlVideoLayer::RenderAsEmbed(CString& out) const {
  const char* markup = *this;
  out = markup;
  CString embed("<embed ");
  CString value;
  if (GetAttribute("img", "id", value)) embed += "id=\"" + value + "\" ";
  if (GetAttribute("img", "dynsrc", value)) {
    embed +=
        "src=\"" + value + "\" type=\"video/" + VideoSubtype(value) + "\" ";
  }
  static const char* const kPlacement[] = {"left", "top", "width", "height"};
  for (const char* attr : kPlacement) {
    if (GetAttribute("img", attr, value)) {
      embed += CString(attr) + "=\"" + value + "\" ";
    }
  }
  embed +=
      "autostart=\"true\" autoplay=\"true\" loop=\"true\" "
      "controller=\"false\">";
  const char* image =
      markup != nullptr ? htmlmemdoc::FindNoCase(markup, "<img") : nullptr;
  if (image == nullptr) return 1;
  const char* close = image;
  htmlmemdoc::SkipToChars(close, ">");
  const char* tagEnd = *close == '>' ? close + 1 : close;
  out.Replace(CString(image, static_cast<int>(tagEnd - image)), embed);
  return 1;
}
