// object.cpp: CObject and the registry of class records.
// The registry is a plain list searched by name; it holds the records that
// hosts register and, once FromName is first called, the library's own
// (see module.cpp).

#include "htmlmemdoc/platform/object.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "htmlmemdoc/platform/class_registry.h"

namespace {

std::vector<CRuntimeClass*>& Registry() {
  static std::vector<CRuntimeClass*> records;
  return records;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

int CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  if (base == nullptr) return 0;
  for (const CRuntimeClass* c = this; c != nullptr;
       c = c->m_pfnGetBaseClass != nullptr ? c->m_pfnGetBaseClass() : nullptr) {
    if (c == base) return 1;
  }
  return 0;
}

CRuntimeClass* htmlmemdoc::FindRegisteredClass(const char* className) {
  if (className == nullptr) return nullptr;
  for (CRuntimeClass* record : Registry()) {
    if (std::strcmp(record->m_lpszClassName, className) == 0) return record;
  }
  return nullptr;
}

void CRuntimeClass::Register(CRuntimeClass* record) {
  if (record != nullptr) Registry().push_back(record);
}

void CRuntimeClass::Unregister(CRuntimeClass* record) {
  std::vector<CRuntimeClass*>& records = Registry();
  records.erase(std::remove(records.begin(), records.end(), record),
                records.end());
}

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF,
                                       nullptr, nullptr};

CRuntimeClass* CObject::GetThisClass() { return &classCObject; }
CRuntimeClass* CObject::_GetBaseClass() { return nullptr; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }
CObject::~CObject() = default;
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}

int CObject::IsKindOf(const CRuntimeClass* cls) const {
  return GetRuntimeClass()->IsDerivedFrom(cls);
}

CObject* AfxDynamicDownCast(CRuntimeClass* cls, CObject* object) {
  return object != nullptr && object->IsKindOf(cls) ? object : nullptr;
}
