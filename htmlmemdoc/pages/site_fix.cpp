// site_fix.cpp: a page is read again when it is fixed, so its references
// come with the elements that hold them; they come in the order the scan
// found them, which names each change by its index.

#include "htmlmemdoc/pages/site_fix.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "htmlmemdoc/pages/page_write.h"
#include "htmlmemdoc/pages/text_diff.h"
#include "htmlmemdoc/pages/text_util.h"
#include "htmlmemdoc/platform/file_system.h"

namespace htmlmemdoc {
namespace {

// A path from the site's root as the file system takes it (UTF-8).
std::filesystem::path OnDisk(const SiteTree& tree, const std::string& path) {
  return FsPath(tree.Root() + "/" + path);
}

// The path part of a reference, before its query or fragment.
size_t PathEnd(const std::string& value) {
  const size_t end = value.find_first_of("?#");
  return end == std::string::npos ? value.size() : end;
}

// The value `checked` should have; "" when it stays as it is.
std::string Target(const CheckedReference& checked, bool encode) {
  const std::string value = Trim(checked.reference.value);
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
  return target == value ? "" : target;
}

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
  return rename->refusal.empty()
             ? ""
             : "its file is not renamed: " + rename->refusal;
}

struct Change {
  size_t index;
  std::string value;
};

// Replaces each changed reference's value in its element's markup, from
// the last in the markup to the first; false when an element refuses its
// new markup.
bool ApplyChanges(std::vector<PageReference>& references,
                  const std::vector<Change>& changes, std::string& refusal) {
  std::map<CHtmlTextBase*, std::vector<const Change*>> byHolder;
  for (const Change& change : changes)
    byHolder[references[change.index].holder].push_back(&change);
  for (auto& [holder, list] : byHolder) {
    std::sort(list.begin(), list.end(), [&](const Change* a, const Change* b) {
      return references[a->index].at > references[b->index].at;
    });
    std::string markup = MarkupOf(*holder);
    for (const Change* change : list) {
      const PageReference& reference = references[change->index];
      const std::string value = Trim(reference.value);
      const size_t at =
          reference.at + reference.value.find(value.empty() ? " " : value);
      markup.replace(at, value.size(), change->value);
    }
    if (!holder->Init(markup.c_str())) {
      refusal = "the library does not take the changed markup of its " +
                references[list.front()->index].element;
      return false;
    }
  }
  return true;
}

// "" when `text` holds exactly the references `expected` (the rendering
// puts elements in its own order, so the order is not compared).
std::string CheckWritten(const CString& text,
                         std::vector<std::string> expected) {
  CHtmlMemDoc written;
  const std::string page(text, static_cast<size_t>(text.GetLength()));
  PageFile file;
  file.text = page;
  if (!LoadPage(file, written)) return "the changed page would not read again";
  std::vector<std::string> found;
  for (const PageReference& reference : FindReferences(written, page))
    found.push_back(reference.value);
  std::sort(found.begin(), found.end());
  std::sort(expected.begin(), expected.end());
  return found == expected
             ? ""
             : "the changed page would not hold its references as planned";
}

}  // namespace

std::vector<SiteRename> PlanRenames(const SiteTree& tree,
                                    const std::vector<SitePage>& pages) {
  std::map<std::pair<int, int>, SiteRename> planned;
  auto refuse = [](SiteRename& rename, const std::string& why) {
    if (rename.refusal.empty()) rename.refusal = why;
  };
  for (const SitePage& page : pages) {
    for (const CheckedReference& checked : page.references) {
      const std::string target = Target(checked, true);
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
        refuse(rename, page.path + " line " +
                           std::to_string(checked.reference.line) +
                           " names it and cannot be changed: " + why);
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
    if (exists) refuse(rename, rename.to + " exists already");
    if (takers[rename.to] > 1)
      refuse(rename, "another file would take the same name " + rename.to);
    renames.push_back(rename);
  }
  return renames;
}

void LinkNewNames(const SiteTree& tree, std::vector<SiteRename>& renames) {
  for (SiteRename& rename : renames) {
    if (!rename.refusal.empty()) continue;
    std::error_code error;
    std::filesystem::create_hard_link(OnDisk(tree, rename.from),
                                      OnDisk(tree, rename.to), error);
    if (error)
      rename.refusal = "cannot make " + rename.to + ": " + error.message();
  }
}

PageFix FixPage(const SiteTree& tree, const SitePage& page,
                const SiteFixOptions& options, const RenameCheck& renames) {
  PageFix fix;
  std::vector<Change> changes;
  std::vector<std::string> expected;
  for (size_t i = 0; i < page.references.size(); ++i) {
    const CheckedReference& checked = page.references[i];
    expected.push_back(checked.reference.value);
    const std::string target = Target(checked, options.encode);
    if (target.empty()) continue;
    const std::string why =
        WhyLeftAlone(checked, target, options.encode, renames);
    if (!why.empty()) {
      fix.leftAlone.emplace_back(i, why);
      continue;
    }
    fix.changes.emplace_back(i, target);
    changes.push_back(Change{i, target});
    const std::string& value = checked.reference.value;
    const std::string trimmed = Trim(value);
    expected.back() = value.substr(0, value.find(trimmed)) + target +
                      value.substr(value.find(trimmed) + trimmed.size());
  }
  if (changes.empty()) return fix;
  fix.state = PageFix::kRefused;
  PageFile file = ReadPageFile(tree.Root() + "/" + page.path);
  CHtmlMemDoc document;
  if (!file.Ok() || !LoadPage(file, document)) {
    fix.refusal = "the page no longer reads";
    return fix;
  }
  std::vector<PageReference> references = FindReferences(document, file.text);
  if (references.size() != page.references.size()) {
    fix.refusal = "the page changed since it was read";
    return fix;
  }
  if (!ApplyChanges(references, changes, fix.refusal)) return fix;
  WriteOptions write;
  write.output = tree.Root() + "/" + page.path;
  write.allowLoss = options.allowLoss;
  write.crlf = file.crlf;  // the page keeps its own line ends
  const std::string oldText = file.text;
  const WriteCheck check = CheckWrite(document, std::move(file.text), write);
  fix.refusal = check.refusal;
  if (fix.refusal.empty()) fix.refusal = CheckWritten(check.text, expected);
  if (!fix.refusal.empty()) return fix;
  if (options.dryRun) {
    fix.diff = UnifiedDiff(
        oldText,
        std::string(check.text, static_cast<size_t>(check.text.GetLength())),
        "a/" + page.path, "b/" + page.path);
  } else {
    fix.refusal = WriteText(check.text, write);
    if (!fix.refusal.empty()) return fix;
  }
  fix.state = PageFix::kFixed;
  return fix;
}

namespace {

// The files whose references the scan does not know: pages that do not
// read, and style sheets and scripts, which may name files in text of
// their own. Their bytes are searched for the old names before one goes.
std::vector<std::string> UnscannedTexts(const SiteTree& tree,
                                        const std::vector<SitePage>& pages) {
  std::vector<std::string> texts;
  for (const SitePage& page : pages) {
    std::string bytes;
    if (!page.file.Ok() && ReadFileBytes(tree.Root() + "/" + page.path, bytes))
      texts.push_back(std::move(bytes));
  }
  for (size_t f = 0; f < tree.Folders().size(); ++f) {
    const SiteTree::Folder& folder = tree.Folders()[f];
    for (size_t e = 0; e < folder.entries.size(); ++e) {
      const SiteTree::Entry& entry = folder.entries[e];
      const std::string name = Lower(entry.name);
      const bool text =
          name.size() > 4 && (name.compare(name.size() - 4, 4, ".css") == 0 ||
                              name.compare(name.size() - 3, 3, ".js") == 0);
      std::string bytes;
      if (entry.folder < 0 && !entry.leaves && text &&
          ReadFileBytes(
              tree.Root() + "/" +
                  tree.PathOf({static_cast<int>(f), static_cast<int>(e)}),
              bytes))
        texts.push_back(std::move(bytes));
    }
  }
  return texts;
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
  const std::vector<std::string> texts = UnscannedTexts(tree, pages);
  for (SiteRename& rename : renames) {
    if (!rename.refusal.empty()) continue;
    const Key key{rename.file.folder, rename.file.entry};
    std::error_code error;
    if (!written[key]) {  // nothing names the new name: it goes again
      std::filesystem::remove(OnDisk(tree, rename.to), error);
      rename.refusal = "no page naming it was written";
      continue;
    }
    const std::string oldName = rename.from.substr(rename.from.rfind('/') + 1);
    const auto blocker = unwritten.find(key);
    const bool named =
        std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
          return t.find(oldName) != std::string::npos;
        });
    if (blocker != unwritten.end() || named) {
      rename.refusal = "kept under both names: " +
                       (blocker != unwritten.end()
                            ? blocker->second + " names it and was not written"
                            : "a page that does not read, a style sheet or a "
                              "script names it");
      continue;
    }
    std::filesystem::remove(OnDisk(tree, rename.from), error);
    if (error) {
      rename.refusal = "cannot remove " + rename.from + ": " + error.message();
      continue;
    }
    rename.done = true;
  }
}

}  // namespace htmlmemdoc
