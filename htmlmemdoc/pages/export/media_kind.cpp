// media_kind.cpp: one table of extensions.

#include "htmlmemdoc/pages/export/media_kind.h"

#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

struct Extension {
  const char* ending;
  MediaKind kind;
};

const Extension kExtensions[] = {
    {".wav", MediaKind::kAudio},     {".mp3", MediaKind::kAudio},
    {".ogg", MediaKind::kAudio},     {".oga", MediaKind::kAudio},
    {".opus", MediaKind::kAudio},    {".m4a", MediaKind::kAudio},
    {".aac", MediaKind::kAudio},     {".flac", MediaKind::kAudio},
    {".weba", MediaKind::kAudio},    {".mp4", MediaKind::kVideo},
    {".m4v", MediaKind::kVideo},     {".webm", MediaKind::kVideo},
    {".ogv", MediaKind::kVideo},     {".mid", MediaKind::kMidi},
    {".midi", MediaKind::kMidi},     {".rmi", MediaKind::kMidi},
    {".kar", MediaKind::kMidi},      {".au", MediaKind::kOldAudio},
    {".snd", MediaKind::kOldAudio},  {".aif", MediaKind::kOldAudio},
    {".aiff", MediaKind::kOldAudio}, {".aifc", MediaKind::kOldAudio},
    {".wma", MediaKind::kOldAudio},  {".ra", MediaKind::kOldAudio},
    {".ram", MediaKind::kOldAudio},  {".avi", MediaKind::kOldVideo},
    {".mpg", MediaKind::kOldVideo},  {".mpeg", MediaKind::kOldVideo},
    {".mpe", MediaKind::kOldVideo},  {".m1v", MediaKind::kOldVideo},
    {".mov", MediaKind::kOldVideo},  {".qt", MediaKind::kOldVideo},
    {".wmv", MediaKind::kOldVideo},  {".asf", MediaKind::kOldVideo},
    {".flv", MediaKind::kOldVideo},  {".3gp", MediaKind::kOldVideo},
    {".swf", MediaKind::kFlash},
};

}  // namespace

MediaKind MediaKindOf(const std::string& path) {
  const std::string name = path.substr(0, path.find_first_of("?#"));
  for (const Extension& extension : kExtensions)
    if (HasEnding(name, extension.ending)) return extension.kind;
  return MediaKind::kOther;
}

bool IsSound(MediaKind kind) {
  return kind == MediaKind::kAudio || kind == MediaKind::kMidi ||
         kind == MediaKind::kOldAudio;
}

bool IsMovie(MediaKind kind) {
  return kind == MediaKind::kVideo || kind == MediaKind::kOldVideo;
}

bool NeedsConverting(MediaKind kind) {
  return kind == MediaKind::kMidi || kind == MediaKind::kOldAudio ||
         kind == MediaKind::kOldVideo;
}

const char* MediaKindName(MediaKind kind) {
  switch (kind) {
    case MediaKind::kAudio:
      return "audio";
    case MediaKind::kVideo:
      return "video";
    case MediaKind::kMidi:
      return "midi";
    case MediaKind::kOldAudio:
      return "old audio";
    case MediaKind::kOldVideo:
      return "old video";
    case MediaKind::kFlash:
      return "flash";
    case MediaKind::kOther:
      break;
  }
  return "other";
}

}  // namespace htmlmemdoc
