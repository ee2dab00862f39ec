// editor_security.cpp: tokens, Host and Origin, paths and sources below
// the root.

#include "tools/editor/editor_security.h"

#include <httplib.h>

#include <random>
#include <system_error>

#include "htmlmemdoc/pages/site/site_tree.h"
#include "htmlmemdoc/platform/file_system.h"

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

namespace {

// `relative` below `root`, links resolved, into `found`; false when it is
// absolute, names no file, leads out of `root` or to a hidden name in it.
bool Inside(const std::filesystem::path& root, const std::string& relative,
            std::filesystem::path& found) {
  if (htmlmemdoc::PathRootLength(relative) > 0 ||
      relative.find(':') != std::string::npos)
    return false;
  std::error_code error;
  found =
      std::filesystem::canonical(root / htmlmemdoc::FsPath(relative), error);
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

}  // namespace

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
