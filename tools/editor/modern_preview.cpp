// modern_preview.cpp: the folder of converted files is made in the
// system's temporary folder on the first preview, outside the site (an
// export may not lie inside what it copies).

#include "tools/editor/modern_preview.h"

#include <random>
#include <system_error>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/site/site_tree.h"
#include "htmlmemdoc/platform/file_system.h"
#include "tools/editor/editor_security.h"

namespace fs = std::filesystem;

namespace {

const char kFlashFolder[] = "htmlmemdoc-export/ruffle/";

}  // namespace

ModernPreview::ModernPreview(fs::path root)
    : m_root(std::move(root)), m_options(htmlmemdoc::MachineExportOptions()) {}

ModernPreview::~ModernPreview() {
  std::error_code error;
  if (!m_folder.empty()) fs::remove_all(m_folder, error);
}

htmlmemdoc::ExportedPage ModernPreview::Page(const std::string& path,
                                             const std::string& bytes) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (m_folder.empty()) {
    std::error_code error;
    m_folder = fs::temp_directory_path(error) /
               ("htmlmemdoc-preview-" + NewToken().substr(0, 16));
    m_options.out = htmlmemdoc::PathText(m_folder);
  }
  const htmlmemdoc::SiteTree tree(htmlmemdoc::PathText(m_root), false);
  return htmlmemdoc::ExportOnePage(tree, path, bytes, m_options);
}

bool ModernPreview::File(const std::string& relative, fs::path& file) const {
  if (htmlmemdoc::IsHiddenPath(relative)) return false;
  if (relative.compare(0, sizeof kFlashFolder - 1, kFlashFolder) == 0) {
    const std::string name = relative.substr(sizeof kFlashFolder - 1);
    std::error_code error;
    return !m_options.ruffle.empty() &&
           name.find_first_of("/\\") == std::string::npos &&
           ResolveInside(RealPath(htmlmemdoc::FsPath(m_options.ruffle), error),
                         name, file);
  }
  std::error_code error;
  if (!m_folder.empty() && fs::is_directory(m_folder, error) &&
      ResolveInside(RealPath(m_folder, error), relative, file))
    return true;
  return ResolveInside(m_root, relative, file);
}
