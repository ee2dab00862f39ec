// page_journal.h: the changes a page session has in effect, kept on disk
// outside the edited folder as they are made, so that a person's unsaved
// work outlives a reload, a page switch, a session given way and the
// server itself (even killed). One file per page, named by a hash of the
// page's canonical path; it holds the path, the size and a hash of the
// file's bytes when the session opened it, and the changes as JSON.
//
// The file is a header line, then one line per step (a change made, an
// undo, a redo), each appended and flushed to disk as it is made: a step
// costs one short write however many came before it (rewriting the whole
// list at each step would cost a long session the square of its length),
// and a crash can tear only the last line, which reading drops. A session
// writes the file afresh (to a temporary file renamed over it) at its
// first step, and again when another session of the page has taken the
// file over since, so the file always tells one session's story.

#ifndef HTMLMEMDOC_PAGES_PAGE_JOURNAL_H_
#define HTMLMEMDOC_PAGES_PAGE_JOURNAL_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page_edit.h"

namespace htmlmemdoc {

// A change as a session makes it: to the layer at `index` in page order
// (CHtmlMemDoc::GetLayersInPageOrder), which must have the id
// `edit.layer`; -1: the layer found by its id, or a change of the page.
struct SessionEdit {
  int index = -1;
  PageEdit edit;
};

// `edit` as {"index": 2, "layer": "Rose", "properties": {"left": 10}},
// with the editor's property names (left top width height zIndex
// visibility text fontSize color src poster id background sound noSound).
nlohmann::json EditJson(const SessionEdit& edit);

// The change `value` names, in EditJson's form; false, with `why` said,
// when it names no property, an unknown one, or a value of the wrong kind
// or out of the range of a number.
bool EditFromJson(const nlohmann::json& value, SessionEdit& edit,
                  std::string& why);

// What a session left on disk.
struct JournalRecord {
  std::string path;   // the page's canonical path
  uint64_t size = 0;  // the file's size and the hash of its bytes
  std::string hash;   // (BytesHash) when that session opened it
  std::string time;   // of the last step, UTC: "2026-12-07T03:41:39Z"
  std::vector<SessionEdit> edits;  // the changes in effect, in order
};

// A fingerprint of `bytes` as 16 hex digits (64-bit FNV-1a): it tells a
// changed file, it is no secret.
std::string BytesHash(const std::string& bytes);

// $XDG_STATE_HOME/htmlmemdoc/journal, else
// $HOME/.local/state/htmlmemdoc/journal; "" when neither is set.
std::string DefaultJournalFolder();

class PageJournal {
 public:
  PageJournal() = default;  // keeps nothing
  // The journal in `folder` of the page at canonical `path`, for a
  // session that opened a file holding `bytes`.
  PageJournal(const std::string& folder, std::string path,
              const std::string& bytes);

  bool Kept() const { return !m_file.empty(); }

  // The record on disk for this page (left by any session); false when
  // there is none, it is another page's, or its header does not read.
  bool Read(JournalRecord& record) const;

  // Journals `step` ({"apply": EditJson} or {"undo": true} or
  // {"redo": true}), after which `inEffect` are the session's changes in
  // effect (written whole instead when the file is not this session's).
  // Returns "" or why the step could not be kept.
  std::string Write(const nlohmann::json& step,
                    const std::vector<SessionEdit>& inEffect);
  // Writes the file afresh with `inEffect` as this session's changes.
  std::string Rewrite(const std::vector<SessionEdit>& inEffect);
  // Deletes the file (a person discarding the changes it holds).
  void Remove();
  // Deletes the file when it is this session's (a save: another
  // session's changes stay).
  void Forget();

 private:
  bool OwnsFile() const;

  std::string m_file;       // the journal file; empty: nothing kept
  nlohmann::json m_header;  // the path, size, hash and this session's id
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_JOURNAL_H_
