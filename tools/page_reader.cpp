// page_reader.cpp: opens the file first, so that a missing or unreadable
// file is reported as such (the library's reader fails silently there),
// then reads it with the syntax-error message captured.

#include "tools/page_reader.h"

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>

#include "tools/message_capture.h"

PageResult ReadPage(const std::string& path, CHtmlMemDoc& document,
                    std::string& problem) {
  CStdioFile file;
  CFileException error;
  if (!file.Open(path.c_str(), CFile::modeRead, &error)) {
    problem = static_cast<const char*>(error.GetErrorMessage());
    return kPageUnreadable;
  }
  file.Close();
  CMessageCapture capture;
  try {
    if (document.ReadFromFile(path.c_str())) return kPageOk;
  } catch (CFileException* readError) {
    problem = static_cast<const char*>(readError->GetErrorMessage());
    readError->Delete();
    return kPageUnreadable;
  }
  problem = capture.Messages().empty()
                ? "not a page: the text does not begin with <html>"
                : capture.Messages().front();
  return kPageFailed;
}

int ReadPageOrSay(const std::string& path, CHtmlMemDoc& document) {
  std::string problem;
  switch (ReadPage(path, document, problem)) {
    case kPageOk:
      return kExitOk;
    case kPageFailed:
      std::fprintf(stderr, "%s: %s\n", path.c_str(), problem.c_str());
      return kExitPageFailed;
    case kPageUnreadable:
      break;
  }
  std::fprintf(stderr, "htmlmemdoc: cannot read %s\n", problem.c_str());
  return kExitUsage;
}
