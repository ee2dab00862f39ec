// site_tree.cpp: the tree is listed breadth first from the root, each
// folder once by its real path, so links to folders cost one listing and a
// loop of them ends. A name is looked up exactly first (a binary search in
// the sorted entries), then without regard to ASCII letter case (one hash
// probe), the first such name in byte order winning, as the library's own
// file-name matching does.

#include "htmlmemdoc/pages/site_tree.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <system_error>

#include "htmlmemdoc/pages/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/path.h"

namespace fs = std::filesystem;

namespace htmlmemdoc {
namespace {

bool Inside(const std::string& real, const std::string& root) {
  return real == root || (real.size() > root.size() &&
                          real.compare(0, root.size(), root) == 0 &&
                          (root.back() == '/' || real[root.size()] == '/'));
}

// The entry of `folder` named `name`, exactly or in another case; -1.
int Lookup(const SiteTree::Folder& folder, const std::string& name,
           bool& exact) {
  const auto& entries = folder.entries;
  const auto at =
      std::lower_bound(entries.begin(), entries.end(), name,
                       [](const SiteTree::Entry& e, const std::string& n) {
                         return e.name < n;
                       });
  if (at != entries.end() && at->name == name) {
    exact = true;
    return static_cast<int>(at - entries.begin());
  }
  exact = false;
  const auto other = folder.folded.find(Lower(name));
  return other != folder.folded.end() ? other->second : -1;
}

}  // namespace

SiteTree::SiteTree(const std::string& root) : m_root(root) {
  std::error_code error;
  const std::string real = PathText(fs::canonical(FsPath(root), error));
  if (error) {
    m_unreadable.push_back({root, error.message()});
    return;
  }
  std::unordered_map<std::string, int> byReal;
  std::deque<std::pair<int, std::string>> pending;  // folder, real path
  auto add = [&](const std::string& path, const std::string& realPath) {
    const auto known = byReal.find(realPath);
    if (known != byReal.end()) return known->second;
    const int index = static_cast<int>(m_folders.size());
    m_folders.push_back(Folder{path, {}, {}});
    byReal.emplace(realPath, index);
    pending.emplace_back(index, realPath);
    return index;
  };
  // Links to folders wait until every real folder is listed, so that each
  // folder keeps the path it really has below the root (a page is judged
  // from where it is, not from where a link nearer the root shows it).
  struct Link {
    int folder;
    std::string name, path, target;
  };
  std::vector<Link> links;
  add("", real);
  for (size_t next = 0; !pending.empty() || next < links.size();) {
    if (pending.empty()) {
      Link& link = links[next++];
      const int target = add(link.path, link.target);
      Folder& holder = m_folders[static_cast<size_t>(link.folder)];
      const auto at = std::lower_bound(
          holder.entries.begin(), holder.entries.end(), link.name,
          [](const Entry& e, const std::string& n) { return e.name < n; });
      if (at != holder.entries.end() && at->name == link.name)
        at->folder = target;
      continue;
    }
    const auto [index, realPath] = pending.front();
    pending.pop_front();
    const std::string path = m_folders[static_cast<size_t>(index)].path;
    const fs::path on = path.empty() ? FsPath(root) : FsPath(root + "/" + path);
    std::vector<Entry> entries;
    fs::directory_iterator it(on, error);
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
      Entry entry{PathText(it->path().filename())};
      std::error_code kind;
      const fs::file_status status = it->status(kind);
      if (kind || !fs::exists(status)) continue;  // a broken link
      const bool link = it->is_symlink(kind);
      const std::string target = link || fs::is_directory(status)
                                     ? PathText(fs::canonical(it->path(), kind))
                                     : std::string();
      if (kind) continue;
      const std::string inside =
          path.empty() ? entry.name : path + "/" + entry.name;
      if (link && !Inside(target, real)) {
        entry.leaves = true;  // a file or folder outside: never entered
      } else if (fs::is_directory(status) && link) {
        links.push_back({index, entry.name, inside, target});
      } else if (fs::is_directory(status)) {
        entry.folder = add(inside, target);
      }
      entries.push_back(std::move(entry));
    }
    if (error) {
      m_unreadable.push_back({PathText(on), error.message()});
      error.clear();
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    Folder& folder = m_folders[static_cast<size_t>(index)];
    folder.entries = std::move(entries);
    for (size_t i = 0; i < folder.entries.size(); ++i) {
      folder.folded.emplace(Lower(folder.entries[i].name), static_cast<int>(i));
    }
  }
}

std::string SiteTree::PathOf(FileId file) const {
  const Folder& folder = m_folders[static_cast<size_t>(file.folder)];
  const std::string& name =
      folder.entries[static_cast<size_t>(file.entry)].name;
  return folder.path.empty() ? name : folder.path + "/" + name;
}

SiteTree::Resolution SiteTree::Resolve(const std::string& from,
                                       const std::string& path) const {
  Resolution result;
  if (m_folders.empty() || path.empty()) return result;
  std::vector<int> trail = TrailTo(from);
  if (trail.empty()) return result;
  bool otherCase = false;
  size_t begin = 0;
  while (begin <= path.size()) {
    const size_t end = NextSeparator(path, begin);
    const std::string name = path.substr(begin, end - begin);
    const bool last = end >= path.size();
    if (name.empty() || name == ".") {
      result.onDisk += name;
    } else if (name == "..") {
      if (trail.size() == 1) {
        result.found = kLeaves;
        return result;
      }
      trail.pop_back();
      result.onDisk += name;
    } else {
      const Folder& folder = m_folders[static_cast<size_t>(trail.back())];
      bool exact = false;
      const int at = Lookup(folder, name, exact);
      if (at < 0) return result;
      const Entry& entry = folder.entries[static_cast<size_t>(at)];
      otherCase = otherCase || !exact;
      result.onDisk += entry.name;
      if (entry.leaves) {
        result.found = kLeaves;
        return result;
      }
      if (last && entry.folder < 0) result.file = FileId{trail.back(), at};
      if (!last) {
        if (entry.folder < 0) return result;
        trail.push_back(entry.folder);
      }
    }
    if (last) break;
    result.onDisk += path[end];
    begin = end + 1;
  }
  result.found = otherCase ? kOtherCase : kExact;
  return result;
}

// The folders from the root to the one at `path` (exact names), or none.
std::vector<int> SiteTree::TrailTo(const std::string& path) const {
  std::vector<int> trail{0};
  size_t begin = 0;
  while (begin < path.size()) {
    size_t end = path.find('/', begin);
    if (end == std::string::npos) end = path.size();
    bool exact = false;
    const Folder& current = m_folders[static_cast<size_t>(trail.back())];
    const int at = Lookup(current, path.substr(begin, end - begin), exact);
    if (at < 0 || !exact) return {};
    const int folder = current.entries[static_cast<size_t>(at)].folder;
    if (folder < 0) return {};
    trail.push_back(folder);
    begin = end + 1;
  }
  return trail;
}

}  // namespace htmlmemdoc
