// batch.cpp: the workers take page indexes from a shared counter; the
// calling thread waits for the next index in order, reports it, and
// redraws the progress bar between reports.

#include "tools/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "tools/console.h"

namespace {

// A one-line bar on standard error, redrawn at most ten times a second and
// only when standard error is a terminal and the run takes a while.
class CProgress {
 public:
  CProgress(size_t total, const char* unit)
      : m_total(total),
        m_unit(unit),
        m_shown(ErrorsGoToTerminal() && total > 1),
        m_start(std::chrono::steady_clock::now()) {}

  void Show(size_t done) {
    if (!m_shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_start < std::chrono::milliseconds(500) ||
        now - m_last < std::chrono::milliseconds(100)) {
      return;
    }
    m_last = now;
    const int width = 40;
    const int filled = static_cast<int>(width * done / m_total);
    std::fprintf(stderr, "\r[%.*s%*s] %zu/%zu %s", filled,
                 "########################################", width - filled, "",
                 done, m_total, m_unit);
    std::fflush(stderr);
    m_drawn = true;
  }

  // Wipes the bar so that a report can print on a clean line.
  void Clear() {
    if (!m_drawn) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    m_drawn = false;
  }

 private:
  size_t m_total;
  const char* m_unit;  // what is counted: "pages", "files"
  bool m_shown;
  bool m_drawn = false;
  std::chrono::steady_clock::time_point m_start;
  std::chrono::steady_clock::time_point m_last;
};

}  // namespace

void RunInParallel(size_t count, const std::function<void(size_t)>& work,
                   const std::function<void(size_t)>& report, unsigned threads,
                   const char* unit) {
  std::vector<char> done(count, 0);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) {
      work(i);
      std::lock_guard<std::mutex> lock(mutex);
      done[i] = 1;
      finished.notify_one();
    }
  };
  const size_t workers = std::min<size_t>(
      count, threads > 0 ? threads
                         : std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::thread> pool;
  for (size_t t = 0; t < workers; ++t) pool.emplace_back(worker);
  CProgress progress(count, unit);
  for (size_t i = 0; i < count; ++i) {
    {
      std::unique_lock<std::mutex> lock(mutex);
      while (!done[i]) {
        finished.wait_for(lock, std::chrono::milliseconds(100));
        lock.unlock();
        progress.Show(i);
        lock.lock();
      }
    }
    progress.Clear();
    report(i);
    progress.Show(i + 1);
  }
  progress.Clear();
  for (std::thread& thread : pool) thread.join();
}
