// page_reader.h: reading a page file for a command, with the library's
// messages captured and problems with the file told apart from problems in
// the page.

#ifndef HTMLMEMDOC_TOOLS_PAGE_READER_H_
#define HTMLMEMDOC_TOOLS_PAGE_READER_H_

#include <string>

class CHtmlMemDoc;

// Exit codes of the tool.
enum ToolExit { kExitOk = 0, kExitPageFailed = 1, kExitUsage = 2 };

enum PageResult { kPageOk, kPageFailed, kPageUnreadable };

// Reads `path` into `document`. On kPageFailed `problem` says what is wrong
// with the page ("HTML syntax error at Ln2, Col6"); on kPageUnreadable why
// the file could not be read.
PageResult ReadPage(const std::string& path, CHtmlMemDoc& document,
                    std::string& problem);

// Reads `path` into `document`; on failure prints the problem (a syntax
// error after the page's name, or why the file cannot be read) to standard
// error. Returns the ToolExit code: kExitOk, kExitPageFailed or kExitUsage.
int ReadPageOrSay(const std::string& path, CHtmlMemDoc& document);

#endif  // HTMLMEMDOC_TOOLS_PAGE_READER_H_
