// media_kind.h: what a current browser does with a file a page plays, told
// by the file's extension (the only thing the old players went by too):
// plays it as it is, plays it once converted, hands it to the Flash player
// the export brings along, or cannot play it at all.

#ifndef HTMLMEMDOC_PAGES_EXPORT_MEDIA_KIND_H_
#define HTMLMEMDOC_PAGES_EXPORT_MEDIA_KIND_H_

#include <string>

namespace htmlmemdoc {

enum class MediaKind {
  kAudio,     // a sound a browser plays: WAV, MP3, Ogg, Opus, AAC, FLAC
  kVideo,     // a movie a browser plays: MP4, WebM, Ogg video
  kMidi,      // MIDI: played once rendered through a soundfont
  kOldAudio,  // a sound no browser plays: AU, AIFF, WMA, RealAudio
  kOldVideo,  // a movie no browser plays: AVI, MPEG, QuickTime, WMV
  kFlash,     // a .swf movie, for the Flash player in WebAssembly
  kOther      // anything else a plug-in showed (an image shows as such)
};

// The kind of the file `path` names, by its extension in any letter case.
MediaKind MediaKindOf(const std::string& path);

// Whether a file of `kind` is a sound (once converted where it must be).
bool IsSound(MediaKind kind);
// Whether a file of `kind` is a movie (once converted where it must be).
bool IsMovie(MediaKind kind);
// Whether a file of `kind` needs converting before a browser plays it.
bool NeedsConverting(MediaKind kind);

// "audio", "video", "midi", "old audio", "old video", "flash", "other".
const char* MediaKindName(MediaKind kind);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_MEDIA_KIND_H_
