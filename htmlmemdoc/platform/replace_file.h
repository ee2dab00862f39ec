// replace_file.h: putting a text in a file's place only once it is whole
// (internal to the library and the layers above it). The text goes to a
// new file in the output's folder, is flushed to disk and then takes the
// output's name in one step, so a crash, a full disk or a signal leaves
// either the old file or the new one, never a part. POSIX and Windows
// each have their source (replace_file_posix.cpp, replace_file_win32.cpp);
// this header and replace_file.cpp hold what they share.

#ifndef HTMLMEMDOC_PLATFORM_REPLACE_FILE_H_
#define HTMLMEMDOC_PLATFORM_REPLACE_FILE_H_

#include <cstddef>
#include <functional>
#include <string>

namespace htmlmemdoc {

// Writes `size` bytes at `data` to the file `path` (UTF-8) names, each
// line feed as CR LF. A regular file (or one not there yet) is replaced
// only once the new one is whole and on disk, keeping the old file's
// permissions (and owner where allowed); a link is written through to its
// target; a device or a pipe is written directly. Returns "" or what went
// wrong, in a sentence that names `path` (and its folder when that is
// the cause).
std::string ReplaceFileWhole(const std::string& path, const char* data,
                             size_t size);

// What ReplaceFileWhole's two sources share.
namespace replace_file {

// Hands `size` bytes at `data` to `sink`, each line feed as CR LF,
// through a buffer of its own; false as soon as `sink` fails.
bool WriteWithCrLf(const char* data, size_t size,
                   const std::function<bool(const char*, size_t)>& sink);

// A fresh name for a temporary file beside `name` in `folder`:
// folder/.name.xxxxxxxx with random hex digits.
std::string TempName(const std::string& folder, const std::string& name);

// The folder part of `path` ("." for none), and the name after it.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Removes the file `path` names: safe to call from a signal handler.
void RemoveInSignal(const char* path);

// While it lives, SIGINT and SIGTERM (and SIGHUP where there is one)
// remove its temporary file (see Create) before they end the program.
// Many writes may be in progress on many threads: each holds one of a
// fixed number of slots; with all taken, a signal leaves the file behind.
class CTempGuard {
 public:
  CTempGuard();
  ~CTempGuard();
  CTempGuard(const CTempGuard&) = delete;
  CTempGuard& operator=(const CTempGuard&) = delete;

  // Runs `create`, which gives a file the name `path` and says whether it
  // did, so that a signal on any thread removes the file whenever it
  // exists: the handler waits for creations in progress, and none starts
  // once it runs. errno is as `create` left it.
  bool Create(const std::string& path, const std::function<bool()>& create);

  // The file no longer has the name (it was renamed or removed).
  void Forget() { Name(""); }

 private:
  void Name(const std::string& path);

  int m_slot = -1;
};

}  // namespace replace_file
}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_REPLACE_FILE_H_
