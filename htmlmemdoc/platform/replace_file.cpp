// replace_file.cpp: the temporary-file guard, names and the CR LF writer
// that both systems' replace-a-file code use.

#include "htmlmemdoc/platform/replace_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#endif

#include "htmlmemdoc/platform/file_system.h"

namespace htmlmemdoc {
namespace replace_file {
namespace {

// The named temporary files of the writes in progress, one slot each,
// removed when a signal ends the program. The slots are claimed under a
// lock; the first write in progress installs the handlers that the last
// one restores.
const int kTempSlots = 64;
const int kPathMax = 4096;
char g_tempPaths[kTempSlots][kPathMax];
volatile sig_atomic_t g_tempNamed[kTempSlots];
bool g_slotTaken[kTempSlots];
std::mutex g_slotsLock;
int g_guards = 0;
#ifdef SIGHUP
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
#else
const int kSignals[] = {SIGINT, SIGTERM};
#endif
const int kSignalCount = sizeof kSignals / sizeof kSignals[0];
void (*g_oldHandlers[kSignalCount])(int);
// The child programs to end with the program (0: a free slot).
volatile sig_atomic_t g_children[kTempSlots];
// Creations of named temporary files in progress, and whether a signal is
// ending the program (then no creation starts).
std::atomic<int> g_creating{0};
std::atomic<bool> g_ending{false};

void PauseBriefly() {
#ifdef _WIN32
  Sleep(1);
#else
  const timespec millisecond = {0, 1000000};
  nanosleep(&millisecond, nullptr);
#endif
}

// While it lives, the guarded signals wait on this thread, so that their
// handler never runs inside a creation it would wait for.
class CSignalsHeld {
 public:
#ifdef _WIN32
  CSignalsHeld() {}  // Ctrl+C is handled on a thread of its own
#else
  CSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kSignals) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &m_old);
  }
  ~CSignalsHeld() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }

 private:
  sigset_t m_old;
#endif
};

extern "C" void RemoveTempAndDie(int signal) {
  g_ending.store(true);
  for (int waited = 0; g_creating.load() > 0 && waited < 1000; ++waited)
    PauseBriefly();
#ifndef _WIN32
  for (int slot = 0; slot < kTempSlots; ++slot) {
    const pid_t child = static_cast<pid_t>(g_children[slot]);
    if (child > 0 && kill(child, SIGKILL) == 0) waitpid(child, nullptr, 0);
  }
#endif
  for (int slot = 0; slot < kTempSlots; ++slot) {
    if (g_tempNamed[slot]) RemoveInSignal(g_tempPaths[slot]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

// The runs between line feeds are copied whole into a buffer that is
// handed to `sink` when full.
bool WriteWithCrLf(const char* data, size_t size,
                   const std::function<bool(const char*, size_t)>& sink) {
  char buffer[64 * 1024];
  size_t filled = 0;
  const auto put = [&](const char* bytes, size_t count) {
    while (count > 0) {
      if (filled == sizeof buffer) {
        if (!sink(buffer, filled)) return false;
        filled = 0;
      }
      const size_t take = std::min(count, sizeof buffer - filled);
      std::memcpy(buffer + filled, bytes, take);
      filled += take;
      bytes += take;
      count -= take;
    }
    return true;
  };
  const char* const end = data + size;
  for (const char* at = data; at < end;) {
    const void* found = std::memchr(at, '\n', static_cast<size_t>(end - at));
    const char* feed = found != nullptr ? static_cast<const char*>(found) : end;
    if (!put(at, static_cast<size_t>(feed - at))) return false;
    if (feed == end) break;
    if (!put("\r\n", 2)) return false;
    at = feed + 1;
  }
  return filled == 0 || sink(buffer, filled);
}

bool WriteText(const WholeText& text,
               const std::function<bool(const char*, size_t)>& sink) {
  if (text.crlf) return WriteWithCrLf(text.data, text.size, sink);
  const size_t kChunk = 1 << 20;
  for (size_t done = 0; done < text.size; done += kChunk) {
    if (!sink(text.data + done, std::min(kChunk, text.size - done)))
      return false;
  }
  return true;
}

std::string ChangedSince(const std::string& path, const WholeText& text,
                         const std::string& shown) {
  if (!text.mustBeNew && text.expected == nullptr) return "";
  return ChangedSince(OpenFile(path.c_str(), "rb"), text, shown);
}

std::string ChangedSince(std::FILE* file, const WholeText& text,
                         const std::string& shown) {
  if (text.mustBeNew) {
    if (file == nullptr) return "";
    std::fclose(file);
    return "not written: " + shown + " is there already";
  }
  if (text.expected == nullptr) {
    if (file != nullptr) std::fclose(file);
    return "";
  }
  std::string now;
  bool read = false;
  if (file != nullptr) {
    char buffer[64 * 1024];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      now.append(buffer, got);
    read = std::ferror(file) == 0;
    std::fclose(file);
  }
  if (read && now == *text.expected) return "";
  return "not written: " + shown +
         " changed on disk since it was read (another program wrote it)";
}

std::string TempName(const std::string& folder) {
  thread_local std::mt19937_64 random(std::random_device{}());
  char name[40];
  std::snprintf(name, sizeof name, "/.htmlmemdoc-%016llx.tmp",
                static_cast<unsigned long long>(random()));
  return folder + name;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

CTempGuard::CTempGuard() {
  std::lock_guard<std::mutex> lock(g_slotsLock);
  if (g_guards++ == 0) {
    for (int i = 0; i < kSignalCount; ++i)
      g_oldHandlers[i] = std::signal(kSignals[i], RemoveTempAndDie);
  }
  for (int slot = 0; slot < kTempSlots && m_slot < 0; ++slot) {
    if (!g_slotTaken[slot]) m_slot = slot;
  }
  if (m_slot >= 0) g_slotTaken[m_slot] = true;
}

// Counts a step on a named temporary file in progress, which the signal
// handler waits for; once the handler runs, none starts.
class CStepInProgress {
 public:
  CStepInProgress() {
    g_creating.fetch_add(1);
    if (g_ending.load()) {  // the program is ending: the handler ends it
      g_creating.fetch_sub(1);
      for (;;) PauseBriefly();
    }
  }
  ~CStepInProgress() { g_creating.fetch_sub(1); }
  CStepInProgress(const CStepInProgress&) = delete;
  CStepInProgress& operator=(const CStepInProgress&) = delete;
};

bool CTempGuard::Create(const std::string& path,
                        const std::function<bool()>& create) {
  CSignalsHeld held;
  CStepInProgress step;
  Name(path);
  const bool created = create();
  const int error = errno;
  if (!created) Name("");
  errno = error;
  return created;
}

void CTempGuard::Settle(const std::function<void()>& settle) {
  CSignalsHeld held;
  CStepInProgress step;
  settle();
  Forget();
}

CTempGuard::~CTempGuard() {
  std::lock_guard<std::mutex> lock(g_slotsLock);
  if (m_slot >= 0) {
    g_tempNamed[m_slot] = 0;
    g_slotTaken[m_slot] = false;
  }
  if (--g_guards == 0) {
    for (int i = 0; i < kSignalCount; ++i)
      std::signal(kSignals[i], g_oldHandlers[i]);
  }
}

void CTempGuard::Name(const std::string& path) {
  if (m_slot < 0) return;
  g_tempNamed[m_slot] = 0;
  std::snprintf(g_tempPaths[m_slot], kPathMax, "%s", path.c_str());
  g_tempNamed[m_slot] = !path.empty() && path.size() < kPathMax;
}

CChildGuard::CChildGuard(long pid) {
  std::lock_guard<std::mutex> lock(g_slotsLock);
  for (int slot = 0; slot < kTempSlots; ++slot) {
    if (g_children[slot] == 0) {
      m_slot = slot;
      g_children[slot] = static_cast<sig_atomic_t>(pid);
      return;
    }
  }
}

CChildGuard::~CChildGuard() {
  std::lock_guard<std::mutex> lock(g_slotsLock);
  if (m_slot >= 0) g_children[m_slot] = 0;
}

}  // namespace replace_file
}  // namespace htmlmemdoc
