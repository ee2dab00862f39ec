// site_tree.cpp: the tree is listed breadth first from the root, each
// folder once by its real path, so links to folders cost one listing, a
// loop of them ends, and a folder reached through a link nearer the root
// keeps the path a browser sees for its pages. A name is looked up exactly
// first (a binary search in the sorted entries), then without regard to
// ASCII letter case (one hash probe). Resolving walks every folder the
// names could lead to at once, each folder once per name, so a reference
// costs at most its names times the entries they match.

#include "htmlmemdoc/pages/site/site_tree.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "htmlmemdoc/pages/text/text_util.h"
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

// The path from the root of `real`, a real path inside it.
std::string RelativeTo(const std::string& real, const std::string& root) {
  if (real.size() <= root.size()) return "";
  return real.substr(root.size() + (root.back() == '/' ? 0 : 1));
}

// The entry of `folder` named exactly `name`, or -1.
int ExactEntry(const SiteTree::Folder& folder, const std::string& name) {
  const auto& entries = folder.entries;
  const auto at =
      std::lower_bound(entries.begin(), entries.end(), name,
                       [](const SiteTree::Entry& e, const std::string& n) {
                         return e.name < n;
                       });
  return at != entries.end() && at->name == name
             ? static_cast<int>(at - entries.begin())
             : -1;
}

// The entries of `folder` that `name` may name: the exact one, or with
// `anyCase` every one of the same name in another case.
std::vector<int> Candidates(const SiteTree::Folder& folder,
                            const std::string& name, bool anyCase) {
  if (!anyCase) {
    const int exact = ExactEntry(folder, name);
    return exact < 0 ? std::vector<int>{} : std::vector<int>{exact};
  }
  const auto other = folder.folded.find(Lower(name));
  return other != folder.folded.end() ? other->second : std::vector<int>{};
}

}  // namespace

// One name of a walk taken: the entry `entry` of folder `folder`, after
// the step `before` (-1: the root).
struct SiteTree::Step {
  int folder = 0;
  int entry = -1;
  int before = -1;
};

namespace {

// `root` without the separators that end it, so that a path joined to it
// with "/" has one; "/" and a drive's root stay.
std::string Trimmed(std::string root) {
  while (root.size() > 1 && (root.back() == '/' || root.back() == '\\') &&
         root[root.size() - 2] != ':')  // "C:\\" stays
    root.pop_back();
  return root;
}

}  // namespace

SiteTree::SiteTree(const std::string& root, bool hidden)
    : m_root(Trimmed(root)), m_hidden(hidden) {
  std::error_code error;
  const std::string real = PathText(fs::canonical(FsPath(root), error));
  if (error) {
    m_unreadable.push_back({m_root, ".", error.message()});
    return;
  }
  std::unordered_map<std::string, int> byReal;
  std::deque<int> pending;
  auto add = [&](const std::string& realPath) {
    const auto known = byReal.find(realPath);
    if (known != byReal.end()) return known->second;
    const int index = static_cast<int>(m_folders.size());
    m_folders.push_back(Folder{RelativeTo(realPath, real), {}, {}});
    byReal.emplace(realPath, index);
    pending.push_back(index);
    return index;
  };
  add(real);
  std::vector<std::pair<FileId, std::string>> fileLinks;
  while (!pending.empty()) {
    const int index = pending.front();
    pending.pop_front();
    ListFolder(index, real, add, fileLinks);
  }
  LinkFiles(fileLinks, byReal);
  std::sort(
      m_unreadable.begin(), m_unreadable.end(),
      [](const Unreadable& a, const Unreadable& b) { return a.path < b.path; });
}

void SiteTree::ListFolder(
    int index, const std::string& real,
    const std::function<int(const std::string&)>& addFolder,
    std::vector<std::pair<FileId, std::string>>& fileLinks) {
  const std::string path = m_folders[static_cast<size_t>(index)].path;
  const fs::path on = FsPath(path.empty() ? m_root : JoinedPath(m_root, path));
  std::vector<Entry> entries;
  std::unordered_map<std::string, std::string> targets;  // files' links
  std::error_code error;
  fs::directory_iterator it(on, error);
  for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
    Entry entry;
    entry.name = PathText(it->path().filename());
    if (!m_hidden && entry.name[0] == '.') continue;
    std::error_code kind;
    const fs::file_status status = it->status(kind);
    if (kind || !fs::exists(status)) continue;  // a broken link
    const bool link = it->is_symlink(kind);
    std::string target;
    if (link || fs::is_directory(status)) {
      target = PathText(fs::canonical(it->path(), kind));
      if (kind) continue;
    }
    entry.file = fs::is_regular_file(status);
    // A link to a hidden file or folder below the root is hidden as it is.
    if (!m_hidden && link && Inside(target, real) &&
        IsHiddenPath(RelativeTo(target, real)))
      continue;
    if (link && !Inside(target, real)) {
      entry.leaves = true;
    } else if (fs::is_directory(status)) {
      entry.folder = addFolder(target);
    } else if (link) {
      targets.emplace(entry.name, target);
    }
    entries.push_back(std::move(entry));
  }
  if (error)
    m_unreadable.push_back(
        {PathText(on), path.empty() ? "." : path, error.message()});
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  Folder& folder = m_folders[static_cast<size_t>(index)];
  folder.entries = std::move(entries);
  for (size_t i = 0; i < folder.entries.size(); ++i) {
    const std::string& name = folder.entries[i].name;
    folder.folded[Lower(name)].push_back(static_cast<int>(i));
    const auto target = targets.find(name);
    if (target != targets.end())
      fileLinks.emplace_back(FileId{index, static_cast<int>(i)},
                             RelativeTo(target->second, real));
  }
}

// Points each link to a file inside the root at that file, once every
// folder is listed.
void SiteTree::LinkFiles(
    const std::vector<std::pair<FileId, std::string>>& fileLinks,
    const std::unordered_map<std::string, int>& byReal) {
  std::unordered_map<std::string, int> byPath;
  for (const auto& [real, index] : byReal)
    byPath.emplace(m_folders[static_cast<size_t>(index)].path, index);
  for (const auto& [link, target] : fileLinks) {
    const size_t slash = target.rfind('/');
    const auto folder =
        byPath.find(slash == std::string::npos ? "" : target.substr(0, slash));
    if (folder == byPath.end()) continue;
    const int entry = ExactEntry(m_folders[static_cast<size_t>(folder->second)],
                                 target.substr(slash + 1));
    if (entry >= 0) {
      m_folders[static_cast<size_t>(link.folder)]
          .entries[static_cast<size_t>(link.entry)]
          .same = FileId{folder->second, entry};
    }
  }
}

const SiteTree::Entry& SiteTree::EntryOf(FileId file) const {
  return m_folders[static_cast<size_t>(file.folder)]
      .entries[static_cast<size_t>(file.entry)];
}

std::string SiteTree::PathOf(FileId file) const {
  const Folder& folder = m_folders[static_cast<size_t>(file.folder)];
  const std::string& name = EntryOf(file).name;
  return folder.path.empty() ? name : folder.path + "/" + name;
}

// Takes `names` from the root: those marked in `exactName` exactly, the others
// exactly or (unless `exactOnly`) in any case, the last a file or a folder
// when `lastIsFile`, else a folder. Each way the names can be taken ends
// in `finals` (an index into the steps returned), or in a link leaving
// the root; the walk stops at the second way.
std::vector<SiteTree::Step> SiteTree::Walk(
    const std::vector<std::string>& names, const std::vector<bool>& exactName,
    bool lastIsFile, bool exactOnly, std::vector<int>& finals) const {
  std::vector<Step> steps{Step{}};
  std::vector<int> current{0};  // steps standing in distinct folders
  for (size_t n = 0; n < names.size() && !current.empty(); ++n) {
    const bool last = n + 1 == names.size();
    std::vector<int> next;
    std::unordered_set<int> reached;  // the folders `next` stands in
    for (const int at : current) {
      const int in = steps[static_cast<size_t>(at)].folder;
      const Folder& folder = m_folders[static_cast<size_t>(in)];
      for (const int e :
           Candidates(folder, names[n], !exactOnly && !exactName[n])) {
        const Entry& entry = folder.entries[static_cast<size_t>(e)];
        const bool ends = entry.leaves || (last && lastIsFile);
        if (!ends && (entry.folder < 0 || reached.count(entry.folder) > 0))
          continue;
        steps.push_back(Step{entry.folder < 0 ? in : entry.folder, e, at});
        const int step = static_cast<int>(steps.size()) - 1;
        if (ends || last) {
          finals.push_back(step);
          if (finals.size() > 1) return steps;
        } else {
          reached.insert(entry.folder);
          next.push_back(step);
        }
      }
    }
    current = std::move(next);
  }
  if (names.empty()) finals.push_back(0);
  return steps;
}

SiteTree::Resolution SiteTree::Resolve(const std::string& from,
                                       const std::string& path) const {
  Resolution result;
  if (m_folders.empty() || path.empty()) return result;
  // The names a browser fetches, from the root: those of `from`, then the
  // path's with "." and ".." taken out; where each of the path's stands.
  std::vector<std::string> names;
  std::vector<std::pair<size_t, size_t>> spans;
  for (size_t begin = 0; begin < from.size();) {
    const size_t end = std::min(from.find('/', begin), from.size());
    names.push_back(from.substr(begin, end - begin));
    spans.emplace_back(std::string::npos, 0);
    begin = end + 1;
  }
  bool lastIsFile = false;
  for (size_t begin = 0; begin <= path.size();) {
    const size_t end = NextSeparator(path, begin);
    const std::string name = path.substr(begin, end - begin);
    lastIsFile = !name.empty() && name != "." && name != "..";
    if (name == "..") {
      if (names.empty()) {
        result.found = kLeaves;
        return result;
      }
      names.pop_back();
      spans.pop_back();
    } else if (lastIsFile) {
      names.push_back(name);
      spans.emplace_back(begin, end);
    }
    begin = end + 1;
  }
  std::vector<bool> exactName;  // the names of `from` are real
  for (const auto& span : spans)
    exactName.push_back(span.first == std::string::npos);
  std::vector<int> finals;
  std::vector<Step> steps =
      Walk(names, exactName, lastIsFile, /*exactOnly=*/true, finals);
  result.found = kExact;
  if (finals.empty()) {
    steps = Walk(names, exactName, lastIsFile, /*exactOnly=*/false, finals);
    result.found = kOtherCase;
  }
  if (finals.empty()) {
    result.found = kMissing;
    return result;
  }
  if (finals.size() > 1) {
    result.found = kAmbiguous;
    return result;
  }
  const Step& final = steps[static_cast<size_t>(finals[0])];
  if (final.entry >= 0) {
    const FileId taken{steps[static_cast<size_t>(final.before)].folder,
                       final.entry};
    const Entry& entry = EntryOf(taken);
    if (entry.leaves) {
      result.found = kLeaves;
      return result;
    }
    if (entry.folder < 0) result.file = taken;
  }
  // The path with each name it fetches as on disk, from the last name.
  result.onDisk = path;
  size_t n = names.size();
  for (int at = finals[0]; at > 0; at = steps[static_cast<size_t>(at)].before) {
    const Step& step = steps[static_cast<size_t>(at)];
    const auto [begin, end] = spans[--n];
    if (begin == std::string::npos) continue;
    const int in = steps[static_cast<size_t>(step.before)].folder;
    result.onDisk.replace(begin, end - begin,
                          EntryOf(FileId{in, step.entry}).name);
  }
  return result;
}

std::string JoinedPath(const std::string& root, const std::string& path) {
  return root == "/" ? root + path : root + "/" + path;
}

bool IsHiddenPath(const std::string& path) {
  for (size_t at = 0; at < path.size();) {
    if (path[at] == '.') return true;
    const size_t slash = path.find('/', at);
    if (slash == std::string::npos) break;
    at = slash + 1;
  }
  return false;
}

}  // namespace htmlmemdoc
