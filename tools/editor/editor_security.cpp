// editor_security.cpp: tokens, Host and Origin, paths and sources below
// the root.

#include "tools/editor/editor_security.h"

#include <httplib.h>  // first: on Windows winsock2.h, before windows.h
#ifdef _WIN32
#include <windows.h>
#endif

#include <random>
#include <system_error>

#include "htmlmemdoc/pages/site/site_tree.h"
#include "htmlmemdoc/platform/file_system.h"

namespace fs = std::filesystem;

std::string NewToken() {
  std::random_device random;
  static const char kHex[] = "0123456789abcdef";
  std::string token;
  for (int i = 0; i < 32; ++i) {
    const unsigned byte = random() & 0xFF;
    token += kHex[byte >> 4];
    token += kHex[byte & 15];
  }
  return token;
}

bool SameToken(const std::string& a, const std::string& b) {
  if (a.size() != b.size() || a.empty()) return false;
  unsigned char differ = 0;
  for (size_t i = 0; i < a.size(); ++i)
    differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

bool IsOwnHost(const std::string& host, int port) {
  const std::string suffix = ":" + std::to_string(port);
  return host == "127.0.0.1" + suffix || host == "localhost" + suffix;
}

bool IsOwnOrigin(const std::string& origin, int port) {
  const std::string scheme = "http://";
  return origin.compare(0, scheme.size(), scheme) == 0 &&
         IsOwnHost(origin.substr(scheme.size()), port);
}

#ifdef _WIN32

fs::path RealPath(const fs::path& path, std::error_code& error) {
  error.clear();
  // No access asked but to attributes; a folder opens with backup
  // semantics.
  const HANDLE file =
      CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error.assign(static_cast<int>(GetLastError()), std::system_category());
    return {};
  }
  const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  std::wstring name(MAX_PATH, L'\0');
  // The length without the closing NUL, or the room needed with it.
  DWORD length = GetFinalPathNameByHandleW(
      file, &name[0], static_cast<DWORD>(name.size()), flags);
  if (length >= name.size()) {
    name.resize(length);
    length = GetFinalPathNameByHandleW(file, &name[0],
                                       static_cast<DWORD>(name.size()), flags);
  }
  if (length == 0 || length >= name.size())
    error.assign(static_cast<int>(GetLastError()), std::system_category());
  CloseHandle(file);
  if (error) return {};
  name.resize(length);
  // "\\?\C:\x" is C:\x, and "\\?\UNC\server\share" is \\server\share.
  if (name.compare(0, 8, L"\\\\?\\UNC\\") == 0)
    name.erase(2, 6);
  else if (name.compare(0, 4, L"\\\\?\\") == 0)
    name.erase(0, 4);
  return fs::path(name);
}

bool IsLink(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool NamesAnotherFile(const std::string& relative) {
  for (const fs::path& each : htmlmemdoc::FsPath(relative)) {
    const std::wstring& part = each.native();
    if (part.empty() || part == L"." || part == L"..") continue;
    if (part.back() == L'.' || part.back() == L' ') return true;
    std::wstring stem = part.substr(0, part.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem)
      if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" ||
        stem == L"CONIN$" || stem == L"CONOUT$")
      return true;
    // COM0 to COM9 and LPT0 to LPT9, and with a superscript 1, 2 or 3
    if (stem.size() == 4 &&
        (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
        std::wstring(L"0123456789\u00b9\u00b2\u00b3").find(stem[3]) !=
            std::wstring::npos)
      return true;
  }
  return false;
}

#else

fs::path RealPath(const fs::path& path, std::error_code& error) {
  return fs::canonical(path, error);
}

bool IsLink(const fs::path& path) {
  std::error_code error;
  return fs::is_symlink(path, error);
}

bool NamesAnotherFile(const std::string&) { return false; }

#endif

namespace {

// `relative` below `root`, links resolved, into `found`; false when it is
// absolute, names no file, leads out of `root` or to a hidden name in it.
// What it leads to is judged, not its text: a short name (8.3) of a
// hidden folder is as hidden as the folder.
bool Inside(const fs::path& root, const std::string& relative,
            fs::path& found) {
  // Past a NUL the system reads no more: "COM1\0" would open the device.
  if (relative.find('\0') != std::string::npos ||
      htmlmemdoc::PathRootLength(relative) > 0 ||
      relative.find(':') != std::string::npos || NamesAnotherFile(relative))
    return false;
  std::error_code error;
  found = RealPath(root / htmlmemdoc::FsPath(relative), error);
  if (error) return false;
  auto inRoot = root.begin();
  auto inFound = found.begin();
  for (; inRoot != root.end(); ++inRoot, ++inFound) {
    if (inFound == found.end() || *inFound != *inRoot) return false;
  }
  // A link to a hidden file or folder is as hidden as what it names.
  const std::string below =
      htmlmemdoc::PathText(found.lexically_relative(root));
  return below == "." || !htmlmemdoc::IsHiddenPath(below);
}

// Whether two names of one folder's entries are the same: on Windows
// letter case aside, as the file system takes them.
bool SameEntry(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
#else
  return a == b;
#endif
}

}  // namespace

bool LeadsElsewhere(const fs::path& folder, const fs::path& name) {
  const fs::path entry = folder / name;
  if (IsLink(entry)) return true;
  std::error_code error;
  if (!fs::exists(entry, error)) return false;
  const fs::path real = RealPath(entry, error);
  return error || real.parent_path() != folder ||
         !SameEntry(real.filename(), name.filename());
}

bool ResolveInside(const std::filesystem::path& root,
                   const std::string& relative, std::filesystem::path& file) {
  std::error_code error;
  // Only a regular file: a fifo or a device would hold a reader forever.
  return !relative.empty() && Inside(root, relative, file) &&
         std::filesystem::is_regular_file(file, error);
}

bool ResolveFolderInside(const std::filesystem::path& root,
                         const std::string& relative,
                         std::filesystem::path& folder) {
  std::error_code error;
  if (relative.empty()) {
    folder = root;
    return true;
  }
  return !htmlmemdoc::IsHiddenPath(relative) &&
         Inside(root, relative, folder) &&
         std::filesystem::is_directory(folder, error);
}

std::string SourceRefusal(const std::filesystem::path& root,
                          const std::string& pageFolder,
                          const std::string& value) {
  if (value.empty()) return "";
  // What a browser asks the file system for: no '?' query, no '#' part,
  // escapes decoded ('+' stays a plus in a path).
  const std::string name = httplib::detail::decode_url(
      value.substr(0, value.find_first_of("?#")), false);
  std::filesystem::path file;
  if (name.find('\0') == std::string::npos &&
      htmlmemdoc::PathRootLength(name) == 0 &&
      ResolveInside(root, pageFolder.empty() ? name : pageFolder + "/" + name,
                    file) &&
      !htmlmemdoc::IsHiddenPath(
          htmlmemdoc::PathText(file.lexically_relative(root))))
    return "";
  return "a source must name a file below the site folder: " + value;
}
