// block_scan.cpp: one walk over a block's "<"s with a depth count finds
// the "</div" that closes it: the first one at which the closes outnumber
// the nested opens, which is where pairing each nested "<div" with the next
// free "</div" ends. The same walk notes what the block holds (no needle
// looked for starts with "</", so none runs past the block's end tag).

#include "htmlmemdoc/document/block_scan.h"

#include <cstring>

#include "htmlmemdoc/core/case_forms.h"
#include "htmlmemdoc/core/scan.h"

namespace htmlmemdoc {

const char* ScanBlock(const char* block, CBlockContents& contents,
                      const char*& fault) {
  static const CCaseForms kOpen("<div");
  static const CCaseForms kClose("</div");
  static const CCaseForms kImage("<img");
  static const CCaseForms kParagraph("<p");
  static const CCaseForms kEmbed("<embed");
  int depth = 1;
  const char* close = nullptr;
  for (const char* p = std::strchr(block + 4, '<'); p != nullptr;
       p = std::strchr(p + 1, '<')) {
    if (p[1] == '/') {
      if (kClose.MatchesAt(block, p) && --depth == 0) {
        close = p;
        break;
      }
      continue;
    }
    // Each tag looked for is told from the others by its first letter,
    // which only one of them can match in any of its forms.
    switch (ToLowerAscii(p[1])) {
      case 'i':
        contents.image = contents.image || kImage.MatchesAt(block, p);
        break;
      case 'p':
        contents.paragraph =
            contents.paragraph || kParagraph.MatchesAt(block, p);
        break;
      case 'e':
        contents.embed = contents.embed || kEmbed.MatchesAt(block, p);
        break;
      case 'd':
        if (kOpen.MatchesAt(block, p)) ++depth;
        break;
      default:
        break;
    }
  }
  if (close == nullptr) {
    fault = block + 4;
    return nullptr;
  }
  const char* p = close + 5;
  SkipChars(p, kBlanks);
  if (*p != '>') {
    fault = p;
    return nullptr;
  }
  return p + 1;
}

}  // namespace htmlmemdoc
