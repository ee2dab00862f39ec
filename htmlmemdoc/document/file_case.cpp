// file_case.cpp: the case-insensitive file lookup, over the platform's
// folder listing. A listing maps each entry's lower-cased name to the entry
// names that fold to it, kept in byte order, so that a lookup is one hash
// probe.

#include "htmlmemdoc/document/file_case.h"

#include <algorithm>
#include <vector>

#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/platform/path.h"

namespace htmlmemdoc {

struct CFileCaseResolver::CListing {
  // Lower-cased name -> the entries with that name, sorted.
  std::unordered_map<std::string, std::vector<std::string>> byFoldedName;
};

namespace {

std::string Folded(const std::string& name) {
  std::string folded(name);
  MakeLowerBytes(&folded[0], folded.size());
  return folded;
}

}  // namespace

CFileCaseResolver::CFileCaseResolver() = default;
CFileCaseResolver::~CFileCaseResolver() = default;

const CFileCaseResolver::CListing* CFileCaseResolver::List(
    const std::string& directory) {
  auto found = m_listings.find(directory);
  if (found != m_listings.end()) return found->second.get();
  std::unique_ptr<CListing> listing;
  std::vector<std::string> entries;
  if (ListDirectory(directory, entries)) {
    listing.reset(new CListing);
    for (const std::string& name : entries) {
      listing->byFoldedName[Folded(name)].push_back(name);
    }
    for (auto& names : listing->byFoldedName) {
      std::sort(names.second.begin(), names.second.end());
    }
  }
  const CListing* result = listing.get();
  m_listings.emplace(directory, std::move(listing));
  return result;
}

int CFileCaseResolver::FindEntryName(const std::string& path,
                                     std::string& nameOnDisk) {
  if (path.empty() || EndsWithSeparator(path)) return 0;
  const size_t root = PathRootLength(path);
  std::string current = root == 0 ? "." : path.substr(0, root);
  std::string name;
  size_t i = root;
  while (i < path.size()) {
    const size_t end = NextSeparator(path, i);
    const std::string component = path.substr(i, end - i);
    i = end + 1;
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      current += "/..";
      name = component;
      continue;
    }
    const CListing* listing = List(current);
    if (listing == nullptr) return 0;
    auto match = listing->byFoldedName.find(Folded(component));
    if (match == listing->byFoldedName.end()) return 0;
    const std::vector<std::string>& names = match->second;
    name = std::find(names.begin(), names.end(), component) != names.end()
               ? component
               : names.front();
    current += (EndsWithSeparator(current) ? "" : "/") + name;
  }
  if (name.empty() || name == "..") return 0;
  nameOnDisk = name;
  return 1;
}

}  // namespace htmlmemdoc
