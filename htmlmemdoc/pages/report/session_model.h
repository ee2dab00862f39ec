// session_model.h: a page session's page as an editor shows it, and what
// changed in it since it was last shown, so that a change on a page of
// thousands of layers is answered with the few it touched.

#ifndef HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_
#define HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/page_session.h"

namespace htmlmemdoc {

// One viewer of a session (an editor's tab). Each answer has the next
// revision number, so that answers arriving out of order can be put back
// in order.
class SessionView {
 public:
  // What `show --json` prints of the session's page as it now stands, its
  // layers in page order, each with its "index" there.
  nlohmann::json Whole(const PageSession& session);

  // What changed since the last Whole or Changes: "page", the page's
  // properties (DescribePageProperties), and either "layers", each layer
  // that changed with its "index", when the page has as many layers as it
  // had (every other layer is as it was), or "splice": {"at", "remove",
  // "layers"}, the `remove` layers from place `at` on replaced by
  // `layers`.
  nlohmann::json Changes(const PageSession& session);

  uint64_t Revision() const { return m_revision; }

 private:
  std::vector<std::string> m_shown;  // each layer's markup, in page order
  uint64_t m_revision = 0;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_SESSION_MODEL_H_
