// site_fix.cpp: a page is fixed from what the scan read and kept: its
// references come with the elements that hold them, in the order the scan
// found them, which names each change by its index. Another program's
// write since the scan is found by the guarded write, which compares the
// file with the bytes the scan read.

#include "htmlmemdoc/pages/site/site_fix.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <unordered_map>

#include "htmlmemdoc/pages/page/page_write.h"
#include "htmlmemdoc/pages/site/site_patch.h"
#include "htmlmemdoc/pages/text/text_diff.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"

namespace htmlmemdoc {
namespace {

// A path from the site's root as the file system takes it (UTF-8).
std::filesystem::path OnDisk(const SiteTree& tree, const std::string& path) {
  return FsPath(JoinedPath(tree.Root(), path));
}

// The path part of a reference, before its query or fragment.
size_t PathEnd(const std::string& value) {
  const size_t end = value.find_first_of("?#");
  return end == std::string::npos ? value.size() : end;
}

}  // namespace

std::string FixTarget(const CheckedReference& checked, bool encode) {
  const std::string written = Trim(checked.reference.value);
  const std::string value = BrowserValue(checked.reference);
  std::string target;
  if (checked.kind == ReferenceKind::kCase) {
    target = checked.onDisk;
  } else if (checked.kind == ReferenceKind::kUnsafe && encode) {
    target = value;
  } else {
    return "";
  }
  if (encode && checked.unsafe) {
    const size_t end = PathEnd(target);
    target = EncodedPath(target.substr(0, end)) + target.substr(end);
  }
  // A value that spelled characters as references is written so again.
  if (value != written) target = EscapeHtml(target);
  return target == written ? "" : target;
}

namespace {

// Why the value of `checked` cannot be replaced by `target` in place.
std::string WhyNotInPlace(const CheckedReference& checked,
                          const std::string& target, bool encode) {
  const PageReference& reference = checked.reference;
  if (reference.at == std::string::npos)
    return "it could not be found in its element's markup";
  if (reference.quote == 0) {
    return "its value is not in quotes: the library would rewrite the next "
           "quoted value of the tag";
  }
  if (reference.quote == '\'')
    return "its value is in single quotes, which the library does not read";
  if (target.find_first_of("\"'<>") != std::string::npos)
    return "the name on disk holds a quote or an angle bracket";
  if (encode && checked.unsafe) {
    const std::string path = Trim(reference.value);
    const size_t end = PathEnd(path);
    const size_t slash = path.find_last_of("/\\", end == 0 ? 0 : end - 1);
    if (slash != std::string::npos && HasUnsafeCharacter(path.substr(0, slash)))
      return "a folder on its path holds one of blank ! $ & ( ) , @ "
             "(folders are not renamed)";
    if (checked.file.folder < 0) return "it names no file that can be renamed";
  }
  return "";
}

std::string WhyLeftAlone(const CheckedReference& checked,
                         const std::string& target, bool encode,
                         const RenameCheck& renames) {
  std::string why = WhyNotInPlace(checked, target, encode);
  if (!why.empty() || !encode || !checked.unsafe) return why;
  const SiteRename* rename = renames(checked.file);
  if (rename == nullptr) return "";  // only a folder of its path was wrong
  return rename->refusal ? "its file is not renamed: " + rename->refusal.why
                         : "";
}

}  // namespace

std::vector<SiteRename> PlanRenames(const SiteTree& tree,
                                    const std::vector<SitePage>& pages) {
  std::map<std::pair<int, int>, SiteRename> planned;
  auto refuse = [](SiteRename& rename, const std::string& why,
                   RefusalCode code = RefusalCode::kInTheWay) {
    if (!rename.refusal) rename.refusal = Refusal(code, why);
  };
  for (const SitePage& page : pages) {
    for (const CheckedReference& checked : page.references) {
      const std::string target = FixTarget(checked, true);
      if (target.empty() || !checked.unsafe || checked.file.folder < 0)
        continue;
      const SiteTree::Folder& folder =
          tree.Folders()[static_cast<size_t>(checked.file.folder)];
      const std::string& name =
          folder.entries[static_cast<size_t>(checked.file.entry)].name;
      if (!HasUnsafeCharacter(name)) continue;
      SiteRename& rename = planned[{checked.file.folder, checked.file.entry}];
      if (rename.from.empty()) {
        rename.file = checked.file;
        rename.from = tree.PathOf(checked.file);
        rename.to =
            (folder.path.empty() ? "" : folder.path + "/") + EncodedPath(name);
      }
      const std::string why = WhyNotInPlace(checked, target, true);
      if (!why.empty()) {
        refuse(rename,
               page.path + " line " + std::to_string(checked.reference.line) +
                   " names it and cannot be changed: " + why,
               RefusalCode::kNotInPlace);
      }
    }
  }
  std::map<std::string, int> takers;
  for (auto& [key, rename] : planned) ++takers[rename.to];
  std::vector<SiteRename> renames;
  for (auto& [key, rename] : planned) {
    if (IsPagePath(rename.from)) refuse(rename, "pages are not renamed");
    const SiteTree::Folder& folder =
        tree.Folders()[static_cast<size_t>(rename.file.folder)];
    const std::string newName = rename.to.substr(rename.to.rfind('/') + 1);
    const bool exists = std::any_of(
        folder.entries.begin(), folder.entries.end(),
        [&](const SiteTree::Entry& e) { return e.name == newName; });
    std::error_code error;
    const bool sameFile =  // a new name an earlier run left: the same file
        exists && std::filesystem::equivalent(OnDisk(tree, rename.from),
                                              OnDisk(tree, rename.to), error);
    if (exists && !sameFile) refuse(rename, rename.to + " exists already");
    if (takers[rename.to] > 1)
      refuse(rename, "another file would take the same name " + rename.to);
    renames.push_back(rename);
  }
  return renames;
}

void LinkNewNames(const SiteTree& tree, std::vector<SiteRename>& renames) {
  for (SiteRename& rename : renames) {
    if (rename.refusal) continue;
    std::error_code error;
    std::filesystem::create_hard_link(OnDisk(tree, rename.from),
                                      OnDisk(tree, rename.to), error);
    std::error_code same;
    if (error && std::filesystem::equivalent(OnDisk(tree, rename.from),
                                             OnDisk(tree, rename.to), same))
      continue;  // linked already, by an earlier run
    rename.linked = !error;
    if (error)
      rename.refusal =
          Refusal(RefusalCode::kCannotWrite,
                  "cannot make " + rename.to + ": " + error.message());
  }
}

PageFix FixPage(const SiteTree& tree, SitePage& page,
                const SiteFixOptions& options, const RenameCheck& renames) {
  PageFix fix;
  std::vector<ValueChange> changes;
  for (size_t i = 0; i < page.references.size(); ++i) {
    const CheckedReference& checked = page.references[i];
    const std::string target = FixTarget(checked, options.encode);
    if (target.empty()) continue;
    const std::string why =
        WhyLeftAlone(checked, target, options.encode, renames);
    if (!why.empty()) {
      fix.leftAlone.emplace_back(i, why);
      continue;
    }
    fix.changes.emplace_back(i, target);
    changes.push_back(ValueChange{i, target});
  }
  const std::unique_ptr<PageRead> read = std::move(page.read);
  if (changes.empty()) return fix;
  fix.state = PageFix::kRefused;
  if (!read) {
    fix.refusal = Refusal(RefusalCode::kUnreadable,
                          "its scan kept nothing of the page to fix");
    return fix;
  }
  const std::string path = JoinedPath(tree.Root(), page.path);
  const std::string& bytes = read->bytes;
  const PatchedPage patched =
      PatchPage(bytes, read->file, read->document, read->references, changes);
  fix.refusal = patched.refusal;
  if (fix.refusal) return fix;
  if (options.dryRun) {
    fix.diff =
        UnifiedDiff(bytes, patched.bytes, "a/" + page.path, "b/" + page.path);
  } else {
    WriteOptions write;
    write.output = path;
    write.crlf = false;       // the bytes are the page's own, line ends too
    write.expected = &bytes;  // never over a write made since the read
    fix.refusal = WriteText(CString(patched.bytes.c_str()), write);
    if (fix.refusal) return fix;
  }
  fix.state = PageFix::kFixed;
  return fix;
}

namespace {

// The files that may name a file in text of their own: every page (read
// now, after the fixes: one that does not read, or an inline script, may
// still name an old name), style sheets and scripts; as paths from the
// root.
std::vector<std::string> NamingFiles(const SiteTree& tree) {
  std::vector<std::string> files;
  tree.ForEachEntry([&](SiteTree::FileId id, const SiteTree::Entry& entry) {
    const std::string& name = entry.name;
    if (entry.folder < 0 && !entry.leaves && entry.file &&
        (IsPagePath(name) || HasEnding(name, ".css") || HasEnding(name, ".js")))
      files.push_back(tree.PathOf(id));
  });
  return files;
}

// For each of `names`, the index of the first of `texts` holding it, or -1.
// One pass of a rolling hash over each text per distinct length of name,
// so the cost is the texts' size times at most the longest name's length,
// however many names there are.
std::vector<int> FirstHolders(const std::vector<std::string>& names,
                              const std::vector<std::string>& texts) {
  const uint64_t kBase = 1099511628211ull;
  std::map<size_t, std::unordered_multimap<uint64_t, size_t>> byLength;
  for (size_t n = 0; n < names.size(); ++n) {
    uint64_t hash = 0;
    for (unsigned char c : names[n]) hash = hash * kBase + c;
    if (!names[n].empty()) byLength[names[n].size()].emplace(hash, n);
  }
  std::vector<int> first(names.size(), -1);
  for (size_t t = 0; t < texts.size(); ++t) {
    const std::string& text = texts[t];
    for (const auto& [length, hashes] : byLength) {
      if (text.size() < length) continue;
      uint64_t power = 1, hash = 0;
      for (size_t i = 0; i < length; ++i) {
        power = i == 0 ? 1 : power * kBase;
        hash = hash * kBase + static_cast<unsigned char>(text[i]);
      }
      for (size_t at = 0;; ++at) {
        const auto [from, to] = hashes.equal_range(hash);
        for (auto it = from; it != to; ++it) {
          if (first[it->second] < 0 &&
              text.compare(at, length, names[it->second]) == 0)
            first[it->second] = static_cast<int>(t);
        }
        if (at + length >= text.size()) break;
        hash = (hash - power * static_cast<unsigned char>(text[at])) * kBase +
               static_cast<unsigned char>(text[at + length]);
      }
    }
  }
  return first;
}

// A file's name as a reference may write it: as it is, and with each
// blank escaped.
std::vector<std::string> WrittenForms(const std::string& name) {
  std::string escaped;
  for (char c : name)
    escaped += c == ' ' ? std::string("%20") : std::string(1, c);
  return escaped == name ? std::vector<std::string>{name}
                         : std::vector<std::string>{name, escaped};
}

// For each rename, a file below the root whose text still names its old
// name, or "".
std::vector<std::string> StillNaming(const SiteTree& tree,
                                     const std::vector<SiteRename>& renames) {
  std::vector<std::string> names;
  std::vector<size_t> owner;
  for (size_t r = 0; r < renames.size(); ++r) {
    const std::string& from = renames[r].from;
    for (const std::string& form :
         WrittenForms(from.substr(from.rfind('/') + 1))) {
      names.push_back(form);
      owner.push_back(r);
    }
  }
  const std::vector<std::string> files = NamingFiles(tree);
  std::vector<std::string> texts(files.size());
  // A file or folder that cannot be read may name any of them.
  std::string unread;
  for (const SiteTree::Unreadable& folder : tree.UnreadableFolders())
    unread = folder.path;
  for (size_t f = 0; f < files.size(); ++f) {
    if (!ReadFileBytes(JoinedPath(tree.Root(), files[f]), texts[f]))
      unread = files[f];
  }
  std::vector<std::string> naming(renames.size(), unread);
  if (!unread.empty()) return naming;
  const std::vector<int> first = FirstHolders(names, texts);
  for (size_t n = 0; n < names.size(); ++n) {
    if (first[n] >= 0 && naming[owner[n]].empty())
      naming[owner[n]] = files[static_cast<size_t>(first[n])];
  }
  return naming;
}

}  // namespace

void RemoveOldNames(const SiteTree& tree, const std::vector<SitePage>& pages,
                    const std::vector<PageFix>& fixes,
                    std::vector<SiteRename>& renames) {
  using Key = std::pair<int, int>;
  std::map<Key, std::string> unwritten;  // a page naming it, not written
  std::map<Key, bool> written;           // a page naming it was written
  for (size_t p = 0; p < pages.size(); ++p) {
    for (const CheckedReference& checked : pages[p].references) {
      if (checked.file.folder < 0) continue;
      const Key key{checked.file.folder, checked.file.entry};
      if (fixes[p].state == PageFix::kFixed)
        written[key] = true;
      else
        unwritten.emplace(key, pages[p].path);
    }
  }
  const std::vector<std::string> naming = StillNaming(tree, renames);
  for (size_t r = 0; r < renames.size(); ++r) {
    SiteRename& rename = renames[r];
    if (rename.refusal) continue;
    const Key key{rename.file.folder, rename.file.entry};
    std::error_code error;
    if (!written[key]) {  // nothing this run wrote names the new name
      // made by this run, it goes again; left by an earlier one, the pages
      // fixed then name it
      if (rename.linked)
        std::filesystem::remove(OnDisk(tree, rename.to), error);
      rename.refusal =
          Refusal(RefusalCode::kInTheWay, "no page naming it was written");
      continue;
    }
    const auto blocker = unwritten.find(key);
    if (blocker != unwritten.end()) {
      rename.refusal = Refusal(RefusalCode::kInTheWay,
                               "kept under both names: " + blocker->second +
                                   " names it and was not written");
      continue;
    }
    if (!naming[r].empty()) {
      rename.refusal = Refusal(RefusalCode::kInTheWay,
                               "kept under both names: " + naming[r] +
                                   " still names it in its text");
      continue;
    }
    std::filesystem::remove(OnDisk(tree, rename.from), error);
    if (error) {
      rename.refusal =
          Refusal(RefusalCode::kCannotWrite,
                  "cannot remove " + rename.from + ": " + error.message());
      continue;
    }
    rename.done = true;
  }
}

}  // namespace htmlmemdoc
