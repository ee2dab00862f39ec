// modern_preview.h: the editor's view of the open page as its export for
// current browsers shows it: the page's unsaved state exported on its
// own, its sounds and movies converted into a folder of the server's
// (kept while it runs, so each is converted once), the Flash player and
// the site's other files served beside it.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_MODERN_PREVIEW_H_
#define HTMLMEMDOC_TOOLS_EDITOR_MODERN_PREVIEW_H_

#include <filesystem>
#include <mutex>
#include <string>

#include "htmlmemdoc/pages/export/export_site.h"

class ModernPreview {
 public:
  // For the site at `root` (real, absolute).
  explicit ModernPreview(std::filesystem::path root);
  ~ModernPreview();  // removes the folder of converted files
  ModernPreview(const ModernPreview&) = delete;
  ModernPreview& operator=(const ModernPreview&) = delete;

  // The page at `path` (below the root) holding `bytes`, exported; its
  // `refusal` or its file's problem say why when it could not be.
  htmlmemdoc::ExportedPage Page(const std::string& path,
                                const std::string& bytes);

  // The file a previewed page names at `relative` (from the root): the
  // Flash player's, a converted one, else the site's; false when there is
  // none (or the name leaves the root or is hidden).
  bool File(const std::string& relative, std::filesystem::path& file) const;

 private:
  std::filesystem::path m_root;
  std::filesystem::path m_folder;  // converted files; empty until needed
  htmlmemdoc::ExportOptions m_options;
  std::mutex m_lock;  // one export at a time: they share the folder
};

#endif  // HTMLMEMDOC_TOOLS_EDITOR_MODERN_PREVIEW_H_
