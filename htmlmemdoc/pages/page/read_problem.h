// read_problem.h: a failed read of a page told as a person can act on it:
// what stands at the fault and what a layout page has there.

#ifndef HTMLMEMDOC_PAGES_PAGE_READ_PROBLEM_H_
#define HTMLMEMDOC_PAGES_PAGE_READ_PROBLEM_H_

#include <string>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_file.h"

namespace htmlmemdoc {

// The problem of a read of `text` into `document` that returned 0: the
// reader's reason, the line and column where the thing found starts, what
// it is and what a layout page holds there. The message is left empty.
PageProblem DescribeRefusal(const std::string& text,
                            const CHtmlMemDoc& document);

// The problem without its place: for a refusal "FOUND: EXPECTED (the
// library's message)", else the message.
std::string ProblemWhat(const PageProblem& problem);

// The problem on one line, to follow a page's name and ":": for a refusal
// "LINE:COLUMN: FOUND: EXPECTED (the library's message)", else the message.
std::string DescribeProblem(const PageProblem& problem);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_READ_PROBLEM_H_
