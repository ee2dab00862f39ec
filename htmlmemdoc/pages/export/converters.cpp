// converters.cpp: the command lines. ffmpeg is told each output's format,
// so a temporary name needs no extension; a movie's sides are made even,
// as H.264 in 4:2:0 needs.

#include "htmlmemdoc/pages/export/converters.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

const char* const kSoundfonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

bool IsFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The ffmpeg demuxer for a source, by its extension. The demuxer is
// named, not guessed from the bytes: a file of a site could otherwise be
// a playlist or a concat list that makes ffmpeg read files from anywhere.
struct Demuxer {
  const char* ending;
  const char* format;
};
const Demuxer kDemuxers[] = {
    {".avi", "avi"},   {".mpg", "mpeg"},      {".mpeg", "mpeg"},
    {".mpe", "mpeg"},  {".m1v", "mpegvideo"}, {".mov", "mov"},
    {".qt", "mov"},    {".3gp", "mov"},       {".wmv", "asf"},
    {".asf", "asf"},   {".wma", "asf"},       {".flv", "flv"},
    {".au", "au"},     {".snd", "au"},        {".aif", "aiff"},
    {".aiff", "aiff"}, {".aifc", "aiff"},     {".ra", "rm"},
    {".ram", "rm"},    {".wav", "wav"},
};

const char* DemuxerOf(const std::string& source) {
  for (const Demuxer& demuxer : kDemuxers)
    if (HasEnding(source, demuxer.ending)) return demuxer.format;
  return "wav";  // the scratch rendering of a MIDI file
}

// ffmpeg reading `source` with its own demuxer and no protocol but files,
// writing `target` as `output` says.
std::vector<std::string> FfmpegArgs(const std::string& source,
                                    const std::vector<std::string>& output,
                                    const std::string& target) {
  std::vector<std::string> args = {
      "-nostdin", "-hide_banner", "-loglevel",
      "error",    "-y",           "-protocol_whitelist",
      "file",     "-f",           DemuxerOf(source),
      "-i",       source};
  args.insert(args.end(), output.begin(), output.end());
  args.push_back(target);
  return args;
}

std::vector<std::string> SoundOutput(AudioFormat format) {
  if (format == AudioFormat::kMp3)
    return {"-vn", "-c:a", "libmp3lame", "-q:a", "4", "-f", "mp3"};
  return {"-vn", "-c:a", "libopus", "-b:a", "96k", "-f", "ogg"};
}

const std::vector<std::string> kMovieOutput = {
    "-map",      "0:v:0?",     "-map",    "0:a:0?",
    "-c:v",      "libx264",    "-preset", "veryfast",
    "-pix_fmt",  "yuv420p",    "-vf",     "scale=trunc(iw/2)*2:trunc(ih/2)*2",
    "-c:a",      "aac",        "-b:a",    "128k",
    "-movflags", "+faststart", "-f",      "mp4"};

}  // namespace

Converters Converters::Find() {
  Converters found;
  found.ffmpeg = FindProgram({"ffmpeg"});
  found.fluidsynth = FindProgram({"fluidsynth"});
  const char* chosen = std::getenv("HTMLMEMDOC_SOUNDFONT");
  if (chosen != nullptr && *chosen != '\0') {
    if (IsFile(chosen)) found.soundfont = chosen;
    return found;
  }
  for (const char* soundfont : kSoundfonts) {
    if (IsFile(soundfont)) {
      found.soundfont = soundfont;
      break;
    }
  }
  return found;
}

bool Converters::CanConvert(MediaKind kind) const {
  return NeedsConverting(kind) && Missing(kind).empty();
}

std::string Converters::Missing(MediaKind kind) const {
  if (!NeedsConverting(kind)) return std::string();
  std::string missing;
  if (kind == MediaKind::kMidi) {
    if (fluidsynth.empty()) missing = "fluidsynth";
    if (soundfont.empty())
      missing += std::string(missing.empty() ? "" : " and ") +
                 "a soundfont (timgm6mb-soundfont)";
  }
  if (ffmpeg.empty())
    missing += std::string(missing.empty() ? "" : " and ") + "ffmpeg";
  return missing;
}

std::string ConvertedExtension(MediaKind kind, AudioFormat format) {
  if (IsMovie(kind)) return ".mp4";
  return format == AudioFormat::kMp3 ? ".mp3" : ".opus";
}

std::string ConversionSettings(const Converters& converters, MediaKind kind,
                               AudioFormat format) {
  std::string settings =
      ConvertedExtension(kind, format) + " " + converters.ffmpeg;
  if (kind == MediaKind::kMidi)
    settings += " " + converters.fluidsynth + " " + converters.soundfont;
  return settings;
}

ProgramRun Convert(const Converters& converters, MediaKind kind,
                   AudioFormat format, const std::string& source,
                   const std::string& target, const std::string& scratch,
                   int seconds) {
  if (kind != MediaKind::kMidi) {
    ProgramRun run = RunProgram(
        converters.ffmpeg,
        FfmpegArgs(source, IsMovie(kind) ? kMovieOutput : SoundOutput(format),
                   target),
        seconds);
    if (!run.ok) run.why = "ffmpeg " + run.why;
    return run;
  }
  // FluidSynth's sound libraries make folders in the home and runtime
  // folders even when it only writes a file: pointed at a device, where no
  // folder can be made, they make none.
  const std::string& wav = scratch;
  ProgramRun rendered =
      RunProgram(converters.fluidsynth,
                 {"-ni", "-q", "-T", "wav", "-r", "44100", "-F", wav,
                  converters.soundfont, source},
                 seconds,
                 {"HOME=/dev/null", "XDG_RUNTIME_DIR=/dev/null",
                  "XDG_CONFIG_HOME=/dev/null"});
  if (!rendered.ok || !IsFile(wav)) {
    if (rendered.ok) rendered = ProgramRun{false, true, "wrote no sound"};
    rendered.why = "fluidsynth " + rendered.why;
    return rendered;
  }
  ProgramRun encoded = RunProgram(
      converters.ffmpeg, FfmpegArgs(wav, SoundOutput(format), target), seconds);
  if (!encoded.ok) encoded.why = "ffmpeg " + encoded.why;
  return encoded;
}

}  // namespace htmlmemdoc
