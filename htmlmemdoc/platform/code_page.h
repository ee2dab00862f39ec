// code_page.h: which code page the bytes of every text from 0x80 up
// follow, for the whole process. UTF-8 by default: a multi-byte sequence
// is one character. A double-byte code page (932 Shift-JIS, 936 GBK, 949
// Korean, 950 Big5) makes a lead byte and the trail byte behind it one
// character, even where the trail byte equals an ASCII letter or "\": such
// a byte is then never matched, split, case-folded or taken for a path
// separator on its own. Set it before reading pages, from one thread: it
// is not meant to change while documents are in use. On Windows, file
// names reach the system in the same code page.

#ifndef HTMLMEMDOC_PLATFORM_CODE_PAGE_H_
#define HTMLMEMDOC_PLATFORM_CODE_PAGE_H_

#include "htmlmemdoc/export.h"

#define HTMLMEMDOC_CP_UTF8 65001
// The system's ANSI code page (Windows only): a double-byte one of the
// four above, UTF-8, or a single-byte one in which every byte is a
// character of its own.
#define HTMLMEMDOC_CP_SYSTEM (-3)

// Sets the code page: HTMLMEMDOC_CP_UTF8, 932, 936, 949, 950 or
// HTMLMEMDOC_CP_SYSTEM. Returns 0, or -1 for a code page it does not know
// (HTMLMEMDOC_CP_SYSTEM outside Windows), leaving the setting unchanged.
HTMLMEMDOC_EXPORT int HtmlMemDocSetCodePage(int codePage);

// The code page in use: HTMLMEMDOC_CP_UTF8, 932, 936, 949, 950, or on
// Windows the number of the system's single-byte code page.
HTMLMEMDOC_EXPORT int HtmlMemDocGetCodePage();

#endif  // HTMLMEMDOC_PLATFORM_CODE_PAGE_H_
