// path.h: splitting a file path into drive, directory, file name and
// extension (internal to the library). Both "\\" and "/" end a directory; a
// leading "X:" is a drive; the extension runs from the last "." of the file
// name, dot included. Each part keeps at most kMaxPathPart bytes, cut on a
// character boundary.

#ifndef HTMLMEMDOC_PLATFORM_PATH_H_
#define HTMLMEMDOC_PLATFORM_PATH_H_

#include <cstddef>
#include <string>

namespace htmlmemdoc {

const size_t kMaxPathPart = 255;

struct CPathParts {
  std::string drive;      // "C:" or empty
  std::string directory;  // with its trailing separator, or empty
  std::string name;       // file name without extension
  std::string extension;  // ".gif" or empty
};

void SplitPath(const char* path, CPathParts& parts);

// The longest prefix of `text` (of `length` bytes) that has at most
// `maxLength` bytes and does not end inside a multi-byte character.
size_t FitOnBoundary(const char* text, size_t length, size_t maxLength);

// The place of the first "/" or "\\" at or after `from` in `path` that is
// a character of its own (in a double-byte code page the trail byte of a
// character may be "\\"); path.size() when there is none. `from` starts a
// character.
size_t NextSeparator(const std::string& path, size_t from);

// Whether `path` ends with such a separator.
bool EndsWithSeparator(const std::string& path);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_PATH_H_
