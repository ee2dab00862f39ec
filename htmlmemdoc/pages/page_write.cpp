// page_write.cpp: checking a rendering, then putting it on disk.
//
// The check renders twice when references are rewritten: once as the
// library writes the document plainly, once with the rewriting. Both
// renderings have the same layers in the same order (rewriting keeps an
// empty reference empty), so the rewriting is checked layer by layer: the
// markup as a browser reads it may differ only in the layer's reference.
//
// The write goes to an unnamed file in the output's folder (O_TMPFILE)
// that is given a name only once it is whole and on disk, and is renamed
// over the output at once; where the system has no unnamed files, to a
// named temporary file that SIGINT, SIGTERM and SIGHUP remove.

#include "htmlmemdoc/pages/page_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>

#include "htmlmemdoc/pages/markup_view.h"
#include "htmlmemdoc/pages/read_back.h"
#include "htmlmemdoc/pages/text_util.h"

namespace htmlmemdoc {
namespace {

CString Render(const CHtmlMemDoc& document, bool encode,
               const std::string& basePath) {
  CString text;
  document.RenderToString(text, encode,
                          basePath.empty() ? nullptr : basePath.c_str());
  return text;
}

// Why `text` would not be written: it does not read again.
std::string ReadAgainFailure(const std::string& why) {
  return why.empty() ? "" : "the written page would not read again:" + why;
}

// Reads a rewritten rendering back, comparing each of its image, video and
// embed layers with the same layer of the plain rendering `plain` read
// back: the markup as a browser reads it may differ only in the layer's
// reference. Remembers the first layer that differs elsewhere.
class RewritingCheck {
 public:
  RewritingCheck(const CHtmlMemDoc& document, const ReadBack& plain)
      : m_plain(plain),
        m_read(document,
               [this](size_t kind, size_t index, const CHtmlTextBase& layer) {
                 Compare(kind, index, layer);
               }) {}

  // "" or what rewriting `text` would damage.
  std::string Check(const CString& text) {
    std::string problem = ReadAgainFailure(m_read.Read(text));
    if (problem.empty()) problem = Sound();
    return problem.empty() ? m_damage : problem;
  }

 private:
  struct Reference {
    const char* tag;
    const char* attribute;
  };

  void Compare(size_t kind, size_t index, const CHtmlTextBase& layer) {
    static const Reference kReferences[kWrittenLists] = {{nullptr, nullptr},
                                                         {"img", "src"},
                                                         {"img", "dynsrc"},
                                                         {"embed", "src"}};
    const Reference& reference = kReferences[kind];
    const char* before = m_plain.Echo(kind, index);
    if (!m_damage.empty() || reference.tag == nullptr || before == nullptr)
      return;
    const std::string change = OtherChange(before, MarkupOf(layer),
                                           reference.tag, reference.attribute);
    if (change.empty()) return;
    m_damage = "rewriting the file reference of layer " + LayerId(layer) +
               " would change more than its " + reference.attribute + ": " +
               change;
  }

  std::string Sound() const {
    const std::string change =
        OtherChange(MarkupOf(m_plain.Singles().m_bgSound),
                    MarkupOf(m_read.Singles().m_bgSound), "bgsound", "src");
    if (change.empty()) return "";
    return "rewriting the background sound's file reference would change "
           "more than its src: " +
           change;
  }

  const ReadBack& m_plain;
  ReadBack m_read;
  std::string m_damage;
};

// The named temporary files of the writes in progress, one slot each,
// removed when a signal ends the program. Writes may run on many threads
// at once: the slots are claimed under a lock, and the first write in
// progress installs the handlers that the last one restores.
const int kTempSlots = 64;
char g_tempPaths[kTempSlots][PATH_MAX];
volatile sig_atomic_t g_tempNamed[kTempSlots];
bool g_slotTaken[kTempSlots];
std::mutex g_slotsLock;
int g_guards = 0;
void (*g_oldHandlers[3])(int);
const int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveTempAndDie(int signal) {
  for (int slot = 0; slot < kTempSlots; ++slot) {
    if (g_tempNamed[slot]) unlink(g_tempPaths[slot]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// While it lives, SIGINT, SIGTERM and SIGHUP remove its temporary file
// (see Name) before they end the program.
class CTempGuard {
 public:
  explicit CTempGuard(const std::string& path) {
    {
      std::lock_guard<std::mutex> lock(g_slotsLock);
      if (g_guards++ == 0) {
        for (int i = 0; i < 3; ++i)
          g_oldHandlers[i] = std::signal(kSignals[i], RemoveTempAndDie);
      }
      for (int slot = 0; slot < kTempSlots && m_slot < 0; ++slot) {
        if (!g_slotTaken[slot]) m_slot = slot;
      }
      if (m_slot >= 0) g_slotTaken[m_slot] = true;
    }
    Name(path);
  }
  ~CTempGuard() {
    std::lock_guard<std::mutex> lock(g_slotsLock);
    if (m_slot >= 0) {
      g_tempNamed[m_slot] = 0;
      g_slotTaken[m_slot] = false;
    }
    if (--g_guards == 0) {
      for (int i = 0; i < 3; ++i) std::signal(kSignals[i], g_oldHandlers[i]);
    }
  }
  CTempGuard(const CTempGuard&) = delete;
  CTempGuard& operator=(const CTempGuard&) = delete;

  // The temporary file now has this name ("" for none). With every slot
  // taken by other writes, a signal leaves it behind.
  void Name(const std::string& path) {
    if (m_slot < 0) return;
    g_tempNamed[m_slot] = 0;
    std::snprintf(g_tempPaths[m_slot], PATH_MAX, "%s", path.c_str());
    g_tempNamed[m_slot] = !path.empty();
  }

 private:
  int m_slot = -1;
};

// Writes `size` bytes at `data` to `fd`, each line feed as CR LF, through
// a buffer of its own; false with errno set on failure.
bool WriteWithCrLf(int fd, const char* data, size_t size) {
  char buffer[64 * 1024];
  size_t filled = 0;
  auto flush = [&]() {
    for (size_t done = 0; done < filled;) {
      const ssize_t wrote = write(fd, buffer + done, filled - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += static_cast<size_t>(wrote);
    }
    filled = 0;
    return true;
  };
  for (size_t i = 0; i < size; ++i) {
    if (filled + 2 > sizeof buffer && !flush()) return false;
    if (data[i] == '\n') buffer[filled++] = '\r';
    buffer[filled++] = data[i];
  }
  return flush();
}

std::string WriteFailure(const std::string& shown) {
  const int error = errno;
  if (error == ENOSPC || error == EFBIG || error == EDQUOT) {
    return "disk full while writing " + shown + " (" + std::strerror(error) +
           ")";
  }
  return "cannot write " + shown + ": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
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

// A name for the new file beside the output.
std::string TempName(const std::string& folder, const std::string& name) {
  thread_local std::mt19937 random(std::random_device{}());
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x",
                static_cast<unsigned>(random()));
  return folder + "/." + name + suffix;
}

// Gives the whole, synced file `fd` its owner and mode and puts it in
// place of `target`.
std::string Install(int fd, const std::string& target,
                    const struct stat* existing, const std::string& shown,
                    bool unnamed, std::string& tempPath, CTempGuard& guard) {
  if (existing != nullptr) {
    if (fchown(fd, existing->st_uid, existing->st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), existing->st_gid) != 0) {
      // Another owner needs privileges we lack: the new file is ours.
    }
    if (fchmod(fd, existing->st_mode & 07777) != 0) return WriteFailure(shown);
  }
  if (fsync(fd) != 0) return WriteFailure(shown);
  if (unnamed) {
    const std::string name = target.substr(target.find_last_of('/') + 1);
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    for (int tries = 0; tries < 10; ++tries) {
      tempPath = TempName(FolderOf(target), name);
      if (linkat(AT_FDCWD, procPath, AT_FDCWD, tempPath.c_str(),
                 AT_SYMLINK_FOLLOW) == 0) {
        guard.Name(tempPath);
        break;
      }
      if (errno != EEXIST) return WriteFailure(shown);
      tempPath.clear();
    }
  }
  if (std::rename(tempPath.c_str(), target.c_str()) != 0) {
    return "cannot replace " + shown + ": " + std::strerror(errno);
  }
  tempPath.clear();
  return "";
}

// Writes the text to a new file beside `target` and renames it over it.
std::string Replace(const CString& text, const std::string& target,
                    const struct stat* existing, const std::string& shown) {
  const std::string folder = FolderOf(target);
  const mode_t mask = umask(0);
  umask(mask);
  const mode_t mode =
      existing != nullptr ? existing->st_mode & 07777 : 0666 & ~mask;
  bool unnamed = true;
  std::string tempPath;
  int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd < 0 && errno != EACCES && errno != EROFS && errno != ENOENT) {
    unnamed = false;
    tempPath = TempName(folder, target.substr(target.find_last_of('/') + 1));
    fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  }
  if (fd < 0) {
    return "cannot write " + shown + ": cannot create a file in " + folder +
           " (" + std::strerror(errno) + ")";
  }
  CTempGuard guard(unnamed ? "" : tempPath);
  std::string failure;
  if (!WriteWithCrLf(fd, text, static_cast<size_t>(text.GetLength()))) {
    failure = WriteFailure(shown);
  } else {
    failure = Install(fd, target, existing, shown, unnamed, tempPath, guard);
  }
  close(fd);
  if (!tempPath.empty()) unlink(tempPath.c_str());
  return failure;
}

}  // namespace

WriteCheck CheckWrite(const CHtmlMemDoc& document, std::string pageText,
                      const WriteOptions& options) {
  WriteCheck check;
  LossFinder losses(document, pageText);
  std::string().swap(pageText);
  check.text = Render(document, false, "");
  ReadBack plain(document);
  std::string problem = ReadAgainFailure(plain.Read(check.text));
  check.losses = losses.Finish(plain);
  if (!check.losses.empty() && !options.allowLoss) {
    const size_t count = CountLosses(check.losses);
    check.refusal = "writing the page would lose " + std::to_string(count) +
                    (count == 1 ? " thing" : " things") +
                    " it holds (--allow-loss writes it all the same)";
  }
  if (options.encode || !options.basePath.empty()) {
    check.text.Empty();
    check.text = Render(document, options.encode, options.basePath);
    if (problem.empty())
      problem = RewritingCheck(document, plain).Check(check.text);
  }
  if (check.refusal.empty()) check.refusal = problem;
  return check;
}

std::string WriteText(const CString& text, const WriteOptions& options) {
  const size_t size = static_cast<size_t>(text.GetLength());
  if (options.output.empty()) {
    if (std::fwrite(static_cast<const char*>(text), 1, size, stdout) != size ||
        std::fflush(stdout) != 0) {
      return WriteFailure("standard output");
    }
    return "";
  }
  const std::string& shown = options.output;
  const std::string target = FollowLinks(options.output);
  struct stat existing;
  if (stat(target.c_str(), &existing) != 0) {
    if (errno != ENOENT) return WriteFailure(shown);
    return Replace(text, target, nullptr, shown);
  }
  if (S_ISREG(existing.st_mode) &&
      access(FolderOf(target).c_str(), W_OK | X_OK) != 0) {
    return "cannot write " + shown + ": cannot create a file in " +
           FolderOf(target) + " (" + std::strerror(errno) + ")";
  }
  if (S_ISDIR(existing.st_mode))
    return "cannot write " + shown + ": it is a folder";
  if (access(target.c_str(), W_OK) != 0) {
    return "cannot write " + shown + ": " +
           ((existing.st_mode & 0222) == 0
                ? std::string("the file is read-only")
                : std::strerror(errno));
  }
  if (S_ISREG(existing.st_mode)) return Replace(text, target, &existing, shown);
  // A device or a pipe is written as it is, never replaced.
  const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return WriteFailure(shown);
  const bool ok = WriteWithCrLf(fd, text, size);
  const std::string failure = ok ? "" : WriteFailure(shown);
  close(fd);
  return failure;
}

}  // namespace htmlmemdoc
