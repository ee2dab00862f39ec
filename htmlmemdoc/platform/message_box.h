// message_box.h: the modal message box through which the library speaks to
// a user (the reader's syntax error and the file layer's error reports).
// A host or a test installs a handler to show or capture the text; without
// one, the text and a line feed go to standard error.

#ifndef HTMLMEMDOC_PLATFORM_MESSAGE_BOX_H_
#define HTMLMEMDOC_PLATFORM_MESSAGE_BOX_H_

#include "htmlmemdoc/export.h"

// Button and icon flags a caller may pass as `type`, and the answer of a
// box that was closed with its OK button: windows.h, read before, has
// them as macros of the same values.
#ifndef MB_OK
enum : unsigned int { MB_OK = 0x0, MB_ICONEXCLAMATION = 0x30 };
#endif
#ifndef IDOK
enum : int { IDOK = 1 };
#endif

// Shows `text` and returns the handler's answer (IDOK from the default).
typedef int (*AfxMessageBoxHandler)(const char* text, unsigned type,
                                    void* userData);

// Installs `handler`, called with `userData` for every message box; a null
// handler restores the default. Not thread-safe: install before reading.
HTMLMEMDOC_EXPORT void AfxSetMessageBoxHandler(AfxMessageBoxHandler handler,
                                               void* userData);

// Shows `text` (null shows an empty text) and returns when it is dismissed.
HTMLMEMDOC_EXPORT int AfxMessageBox(const char* text, unsigned type = 0,
                                    unsigned helpId = 0);

#endif  // HTMLMEMDOC_PLATFORM_MESSAGE_BOX_H_
