// text_diff.cpp: the hunks come from dtl (Debian's libdtl-dev), which
// finds the shortest edit script between the two lists of lines.

#include "htmlmemdoc/pages/text/text_diff.h"

#include <dtl/dtl.hpp>
#include <sstream>
#include <vector>

namespace htmlmemdoc {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string UnifiedDiff(const std::string& oldText, const std::string& newText,
                        const std::string& before, const std::string& after) {
  if (oldText == newText) return "";
  dtl::Diff<std::string> diff(Lines(oldText), Lines(newText));
  diff.onHuge();
  diff.compose();
  diff.composeUnifiedHunks();
  // Texts that differ only in a line feed at the end have the same lines.
  if (diff.getUniHunks().empty()) return "";
  std::ostringstream out;
  out << "--- " << before << "\n+++ " << after << "\n";
  diff.printUnifiedFormat(out);
  return out.str();
}

}  // namespace htmlmemdoc
