// export_folder.cpp: std::filesystem for the folders and stamps, the
// platform's whole-file replace for every write.

#include "htmlmemdoc/pages/export/export_folder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/replace_file.h"

namespace htmlmemdoc {
namespace fs = std::filesystem;

const char ConversionRecord::kPath[] = "htmlmemdoc-export/converted.txt";

namespace {

// Whether `inner` is `outer` or lies below it (both made absolute and
// without links where they exist).
bool IsWithin(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin(), i = inner.begin();
  for (; o != outer.end(); ++o, ++i) {
    if (o->empty()) continue;  // a trailing separator
    if (i == inner.end() || *o != *i) return false;
  }
  return true;
}

Refusal CannotWrite(const std::string& what) {
  return Refusal(RefusalCode::kCannotWrite, what);
}

std::string Shown(const fs::path& path) {
  return ShownName(PathText(path), ":");
}

// A field of the conversion record with the bytes that end fields and
// lines (and "%") written as %XX, and back.
std::string RecordField(const std::string& text) {
  std::string field;
  for (const char c : text) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      static const char kHex[] = "0123456789ABCDEF";
      const unsigned char byte = static_cast<unsigned char>(c);
      field += std::string("%") + kHex[byte >> 4] + kHex[byte & 15];
    } else {
      field += c;
    }
  }
  return field;
}

std::string FieldText(const std::string& field) {
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '%' && i + 2 < field.size()) {
      text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      text += field[i];
    }
  }
  return text;
}

}  // namespace

Refusal CheckExportFolders(const std::string& root, const std::string& out) {
  std::error_code error;
  const fs::path site = fs::canonical(FsPath(root), error);
  if (error)
    return Refusal(
        RefusalCode::kUnreadable,
        "cannot read " + ShownName(root, ":") + ": " + error.message());
  const fs::path to = fs::weakly_canonical(fs::absolute(FsPath(out)), error);
  if (error)
    return CannotWrite("cannot write " + ShownName(out, ":") + ": " +
                       error.message());
  if (IsWithin(site, to))
    return Refusal(RefusalCode::kInTheWay,
                   "the export " + ShownName(out, ":") +
                       " would lie inside the site it copies");
  if (IsWithin(to, site))
    return Refusal(RefusalCode::kInTheWay,
                   "the site lies inside its export " + ShownName(out, ":"));
  return Refusal();
}

std::string FileStamp(const std::string& path) {
  std::error_code error;
  const fs::path file = FsPath(path);
  const auto size = fs::file_size(file, error);
  if (error) return std::string();
  const auto time = fs::last_write_time(file, error);
  if (error) return std::string();
  return std::to_string(size) + ":" +
         std::to_string(time.time_since_epoch().count());
}

Refusal ExportFolder::Make() const {
  std::error_code error;
  fs::create_directories(FsPath(m_out), error);
  if (error || !fs::is_directory(FsPath(m_out), error))
    return CannotWrite("cannot make the folder " + ShownName(m_out, ":") +
                       (error ? ": " + error.message() : std::string()));
  return Refusal();
}

Refusal ExportFolder::Prepare(const std::string& path,
                              std::string& file) const {
  fs::path at = FsPath(m_out);
  const fs::path relative = FsPath(path);
  std::error_code error;
  for (auto name = relative.begin(); name != relative.end(); ++name) {
    if (name->empty() || *name == "." || *name == "..")
      return CannotWrite("the name " + ShownName(path, ":") +
                         " does not stay in the export");
    at /= *name;
    const bool last = std::next(name) == relative.end();
    const fs::file_status status = fs::symlink_status(at, error);
    if (fs::is_symlink(status))
      return CannotWrite(Shown(at) +
                         " is a link, which the export does not "
                         "write through");
    if (last) {
      if (fs::exists(status) && !fs::is_regular_file(status))
        return CannotWrite(Shown(at) + " is not a file");
      break;
    }
    if (!fs::exists(status)) fs::create_directory(at, error);
    if (error || !fs::is_directory(at, error))
      return CannotWrite("cannot make the folder " + Shown(at) +
                         (error ? ": " + error.message() : std::string()));
  }
  file = PathText(at);
  return Refusal();
}

Refusal ExportFolder::Write(const std::string& path, const std::string& bytes,
                            bool& written) const {
  written = false;
  std::string file, old;
  if (Refusal refused = Prepare(path, file)) return refused;
  if (ReadFileBytes(file, old) && old == bytes) return Refusal();
  WholeText text;
  text.data = bytes.data();
  text.size = bytes.size();
  text.crlf = false;
  const std::string failure = ReplaceFileWhole(file, text);
  if (!failure.empty()) return CannotWrite(failure);
  written = true;
  return Refusal();
}

Refusal ExportFolder::Copy(const std::string& source, const std::string& path,
                           bool& copied) const {
  copied = false;
  std::string file, bytes;
  if (Refusal refused = Prepare(path, file)) return refused;
  const std::string stamp = FileStamp(source);
  if (!stamp.empty() && stamp == FileStamp(file)) return Refusal();
  if (!ReadFileBytes(source, bytes))
    return Refusal(RefusalCode::kUnreadable,
                   "cannot read " + ShownName(source, ":"));
  if (Refusal refused = Write(path, bytes, copied)) return refused;
  std::error_code error;
  fs::last_write_time(FsPath(file), fs::last_write_time(FsPath(source), error),
                      error);
  copied = true;
  return Refusal();
}

Refusal ExportFolder::Make(
    const std::string& path,
    const std::function<std::string(const std::string&)>& make) const {
  std::string file;
  if (Refusal refused = Prepare(path, file)) return refused;
  const std::string temp = replace_file::TempName(replace_file::FolderOf(file));
  const std::string scratch = temp + ".wav";
  replace_file::CTempGuard guard, scratchGuard;
  if (!guard.Create(temp, [&] {
        return static_cast<bool>(std::ofstream(FsPath(temp), std::ios::binary));
      }))
    return CannotWrite("cannot write in the folder of " + ShownName(file, ":"));
  scratchGuard.Create(scratch, [] { return true; });
  const std::string why = make(temp);
  std::error_code error;
  fs::remove(FsPath(scratch), error);
  scratchGuard.Forget();
  if (why.empty()) fs::rename(FsPath(temp), FsPath(file), error);
  if (!why.empty() || error) {
    fs::remove(FsPath(temp), error);
    guard.Forget();
    return CannotWrite(why.empty() ? "cannot write " + ShownName(file, ":")
                                   : why);
  }
  guard.Forget();
  return Refusal();
}

void ExportFolder::RemoveLeftovers() const {
  std::error_code error;
  std::vector<fs::path> leftovers;
  for (fs::recursive_directory_iterator it(
           FsPath(m_out), fs::directory_options::skip_permission_denied, error),
       end;
       !error && it != end; it.increment(error)) {
    const std::string name = PathText(it->path().filename());
    if (name.rfind(".htmlmemdoc-", 0) == 0 &&
        name.find(".tmp") != std::string::npos && !it->is_symlink(error)) {
      leftovers.push_back(it->path());
      if (it->is_directory(error)) it.disable_recursion_pending();
    }
  }
  for (const fs::path& leftover : leftovers) fs::remove_all(leftover, error);
}

void ConversionRecord::Load(const ExportFolder& folder) {
  std::string bytes;
  if (!ReadFileBytes(folder.Path() + "/" + kPath, bytes)) return;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::vector<std::string> fields;
    for (size_t at = start; at <= end;) {
      const size_t tab = std::min(bytes.find('\t', at), end);
      fields.push_back(FieldText(bytes.substr(at, tab - at)));
      at = tab + 1;
    }
    start = end + 1;
    if (fields.size() == 4)
      m_lines[fields[0]] = {fields[1] + "\t" + fields[2], fields[3]};
  }
}

Refusal ConversionRecord::Save(const ExportFolder& folder) const {
  std::string bytes;
  for (const auto& [path, line] : m_lines) {
    const size_t tab = line.first.find('\t');
    bytes += RecordField(path) + "\t" + line.first.substr(0, tab) + "\t" +
             RecordField(line.first.substr(tab + 1)) + "\t" +
             RecordField(line.second) + "\n";
  }
  bool written = false;
  return folder.Write(kPath, bytes, written);
}

bool ConversionRecord::Has(const std::string& output, const std::string& stamp,
                           const std::string& settings,
                           std::string& failure) const {
  const auto line = m_lines.find(output);
  if (stamp.empty() || line == m_lines.end() ||
      line->second.first != stamp + "\t" + settings)
    return false;
  failure = line->second.second;
  return true;
}

void ConversionRecord::Set(const std::string& output, const std::string& stamp,
                           const std::string& settings,
                           const std::string& failure) {
  m_lines[output] = {stamp + "\t" + settings, failure};
}

}  // namespace htmlmemdoc
