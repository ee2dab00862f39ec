// page_writer.cpp: renders a page to standard output or to a file; a
// regular file is replaced through a temporary file beside it.

#include "tools/page_writer.h"

#include <fcntl.h>
#include <htmlmemdoc/htmlmemdoc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "htmlmemdoc/pages/message_capture.h"

using htmlmemdoc::CMessageCapture;
#include "tools/page_reader.h"

namespace {

int Fail(const std::string& what) {
  std::fprintf(stderr, "htmlmemdoc: %s\n", what.c_str());
  return kExitUsage;
}

int WriteToStandardOutput(const CHtmlMemDoc& document,
                          const OutputOptions& options) {
  CString text;
  document.RenderToString(text, options.encode, options.basePath.c_str());
  const size_t length = static_cast<size_t>(text.GetLength());
  if (std::fwrite(static_cast<const char*>(text), 1, length, stdout) !=
          length ||
      std::fflush(stdout) != 0) {
    return Fail(std::string("cannot write standard output: ") +
                std::strerror(errno));
  }
  return kExitOk;
}

// RenderToFile into `path`, with the library's error report turned into
// the tool's message, naming the output the user gave rather than the
// temporary file.
int RenderInto(const CHtmlMemDoc& document, const OutputOptions& options,
               const std::string& path, const std::string& shownName) {
  CMessageCapture capture;
  if (document.RenderToFile(path.c_str(), options.encode,
                            options.basePath.c_str())) {
    return kExitOk;
  }
  if (capture.Messages().empty()) return Fail("cannot write " + shownName);
  std::string message = capture.Messages().front();
  const size_t at = message.find(path);
  if (at != std::string::npos) message.replace(at, path.size(), shownName);
  return Fail(message);
}

// The mode a new file gets (0666 less the umask), or the mode of the file
// it replaces.
mode_t ModeFor(const struct stat* existing) {
  if (existing != nullptr) return existing->st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Makes the written file durable before it replaces the old one, so that a
// crash cannot leave an empty file in its place.
bool SyncToDisk(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  close(fd);
  return synced;
}

// Replaces the regular file `out` (or creates it) through a temporary file
// beside it.
int ReplaceFile(const CHtmlMemDoc& document, const OutputOptions& options,
                const std::string& out, const struct stat* existing) {
  const size_t slash = out.find_last_of('/');
  const std::string dir =
      slash == std::string::npos ? "" : out.substr(0, slash + 1);
  const std::string name =
      slash == std::string::npos ? out : out.substr(slash + 1);
  std::string pattern = dir + "." + name + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    return Fail("cannot write " + out + ": " + std::strerror(errno));
  }
  close(fd);
  const std::string tempPath(temp.data());
  int result = kExitOk;
  if (chmod(tempPath.c_str(), ModeFor(existing)) != 0) {
    result = Fail("cannot write " + out + ": " + std::strerror(errno));
  } else {
    result = RenderInto(document, options, tempPath, out);
  }
  if (result == kExitOk && !SyncToDisk(tempPath)) {
    result = Fail("cannot write " + out + ": " + std::strerror(errno));
  }
  if (result == kExitOk && std::rename(tempPath.c_str(), out.c_str()) != 0) {
    result = Fail("cannot replace " + out + ": " + std::strerror(errno));
  }
  if (result != kExitOk) unlink(tempPath.c_str());
  return result;
}

}  // namespace

int WritePage(const CHtmlMemDoc& document, const OutputOptions& options) {
  if (options.output.empty()) return WriteToStandardOutput(document, options);
  std::string out = options.output;
  struct stat existing;
  if (lstat(out.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
    // Write through a link: replace the file it names, keep the link.
    char* target = realpath(out.c_str(), nullptr);
    if (target != nullptr) {
      out = target;
      std::free(target);
    }
  }
  if (stat(out.c_str(), &existing) != 0) {
    return ReplaceFile(document, options, out, nullptr);
  }
  if (S_ISDIR(existing.st_mode)) {
    return Fail("cannot write " + options.output + ": Is a directory");
  }
  if (!S_ISREG(existing.st_mode)) {  // a device or a pipe: never replaced
    return RenderInto(document, options, out, options.output);
  }
  return ReplaceFile(document, options, out, &existing);
}
