// file_system.cpp: files and folders on POSIX systems and on Windows.

#include "htmlmemdoc/platform/file_system.h"

#include "htmlmemdoc/platform/mbcs.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace htmlmemdoc {

size_t PathRootLength(const std::string& path) {
  auto separator = [](char c) { return c == '/' || c == '\\'; };
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') ||
       (path[0] >= 'a' && path[0] <= 'z')))
    return path.size() >= 3 && separator(path[2]) ? 3 : 2;
#endif
  return !path.empty() && separator(path[0]) ? 1 : 0;
}

std::filesystem::path FsPath(const std::string& path) {
#ifdef _WIN32
  return std::filesystem::path(Utf16(path));
#else
  return std::filesystem::path(path);
#endif
}

std::string PathText(const std::filesystem::path& path) {
#ifdef _WIN32
  return Utf8(path.generic_wstring().c_str());
#else
  return path.generic_string();
#endif
}

#ifdef _WIN32

namespace {

// The code page file names are converted with: the text's.
UINT FileNameCodePage() {
  const CCodePageTable* table = CodePageTable();
  return table != nullptr ? static_cast<UINT>(table->number) : CP_UTF8;
}

}  // namespace

std::wstring Utf16(const std::string& text) {
  const int size = MultiByteToWideChar(
      FileNameCodePage(), 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(FileNameCodePage(), 0, text.data(), static_cast<int>(text.size()),
                      &wide[0], size);
  return wide;
}

std::string Utf8(const wchar_t* text) {
  const int size =
      WideCharToMultiByte(FileNameCodePage(), 0, text, -1, nullptr, 0,
                          nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(FileNameCodePage(), 0, text, -1, &narrow[0], size,
                      nullptr, nullptr);
  return narrow;
}

bool ListDirectory(const std::string& path, std::vector<std::string>& names) {
  std::wstring pattern = Utf16(path);
  if (!pattern.empty() && pattern.back() != L'/' && pattern.back() != L'\\')
    pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    const std::string name = Utf8(entry.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return true;
}

std::FILE* OpenFile(const char* path, const char* mode) {
  return _wfopen(Utf16(path).c_str(), Utf16(mode).c_str());
}

#else

bool ListDirectory(const std::string& path, std::vector<std::string>& names) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  while (const dirent* entry = readdir(dir)) {
    const std::string name(entry->d_name);
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return true;
}

std::FILE* OpenFile(const char* path, const char* mode) {
  return std::fopen(path, mode);
}

#endif

}  // namespace htmlmemdoc
