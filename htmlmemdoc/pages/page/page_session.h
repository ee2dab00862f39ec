// page_session.h: one person's editing of one page, as an editor holds it:
// the page as read, the changes made to it in order (so that any of them
// can be undone and redone), and the file's bytes at opening, so that a
// save finds out when the file changed on disk since (another editor, a
// text editor) instead of overwriting it. Every change goes through the
// guarded edit (page_edit.h), every save through the guarded write. With
// a log (session_log.h), every change is kept as it is made, and what an
// earlier session of the page left unsaved is offered back. A session is
// used by one thread at a time, even through its const members (which keep
// the rendering they make).

#ifndef HTMLMEMDOC_PAGES_PAGE_PAGE_SESSION_H_
#define HTMLMEMDOC_PAGES_PAGE_PAGE_SESSION_H_

#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page/page_edit.h"
#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_loss.h"
#include "htmlmemdoc/pages/page/session_log.h"

namespace htmlmemdoc {

class PageSession {
 public:
  // Reads the page at `path` (canonical: it names the page's log); Ok()
  // tells whether it reads. With no `makeLog`, nothing is kept.
  explicit PageSession(const std::string& path,
                       const SessionLogMaker& makeLog = nullptr);

  bool Ok() const { return m_file.Ok(); }
  const PageProblem& Problem() const { return m_file.problem; }
  const std::string& Path() const { return m_path; }

  // Makes the change to the layer at `index` in page order, which must
  // have the id `edit.layer` (-1: the layer of that id, or the page);
  // no refusal, or why it was refused (nothing changed then). A change
  // drops the changes undone before it.
  Refusal Apply(const PageEdit& edit, int index = -1);
  // The same for the changes of one step, all made or none.
  Refusal Apply(const SessionEdit& change);
  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_edits.size(); }
  size_t Changes() const { return m_done; }  // in effect, not saved
  // Take back the last change made, or make again the last one taken back;
  // false when there is none.
  bool Undo();
  bool Redo();

  // The changes an earlier session of the page left unsaved (no edits:
  // none), and whether the file changed on disk since that session read
  // it.
  const JournalRecord& Unsaved() const { return m_unsaved; }
  bool FileChangedSinceUnsaved() const;
  // Makes the unsaved changes again, in order, through the guarded edit;
  // returns why each one refused was ("change 2 of 5: ..."). The offer
  // is gone after this or DiscardUnsaved.
  std::vector<std::string> RestoreUnsaved();
  void DiscardUnsaved();
  // Why the last change could not be journaled; "" when it was.
  const std::string& JournalProblem() const { return m_journalProblem; }

  // The page as it now stands (the session keeps it) and its text as
  // read or last saved.
  const CHtmlMemDoc& Document() const { return *m_document; }
  const std::string& Text() const { return m_file.text; }
  // The page as it would be written, for showing in a browser, and what
  // writing it would lose: made together, once for each state of the page
  // (a change, an undo, a save), however often they are asked for.
  const std::string& Rendering() const;
  const std::vector<PageLoss>& Losses() const;
  // The unified diff from the file as opened (or last saved) to the page
  // as it would be written ("" when they are equal), the file called
  // `name` in it.
  std::string Diff(const std::string& name) const;
  // The same from the file as it is on disk now.
  std::string DiffAgainstDisk(const std::string& name) const;

  // Writes the page over its file through the guarded write, keeping its
  // line ends; no refusal when written. Else nothing is written: no
  // change is in effect or the changes leave the page rendering as it did
  // when opened (unchanged), the file is no longer what was read
  // (conflict: the session stays as it was), or writing would lose
  // content (loss), would not read again (no-read-back) or fails
  // (cannot-write). A saved session goes on from the page as written, as
  // the write's check read it: its changes can no longer be undone, its
  // journal is gone.
  Refusal Save();
  // Saves write only below the folder `root` (the canonical path the
  // session's path starts with), through no link (WriteOptions::within).
  void WriteOnlyBelow(const std::string& root) { m_within = root; }

 private:
  bool Rebuild();      // the document read again with the changes in effect
  void Check() const;  // makes m_rendering and m_losses when not made
  Refusal ApplyToDocument(const SessionEdit& change);  // with those `with` it
  // One change, the layers' page order (`ordered`: found and still so)
  // shared with the others of its step.
  Refusal ApplyOne(const SessionEdit& change, std::vector<CHtmlLayer*>& order,
                   bool& ordered);
  void Journal(const SessionStep& step);
  // Whether the page as it stands renders as the page as opened does, once
  // each element a browser sees as it was read has its bytes as read.
  bool RendersAsOpened();

  std::string m_path;
  std::string m_within;  // empty: saves write m_path as it stands
  PageFile m_file;
  std::string m_bytes;  // the file as read or written, to find a change
  std::unique_ptr<CHtmlMemDoc> m_document;
  std::vector<SessionEdit> m_edits;
  size_t m_done = 0;                      // m_edits[0, m_done) are in effect
  std::unique_ptr<SessionLog> m_journal;  // null: nothing kept
  JournalRecord m_unsaved;
  std::string m_journalProblem;
  // The rendering and losses of the document as it stands; m_checked is
  // false once it changed.
  mutable bool m_checked = false;
  mutable std::string m_rendering;
  mutable std::vector<PageLoss> m_losses;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_PAGE_SESSION_H_
