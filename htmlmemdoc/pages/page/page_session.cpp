// page_session.cpp: undo and redo read the page text again and make the
// changes still in effect once more, in order: each made it through the
// guarded edit before, on the same document, so it does again; the cost is
// that of the changes, and a person makes them one at a time.
//
// A save goes on from what it wrote: the rendering becomes the session's
// page text and the bytes written the file's, read from memory rather
// than from disk, so a file changed on disk meanwhile cannot slip in.

#include "htmlmemdoc/pages/page/page_session.h"

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_write.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_diff.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/replace_file.h"

namespace htmlmemdoc {
namespace {

// The bytes WriteText puts in a file for `text`.
std::string WrittenBytes(const CString& text, bool crlf) {
  const char* data = text;
  const size_t size = static_cast<size_t>(text.GetLength());
  if (!crlf) return std::string(data, size);
  std::string bytes;
  bytes.reserve(size + size / 16);
  replace_file::WriteWithCrLf(data, size, [&bytes](const char* p, size_t n) {
    bytes.append(p, n);
    return true;
  });
  return bytes;
}

}  // namespace

PageSession::PageSession(const std::string& path,
                         const SessionLogMaker& makeLog)
    : m_path(path) {
  if (!ReadFileBytes(path, m_bytes)) {
    m_file = ReadPageFile(path);  // says why it cannot be read
    return;
  }
  m_file = PageFileOf(path, m_bytes);
  if (!m_file.Ok() || !Rebuild()) return;
  if (makeLog) m_journal = makeLog(path, m_bytes);
  if (m_journal == nullptr || !m_journal->Read(m_unsaved))
    m_unsaved = JournalRecord();
}

bool PageSession::Rebuild() {
  m_checked = false;
  m_document.reset(new CHtmlMemDoc);
  if (!LoadPage(m_file, *m_document)) return false;
  for (size_t i = 0; i < m_done; ++i) ApplyToDocument(m_edits[i]);
  return true;
}

Refusal PageSession::ApplyToDocument(const SessionEdit& change) {
  // The layers in page order, found once for all the changes of a step
  // that name a place (an alignment of thousands of layers costs one walk
  // of them), and again after a change that makes or removes a layer.
  std::vector<CHtmlLayer*> order;
  bool ordered = false;
  Refusal refused = ApplyOne(change, order, ordered);
  for (size_t i = 0; !refused && i < change.with.size(); ++i)
    refused = ApplyOne(change.with[i], order, ordered);
  return refused;
}

Refusal PageSession::ApplyOne(const SessionEdit& change,
                              std::vector<CHtmlLayer*>& order, bool& ordered) {
  m_checked = false;
  const PageEdit& edit = change.edit;
  if (!edit.NamesLayer()) {  // a layer made: the order changes after it
    ordered = ordered && !edit.add;
    return ApplyEdit(*m_document, nullptr, edit);
  }
  if (change.index >= 0 && !ordered) {
    order = LayersInPageOrder(*m_document);
    ordered = true;
  }
  CHtmlLayer* layer = change.index < 0 ? FindLayer(*m_document, edit.layer)
                      : static_cast<size_t>(change.index) < order.size()
                          ? order[change.index]
                          : nullptr;
  if (layer == nullptr || LayerId(*layer) != edit.layer) {
    return Refusal(RefusalCode::kNoLayer,
                   change.index < 0
                       ? "no layer with the id " + edit.layer
                       : "the page has no layer " + edit.layer + " at place " +
                             std::to_string(change.index));
  }
  Refusal refused = ApplyEdit(*m_document, layer, edit);
  if (edit.copyAs || edit.remove)
    ordered = false;  // so does one copied or removed
  return refused;
}

void PageSession::Journal(const SessionStep& step) {
  if (m_journal == nullptr) return;
  m_journalProblem = m_journal->Write(step, {m_edits.data(), m_done});
}

Refusal PageSession::Apply(const PageEdit& edit, int index) {
  return Apply(SessionEdit{index, edit, {}});
}

Refusal PageSession::Apply(const SessionEdit& change) {
  if (Refusal failure = ApplyToDocument(change)) {
    // A change refused leaves the page as it was; the ones made before it
    // in the step are taken back with the page read again.
    if (!change.with.empty()) Rebuild();
    return failure;
  }
  m_edits.resize(m_done);
  m_edits.push_back(change);
  ++m_done;
  Journal({SessionStep::kApply, change});
  return Refusal();
}

bool PageSession::Undo() {
  if (!CanUndo()) return false;
  --m_done;
  Journal({SessionStep::kUndo, {}});
  return Rebuild();
}

bool PageSession::Redo() {
  if (!CanRedo()) return false;
  const bool made = !ApplyToDocument(m_edits[m_done++]);
  Journal({SessionStep::kRedo, {}});
  return made;
}

bool PageSession::FileChangedSinceUnsaved() const {
  return m_unsaved.size != m_bytes.size() ||
         m_unsaved.hash != BytesHash(m_bytes);
}

std::vector<std::string> PageSession::RestoreUnsaved() {
  std::vector<std::string> refused;
  const std::vector<SessionEdit> edits = std::move(m_unsaved.edits);
  m_unsaved = JournalRecord();
  for (size_t i = 0; i < edits.size(); ++i) {
    const Refusal why = Apply(edits[i]);
    if (why) {
      refused.push_back("change " + std::to_string(i + 1) + " of " +
                        std::to_string(edits.size()) + ": " + why.why);
    }
  }
  // Journaled as this session's own by now (a crash before this offers
  // them twice rather than never).
  if (m_journal != nullptr) m_journal->DropOffered();
  return refused;
}

void PageSession::DiscardUnsaved() {
  m_unsaved = JournalRecord();
  if (m_journal != nullptr) m_journal->DropOffered();
}

void PageSession::Check() const {
  if (m_checked) return;
  WriteOptions options;
  options.allowLoss = true;
  WriteCheck check = CheckWrite(*m_document, m_file.text, options);
  m_rendering.assign(check.text, static_cast<size_t>(check.text.GetLength()));
  m_losses = std::move(check.losses);
  m_checked = true;
}

const std::string& PageSession::Rendering() const {
  Check();
  return m_rendering;
}

const std::vector<PageLoss>& PageSession::Losses() const {
  Check();
  return m_losses;
}

std::string PageSession::Diff(const std::string& name) const {
  return UnifiedDiff(m_file.text, Rendering(), name, name + " (edited)");
}

std::string PageSession::DiffAgainstDisk(const std::string& name) const {
  std::string bytes;
  if (!ReadFileBytes(m_path, bytes)) bytes.clear();
  return UnifiedDiff(PageTextOf(bytes), Rendering(), name + " (on disk now)",
                     name + " (edited)");
}

namespace {

bool MakesOrRemoves(const PageEdit& edit) {
  return edit.add || edit.copyAs || edit.remove;
}

// Whether a change in effect makes, copies or removes a layer (the
// document's elements are then no longer those it read, one for one).
bool MakesOrRemoves(const std::vector<SessionEdit>& edits, size_t done) {
  for (size_t i = 0; i < done; ++i) {
    if (MakesOrRemoves(edits[i].edit)) return true;
    for (const SessionEdit& with : edits[i].with)
      if (MakesOrRemoves(with.edit)) return true;
  }
  return false;
}

}  // namespace

bool PageSession::RendersAsOpened() {
  PageFile opened = m_file;
  CHtmlMemDoc document;
  if (!LoadPage(opened, document)) return false;
  // An element the changes leave as a browser sees it as read (a layer
  // moved and moved back, its style rewritten by the library) gets its
  // bytes as read back, so that it is written as it was.
  const int count = document.GetReadItemCount();
  if (!MakesOrRemoves(m_edits, m_done) &&
      count == m_document->GetReadItemCount()) {
    for (int i = 0; i < count; ++i) {
      const CHtmlReadItem& was = *document.GetReadItem(i);
      const CHtmlReadItem& now = *m_document->GetReadItem(i);
      if (was.kind != HtmlReadElement || now.kind != HtmlReadElement ||
          was.element == nullptr || now.element == nullptr)
        continue;
      const std::string before =
          MarkupOf(*static_cast<const CHtmlTextBase*>(was.element));
      auto* element = static_cast<CHtmlTextBase*>(now.element);
      const std::string after = MarkupOf(*element);
      if (before != after && SeenAlike(before, after) &&
          element->Init(before.c_str()))
        m_checked = false;
    }
  }
  CString text;
  document.RenderToString(text, 0, nullptr);
  const std::string& now = Rendering();
  return now.size() == static_cast<size_t>(text.GetLength()) &&
         now.compare(0, now.size(), text, now.size()) == 0;
}

Refusal PageSession::Save() {
  if (m_done == 0)
    return Refusal(RefusalCode::kUnchanged, "the page has no change to save");
  // Changes that put every value back (a layer moved and moved back, a
  // field set to what it held) leave nothing to save: writing would only
  // rewrite the file in the library's own layout.
  if (RendersAsOpened()) {
    return Refusal(RefusalCode::kUnchanged,
                   "the changes leave the page as it was: nothing to save");
  }
  std::string now;
  if (!ReadFileBytes(m_path, now) || now != m_bytes) {
    return Refusal(RefusalCode::kConflict,
                   "the page changed on disk since it was opened: see the "
                   "changes against it, or open it again");
  }
  WriteOptions options;
  options.output = m_path;
  if (!m_within.empty()) {
    const std::string root = m_within.back() == '/' ? m_within : m_within + "/";
    if (m_path.compare(0, root.size(), root) != 0)
      return Refusal(RefusalCode::kCannotWrite,
                     "the page is not below the folder it may be written in");
    options.output = m_path.substr(root.size());
    options.within = m_within;
  }
  options.crlf = m_file.crlf;
  options.expected = &m_bytes;  // checked again just before the replace
  options.keepRead = true;      // the session goes on from it
  WriteCheck check = CheckWrite(*m_document, m_file.text, options);
  Refusal refused = std::move(check.refusal);
  if (!refused) refused = WriteText(check.text, options);
  if (refused) {
    if (!ReadFileBytes(m_path, now) || now != m_bytes)
      refused.code = RefusalCode::kConflict;
    return refused;
  }
  // The session goes on as if it had opened the file written: its bytes
  // and page text are those a read of it gives, and the document is the
  // one the check read the text as (a read of the file would add no more
  // than a line feed at the end).
  m_document = std::move(check.read);
  m_checked = false;
  m_bytes = WrittenBytes(check.text, options.crlf);
  m_file.text = PageTextOf(m_bytes);
  m_edits.clear();
  m_done = 0;
  m_unsaved = JournalRecord();
  if (m_journal != nullptr) m_journal->Forget();
  return Refusal();
}

}  // namespace htmlmemdoc
