// class_registry.h: the lookup behind CRuntimeClass::FromName (internal to
// the library). FromName itself lives with the library's start-up code,
// which registers the library's classes on its first call: a static build
// then keeps the registration whenever a host can ask for it.

#ifndef HTMLMEMDOC_PLATFORM_CLASS_REGISTRY_H_
#define HTMLMEMDOC_PLATFORM_CLASS_REGISTRY_H_

struct CRuntimeClass;

namespace htmlmemdoc {

// The registered record with this exact name, or null.
CRuntimeClass* FindRegisteredClass(const char* className);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_CLASS_REGISTRY_H_
