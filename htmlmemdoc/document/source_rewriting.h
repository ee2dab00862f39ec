// source_rewriting.h: rewriting the file reference in an element's markup
// on its way to the output (internal to the library).

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

// `value` with each of blank ! $ & ( ) , @ turned into "_".
CString ReplaceUnsafeSrcChars(const CString& value);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_DOCUMENT_SOURCE_REWRITING_H_
