// object.h: the root object and run-time class records.
// Every element class derives from CObject and carries a CRuntimeClass
// record that names the class, its size and its base, and can create a
// default instance. DECLARE_DYNCREATE / IMPLEMENT_DYNCREATE add the record
// and the creation function to a class; RUNTIME_CLASS(name) yields it.

#ifndef HTMLMEMDOC_PLATFORM_OBJECT_H_
#define HTMLMEMDOC_PLATFORM_OBJECT_H_

#include <new>  // std::nothrow, used by IMPLEMENT_DYNCREATE

#include "htmlmemdoc/export.h"

class CObject;
class CArchive;      // serialization is not used by this library
class CDumpContext;  // diagnostics dumps are not used by this library

struct HTMLMEMDOC_EXPORT CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  unsigned int m_wSchema;                 // 0xFFFF for creatable classes
  CObject* (*m_pfnCreateObject)();        // null when not creatable
  CRuntimeClass* (*m_pfnGetBaseClass)();  // null for CObject

  // A new default-constructed instance; the caller owns it and frees it
  // with delete. Null when the class is not creatable or memory runs out.
  CObject* CreateObject() const;
  // 1 when this class is `base` or derives from it (by the records' bases).
  int IsDerivedFrom(const CRuntimeClass* base) const;

  // The record of a registered class with this exact name, or null.
  // The library registers the records of all its classes on the first
  // call.
  static CRuntimeClass* FromName(const char* className);
  static void Register(CRuntimeClass* record);
  static void Unregister(CRuntimeClass* record);
};

class HTMLMEMDOC_EXPORT CObject {
 public:
  static CRuntimeClass classCObject;
  static CRuntimeClass* GetThisClass();
  static CRuntimeClass* _GetBaseClass();

  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject();
  virtual void Serialize(CArchive& archive);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& context) const;

  // 1 when this object's class is `cls` or derives from it.
  int IsKindOf(const CRuntimeClass* cls) const;

  CObject(const CObject&) = delete;  // objects own buffers; no copies
  CObject& operator=(const CObject&) = delete;

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// `object` when it is of class `cls` or derives from it, else null.
HTMLMEMDOC_EXPORT CObject* AfxDynamicDownCast(CRuntimeClass* cls,
                                              CObject* object);
// `object` (a CObject*) as a class_name*, or null when it is of another
// class: the checked cast.
#define DYNAMIC_DOWNCAST(class_name, object) \
  (static_cast<class_name*>(                 \
      AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))

#define DECLARE_DYNAMIC(class_name)       \
 public:                                  \
  static CRuntimeClass class##class_name; \
  static CRuntimeClass* GetThisClass();   \
  static CRuntimeClass* _GetBaseClass();  \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define HTMLMEMDOC_IMPLEMENT_RUNTIMECLASS(class_name, base_name, create) \
  CRuntimeClass* class_name::_GetBaseClass() {                           \
    return RUNTIME_CLASS(base_name);                                     \
  }                                                                      \
  CRuntimeClass class_name::class##class_name = {                        \
      #class_name, static_cast<int>(sizeof(class_name)), 0xFFFF, create, \
      &class_name::_GetBaseClass};                                       \
  CRuntimeClass* class_name::GetThisClass() {                            \
    return &class_name::class##class_name;                               \
  }                                                                      \
  CRuntimeClass* class_name::GetRuntimeClass() const {                   \
    return &class_name::class##class_name;                               \
  }

#define IMPLEMENT_DYNAMIC(class_name, base_name) \
  HTMLMEMDOC_IMPLEMENT_RUNTIMECLASS(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)         \
  CObject* class_name::CreateObject() {                    \
    return new (std::nothrow) class_name;                  \
  }                                                        \
  HTMLMEMDOC_IMPLEMENT_RUNTIMECLASS(class_name, base_name, \
                                    &class_name::CreateObject)

#endif  // HTMLMEMDOC_PLATFORM_OBJECT_H_
