// page_session.h: one person's editing of one page, as an editor holds it:
// the page as read, the changes made to it in order (so that any of them
// can be undone and redone), and the file's bytes at opening, so that a
// save finds out when the file changed on disk since (another editor, a
// text editor) instead of overwriting it. Every change goes through the
// guarded edit (page_edit.h), every save through the guarded write.

#ifndef HTMLMEMDOC_PAGES_PAGE_SESSION_H_
#define HTMLMEMDOC_PAGES_PAGE_SESSION_H_

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "htmlmemdoc/htmlmemdoc.h"
#include "htmlmemdoc/pages/page_edit.h"
#include "htmlmemdoc/pages/page_file.h"

namespace htmlmemdoc {

class PageSession {
 public:
  // Reads the page at `path`; Ok() tells whether it reads.
  explicit PageSession(const std::string& path);

  bool Ok() const { return m_file.Ok(); }
  const PageProblem& Problem() const { return m_file.problem; }

  // Makes the change; "" or why it was refused (nothing changed then).
  // A change drops the changes undone before it.
  std::string Apply(const PageEdit& edit);
  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_edits.size(); }
  // Take back the last change made, or make again the last one taken back;
  // false when there is none.
  bool Undo();
  bool Redo();

  // What `show --json` prints of the page as it now stands.
  nlohmann::json Model() const;
  // The page as it would be written, for showing in a browser.
  std::string Rendering() const;
  // The unified diff from the file on disk to the page as it would be
  // written ("" when they are equal).
  std::string Diff() const;

  enum class SaveResult { kSaved, kConflict, kRefused };
  // Writes the page over its file with the tool's guards, unless the file
  // is no longer what was read (kConflict) or writing would lose content
  // or fails (kRefused); `why` says what. A saved page is read again from
  // disk: its changes can no longer be undone.
  SaveResult Save(std::string& why);

 private:
  bool Rebuild();  // the document read again with the changes in effect

  std::string m_path;
  PageFile m_file;
  std::string m_bytes;  // the file as read, to find a change on disk
  std::unique_ptr<CHtmlMemDoc> m_document;
  std::vector<PageEdit> m_edits;
  size_t m_done = 0;  // m_edits[0, m_done) are in effect
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_SESSION_H_
