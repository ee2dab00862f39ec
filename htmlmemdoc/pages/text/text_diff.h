// text_diff.h: a unified diff of two texts, line by line, as `diff -u`
// prints it, for showing a change before it is written.

#ifndef HTMLMEMDOC_PAGES_TEXT_TEXT_DIFF_H_
#define HTMLMEMDOC_PAGES_TEXT_TEXT_DIFF_H_

#include <string>

namespace htmlmemdoc {

// "" when the texts hold the same lines (a line feed at the end aside);
// else the "--- " and "+++ " lines naming `before` and `after`, then the
// hunks with three lines of context.
std::string UnifiedDiff(const std::string& oldText, const std::string& newText,
                        const std::string& before, const std::string& after);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_TEXT_TEXT_DIFF_H_
