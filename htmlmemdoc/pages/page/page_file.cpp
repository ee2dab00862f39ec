// page_file.cpp: reads a page file into memory in one pass over a single
// open of the file, then hands the text to the library. Reading once is
// what lets a fifo or standard input stand for a page; building the text
// as the library's ReadFromFile does keeps every line, column and offset
// the reader reports the same as for the file read by the library.

#include "htmlmemdoc/pages/page/page_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "htmlmemdoc/pages/page/message_capture.h"
#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {
namespace {

PageProblem Problem(PageProblem::Kind kind, const std::string& message) {
  PageProblem problem;
  problem.kind = kind;
  problem.message = message;
  return problem;
}

// Whether a call that failed with errno set is to be made again: after a
// signal, when `keepGoing()` says so. errno is kept for the caller.
bool Again(const std::function<bool()>& keepGoing) {
  const int error = errno;
  if (error == EINTR && keepGoing()) return true;
  errno = error;
  return false;
}

// The size a regular file has now, 0 for anything else (a fifo, a device,
// standard input): the room to make before the first read.
size_t SizeNow(std::FILE* file) {
  struct stat status {};
  if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  return static_cast<size_t>(status.st_size);
}

// The most a page read may hold: the library counts a text's bytes in an
// int. A stream that goes on (/dev/zero) ends there, not in the memory's end.
const size_t kMostBytes = 0x7FFFFFFE;

// Reads into `bytes` from its current end, into room made ahead of each
// read: a file's known size in one step, so a regular file is read into a
// buffer of its final size, never copied to a larger one; then doubling,
// for a stream whose size is not known, or a file that grew meanwhile.
bool ReadStream(std::FILE* file, std::string& bytes,
                const std::function<bool()>& keepGoing) {
  size_t used = bytes.size();
  bytes.resize(used + std::max<size_t>(SizeNow(file) + 1, 64 * 1024));
  for (;;) {
    if (used >= kMostBytes) {  // a page's text is counted in an int
      bytes.clear();
      errno = EFBIG;
      return false;
    }
    if (used == bytes.size())
      bytes.resize(std::min(bytes.size() * 2, kMostBytes + 1));
    const size_t got = std::fread(&bytes[used], 1, bytes.size() - used, file);
    used += got;
    if (got > 0) continue;
    if (std::ferror(file) == 0) break;
    if (!Again(keepGoing)) {
      bytes.resize(used);
      return false;
    }
    std::clearerr(file);
  }
  bytes.resize(used);
  return true;
}

bool ReadFile(const std::string& path, std::string& bytes,
              const std::function<bool()>& keepGoing) {
  std::FILE* file = nullptr;
  while ((file = OpenFile(path.c_str(), "rb")) == nullptr) {
    if (!Again(keepGoing)) return false;
  }
  const bool read = ReadStream(file, bytes, keepGoing);
  const int error = errno;
  std::fclose(file);
  errno = error;
  return read;
}

bool NeverAgain() { return false; }

}  // namespace

bool ReadStreamBytes(std::FILE* file, std::string& bytes) {
  return ReadStream(file, bytes, NeverAgain);
}

PageFile ReadPageFile(const std::string& path) {
  return ReadPageFile(path, NeverAgain);
}

namespace {

PageFile ReadPageBytes(const std::string& path,
                       const std::function<bool()>& keepGoing,
                       std::string& bytes) {
  PageFile page;
  page.path = path;
  std::error_code ignored;
  if (std::filesystem::is_directory(FsPath(path), ignored)) {
    page.problem = Problem(PageProblem::kUnreadable, std::strerror(EISDIR));
    page.problem.error = EISDIR;
    return page;
  }
  if (!ReadFile(path, bytes, keepGoing)) {
    const int error = errno;
    page.problem = Problem(PageProblem::kUnreadable, std::strerror(error));
    page.problem.error = error;
    bytes.clear();
  }
  return page;
}

}  // namespace

PageFile ReadPageFile(const std::string& path,
                      const std::function<bool()>& keepGoing) {
  std::string bytes;
  PageFile page = ReadPageBytes(path, keepGoing, bytes);
  if (page.Ok()) page = PageFileOf(path, std::move(bytes));
  return page;
}

PageFile ReadPageFile(const std::string& path, std::string& bytes) {
  PageFile page = ReadPageBytes(path, NeverAgain, bytes);
  if (page.Ok()) page = PageFileOf(path, bytes);
  return page;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();  // the file's bytes alone, not added to what was there
  return ReadFile(path, bytes, NeverAgain);
}

PageFile PageFileOf(const std::string& path, const std::string& bytes) {
  return PageFileOf(path, std::string(bytes));
}

PageFile PageFileOf(const std::string& path, std::string&& bytes) {
  PageFile page;
  page.path = path;
  if (bytes.empty()) {
    page.problem = Problem(PageProblem::kNotText,
                           "the file is empty: a page begins with <html>");
  } else if (const size_t nul = bytes.find('\0'); nul != std::string::npos) {
    page.problem = Problem(PageProblem::kNotText,
                           "holds a NUL byte at offset " + std::to_string(nul) +
                               ": a page is text");
  } else {
    const size_t end = bytes.find('\n');
    page.crlf = end == std::string::npos || (end > 0 && bytes[end - 1] == '\r');
    page.text = PageTextOf(std::move(bytes));
  }
  return page;
}

std::string PageTextOf(const std::string& bytes) {
  return PageTextOf(std::string(bytes));
}

// Each line is moved down over the carriage returns dropped before it, in
// the bytes' own buffer: the text is never longer than the bytes but for
// the line feed a last line may lack.
std::string PageTextOf(std::string&& bytes) {
  char* const data = &bytes[0];
  const size_t size = bytes.size();
  size_t kept = 0;
  for (size_t start = 0; start < size;) {
    const void* feed = std::memchr(data + start, '\n', size - start);
    size_t end =
        feed != nullptr
            ? static_cast<size_t>(static_cast<const char*>(feed) - data)
            : size;
    const size_t next = end + 1;
    if (end > start && data[end - 1] == '\r') --end;  // CR LF reads as LF
    if (kept != start) std::memmove(data + kept, data + start, end - start);
    kept += end - start;
    if (feed == nullptr) {
      bytes.resize(kept);
      bytes += '\n';
      return std::move(bytes);
    }
    data[kept++] = '\n';
    start = next;
  }
  bytes.resize(kept);
  return std::move(bytes);
}

RefusalCode PageProblem::Code() const {
  switch (kind) {
    case kNone:
      return RefusalCode::kNone;
    case kUnreadable:
      return RefusalCode::kUnreadable;
    case kNotText:
      return RefusalCode::kNotText;
    case kRefused:
      return RefusalCode::kNotAPage;
  }
  return RefusalCode::kNone;
}

bool LoadPage(PageFile& page, CHtmlMemDoc& document) {
  CMessageCapture capture;
  if (document.ReadFromString(page.text.c_str())) return true;
  page.problem = DescribeRefusal(page.text, document);
  if (!capture.Messages().empty()) page.problem.message = capture.Messages()[0];
  return false;
}

// Runs of ASCII, a character of one byte in every code page, are passed
// over a word at a time.
bool IsUtf8(const std::string& text) {
  const char* const end = text.c_str() + text.size();
  for (const char* p = SkipAscii(text.c_str(), end); p < end;
       p = SkipAscii(p, end)) {
    const int length = CharLength(p);
    if (length == 1) return false;  // a byte above 0x7F alone
    p += length;
  }
  return true;
}

std::string ShownName(const std::string& name, const std::string& separator) {
  bool plain = IsUtf8(name) && name.find(separator) == std::string::npos &&
               !name.empty();
  for (unsigned char c : name)
    plain = plain && c >= 0x20 && c != 0x7F && c != '"';
  if (plain) return name;
  std::string shown = "\"";
  for (size_t i = 0; i < name.size();) {
    const char* p = name.c_str() + i;
    const unsigned char c = static_cast<unsigned char>(*p);
    const int length = CharLength(p);
    if (length > 1) {
      shown.append(p, static_cast<size_t>(length));
    } else if (c == '"' || c == '\\') {
      shown += std::string("\\") + static_cast<char>(c);
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      static const char kHex[] = "0123456789abcdef";
      shown += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    } else {
      shown += static_cast<char>(c);
    }
    i += static_cast<size_t>(length);
  }
  return shown + "\"";
}

}  // namespace htmlmemdoc
