// page_outcome.cpp

#include "htmlmemdoc/pages/report/page_outcome.h"

namespace htmlmemdoc {

nlohmann::json LossJson(const PageLoss& loss) {
  nlohmann::json item = {{"kind", loss.kind},
                         {"id", loss.id.empty() ? nlohmann::json(nullptr)
                                                : nlohmann::json(loss.id)},
                         {"line", loss.line},
                         {"what", loss.what}};
  if (loss.count > 1) item["count"] = loss.count;
  return item;
}

nlohmann::json LossesJson(const std::vector<PageLoss>& losses) {
  nlohmann::json items = nlohmann::json::array();
  for (const PageLoss& loss : losses) items.push_back(LossJson(loss));
  return items;
}

nlohmann::json ProblemJson(const PageProblem& problem) {
  nlohmann::json item = {{"code", RefusalCodeName(problem.Code())},
                         {"message", problem.message}};
  if (problem.kind == PageProblem::kRefused) {
    item.update({{"reason", problem.reason},
                 {"line", problem.line},
                 {"column", problem.column},
                 {"found", problem.found},
                 {"expected", problem.expected}});
  }
  return item;
}

void AddRefusal(nlohmann::json& object, const Refusal& refusal) {
  object["refusal"] =
      refusal ? nlohmann::json(refusal.why) : nlohmann::json(nullptr);
  object["code"] =
      refusal ? nlohmann::json(refusal.Name()) : nlohmann::json(nullptr);
}

}  // namespace htmlmemdoc
