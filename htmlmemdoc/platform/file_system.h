// file_system.h: where the systems differ for files (internal to the
// library): opening a file and listing a folder, through POSIX, or on
// Windows through the wide-character interface (FindFirstFileW and
// FindNextFileW, _wfopen), paths being UTF-8 here and UTF-16 to Windows;
// and where a path's root ends.

#ifndef HTMLMEMDOC_PLATFORM_FILE_SYSTEM_H_
#define HTMLMEMDOC_PLATFORM_FILE_SYSTEM_H_

#include <cstdio>
#include <filesystem>
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

// A path written in the text's code page (UTF-8 unless another is set)
// for std::filesystem, and a std::filesystem path in the text's code page
// with "/" between its parts (which Windows takes as well as "\\"): what
// the layers above use for the names they show and compare.
std::filesystem::path FsPath(const std::string& path);
std::string PathText(const std::filesystem::path& path);

// std::fopen with a path in the text's code page.
std::FILE* OpenFile(const char* path, const char* mode);

#ifdef _WIN32
// A text in the code page in use (UTF-8 unless another is set) to the
// UTF-16 of Windows' wide-character calls, and back.
std::wstring Utf16(const std::string& text);
std::string Utf8(const wchar_t* text);
#endif

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PLATFORM_FILE_SYSTEM_H_
