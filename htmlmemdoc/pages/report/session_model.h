// session_model.h: a page session's page as the editor shows it.

#ifndef HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_
#define HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_

#include <nlohmann/json.hpp>

#include "htmlmemdoc/pages/page/page_session.h"

namespace htmlmemdoc {

// What `show --json` prints of the session's page as it now stands, each
// layer with its "index" in page order.
nlohmann::json SessionModel(const PageSession& session);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_
