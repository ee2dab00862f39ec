// export_page.h: one page rewritten for current browsers. The page is
// taken as the library read it: its background sound, its video layers
// and its embed and live-audio layers are found by kind, and only the
// tags that no current browser plays are replaced, in place, in the
// page's own bytes: the sound becomes an <audio> in a layer of its own
// with a control to start it, a video layer's <img dynsrc> a <video>, an
// embedded sound or movie an <audio> or a <video>; a Flash movie stays
// and gets the Flash player. Every other byte of the page is kept, so
// its layout, scripts, handlers, fonts and frames are as they were.

#ifndef HTMLMEMDOC_PAGES_EXPORT_EXPORT_PAGE_H_
#define HTMLMEMDOC_PAGES_EXPORT_EXPORT_PAGE_H_

#include <functional>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/export/media_kind.h"
#include "htmlmemdoc/pages/page/refusal.h"
#include "htmlmemdoc/pages/site/site_scan.h"

namespace htmlmemdoc {

// A file a page names, as the export has it.
struct ExportedFile {
  std::string name;  // its file name in the export (a converted file's own)
  MediaKind kind = MediaKind::kOther;  // as exported
  bool plays = true;  // false when a current browser will not play it
  std::string why;    // why not, when it will not
};

// The exported file of the file a reference leads to; null for one that
// leads to no file of the site (missing, external, outside).
using ExportedFileOf =
    std::function<const ExportedFile*(const CheckedReference&)>;

struct PageExportOptions {
  std::string toRoot;  // from the page's folder to the export's root: "../"s
  bool flash = true;   // give Flash movies the Flash player
  // The character set a page that declares none is told it is in: the
  // code page it was read in ("utf-8", "shift_jis", ...).
  std::string charset = "utf-8";
};

// What became of one sound, movie or plug-in the page plays.
struct MediaUse {
  std::string element;  // "background sound", "video layer", "embed layer"
  std::string id;       // the layer's id, when it has one
  std::string source;   // the reference as the page wrote it
  std::string became;   // "audio", "video", "flash", or "" when left as it was
  std::string value;    // the reference as the export writes it
  bool plays = true;
  std::string why;  // why it will not play, when it will not
};

struct PageExport {
  std::string bytes;  // the page as exported
  std::vector<MediaUse> media;
  size_t layers = 0;
  bool flash = false;         // it loads the Flash player
  bool charsetAdded = false;  // it got a character-set declaration
  size_t casesFixed = 0;      // references set to the names' case on disk
  // Why the page could not be rewritten (not-in-place, no-read-back); the
  // page is then exported as it was.
  Refusal refusal;
};

// The element of a bgsound's <audio> and its control's layer: the layer's
// id, the button's id.
extern const char kSoundLayerId[];

// Rewrites `read` (its references `checked`, in the same order).
PageExport ExportPage(const PageRead& read,
                      const std::vector<CheckedReference>& checked,
                      const ExportedFileOf& exported,
                      const PageExportOptions& options);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_EXPORT_PAGE_H_
