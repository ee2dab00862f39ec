// page_operations.cpp: the document's operations on its single elements:
// style lookup, the background image and preloads of the body tag, and the
// background sound.

#include "htmlmemdoc/document/mem_doc.h"

namespace {

const char kBackgroundSoundTemplate[] =
    "<bgsound id=\"BackgroundSound\" type=\"audio/midi\" "
    "src=\"../audio/valentine.mid\" repeat=\"1\" loop=\"-1\">";
const int kSoundProbeBuffer = 1040;

}  // namespace

CHtmlStyle* CHtmlMemDoc::GetStyle(const char* name) const {
  if (name == nullptr) return nullptr;
  CString ruleName;
  for (POSITION pos = m_styleList.GetHeadPosition(); pos != nullptr;) {
    CHtmlStyle* rule = static_cast<CHtmlStyle*>(m_styleList.GetNext(pos));
    rule->GetStyleName(ruleName);
    if (ruleName.CompareNoCase(name) == 0) return rule;
  }
  return nullptr;
}

int CHtmlMemDoc::SetBackgroundImage(const char* src) {
  return m_body.SetBackground(src);
}

int CHtmlMemDoc::GetBackgroundImage(char* buffer, int bufferSize) const {
  return m_body.GetBackground(buffer, bufferSize);
}

int CHtmlMemDoc::GetPreloadImage(CStringArray& images) const {
  return m_body.GetPreloadImage(images);
}

int CHtmlMemDoc::FlattenPreloadImageSrc() {
  return m_body.FlattenPreloadImageSrc();
}

int CHtmlMemDoc::SetBackgroundSound(const char* src) {
  return m_bgSound.SetSrc(src);
}

int CHtmlMemDoc::GetBackgroundSound(char* buffer, int bufferSize) const {
  return m_bgSound.GetSrc(buffer, bufferSize);
}

int CHtmlMemDoc::IsBackgroundSoundExist() const {
  char buffer[kSoundProbeBuffer];
  return GetBackgroundSound(buffer, sizeof buffer);
}

int CHtmlMemDoc::AddBackgroundSound(const char* src) {
  if (!IsBackgroundSoundExist()) m_bgSound.Init(kBackgroundSoundTemplate);
  return SetBackgroundSound(src);
}

int CHtmlMemDoc::RemoveBackgroundSound() { return m_bgSound.Init(""); }
