// path.cpp: the path splitter. One walk over the characters records the
// last directory separator and the last dot; the parts fall out of those
// two positions.

#include "htmlmemdoc/platform/path.h"

#include <algorithm>
#include <cstring>

#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

namespace {

std::string Part(const char* begin, const char* end) {
  const size_t length = static_cast<size_t>(end - begin);
  return std::string(begin, FitOnBoundary(begin, length, kMaxPathPart));
}

}  // namespace

size_t FitOnBoundary(const char* text, size_t length, size_t maxLength) {
  if (length <= maxLength) return length;
  size_t fit = maxLength;
  while (fit > 0 && !IsCharBoundary(text, text + fit)) --fit;
  return fit;
}

size_t NextSeparator(const std::string& path, size_t from) {
  size_t i = from;
  while (i < path.size() && path[i] != '/' && path[i] != '\\')
    i += static_cast<size_t>(CharLength(&path[i]));
  return std::min(i, path.size());
}

bool EndsWithSeparator(const std::string& path) {
  if (path.empty()) return false;
  size_t last = 0;
  for (size_t i = 0; i < path.size(); i += static_cast<size_t>(CharLength(&path[i])))
    last = i;
  return last == path.size() - 1 && (path[last] == '/' || path[last] == '\\');
}

void SplitPath(const char* path, CPathParts& parts) {
  parts = CPathParts();
  if (path == nullptr) return;
  const char* p = path;
  if (p[0] != '\0' && p[1] == ':') {
    parts.drive.assign(p, 2);
    p += 2;
  }
  const char* lastSeparator = nullptr;
  const char* lastDot = nullptr;
  const char* end = p;
  for (; *end != '\0'; end += CharLength(end)) {
    if (*end == '/' || *end == '\\') lastSeparator = end;
    if (*end == '.') lastDot = end;
  }
  const char* nameBegin = lastSeparator != nullptr ? lastSeparator + 1 : p;
  parts.directory = Part(p, nameBegin);
  if (lastDot != nullptr && lastDot >= nameBegin) {
    parts.name = Part(nameBegin, lastDot);
    parts.extension = Part(lastDot, end);
  } else {
    parts.name = Part(nameBegin, end);
  }
}

}  // namespace htmlmemdoc
