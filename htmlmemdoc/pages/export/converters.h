// converters.h: the programs that turn media a browser cannot play into
// media it can: FluidSynth with a General MIDI soundfont for MIDI, ffmpeg
// for old sounds and movies (and for FluidSynth's rendering). They are
// found on the PATH and run as child processes, each with a time limit.

#ifndef HTMLMEMDOC_PAGES_EXPORT_CONVERTERS_H_
#define HTMLMEMDOC_PAGES_EXPORT_CONVERTERS_H_

#include <string>
#include <vector>

#include "htmlmemdoc/pages/export/media_kind.h"
#include "htmlmemdoc/pages/export/run_program.h"

namespace htmlmemdoc {

enum class AudioFormat { kOpus, kMp3 };

struct Converters {
  std::string ffmpeg;      // the program, "" when not found
  std::string fluidsynth;  // the program, "" when not found
  std::string soundfont;   // a General MIDI soundfont, "" when none found

  // The converters of this machine: the programs on the PATH, the first
  // soundfont found in the folders Debian's soundfont packages fill (or
  // the file HTMLMEMDOC_SOUNDFONT names).
  static Converters Find();

  // Whether a file of `kind` can be converted here.
  bool CanConvert(MediaKind kind) const;
  // The Debian packages that would let this machine convert `kind`, as a
  // phrase ("ffmpeg", "fluidsynth and a soundfont (timgm6mb-soundfont)");
  // "" when nothing is missing.
  std::string Missing(MediaKind kind) const;
};

// The extension a converted file of `kind` gets: ".opus" or ".mp3" for a
// sound, ".mp4" for a movie (H.264 and AAC).
std::string ConvertedExtension(MediaKind kind, AudioFormat format);

// What a conversion of `kind` depends on besides its source: the format
// and the converters' programs, so that a change of either redoes it.
std::string ConversionSettings(const Converters& converters, MediaKind kind,
                               AudioFormat format);

// Converts the file `source` of `kind` into the file `target` (a name
// without the right extension is fine: the format is told), taking at
// most `seconds` for each program run. A MIDI file is rendered into the
// file `scratch` first, which the caller removes.
ProgramRun Convert(const Converters& converters, MediaKind kind,
                   AudioFormat format, const std::string& source,
                   const std::string& target, const std::string& scratch,
                   int seconds);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_CONVERTERS_H_
