// site_tree.h: every folder and file below a site's root, listed once, and
// references resolved against it the way a web server that tells letter
// case apart would find them. Resolving is a walk in memory, so many
// threads may resolve at once once the tree is listed.

#ifndef HTMLMEMDOC_PAGES_SITE_TREE_H_
#define HTMLMEMDOC_PAGES_SITE_TREE_H_

#include <string>
#include <unordered_map>
#include <vector>

namespace htmlmemdoc {

class SiteTree {
 public:
  struct Entry {
    std::string name;     // as the file system stores it
    int folder = -1;      // the folder it is, or -1 for a file
    bool leaves = false;  // a link to a file or folder outside the root
  };
  struct Folder {
    std::string path;  // from the root, "/"-separated; "" for the root
    std::vector<Entry> entries;  // in byte order of their names
    // Each name in ASCII lower case, to the first entry (in byte order)
    // that has it.
    std::unordered_map<std::string, int> folded;
  };
  // A file: its folder and its place among the folder's entries.
  struct FileId {
    int folder = -1;
    int entry = -1;
    bool operator==(const FileId& other) const {
      return folder == other.folder && entry == other.entry;
    }
  };
  struct Unreadable {
    std::string folder;
    std::string reason;
  };

  // Lists `root` and every folder below it. A link to a folder inside the
  // root is followed once (a loop of links ends where it began); a link
  // that leaves the root is an entry that cannot be entered.
  explicit SiteTree(const std::string& root);

  const std::string& Root() const { return m_root; }
  const std::vector<Folder>& Folders() const { return m_folders; }
  const std::vector<Unreadable>& UnreadableFolders() const {
    return m_unreadable;
  }
  // The path of a file from the root.
  std::string PathOf(FileId file) const;

  enum Found { kExact, kOtherCase, kMissing, kLeaves };
  struct Resolution {
    Found found = kMissing;
    // The reference with each name as stored on disk (kExact, kOtherCase).
    std::string onDisk;
    FileId file;  // what it names, when a file
  };
  // Resolves `path` ('/' or '\' between names; "." and ".." as usual) from
  // the folder `from` (a path from the root). The caller has ruled out
  // URLs and absolute paths; a path that climbs above the root is kLeaves.
  Resolution Resolve(const std::string& from, const std::string& path) const;

 private:
  std::vector<int> TrailTo(const std::string& path) const;

  std::string m_root;
  std::vector<Folder> m_folders;
  std::vector<Unreadable> m_unreadable;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_TREE_H_
