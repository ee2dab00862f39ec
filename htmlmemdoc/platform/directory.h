// directory.h: the names in a folder (internal to the library), through
// the system's own interface: POSIX directory reading, or FindFirstFileW
// and FindNextFileW on Windows, where paths and names are UTF-8 here and
// UTF-16 to the system.

#ifndef HTMLMEMDOC_PLATFORM_DIRECTORY_H_
#define HTMLMEMDOC_PLATFORM_DIRECTORY_H_

#include <string>
#include <vector>

namespace htmlmemdoc {

// The length of the root that starts `path`: 1 for "/" (or "\\"), and on
// Windows 3 for a drive ("C:\\" or "C:/"), 2 for a drive alone ("C:");
// 0 for a relative path.
size_t PathRootLength(const std::string& path);

// The names of the entries of folder `path` ("." and ".." left out), in
// the order the system gives them; false when it cannot be listed.
bool ListDirectory(const std::string& path, std::vector<std::string>& names);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_DIRECTORY_H_
