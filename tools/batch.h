// batch.h: running a command over many pages: expanding directories into
// the pages they hold, working on all cores, and a progress bar on a
// terminal.

#ifndef HTMLMEMDOC_TOOLS_BATCH_H_
#define HTMLMEMDOC_TOOLS_BATCH_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The pages named by `arguments`: a file as given; a directory replaced by
// every .htm and .html file below it (any letter case), in name order. A
// directory that cannot be walked is kept as given, so that reading it
// reports the problem.
std::vector<std::string> ExpandPages(const std::vector<std::string>& arguments);

// Calls work(i) for each i below `count` on as many threads as the machine
// has cores, and report(i) on the calling thread in order of i, each as soon
// as work(0..i) are done. On a terminal, a progress bar on standard error
// shows how many are done while the run lasts; report() may print freely.
void RunInParallel(size_t count, const std::function<void(size_t)>& work,
                   const std::function<void(size_t)>& report);

#endif  // HTMLMEMDOC_TOOLS_BATCH_H_
