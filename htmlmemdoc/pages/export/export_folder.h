// export_folder.h: the folder an export writes, and nothing outside it. A
// name on the way to a file that is a link, or a file that is one, is
// refused rather than followed; every file is put in place only once it
// is whole; a file the folder holds already as it would be written is
// left alone, so that a second export of an unchanged site writes nothing.

#ifndef HTMLMEMDOC_PAGES_EXPORT_EXPORT_FOLDER_H_
#define HTMLMEMDOC_PAGES_EXPORT_EXPORT_FOLDER_H_

#include <functional>
#include <map>
#include <string>

#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

// Why `out` cannot hold the export of the site at `root`: it is the site,
// lies inside it, or holds it; none when it can.
Refusal CheckExportFolders(const std::string& root, const std::string& out);

// A file's size and modification time: what tells that it changed.
std::string FileStamp(const std::string& path);

class ExportFolder {
 public:
  // `out` exists (see Make).
  explicit ExportFolder(std::string out) : m_out(std::move(out)) {}

  // Makes the folder when it is missing; cannot-write when it cannot.
  Refusal Make() const;

  const std::string& Path() const { return m_out; }

  // The file `path` (from the folder's root) names, with every folder on
  // the way made; cannot-write when a name on the way, or the file, is a
  // link or is not what it should be.
  Refusal Prepare(const std::string& path, std::string& file) const;

  // Writes `bytes` as the file `path`, unless it holds exactly them;
  // `written` says whether it wrote.
  Refusal Write(const std::string& path, const std::string& bytes,
                bool& written) const;

  // Copies the file `source` to `path` with its modification time, unless
  // the copy there has its size and time already.
  Refusal Copy(const std::string& source, const std::string& path,
               bool& copied) const;

  // Runs `make(temp)` to make the file `path` under a temporary name in
  // its folder (removed by a signal, or when `make` fails), then puts it
  // in place; `make` returns "" or why it failed. A second temporary name
  // (`temp` with ".wav" added) is removed too, as a scratch file.
  Refusal Make(
      const std::string& path,
      const std::function<std::string(const std::string& temp)>& make) const;

  // Removes the temporary files an export ended by force left behind.
  void RemoveLeftovers() const;

 private:
  std::string m_out;
};

// What was converted from what, and how, kept in the export so that a
// second run converts only what changed: one line a converted file, its
// path, its source's stamp, the conversion's settings and, for one that
// failed, the converter's reason (a failure is not tried again either
// until its source or the settings change).
class ConversionRecord {
 public:
  static const char kPath[];  // from the export's root

  void Load(const ExportFolder& folder);
  Refusal Save(const ExportFolder& folder) const;

  // Whether `output` was made (or failed to be, `failure` then says why)
  // from a source of `stamp` with `settings`.
  bool Has(const std::string& output, const std::string& stamp,
           const std::string& settings, std::string& failure) const;
  void Set(const std::string& output, const std::string& stamp,
           const std::string& settings, const std::string& failure);

 private:
  // A path to its stamp and settings, and its failure.
  std::map<std::string, std::pair<std::string, std::string>> m_lines;
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_EXPORT_EXPORT_FOLDER_H_
