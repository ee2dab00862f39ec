// editor_security.h: the editor server's checks on every request, kept
// apart from its routes so that each can be tested and none forgotten.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SECURITY_H_
#define HTMLMEMDOC_TOOLS_EDITOR_EDITOR_SECURITY_H_

#include <filesystem>
#include <string>
#include <system_error>

// A new access token: 32 random bytes in hex.
std::string NewToken();

// `a == b` in a time that does not depend on where they differ.
bool SameToken(const std::string& a, const std::string& b);

// Whether a Host header names this server: 127.0.0.1 or localhost, with
// `port`.
bool IsOwnHost(const std::string& host, int port);

// Whether an Origin header names this server (http://, same host rules).
bool IsOwnOrigin(const std::string& origin, int port);

// `path` as the system finally opens it: absolute, every link resolved
// and, on Windows, every junction and short (8.3) name too, with the
// names' letter case as on disk (std::filesystem's canonical resolves
// none of those on Windows: there it is GetFinalPathNameByHandleW's).
// Empty, with `error` set, when nothing is there.
std::filesystem::path RealPath(const std::filesystem::path& path,
                               std::error_code& error);

// Whether `path` itself is a link: on Windows any reparse point (a
// symbolic link, a junction), which std::filesystem does not tell there.
bool IsLink(const std::filesystem::path& path);

// Whether the entry `name` of `folder` (a RealPath) is a link or resolves
// to another file than itself: judged by where it leads as well as by its
// kind, since a system may not tell every link as one (wine shows a file
// link of the host as a plain file). False when nothing is there.
bool LeadsElsewhere(const std::filesystem::path& folder,
                    const std::filesystem::path& name);

// Whether a part of `relative` is a name Windows takes for another file's:
// a device's (CON, PRN, AUX, NUL, COM0-9, LPT0-9 and the consoles, in any
// letter case, with any extension and blanks before it: "con .htm" is the
// console too), or one it shortens before it looks (trailing dots and
// blanks: "page.htm." opens page.htm). Other systems have no such names:
// there they are files' own, and this is always false.
bool NamesAnotherFile(const std::string& relative);

// The regular file `relative` names below `root` (a RealPath), links
// resolved; false when it holds a NUL (the system would read the name only
// up to it), is absolute, leaves `root`, does not exist or
// is no regular file (a folder, a fifo, a device), or NamesAnotherFile
// (so that no device is ever opened). On Windows `\` separates parts as
// `/` does.
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
