// session_log.h: what a page session keeps of its changes outside itself
// as they are made, so that a person's unsaved work outlives the session
// (a reload, a page switch, the server ending). The session says what
// happened; a log decides how it is kept (report/page_journal.h keeps it
// on disk as JSON lines).

#ifndef HTMLMEMDOC_PAGES_PAGE_SESSION_LOG_H_
#define HTMLMEMDOC_PAGES_PAGE_SESSION_LOG_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/page_edit.h"

namespace htmlmemdoc {

// A change as a session makes it: to the layer at `index` in page order
// (CHtmlMemDoc::GetLayersInPageOrder), which must have the id
// `edit.layer`; -1: the layer found by its id, or a change of the page.
// Changes made together as one step (an alignment of several layers) are
// the first and those `with` it, each made on the page as the ones before
// it left it.
struct SessionEdit {
  int index = -1;
  PageEdit edit;
  std::vector<SessionEdit> with;  // never holds changes `with` others
};

// The changes a session has in effect, seen in place (the session's own
// list, valid for the call it is passed to): a step is kept without
// copying every change made before it.
struct SessionEdits {
  const SessionEdit* first = nullptr;
  size_t count = 0;
  const SessionEdit* begin() const { return first; }
  const SessionEdit* end() const { return first + count; }
};

// One step of a session: a change made, the last one undone, or the last
// one undone made again.
struct SessionStep {
  enum Kind { kApply, kUndo, kRedo };
  Kind kind = kApply;
  SessionEdit edit;  // kApply only
};

// What an earlier session of a page left unsaved.
struct JournalRecord {
  std::string path;   // the page's canonical path
  uint64_t size = 0;  // the file's size and the hash of its bytes
  std::string hash;   // (BytesHash) when that session opened it
  std::string time;   // of the last step, UTC: "2026-12-07T03:41:39Z"
  std::vector<SessionEdit> edits;  // the changes in effect, in order
};

class SessionLog {
 public:
  virtual ~SessionLog() = default;
  // What other sessions of this page left unsaved; false when nothing.
  virtual bool Read(JournalRecord& record) const = 0;
  // Keeps `step`, after which `inEffect` are the session's changes in
  // effect; "" or why it could not be kept.
  virtual std::string Write(const SessionStep& step, SessionEdits inEffect) = 0;
  // Keeps `inEffect` afresh as the session's changes.
  virtual std::string Rewrite(SessionEdits inEffect) = 0;
  // Drops this session's record (a save).
  virtual void Forget() = 0;
  // Drops what Read offered (made again in this session, or discarded).
  virtual void DropOffered() = 0;
};

// Makes the log of the page at canonical `path` for a session that read
// `bytes` from it; null: nothing is kept.
using SessionLogMaker = std::function<std::unique_ptr<SessionLog>(
    const std::string& path, const std::string& bytes)>;

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_SESSION_LOG_H_
