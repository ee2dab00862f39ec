// module.cpp: the library's class records, registered on the first call
// of CRuntimeClass::FromName (which is defined here for that reason), so
// that FromName finds them by name in a shared and in a static build alike:
// a program that calls FromName links this file. Nothing runs at load time.

#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/class_registry.h"
#include "htmlmemdoc/style/style.h"

namespace {

CRuntimeClass* const kLibraryClasses[] = {
    RUNTIME_CLASS(CHtmlTextBase),       RUNTIME_CLASS(CHtmlMeta),
    RUNTIME_CLASS(CHtmlTitle),          RUNTIME_CLASS(CHtmlScript),
    RUNTIME_CLASS(CHtmlBody),           RUNTIME_CLASS(CHtmlBgSound),
    RUNTIME_CLASS(CHtmlFrame),          RUNTIME_CLASS(CHtmlFrameSet),
    RUNTIME_CLASS(CHtmlStyle),          RUNTIME_CLASS(CHtmlLayer),
    RUNTIME_CLASS(CHtmlTextLayer),      RUNTIME_CLASS(CHtmlImageLayer),
    RUNTIME_CLASS(CHtmlVideoLayer),     RUNTIME_CLASS(CHtmlEmbedLayer),
    RUNTIME_CLASS(CHtmlLiveAudioLayer),
};

}  // namespace

CRuntimeClass* CRuntimeClass::FromName(const char* className) {
  static const bool registered = [] {
    for (CRuntimeClass* record : kLibraryClasses) Register(record);
    return true;
  }();
  (void)registered;
  return htmlmemdoc::FindRegisteredClass(className);
}
