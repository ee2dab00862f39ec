// replace_file_posix.cpp: replacing a file whole on POSIX systems. The
// text goes to an unnamed file in the output's folder (O_TMPFILE) that is
// given a name only once it is whole and on disk, and is renamed over the
// output at once; where the system has no unnamed files, to a named
// temporary file that the signal guard removes. The folder is opened once
// and every name is made and renamed relative to it, so the file lands in
// the folder that was checked, whatever happens to its path meanwhile.

#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "htmlmemdoc/platform/replace_file.h"

namespace htmlmemdoc {

using namespace replace_file;

namespace {

bool WriteAll(int fd, const WholeText& text) {
  return WriteText(text, [fd](const char* chunk, size_t length) {
    for (size_t done = 0; done < length;) {
      const ssize_t wrote = write(fd, chunk + done, length - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += static_cast<size_t>(wrote);
    }
    return true;
  });
}

std::string WriteFailure(const std::string& shown) {
  const int error = errno;
#ifdef EDQUOT
  const bool quota = error == EDQUOT;
#else
  const bool quota = false;
#endif
  if (error == ENOSPC || error == EFBIG || quota) {
    return "disk full while writing " + shown + " (" + std::strerror(error) +
           ")";
  }
  return "cannot write " + shown + ": " + std::strerror(error);
}

std::string NoFileIn(const std::string& shown, const std::string& folder) {
  return "cannot write " + shown + ": cannot create a file in " + folder +
         " (" + std::strerror(errno) + ")";
}

// The file `path` names: a link, and a link to a link, followed to the end,
// even when the last target does not exist yet.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    if (length < 0) return path;
    target[length] = '\0';
    path =
        target[0] == '/' ? std::string(target) : FolderOf(path) + "/" + target;
  }
  return path;
}

// A folder the file is written in: open (`fd`, what names are made and
// renamed relative to) and its path, for messages and the signal guard.
struct Folder {
  int fd = -1;
  std::string path;
};

// Opens `path` as a Folder; fd -1 with errno when it cannot be.
Folder OpenFolder(const std::string& path) {
#ifdef O_PATH
  const int flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
  const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
  return Folder{open(path.c_str(), flags), path};
}

// The file `name` in `folder`, open for reading when it is there and no
// link, for ChangedSince.
std::FILE* OpenIn(const Folder& folder, const std::string& name) {
  const int fd =
      openat(folder.fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
}

// A fresh temporary name in a folder, without the folder.
std::string TempNameIn() {
  const std::string path = TempName("");
  return path.substr(path.rfind('/') + 1);
}

// Gives the whole, synced file `fd` its owner and mode and puts it in
// place of `name` in `folder`.
std::string Install(int fd, const Folder& folder, const std::string& name,
                    const WholeText& text, const struct stat* existing,
                    const std::string& shown, bool unnamed,
                    std::string& tempName, CTempGuard& guard) {
  if (existing != nullptr) {
    if (fchown(fd, existing->st_uid, existing->st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), existing->st_gid) != 0) {
      // Another owner needs privileges we lack: the new file is ours.
    }
    if (fchmod(fd, existing->st_mode & 07777) != 0) return WriteFailure(shown);
  }
  if (fsync(fd) != 0) return WriteFailure(shown);
  if (unnamed) {
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    for (int tries = 0; tries < 10; ++tries) {
      tempName = TempNameIn();
      if (guard.Create(folder.path + "/" + tempName, [&] {
            return linkat(AT_FDCWD, procPath, folder.fd, tempName.c_str(),
                          AT_SYMLINK_FOLLOW) == 0;
          }))
        break;
      if (errno != EEXIST) return WriteFailure(shown);
      tempName.clear();
    }
  }
  struct stat there;
  if (text.mustBeNew &&
      fstatat(folder.fd, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0)
    return "not written: " + shown + " is there already";
  const std::string changed =
      text.mustBeNew ? "" : ChangedSince(OpenIn(folder, name), text, shown);
  if (!changed.empty()) return changed;
  if (renameat(folder.fd, tempName.c_str(), folder.fd, name.c_str()) != 0)
    return "cannot replace " + shown + ": " + std::strerror(errno);
  guard.Forget();
  tempName.clear();
  return "";
}

// The process's file mode mask, read once as the library loads, before
// any thread runs: reading it means setting it, and while it is 0 the
// files and folders other threads make would be open to everyone.
mode_t ReadUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}
const mode_t kUmask = ReadUmask();

// Writes the text to a new file in `folder` and renames it over `name`
// there.
std::string Replace(const WholeText& text, const Folder& folder,
                    const std::string& name, const struct stat* existing,
                    const std::string& shown) {
  const mode_t mode =
      existing != nullptr ? existing->st_mode & 07777 : 0666 & ~kUmask;
  bool unnamed = true;
  std::string tempName;
  CTempGuard guard;
#ifdef O_TMPFILE
  int fd = openat(folder.fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#else
  int fd = -1;
  errno = EOPNOTSUPP;
#endif
  if (fd < 0 && errno != EACCES && errno != EROFS && errno != ENOENT) {
    unnamed = false;
    tempName = TempNameIn();
    guard.Create(folder.path + "/" + tempName, [&] {
      fd = openat(folder.fd, tempName.c_str(),
                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      return fd >= 0;
    });
  }
  if (fd < 0) return NoFileIn(shown, folder.path);
  std::string failure;
  if (!WriteAll(fd, text)) {
    failure = WriteFailure(shown);
  } else {
    failure = Install(fd, folder, name, text, existing, shown, unnamed,
                      tempName, guard);
  }
  close(fd);
  if (!tempName.empty()) unlinkat(folder.fd, tempName.c_str(), 0);
  return failure;
}

// Replace for the file `target` names (a path whose links are followed).
std::string ReplacePath(const WholeText& text, const std::string& target,
                        const struct stat* existing, const std::string& shown) {
  Folder folder = OpenFolder(FolderOf(target));
  if (folder.fd < 0) return NoFileIn(shown, folder.path);
  const std::string failure = Replace(
      text, folder, target.substr(target.rfind('/') + 1), existing, shown);
  close(folder.fd);
  return failure;
}

// Writes `relative`, below the folder `text.within`, through no link.
std::string ReplaceBelow(const std::string& relative, const WholeText& text) {
  const std::string& shown = relative;
  Folder folder = OpenFolder(text.within);
  if (folder.fd < 0) return WriteFailure(shown);
  size_t from = 0;
  for (size_t slash; (slash = relative.find('/', from)) != std::string::npos;
       from = slash + 1) {
    const std::string step = relative.substr(from, slash - from);
    if (step.empty() || step == ".") continue;
    const int next =
        step == ".." ? -1
                     : openat(folder.fd, step.c_str(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    close(folder.fd);
    if (next < 0) {
      return "cannot write " + shown + ": its folder " +
             relative.substr(0, slash) + " is no longer a plain folder" +
             (step == ".." ? " (it leads up)"
              : errno == ENOTDIR || errno == ELOOP
                  ? " (it is a link, or a file)"
                  : " (" + std::string(std::strerror(errno)) + ")");
    }
    folder = Folder{next, text.within + ("/" + relative.substr(0, slash))};
  }
  const std::string name = relative.substr(from);
  struct stat existing;
  const bool exists =
      fstatat(folder.fd, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
  std::string failure;
  if (name.empty() || name == "." || name == "..") {
    failure = "cannot write " + shown + ": it names no file";
  } else if (exists && !S_ISREG(existing.st_mode)) {
    failure = "cannot write " + shown + ": it is no longer a plain file";
  } else if (!exists && errno != ENOENT) {
    failure = WriteFailure(shown);
  } else {
    failure = Replace(text, folder, name, exists ? &existing : nullptr, shown);
  }
  close(folder.fd);
  return failure;
}

// The number of one of the process's own open files that `path` names
// (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N), else -1. Such a
// file is written through the open file: a shell's ">>" appends, and its
// file is neither replaced nor opened anew at its start.
int OwnDescriptor(const std::string& path) {
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  for (const char* folder : {"/dev/fd/", "/proc/self/fd/"}) {
    const size_t length = std::strlen(folder);
    if (path.compare(0, length, folder) != 0 || path.size() == length ||
        path.size() > length + 6 ||
        path.find_first_not_of("0123456789", length) != std::string::npos)
      continue;
    return std::atoi(path.c_str() + length);
  }
  return -1;
}

}  // namespace

namespace replace_file {
void RemoveInSignal(const char* path) { unlink(path); }
}  // namespace replace_file

std::string ReplaceFileWhole(const std::string& path, const WholeText& text) {
  if (text.within != nullptr) return ReplaceBelow(path, text);
  const std::string& shown = path;
  struct stat existing;
  const int own = OwnDescriptor(path);
  if (own >= 0 && fstat(own, &existing) == 0)
    return WriteAll(own, text) ? "" : WriteFailure(shown);
  // A device, pipe or socket is opened by the name given: /dev/stdout
  // leads through /proc's links to "pipe:[N]", which names no file.
  const bool special = stat(path.c_str(), &existing) == 0 &&
                       !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode);
  const std::string target = special ? path : FollowLinks(path);
  if (!special && stat(target.c_str(), &existing) != 0) {
    if (errno != ENOENT) return WriteFailure(shown);
    if (text.expected != nullptr) return ChangedSince(target, text, shown);
    return ReplacePath(text, target, nullptr, shown);
  }
  if (S_ISREG(existing.st_mode) &&
      access(FolderOf(target).c_str(), W_OK | X_OK) != 0) {
    return NoFileIn(shown, FolderOf(target));
  }
  if (S_ISDIR(existing.st_mode))
    return "cannot write " + shown + ": it is a folder";
  if (access(target.c_str(), W_OK) != 0) {
    return "cannot write " + shown + ": " +
           ((existing.st_mode & 0222) == 0
                ? std::string("the file is read-only")
                : std::strerror(errno));
  }
  if (S_ISREG(existing.st_mode))
    return ReplacePath(text, target, &existing, shown);
  // A device or a pipe is written as it is, never replaced.
  const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return WriteFailure(shown);
  const bool ok = WriteAll(fd, text);
  const std::string failure = ok ? "" : WriteFailure(shown);
  close(fd);
  return failure;
}

}  // namespace htmlmemdoc

#endif  // _WIN32
