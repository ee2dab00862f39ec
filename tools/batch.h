// batch.h: running a command over many pages on all cores, with a progress
// bar on a terminal.

#ifndef HTMLMEMDOC_TOOLS_BATCH_H_
#define HTMLMEMDOC_TOOLS_BATCH_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Calls work(i) for each i below `count` on `threads` threads (0: as many
// as the machine has cores), and report(i) on the calling thread in order of i,
// each as soon as work(0..i) are done. On a terminal, a progress bar on
// standard error shows how many `unit` are done while the run lasts; report()
// may print freely.
void RunInParallel(size_t count, const std::function<void(size_t)>& work,
                   const std::function<void(size_t)>& report,
                   unsigned threads = 0, const char* unit = "pages");

#endif  // HTMLMEMDOC_TOOLS_BATCH_H_
