// module.cpp: library start-up. When the library is loaded it registers
// the class records of all its classes, so CRuntimeClass::FromName finds
// them by name; when it is unloaded it removes them again. Nothing else
// runs at load time.

#include "htmlmemdoc/document/mem_doc.h"
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

class CModuleRegistration {
 public:
  CModuleRegistration() {
    for (CRuntimeClass* record : kLibraryClasses) {
      CRuntimeClass::Register(record);
    }
  }
  ~CModuleRegistration() {
    for (CRuntimeClass* record : kLibraryClasses) {
      CRuntimeClass::Unregister(record);
    }
  }
};

const CModuleRegistration g_registration;

}  // namespace
