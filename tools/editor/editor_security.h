// editor_security.h: the editor server's checks on every request, kept
// apart from its routes so that each can be tested and none forgotten.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SECURITY_H_
#define HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SECURITY_H_

#include <filesystem>
#include <string>

// A new access token: 32 random bytes in hex.
std::string NewToken();

// `a == b` in a time that does not depend on where they differ.
bool SameToken(const std::string& a, const std::string& b);

// Whether a Host header names this server: 127.0.0.1 or localhost, with
// `port`.
bool IsOwnHost(const std::string& host, int port);

// Whether an Origin header names this server (http://, same host rules).
bool IsOwnOrigin(const std::string& origin, int port);

// The regular file `relative` names below `root` (canonical), links
// resolved; false when it is absolute, leaves `root`, does not exist or
// is no regular file (a folder, a fifo, a device).
bool ResolveInside(const std::filesystem::path& root,
                   const std::string& relative, std::filesystem::path& file);

// The folder `relative` names below `root` ("" for `root` itself), links
// resolved; false when it leaves `root`, is hidden or is no folder.
bool ResolveFolderInside(const std::filesystem::path& root,
                         const std::string& relative,
                         std::filesystem::path& folder);

// Why `value`, a source (an image, a background, a sound) written in a
// page of the folder `pageFolder` below `root` ("" for `root` itself),
// may not be written: "" when it names a regular file below `root` that is
// not hidden, its percent escapes decoded and a ?query or #fragment left
// out, or when it is empty (it names nothing). Else the reason, for
// example "a source must name a file below the site folder: javascript:x".
std::string SourceRefusal(const std::filesystem::path& root,
                          const std::string& pageFolder,
                          const std::string& value);

#endif  // HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SECURITY_H_
