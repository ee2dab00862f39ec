// page_outcome.h: what went wrong with a page, in the one JSON shape
// every command and the editor give it: a problem that keeps a page from
// reading, and a loss that writing it back would make.

#ifndef HTMLMEMDOC_PAGES_REPORT_PAGE_OUTCOME_H_
#define HTMLMEMDOC_PAGES_REPORT_PAGE_OUTCOME_H_

#include <nlohmann/json.hpp>
#include <vector>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

// {"kind", "id" (null for none), "line", "what"}, and "count" when the
// loss stands for more than one.
nlohmann::json LossJson(const PageLoss& loss);
nlohmann::json LossesJson(const std::vector<PageLoss>& losses);

// {"code", "message"} (the code: unreadable, not-text or not-a-page), and
// for a page the reader refused its "reason", "line", "column", "found"
// and "expected".
nlohmann::json ProblemJson(const PageProblem& problem);

// A refusal as two members of `object`: its sentence ("refusal") and its
// code ("code"), both null when there is none.
void AddRefusal(nlohmann::json& object, const Refusal& refusal);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_PAGE_OUTCOME_H_
