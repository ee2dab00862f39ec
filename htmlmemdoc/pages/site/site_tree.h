// site_tree.h: every folder and file below a site's root, listed once by
// its real path, and references resolved against it the way a browser and
// a web server that tells letter case apart would find them. Resolving is
// a walk in memory, so many threads may resolve at once once the tree is
// listed.

#ifndef HTMLMEMDOC_PAGES_SITE_SITE_TREE_H_
#define HTMLMEMDOC_PAGES_SITE_SITE_TREE_H_

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace htmlmemdoc {

class SiteTree {
 public:
  // A file: its folder and its place among the folder's entries.
  struct FileId {
    int folder = -1;
    int entry = -1;
    bool operator==(const FileId& other) const {
      return folder == other.folder && entry == other.entry;
    }
  };
  struct Entry {
    std::string name;     // as the file system stores it
    int folder = -1;      // the folder it is, or -1 for a file
    bool leaves = false;  // a link to a folder or a file outside the root
    // A regular file or a link to one; a fifo, a device or a socket is
    // none, and is never opened (it could hold a reader forever).
    bool file = false;
    // A link to a file inside the root: that file, by its real path.
    FileId same;
  };
  struct Folder {
    std::string path;  // its real path from the root, "/"-separated; ""
                       // for the root
    std::vector<Entry> entries;  // in byte order of their names
    // Each name in ASCII lower case, to the entries (in byte order) that
    // have it.
    std::unordered_map<std::string, std::vector<int>> folded;
  };
  struct Unreadable {
    std::string folder;  // as the root was named, with the path below it
    std::string path;    // from the root; "." for the root itself
    std::string reason;
  };

  // Lists `root` (separators that end it taken off) and every folder
  // below it, each once, by its real path:
  // a link to a folder inside the root is an entry naming that folder (a
  // loop of links ends where it began), a link leaving the root an entry
  // that cannot be entered.
  // Without `hidden`, names that start with "." are left out, and the
  // folders they name are never listed.
  explicit SiteTree(const std::string& root, bool hidden = true);

  const std::string& Root() const { return m_root; }
  const std::vector<Folder>& Folders() const { return m_folders; }
  const std::vector<Unreadable>& UnreadableFolders() const {
    return m_unreadable;
  }
  const Entry& EntryOf(FileId file) const;
  // The path of a file from the root.
  std::string PathOf(FileId file) const;
  // Calls `visit(id, entry)` for every entry of every folder, in order.
  template <typename Visit>
  void ForEachEntry(Visit visit) const {
    for (size_t f = 0; f < m_folders.size(); ++f) {
      const std::vector<Entry>& entries = m_folders[f].entries;
      for (size_t e = 0; e < entries.size(); ++e)
        visit(FileId{static_cast<int>(f), static_cast<int>(e)}, entries[e]);
    }
  }

  enum Found { kExact, kOtherCase, kMissing, kLeaves, kAmbiguous };
  struct Resolution {
    Found found = kMissing;
    // kExact, kOtherCase: the reference with each name it fetches as
    // stored on disk.
    std::string onDisk;
    FileId file;  // what it names, when a file
  };
  // Resolves `path` ('/' or '\' between names) from the folder `from` (a
  // real path from the root), as a browser does: "." and ".." taken out of
  // the names first, then each name looked up. The exact names win; else
  // the one file or folder whose names match in another letter case;
  // several such are kAmbiguous. The caller has ruled out URLs and
  // absolute paths; a path that climbs above the root, or goes through a
  // link leaving it, is kLeaves.
  Resolution Resolve(const std::string& from, const std::string& path) const;

 private:
  struct Step;
  void ListFolder(int index, const std::string& real,
                  const std::function<int(const std::string&)>& addFolder,
                  std::vector<std::pair<FileId, std::string>>& fileLinks);
  void LinkFiles(const std::vector<std::pair<FileId, std::string>>& fileLinks,
                 const std::unordered_map<std::string, int>& byReal);
  std::vector<Step> Walk(const std::vector<std::string>& names,
                         const std::vector<bool>& exactName, bool lastIsFile,
                         bool exactOnly, std::vector<int>& finals) const;

  std::string m_root;
  bool m_hidden;
  std::vector<Folder> m_folders;
  std::vector<Unreadable> m_unreadable;
};

// `path`, a path from the root `root`, as a path from where the root is.
std::string JoinedPath(const std::string& root, const std::string& path);

// True when a name of the "/"-separated `path` starts with ".": the
// files and folders a listing hides.
bool IsHiddenPath(const std::string& path);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_SITE_TREE_H_
