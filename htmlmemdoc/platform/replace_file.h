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
#include <cstdio>
#include <functional>
#include <string>

namespace htmlmemdoc {

// A text to put in a file's place. The caller keeps `data` and `expected`
// alive for the call.
struct WholeText {
  const char* data = nullptr;
  size_t size = 0;
  bool crlf = true;  // each line feed written as CR LF; false: as it is
  // When set, the file is replaced only while it still holds exactly these
  // bytes: checked once the new file is whole, just before it takes the
  // file's name, so that a write by another program since is not lost.
  const std::string* expected = nullptr;
  // When set, the file is written only while no file has its name, checked
  // at the same moment: a file that came meanwhile is not replaced.
  bool mustBeNew = false;
  // When set (a folder's canonical path), the path written is relative to
  // it and leads to a file below it through no link: each folder on the
  // way is opened without following one, and the file is written through
  // the last of them, so a folder swapped for a link during the write
  // cannot lead it elsewhere. A link in the path is refused. (On Windows
  // the path is only joined to it.)
  const char* within = nullptr;
};

// Writes `text` to the file `path` (UTF-8) names. A regular file (or one
// not there yet) is replaced only once the new one is whole and on disk,
// keeping the old file's permissions (and owner where allowed); a link is
// written through to its target; a device, a pipe or a socket
// (/dev/stdout on a pipe, say) is written directly. Returns "" or what
// went wrong, in a sentence that names `path` (and its folder when that is
// the cause).
std::string ReplaceFileWhole(const std::string& path, const WholeText& text);

// The same for `size` bytes at `data`, each line feed as CR LF.
inline std::string ReplaceFileWhole(const std::string& path, const char* data,
                                    size_t size) {
  WholeText text;
  text.data = data;
  text.size = size;
  return ReplaceFileWhole(path, text);
}

// What ReplaceFileWhole's two sources share.
namespace replace_file {

// Hands `size` bytes at `data` to `sink`, each line feed as CR LF,
// through a buffer of its own; false as soon as `sink` fails.
bool WriteWithCrLf(const char* data, size_t size,
                   const std::function<bool(const char*, size_t)>& sink);

// Hands `text` to `sink` as WholeText says (CR LF or as it is).
bool WriteText(const WholeText& text,
               const std::function<bool(const char*, size_t)>& sink);

// "" when `text.expected` is unset or the file `path` still holds exactly
// those bytes; else why the file is not replaced.
std::string ChangedSince(const std::string& path, const WholeText& text,
                         const std::string& shown);
// The same for the file open for reading as `file` (null: there is none),
// which it closes.
std::string ChangedSince(std::FILE* file, const WholeText& text,
                         const std::string& shown);

// A fresh name for a temporary file in `folder`:
// folder/.htmlmemdoc-xxxxxxxxxxxxxxxx.tmp with random hex digits, short
// whatever the length of the file it stands in for (a name at the
// system's limit still gets one).
std::string TempName(const std::string& folder);

// The folder part of `path` ("." for none).
std::string FolderOf(const std::string& path);

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

  // Runs `settle`, which renames or removes the file, then forgets it: a
  // signal on any thread ends the program before `settle` starts or after
  // it is done, never while the file is neither marked nor in its place.
  void Settle(const std::function<void()>& settle);

 private:
  void Name(const std::string& path);

  int m_slot = -1;
};

// While it lives, the signals a CTempGuard handles also end the child
// program `pid` (a converter writing a temporary file) before the files
// are removed, so that it neither outlives the program nor makes the file
// again. POSIX; on Windows it does nothing. Up to a fixed number at once.
class CChildGuard {
 public:
  explicit CChildGuard(long pid);
  ~CChildGuard();
  CChildGuard(const CChildGuard&) = delete;
  CChildGuard& operator=(const CChildGuard&) = delete;

 private:
  int m_slot = -1;
};

}  // namespace replace_file
}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_REPLACE_FILE_H_
