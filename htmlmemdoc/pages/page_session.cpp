// page_session.cpp: undo and redo read the page text again and make the
// changes still in effect once more, in order: each made it through the
// guarded edit before, on the same document, so it does again; the cost is
// that of the changes, and a person makes them one at a time.

#include "htmlmemdoc/pages/page_session.h"

#include "htmlmemdoc/pages/page_model.h"
#include "htmlmemdoc/pages/page_write.h"
#include "htmlmemdoc/pages/text_diff.h"

namespace htmlmemdoc {

PageSession::PageSession(const std::string& path) : m_path(path) {
  if (!ReadFileBytes(path, m_bytes)) {
    m_file = ReadPageFile(path);  // says why it cannot be read
    return;
  }
  m_file = PageFileOf(path, m_bytes);
  if (m_file.Ok()) Rebuild();
}

bool PageSession::Rebuild() {
  m_document.reset(new CHtmlMemDoc);
  if (!LoadPage(m_file, *m_document)) return false;
  for (size_t i = 0; i < m_done; ++i) ApplyEdit(*m_document, m_edits[i]);
  return true;
}

std::string PageSession::Apply(const PageEdit& edit) {
  if (edit.ChangesLayer() && FindLayer(*m_document, edit.layer) == nullptr)
    return "no layer with the id " + edit.layer;
  const std::string failure = ApplyEdit(*m_document, edit);
  if (!failure.empty()) return failure;
  m_edits.resize(m_done);
  m_edits.push_back(edit);
  ++m_done;
  return "";
}

bool PageSession::Undo() {
  if (!CanUndo()) return false;
  --m_done;
  return Rebuild();
}

bool PageSession::Redo() {
  if (!CanRedo()) return false;
  return ApplyEdit(*m_document, m_edits[m_done++]).empty();
}

nlohmann::json PageSession::Model() const {
  return DescribePage(*m_document, m_file.text);
}

std::string PageSession::Rendering() const {
  CString text;
  m_document->RenderToString(text, 0, nullptr);
  return std::string(text);
}

std::string PageSession::Diff() const {
  return UnifiedDiff(m_file.text, Rendering(), m_path, m_path + " (edited)");
}

PageSession::SaveResult PageSession::Save(std::string& why) {
  std::string now;
  if (!ReadFileBytes(m_path, now) || now != m_bytes) {
    why = m_path + " changed on disk since it was opened; open it again";
    return SaveResult::kConflict;
  }
  WriteOptions options;
  options.output = m_path;
  const WriteCheck check = CheckWrite(*m_document, m_file.text, options);
  why = check.refusal;
  if (why.empty()) why = WriteText(check.text, options);
  if (!why.empty()) return SaveResult::kRefused;
  *this = PageSession(m_path);
  return SaveResult::kSaved;
}

}  // namespace htmlmemdoc
