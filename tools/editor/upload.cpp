// upload.cpp: the file is written whole under a temporary name and then
// takes its own (replace_file.h); without leave to replace, the name must
// still be free at that moment, so a file that came meanwhile stays.

#include "tools/editor/upload.h"

#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/replace_file.h"
#include "tools/editor/editor_security.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

UploadAnswer Refused(int status, const char* code, const std::string& why) {
  return {status, {{"error", why}, {"code", code}}};
}

// "name-2.gif" for "name.gif": the first name of that form no file has.
std::string FreeName(const fs::path& folder, const std::string& name) {
  const size_t dot = name.rfind('.');
  const std::string stem =
      dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::string ending = stem.size() == name.size() ? "" : name.substr(dot);
  std::error_code error;
  for (int n = 2;; ++n) {
    const std::string candidate = stem + "-" + std::to_string(n) + ending;
    if (!fs::exists(folder / htmlmemdoc::FsPath(candidate), error))
      return candidate;
  }
}

}  // namespace

UploadAnswer SaveUpload(const fs::path& root, const Upload& upload) {
  fs::path folder;
  if (!ResolveFolderInside(root, upload.folder, folder))
    return Refused(422, "bad-value",
                   "no such folder below the site folder: " + upload.folder);
  const std::string base =
      htmlmemdoc::PathText(htmlmemdoc::FsPath(upload.name).filename());
  const std::string name = htmlmemdoc::SafeFileName(base);
  if (name.empty() || name.find_first_not_of("._") == std::string::npos)
    return Refused(422, "bad-value", "the file has no name to keep");
  if (NamesAnotherFile(name))  // it would be written to a device
    return Refused(422, "bad-value",
                   name + " is a device's name, or one the system shortens");
  const std::string relative = htmlmemdoc::PathText(
      (folder / htmlmemdoc::FsPath(name)).lexically_relative(root));
  const fs::path target = folder / htmlmemdoc::FsPath(name);
  std::error_code error;
  if (LeadsElsewhere(folder, htmlmemdoc::FsPath(name)))
    return Refused(
        409, "in-the-way",
        relative + " is a link: the editor writes no file through one");
  if (!upload.replace && fs::exists(target, error)) {
    UploadAnswer taken =
        Refused(409, "in-the-way", relative + " is there already");
    const std::string free = htmlmemdoc::PathText(
        (folder / htmlmemdoc::FsPath(FreeName(folder, name)))
            .lexically_relative(root));
    taken.body["suggestion"] = free;
    return taken;
  }
  if (upload.replace && fs::exists(target, error) &&
      !fs::is_regular_file(target, error))
    return Refused(409, "in-the-way", relative + " is not a file to replace");
  htmlmemdoc::WholeText text;
  text.data = upload.bytes->data();
  text.size = upload.bytes->size();
  text.crlf = false;
  text.mustBeNew = !upload.replace;
  // Written through the folders below the root, none of them a link: one
  // swapped for a link since the check above cannot lead the file out.
  const std::string within = htmlmemdoc::PathText(root);
  text.within = within.c_str();
  const std::string failure = htmlmemdoc::ReplaceFileWhole(relative, text);
  if (!failure.empty()) {
    const bool came = !upload.replace && fs::exists(target, error);
    return Refused(
        came ? 409 : 500, came ? "in-the-way" : "cannot-write",
        came ? relative + " is there already" : "cannot write " + relative);
  }
  return {200, {{"path", relative}, {"name", name}}};
}
