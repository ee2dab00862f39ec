// play_verdict.cpp: the files are the page's references that a player
// took: a src of an embed or of the background sound, a video's dynsrc.

#include "htmlmemdoc/pages/export/play_verdict.h"

#include <set>

#include "htmlmemdoc/pages/export/media_kind.h"
#include "htmlmemdoc/pages/page/page_references.h"

namespace htmlmemdoc {
namespace {

bool IsPlayed(const PageReference& reference) {
  return (reference.tag == "embed" && reference.attribute == "src") ||
         (reference.tag == "bgsound" && reference.attribute == "src") ||
         reference.attribute == "dynsrc";
}

// "2 files" or "1 file".
std::string Files(size_t count) {
  return std::to_string(count) + (count == 1 ? " file" : " files");
}

}  // namespace

PlayVerdict PagePlayVerdict(const CHtmlMemDoc& document,
                            const std::string& text) {
  PlayVerdict verdict;
  std::set<std::string> seen;
  for (const PageReference& reference : FindReferences(document, text)) {
    if (!IsPlayed(reference) || reference.value.empty() ||
        !seen.insert(reference.value).second)
      continue;
    const MediaKind kind = MediaKindOf(reference.value);
    if (NeedsConverting(kind) || kind == MediaKind::kFlash)
      verdict.needExport.push_back(reference.value);
    else if (kind == MediaKind::kOther)
      verdict.never.push_back(reference.value);
  }
  return verdict;
}

std::string DescribePlayVerdict(const PlayVerdict& verdict) {
  if (verdict.needExport.empty() && verdict.never.empty())
    return "plays as it is";
  std::string said;
  if (!verdict.needExport.empty()) {
    std::set<std::string> kinds;
    for (const std::string& file : verdict.needExport)
      kinds.insert(MediaKindName(MediaKindOf(file)));
    std::string names;
    for (const std::string& kind : kinds)
      names += (names.empty() ? "" : ", ") + kind;
    said = Files(verdict.needExport.size()) +
           (verdict.needExport.size() == 1 ? " plays" : " play") +
           " once exported (" + names + ")";
  }
  if (!verdict.never.empty()) {
    said += (said.empty() ? "" : "; ") + Files(verdict.never.size()) +
            (verdict.never.size() == 1 ? " plays" : " play") +
            " in no current browser";
  }
  return said;
}

}  // namespace htmlmemdoc
