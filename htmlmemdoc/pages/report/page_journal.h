// page_journal.h: the changes a page session has in effect, kept on disk
// outside the edited folder as they are made, so that a person's unsaved
// work outlives a reload, a page switch, a session given way and the
// server itself (even killed). One file per session of a page, named by a
// hash of the page's canonical path and the session's id; it holds the
// path, the size and a hash of the file's bytes when the session opened
// it, and the changes as JSON.
//
// The file is a header line, then one line per step (a change made, an
// undo, a redo), each appended and flushed to disk as it is made: a step
// costs one short write however many came before it (rewriting the whole
// list at each step would cost a long session the square of its length),
// and a crash can tear only the last line, which reading drops. A session
// writes its file afresh (to a temporary file renamed over it) at its
// first step, and again when a later session took over what it held.

#ifndef HTMLMEMDOC_PAGES_REPORT_PAGE_JOURNAL_H_
#define HTMLMEMDOC_PAGES_REPORT_PAGE_JOURNAL_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/session_log.h"

namespace htmlmemdoc {

// `edit` as {"index": 2, "layer": "Rose", "properties": {"left": 10}},
// by the properties' own names (EditProperties, and noSound).
nlohmann::json EditJson(const SessionEdit& edit);

// Sets `edit` to the change `value` names, in EditJson's form; no refusal
// when set, else why not (bad-value, `edit` unchanged): it names no
// property, an unknown one, or a value of the wrong kind or out of the
// range of a number.
Refusal EditFromJson(const nlohmann::json& value, SessionEdit& edit);

// $XDG_STATE_HOME/htmlmemdoc/journal, else
// $HOME/.local/state/htmlmemdoc/journal; on Windows
// %LOCALAPPDATA%\htmlmemdoc\journal. "" when none is set.
std::string DefaultJournalFolder();

// Makes the journals of pages in `folder` ("": none is kept).
SessionLogMaker JournalIn(const std::string& folder);

class PageJournal : public SessionLog {
 public:
  PageJournal() = default;  // keeps nothing
  // The journal in `folder` of the page at canonical `path`, for a
  // session that opened a file holding `bytes`.
  PageJournal(const std::string& folder, std::string path,
              const std::string& bytes);
  // Removes the file when a later session took over or discarded it.
  ~PageJournal() override;
  PageJournal(const PageJournal&) = delete;
  PageJournal& operator=(const PageJournal&) = delete;

  bool Kept() const { return !m_file.empty(); }

  // What every other session of this page left in the folder, as one
  // record: the oldest, with the changes of the others made from the same
  // file after its own; false when there is none.
  bool Read(JournalRecord& record) const override;

  // Journals `step` ({"apply": EditJson}, {"undo": true} or
  // {"redo": true}), after which `inEffect` are the session's changes in
  // effect (written whole instead when the file is not there yet).
  // Returns "" or why the step could not be kept.
  std::string Write(const SessionStep& step, SessionEdits inEffect) override;
  // Writes this session's file afresh with `inEffect` as its changes.
  std::string Rewrite(SessionEdits inEffect) override;
  // Deletes this session's file (a save).
  void Forget() override;
  // Deletes the files of the record Read offered; one of a session still
  // alive in this process is only no longer offered while it lives.
  void DropOffered() override;

 private:
  // The record `file` holds, when it is this page's; false when not.
  bool ReadFile(const std::string& file, JournalRecord& record) const;

  std::string m_prefix;     // the names of this page's journals start so
  std::string m_file;       // this session's file; empty: nothing kept
  nlohmann::json m_header;  // the page's path, size and hash
  mutable std::vector<std::string> m_offered;  // the files Read merged
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_REPORT_PAGE_JOURNAL_H_
