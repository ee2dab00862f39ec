// upload.h: a file a person drops onto the editor or picks with a file
// chooser, copied into the site: into a folder the person chose below the
// root, under a name every page and server can use, never over a file
// that is there unless the person said so.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_UPLOAD_H_
#define HTMLMEMDOC_TOOLS_EDITOR_UPLOAD_H_

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

struct Upload {
  std::string folder;    // below the root; "" for the root
  std::string name;      // as the person's file was called
  bool replace = false;  // a file of the name may be replaced
  const std::string* bytes = nullptr;
};

struct UploadAnswer {
  int status = 200;
  nlohmann::json body;  // {"path"} or {"error", "code", "suggestion"}
};

// Writes the upload below `root` (a RealPath) as SafeFileName names it:
// 200 with the "path" below the root; 409 "in-the-way" with a free
// "suggestion" when a file has the name and `replace` is not set; 422
// "bad-value" for a folder not below the root (or hidden) or a name with
// nothing left or that names another file (NamesAnotherFile); 500
// "cannot-write" when the file cannot be written.
UploadAnswer SaveUpload(const std::filesystem::path& root,
                        const Upload& upload);

#endif  // HTMLMEMDOC_TOOLS_EDITOR_UPLOAD_H_
