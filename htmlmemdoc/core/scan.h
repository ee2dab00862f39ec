// scan.h: the scanning primitives every reader and editor is written
// against (internal to the library). They work on NUL-terminated byte
// text; a cursor is a pointer that a function advances in place. None
// keeps state; where each one stops is exact, because what the readers
// accept follows from it.

#ifndef HTMLMEMDOC_CORE_SCAN_H_
#define HTMLMEMDOC_CORE_SCAN_H_

#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/byte_set.h"

namespace htmlmemdoc {

// The blanks the readers pass over: space, tab, carriage return, line feed;
// and the same bytes as a table, for scans that test a byte at a time.
extern const char kBlanks[];
extern const CByteSet kBlankSet;

// The needle is part1 + part2 + part3 (null parts are skipped). Returns the
// earliest position in `text` where the needle stands unchanged, in all
// lower case or in all upper case (ASCII letters), never inside a
// multi-byte character; null when none does. An empty needle matches at
// `text`. Mixed case in the text is not found: "<body" finds "<BODY" but
// not "<Body". One pass, stopping at the earliest hit.
const char* FindNoCase(const char* text, const char* part1,
                       const char* part2 = nullptr,
                       const char* part3 = nullptr);

// 1 when FindNoCase(text, ...) would hit at `text` itself; looks only at
// the start of the text.
int StartsWithNoCase(const char* text, const char* part1,
                     const char* part2 = nullptr, const char* part3 = nullptr);

// Advances `cursor` over bytes of `set`; stops on the first other byte or
// on the NUL. An empty set never moves.
void SkipChars(const char*& cursor, const char* set);

// Advances `cursor` to the first byte of `set` at or after it, or to the
// NUL; in a double-byte code page to the first such byte that is a
// character of its own. Does not move when it already stands on one.
void SkipToChars(const char*& cursor, const char* set);

// One step of the position counter: a line feed or a carriage return starts
// a new line at column 1, a tab adds `tabWidth` columns, any other byte one
// column. The counts saturate instead of overflowing.
void AdvanceLineColumn(char ch, int& line, int& column, int tabWidth);

// Shows "HTML syntax error at Ln<line>, Col<column>" in a message box.
void ReportSyntaxError(int line, int column);

// Keeps only the file name and extension of a path held in `path`, in
// place. The CString form first cuts the path to its first 259 bytes.
void StripDirectory(char* path);
void StripDirectory(CString& path);

// Reads the decimal integer at the start of `text` the way "%d" scans it:
// leading white space and one sign allowed, then at least one digit; a
// value beyond the int range saturates. Returns 1 and sets `value` when
// there is a number, 0 with `value` untouched otherwise.
int ScanLeadingInt(const char* text, int& value);

// The extension of the path's file name, dot included (".mid"), or "".
void GetFileExtension(const char* path, CString& extension);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_CORE_SCAN_H_
