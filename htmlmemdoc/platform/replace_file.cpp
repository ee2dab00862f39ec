// replace_file.cpp: the temporary-file guard, names and the CR LF writer
// that both systems' replace-a-file code use.

#include "htmlmemdoc/platform/replace_file.h"

#include <csignal>
#include <cstdio>
#include <mutex>
#include <random>

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

extern "C" void RemoveTempAndDie(int signal) {
  for (int slot = 0; slot < kTempSlots; ++slot) {
    if (g_tempNamed[slot]) RemoveInSignal(g_tempPaths[slot]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

bool WriteWithCrLf(const char* data, size_t size,
                   const std::function<bool(const char*, size_t)>& sink) {
  char buffer[64 * 1024];
  size_t filled = 0;
  for (size_t i = 0; i < size; ++i) {
    if (filled + 2 > sizeof buffer) {
      if (!sink(buffer, filled)) return false;
      filled = 0;
    }
    if (data[i] == '\n') buffer[filled++] = '\r';
    buffer[filled++] = data[i];
  }
  return filled == 0 || sink(buffer, filled);
}

std::string TempName(const std::string& folder, const std::string& name) {
  thread_local std::mt19937 random(std::random_device{}());
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%08x",
                static_cast<unsigned>(random()));
  return folder + "/." + name + suffix;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of("/\\") + 1);
}

CTempGuard::CTempGuard(const std::string& path) {
  {
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
  Name(path);
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

}  // namespace replace_file
}  // namespace htmlmemdoc
