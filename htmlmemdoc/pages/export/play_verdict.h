// play_verdict.h: what a current browser makes of the sounds and movies a
// page plays, told before any export is made: the files it plays only
// once the export converts them or brings the Flash player along, and the
// files it plays in no way (a plug-in's own format).

#ifndef HTMLMEMDOC_PAGES_EXPORT_PLAY_VERDICT_H_
#define HTMLMEMDOC_PAGES_EXPORT_PLAY_VERDICT_H_

#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc {

struct PlayVerdict {
  std::vector<std::string> needExport;  // as the page names them
  std::vector<std::string> never;
};

// The verdict on the background sound, the video layers' movies and the
// embedded files of `document`, read from `text`, each file once.
PlayVerdict PagePlayVerdict(const CHtmlMemDoc& document,
                            const std::string& text);

// "plays as it is", "2 files play once exported (midi, old video)", with
// "; 1 file plays in no current browser" after when there is one.
std::string DescribePlayVerdict(const PlayVerdict& verdict);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_PLAY_VERDICT_H_
