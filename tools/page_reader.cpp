// page_reader.cpp: reads a page file for a command. The file is looked at
// first, so that a file that cannot be read, an empty file and one holding
// NUL bytes (which would cut the text short) are each named as such; the
// library's reader fails silently or reads only up to a NUL there. Then the
// library reads it with the syntax-error message captured.

#include "tools/page_reader.h"

#include <htmlmemdoc/htmlmemdoc.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/message_capture.h"

namespace {

// Checks that `path` is a readable, non-empty text file. Returns kPageOk,
// or the result and the problem to report.
PageResult LookAtFile(const std::string& path, std::string& problem) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  struct stat info;
  if (file != nullptr && fstat(fileno(file), &info) == 0 &&
      S_ISDIR(info.st_mode)) {
    std::fclose(file);
    file = nullptr;
    errno = EISDIR;
  }
  if (file == nullptr) {
    problem = path + ": " + std::strerror(errno);
    return kPageUnreadable;
  }
  char buffer[64 * 1024];
  long long offset = 0;
  size_t got;
  PageResult result = kPageOk;
  while (result == kPageOk &&
         (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (const void* nul = std::memchr(buffer, '\0', got)) {
      problem =
          "holds a NUL byte at offset " +
          std::to_string(offset + (static_cast<const char*>(nul) - buffer)) +
          ": a page is text";
      result = kPageFailed;
    }
    offset += static_cast<long long>(got);
  }
  if (result == kPageOk && std::ferror(file)) {
    problem = path + ": " + std::strerror(errno);
    result = kPageUnreadable;
  } else if (result == kPageOk && offset == 0) {
    problem = "the file is empty: a page begins with <html>";
    result = kPageFailed;
  }
  std::fclose(file);
  return result;
}

}  // namespace

PageResult ReadPage(const std::string& path, CHtmlMemDoc& document,
                    std::string& problem) {
  const PageResult look = LookAtFile(path, problem);
  if (look != kPageOk) return look;
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
