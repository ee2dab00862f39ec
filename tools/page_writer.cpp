// page_writer.cpp: renders a page to standard output or to a file; a
// regular file is replaced through a temporary file beside it.

#include "tools/page_writer.h"

#include <htmlmemdoc/htmlmemdoc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/message_capture.h"
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

int ReplaceFile(const CHtmlMemDoc& document, const OutputOptions& options,
                const struct stat* existing) {
  const std::string& out = options.output;
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
  if (result == kExitOk && std::rename(tempPath.c_str(), out.c_str()) != 0) {
    result = Fail("cannot replace " + out + ": " + std::strerror(errno));
  }
  if (result != kExitOk) unlink(tempPath.c_str());
  return result;
}

}  // namespace

int WritePage(const CHtmlMemDoc& document, const OutputOptions& options) {
  if (options.output.empty()) return WriteToStandardOutput(document, options);
  struct stat existing;
  if (stat(options.output.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode)) {
      return RenderInto(document, options, options.output, options.output);
    }
    return ReplaceFile(document, options, &existing);
  }
  return ReplaceFile(document, options, nullptr);
}
