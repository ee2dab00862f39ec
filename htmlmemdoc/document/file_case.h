// file_case.h: finding a file by a name whose letter case may differ from
// the name on disk (internal to the library). Pages written on a system
// whose file names ignore case name "pics/logo.gif" for "Pics/Logo.GIF";
// the resolver walks the path one component at a time and matches each
// against the directory's entries, the exact name first, then any name
// equal to it without regard to ASCII letter case (the first such in byte
// order). "." and ".." resolve as usual; "*" and "?" are plain characters.
// Directory listings are kept for the resolver's lifetime, so one resolver
// per render lists each directory once however many references it has.

#ifndef HTMLMEMDOC_DOCUMENT_FILE_CASE_H_
#define HTMLMEMDOC_DOCUMENT_FILE_CASE_H_

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace htmlmemdoc {

class CFileCaseResolver {
 public:
  CFileCaseResolver();
  ~CFileCaseResolver();
  CFileCaseResolver(const CFileCaseResolver&) = delete;
  CFileCaseResolver& operator=(const CFileCaseResolver&) = delete;

  // 1 and the last component's name as the file system stores it when
  // `path` names an existing entry; 0 otherwise (also for an empty path or
  // one that ends with a separator).
  int FindEntryName(const std::string& path, std::string& nameOnDisk);

 private:
  struct CListing;
  // The listing of `directory` (a path as found on disk), or null when it
  // cannot be read.
  const CListing* List(const std::string& directory);

  std::unordered_map<std::string, std::unique_ptr<CListing>> m_listings;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_DOCUMENT_FILE_CASE_H_
