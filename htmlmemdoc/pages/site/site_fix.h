// site_fix.h: making a site's references name the files on disk. A page
// is changed only where a reference is wrong: each such value is replaced
// in the file's own bytes, everything else kept as it was (see
// site_patch.h), checked (it reads again, holds exactly the planned
// references and reads as the page with the values changed does), and
// written whole in place of the old file, unless another program wrote
// the file since it was read. With encode,
// the characters a URL treats specially become "_" in references, and the
// files they name are renamed to match: the new name is made first as a
// second link to the file, the pages are written, and the old name goes
// only once every page naming the file has been written, so that no page
// names a file that is not there at any moment.

#ifndef HTMLMEMDOC_PAGES_SITE_SITE_FIX_H_
#define HTMLMEMDOC_PAGES_SITE_SITE_FIX_H_

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "htmlmemdoc/pages/page/refusal.h"
#include "htmlmemdoc/pages/site/site_scan.h"

namespace htmlmemdoc {

struct SiteFixOptions {
  bool encode = false;  // also replace blank ! $ & ( ) , @ and rename
  bool dryRun = false;  // make the diff, write and rename nothing
  // Kept for the callers: a fix keeps every byte but the values it
  // changes, so it loses nothing the library drops.
  bool allowLoss = false;
};

// A file renamed to match encoded references; paths from the root.
struct SiteRename {
  SiteTree::FileId file;
  std::string from, to;
  // Why it is not renamed (not-in-place, in-the-way, cannot-write); none
  // when it is.
  Refusal refusal;
  bool done = false;    // the old name is gone
  bool linked = false;  // this run made the new name
};

struct PageFix {
  enum State { kUntouched, kFixed, kRefused } state = kUntouched;
  // Reference indexes (into the scanned page's references), in increasing
  // order, with the new value, or with why the reference is left as it is.
  std::vector<std::pair<size_t, std::string>> changes;
  std::vector<std::pair<size_t, std::string>> leftAlone;
  // kRefused: why the page was not written (unreadable, conflict,
  // not-in-place, not-exact, no-read-back, cannot-write).
  Refusal refusal;
  std::string diff;  // with dryRun: the change as a unified diff
};

// Whether the rename of a file is planned and not refused.
using RenameCheck = std::function<const SiteRename*(SiteTree::FileId)>;

// The renames encoded references call for, each refused with its reason
// when a page, a name that exists or a reference that cannot change is in
// the way.
std::vector<SiteRename> PlanRenames(const SiteTree& tree,
                                    const std::vector<SitePage>& pages);

// Makes each planned rename's new name a link to the file; a rename whose
// link cannot be made is refused.
void LinkNewNames(const SiteTree& tree, std::vector<SiteRename>& renames);

// The value a fix gives the reference `checked`; "" when it stays.
std::string FixTarget(const CheckedReference& checked, bool encode);

// Fixes one scanned page (see above) from what its scan kept (taken:
// `page.read` is null after); the scan must keep every page FixTarget
// would change, as RunSite's does.
PageFix FixPage(const SiteTree& tree, SitePage& page,
                const SiteFixOptions& options, const RenameCheck& renames);

// Removes the old name of each linked rename whose every page was written.
void RemoveOldNames(const SiteTree& tree, const std::vector<SitePage>& pages,
                    const std::vector<PageFix>& fixes,
                    std::vector<SiteRename>& renames);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_SITE_FIX_H_
