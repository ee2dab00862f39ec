// export.h: the one macro that marks the library's exported classes.
// Building the library defines HTMLMEMDOC_BUILDING; a static build defines
// HTMLMEMDOC_STATIC for the library and its users. Everything not marked is
// hidden from the shared library's symbol table.

#ifndef HTMLMEMDOC_EXPORT_H_
#define HTMLMEMDOC_EXPORT_H_

#if defined(HTMLMEMDOC_STATIC)
#define HTMLMEMDOC_EXPORT
#elif defined(_WIN32)
#if defined(HTMLMEMDOC_BUILDING)
#define HTMLMEMDOC_EXPORT __declspec(dllexport)
#else
#define HTMLMEMDOC_EXPORT __declspec(dllimport)
#endif
#else
#define HTMLMEMDOC_EXPORT __attribute__((visibility("default")))
#endif

#endif  // HTMLMEMDOC_EXPORT_H_
