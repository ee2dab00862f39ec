// export_site.h: a copy of a site that plays in a current browser. Every
// file below the site is copied into the export's folder; each sound and
// movie no browser plays is also converted, once, into a file beside its
// copy; each page is rewritten (export_page.h) to play them; the Flash
// player is copied in when a page has Flash. The site is only read. A
// second export into the same folder writes only what changed.

#ifndef HTMLMEMDOC_PAGES_EXPORT_EXPORT_SITE_H_
#define HTMLMEMDOC_PAGES_EXPORT_EXPORT_SITE_H_

#include <string>
#include <vector>

#include "htmlmemdoc/pages/export/converters.h"
#include "htmlmemdoc/pages/export/export_page.h"
#include "htmlmemdoc/pages/site/site_run.h"

namespace htmlmemdoc {

struct ExportOptions {
  std::string out;      // the folder to write
  bool convert = true;  // convert what a browser cannot play; false: copy
  AudioFormat audio = AudioFormat::kOpus;
  bool flash = true;  // give Flash movies the Flash player
  // The folder holding the Flash player's files (ruffle.js and its
  // .wasm files); "" when there is none.
  std::string ruffle;
  int seconds = 600;  // each converter run's time limit
  // The character set pages that declare none are said to be in; "" for
  // the code page the library reads in (CharsetOf).
  std::string charset;
  Converters converters;  // Converters::Find() by the front end
};

// A sound or movie file of the site, or the Flash movie, as exported.
struct ExportedMedia {
  std::string source;  // from the site's root
  std::string path;    // in the export: the converted file, or the copy
  MediaKind kind = MediaKind::kOther;  // the source's
  enum State { kCopied, kConverted, kFailed, kCannotPlay } state = kCopied;
  bool redone = false;  // converted or copied by this run
  std::string why;      // kFailed, kCannotPlay: why it will not play
};

struct ExportedPage {
  std::string path;      // from the site's root
  PageFile file;         // its problem, when it does not read (copied as it is)
  PageExport page;       // what the rewrite did (its bytes dropped)
  bool written = false;  // false when the export held this page already
  Refusal refusal;       // when it could not be written
};

struct ExportReport {
  std::string root, out;
  Refusal refusal;  // the export as a whole refused: nothing written
  std::vector<SiteTree::Unreadable> unreadableFolders;
  std::vector<ExportedPage> pages;
  std::vector<ExportedMedia> media;
  size_t files = 0, filesCopied = 0;  // every file copied, and copied now
  std::vector<std::pair<std::string, Refusal>> notCopied;
  bool flashPlayer = false;  // the Flash player was copied in
  Converters converters;
};

// The folder of the Flash player (Ruffle's ruffle.js and its .wasm
// files): `chosen`, else the one HTMLMEMDOC_RUFFLE names, else where the
// install put it, each when it holds ruffle.js; "" for none.
std::string FindFlashPlayer(const std::string& chosen = "");

// The options of an export on this machine: its converters and its Flash
// player found, the rest as ExportOptions says.
ExportOptions MachineExportOptions();

// The name of a code page's character set for a <meta charset>:
// "shift_jis", "gbk", "euc-kr", "big5", else "utf-8".
std::string CharsetOf(int codePage);

// Exports the site of `tree` as `options` say.
ExportReport RunExport(const SiteTree& tree, const ExportOptions& options,
                       const ParallelFor& parallelFor);

// The page at `path` (from the root of `tree`) as `bytes` hold it (an
// editor's unsaved page, say), exported into `options.out` with the media
// it plays, converted there as the whole export converts them and kept
// for the next call; nothing else is copied (a preview serves the other
// files from the site). The page's bytes are in its `page.bytes`.
ExportedPage ExportOnePage(const SiteTree& tree, const std::string& path,
                           const std::string& bytes,
                           const ExportOptions& options);

struct ExportCounts {
  size_t pages = 0, unreadablePages = 0, written = 0, layers = 0;
  size_t converted = 0, copied = 0, failed = 0, cannotPlay = 0;
  size_t silentUses = 0;  // sounds, movies and plug-ins that will not play
};
ExportCounts CountExport(const ExportReport& report);

// True when some page did not read or was not written, some file was not
// copied, or something will not play.
bool ExportHasProblems(const ExportReport& report);

const char* MediaStateName(ExportedMedia::State state);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_EXPORT_SITE_H_
