// source_rewriting.h: rewriting the file reference in an element's markup
// on its way to the output (internal to the library). An element whose
// reference is empty is left out of the output; any other keeps its length,
// since only letters and unsafe characters of the reference change.

#ifndef HTMLMEMDOC_DOCUMENT_SOURCE_REWRITING_H_
#define HTMLMEMDOC_DOCUMENT_SOURCE_REWRITING_H_

#include "htmlmemdoc/document/file_case.h"
#include "htmlmemdoc/platform/afx_string.h"

namespace htmlmemdoc {

// `value` with the letter case of its file-name part set to that of the
// file it names under the drive and directory of `basePath` (the base
// path's own file name is dropped). Directory parts keep their case. An
// empty base path, or no such file, leaves the value as it is.
// Example: with the base "/site/page.htm" and the file
// "/site/pics/Logo.GIF", "pics/logo.gif" becomes "pics/Logo.GIF".
CString MatchFileCase(const CString& value, const CString& basePath,
                      CFileCaseResolver& files);

// The characters a file reference should not hold: blank ! $ & ( ) , @.
extern const char kUnsafeSrcChars[];

// `value` with each of them that is a character of its own (in a
// double-byte code page a trail byte may equal "@") turned into "_".
CString ReplaceUnsafeSrcChars(const CString& value);

// The file reference in an element's markup: the text between the first
// quote (single or double) after the first occurrence of the attribute's
// name, in any letter case, and the next quote of the same kind.
struct CSrcValue {
  const char* begin;
  const char* end;
};

// Finds the reference of `attribute` in `markup`; 0 when there is none.
int FindSrcValue(const char* attribute, const char* markup, CSrcValue& value);

// The reference with its file name in the letter case found on disk under
// `basePath`'s directory (when the base path is not empty) and, when
// `encode` is nonzero, its unsafe characters replaced. Its length is the
// reference's.
CString RewriteSrcValue(const CSrcValue& value, int encode,
                        const CString& basePath, CFileCaseResolver& files);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_DOCUMENT_SOURCE_REWRITING_H_
