// export_site.cpp: the run in its order. The media plan comes from the
// files' names alone (every sound and movie of the site that a browser
// cannot play is converted, whichever page plays it), so each page is
// read once, after the conversions, and knows what each of its
// references became. Conversions, pages and copies each run on all the
// workers the front end gives; what a worker finds goes into its own slot
// of the report.

#include "htmlmemdoc/pages/export/export_site.h"

#include <cstdlib>
#include <map>
#include <set>
#include <utility>

#include "htmlmemdoc/pages/export/export_folder.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"

namespace htmlmemdoc {
namespace {

const char kExportFolder[] = "htmlmemdoc-export/";
const char kFlashFolder[] = "htmlmemdoc-export/ruffle/";

using FileKey = std::pair<int, int>;

FileKey KeyOf(SiteTree::FileId file) { return {file.folder, file.entry}; }

// The name of the converted form of `name` in `folder`: its stem with
// `extension`; else the whole name with it; else that with a number, the
// first no file of the folder has in any letter case and no other
// conversion took (`taken`, lower-case paths, gets it).
std::string ConvertedName(const SiteTree::Folder& folder,
                          const std::string& name, const std::string& extension,
                          std::set<std::string>& taken) {
  const size_t dot = name.rfind('.');
  const std::string stem =
      dot == std::string::npos ? name : name.substr(0, dot);
  const std::string prefix = folder.path.empty() ? "" : folder.path + "/";
  for (int n = 0;; ++n) {
    const std::string candidate =
        n == 0   ? stem + extension
        : n == 1 ? name + extension
                 : name + "-" + std::to_string(n) + extension;
    const std::string lower = Lower(candidate);
    if (folder.folded.count(lower) == 0 &&
        taken.insert(Lower(prefix) + lower).second)
      return candidate;
  }
}

std::string ToRoot(const std::string& path) {
  std::string up;
  for (const char c : path)
    if (c == '/') up += "../";
  return up;
}

class ExportRun {
 public:
  ExportRun(const SiteTree& tree, const ExportOptions& options,
            const ParallelFor& parallelFor)
      : m_tree(tree),
        m_options(options),
        m_parallelFor(parallelFor),
        m_folder(options.out) {
    m_report.root = tree.Root();
    m_report.out = options.out;
    m_report.unreadableFolders = tree.UnreadableFolders();
    m_report.converters = options.converters;
  }

  ExportReport Run() {
    if (!Start()) return std::move(m_report);
    PlanFiles(nullptr);
    ConvertMedia();
    ExportPages();
    CopyFiles();
    CopyFlashPlayer();
    Finish();
    return std::move(m_report);
  }

  // The page at `path` as `bytes` hold it, exported with the media it
  // plays (converted into the folder); nothing else is copied.
  ExportedPage RunOnePage(const std::string& path, const std::string& bytes) {
    ExportedPage exported;
    exported.path = path;
    if (!Start()) {
      exported.refusal = m_report.refusal;
      return exported;
    }
    PageRead read;
    read.bytes = bytes;
    read.file = PageFileOf(path, bytes);
    exported.file = read.file;
    if (!read.file.Ok() || !LoadPage(read.file, read.document)) {
      exported.file.problem = read.file.problem;
      return exported;
    }
    read.references = FindReferences(read.document, read.file.text);
    std::vector<CheckedReference> checked;
    std::set<FileKey> played;
    for (const PageReference& reference : read.references) {
      checked.push_back(CheckReference(m_tree, FolderOf(path), reference));
      played.insert(KeyOf(checked.back().file));
    }
    PlanFiles(&played);
    ConvertMedia();
    exported.page = ExportPage(
        read, checked,
        [this](const CheckedReference& c) { return ExportedOf(c); },
        PageOptions(path));
    Finish();
    return exported;
  }

 private:
  bool Start() {
    m_report.refusal = CheckExportFolders(m_tree.Root(), m_options.out);
    if (!m_report.refusal) m_report.refusal = m_folder.Make();
    if (m_report.refusal) return false;
    m_folder.RemoveLeftovers();
    m_record.Load(m_folder);
    return true;
  }

  void Finish() {
    if (Refusal refused = m_record.Save(m_folder))
      m_report.notCopied.emplace_back(ConversionRecord::kPath, refused);
  }

  PageExportOptions PageOptions(const std::string& path) const {
    PageExportOptions options;
    // Without a player the plan already says Flash will not play.
    options.flash = m_options.flash;
    options.charset = m_options.charset.empty()
                          ? CharsetOf(HtmlMemDocGetCodePage())
                          : m_options.charset;
    options.toRoot = ToRoot(path);
    return options;
  }

  std::string SourceOf(const std::string& path) const {
    return JoinedPath(m_tree.Root(), path);
  }

  // Every file to copy, and each sound or movie's plan; with `only`, the
  // plans of those files alone.
  void PlanFiles(const std::set<FileKey>* only) {
    m_tree.ForEachEntry([&](SiteTree::FileId id, const SiteTree::Entry& entry) {
      if (!entry.file || (only != nullptr && only->count(KeyOf(id)) == 0))
        return;
      const std::string path = m_tree.PathOf(id);
      if (entry.leaves) {
        m_report.notCopied.emplace_back(
            path, Refusal(RefusalCode::kUnreadable,
                          "a link to a file outside the site"));
        return;
      }
      if (path.compare(0, sizeof kExportFolder - 1, kExportFolder) == 0) {
        m_report.notCopied.emplace_back(
            path, Refusal(RefusalCode::kInTheWay,
                          "the export keeps its own files in a folder of "
                          "this name"));
        return;
      }
      m_files.push_back(path);
      const MediaKind kind = MediaKindOf(entry.name);
      if (kind == MediaKind::kOther) return;
      m_mediaOf[KeyOf(id)] = m_report.media.size();
      m_report.media.push_back(Plan(id, path, kind));
    });
    for (const ExportedMedia& media : m_report.media)
      m_exported.push_back(FileOf(media));
  }

  ExportedMedia Plan(SiteTree::FileId id, const std::string& path,
                     MediaKind kind) {
    ExportedMedia media;
    media.source = path;
    media.path = path;
    media.kind = kind;
    if (NeedsConverting(kind)) {
      const std::string missing = m_options.converters.Missing(kind);
      if (!m_options.convert || !missing.empty()) {
        media.state = ExportedMedia::kCannotPlay;
        media.why = std::string("no current browser plays ") +
                    MediaKindName(kind) + " files, and it was copied as it is" +
                    (m_options.convert ? "; converting it needs " + missing
                                       : std::string());
        return media;
      }
      const SiteTree::Folder& folder =
          m_tree.Folders()[static_cast<size_t>(id.folder)];
      const std::string name =
          ConvertedName(folder, m_tree.EntryOf(id).name,
                        ConvertedExtension(kind, m_options.audio), m_taken);
      media.path = (folder.path.empty() ? "" : folder.path + "/") + name;
      media.state = ExportedMedia::kConverted;
    } else if (kind == MediaKind::kFlash &&
               (!m_options.flash || m_options.ruffle.empty())) {
      media.state = ExportedMedia::kCannotPlay;
      media.why = m_options.flash ? "the Flash player (Ruffle) is not installed"
                                  : "Flash was left without a player";
    }
    return media;
  }

  // What a page's references to `media` become.
  static ExportedFile FileOf(const ExportedMedia& media) {
    ExportedFile file;
    file.kind = media.kind;
    file.plays = media.state == ExportedMedia::kCopied ||
                 media.state == ExportedMedia::kConverted;
    file.why = media.why;
    if (media.state == ExportedMedia::kConverted) {
      file.name = media.path.substr(media.path.rfind('/') + 1);
      file.kind = IsMovie(media.kind) ? MediaKind::kVideo : MediaKind::kAudio;
    }
    return file;
  }

  // What a conversion job found: the source's stamp and, when it failed,
  // why; kept in the record either way.
  struct Converted {
    std::string output, stamp, settings, failure;
  };

  void ConvertMedia() {
    std::vector<size_t> jobs;
    for (size_t i = 0; i < m_report.media.size(); ++i)
      if (m_report.media[i].state == ExportedMedia::kConverted)
        jobs.push_back(i);
    std::vector<Converted> done(jobs.size());
    m_parallelFor(jobs.size(), [&](size_t j) {
      done[j] = ConvertOne(m_report.media[jobs[j]]);
    });
    for (size_t j = 0; j < jobs.size(); ++j) {
      m_exported[jobs[j]] = FileOf(m_report.media[jobs[j]]);
      if (!done[j].stamp.empty())
        m_record.Set(done[j].output, done[j].stamp, done[j].settings,
                     done[j].failure);
    }
  }

  // Converts `media` unless the record says it was made (or failed) from
  // the same source with the same settings and the file is still there.
  Converted ConvertOne(ExportedMedia& media) const {
    Converted done{
        media.path, FileStamp(SourceOf(media.source)),
        ConversionSettings(m_options.converters, media.kind, m_options.audio),
        ""};
    std::string output;
    const bool recorded =
        m_record.Has(media.path, done.stamp, done.settings, done.failure) &&
        (!done.failure.empty() ||
         (!m_folder.Prepare(media.path, output) && !FileStamp(output).empty()));
    if (!recorded) {
      done.failure.clear();
      bool converterFailed = false;
      const Refusal refused =
          m_folder.Make(media.path, [&](const std::string& temp) {
            const ProgramRun run = Convert(
                m_options.converters, media.kind, m_options.audio,
                SourceOf(media.source), temp, temp + ".wav", m_options.seconds);
            // A converter that exited with an error fails the same way
            // again; one ended by a signal or its time limit may not.
            converterFailed = !run.ok && run.exited;
            return run.ok ? std::string() : run.why;
          });
      media.redone = true;
      if (refused) done.failure = refused.why;
      // Only the converter's own failure is kept: another is tried again.
      if (refused && !converterFailed) done.stamp.clear();
    }
    if (!done.failure.empty()) {
      media.state = ExportedMedia::kFailed;
      media.why = "it could not be converted: " + done.failure;
      media.path = media.source;
    }
    return done;
  }

  const ExportedFile* ExportedOf(const CheckedReference& checked) const {
    static const ExportedFile kPlain;
    if (checked.file.folder < 0) return nullptr;
    const auto media = m_mediaOf.find(KeyOf(checked.file));
    return media == m_mediaOf.end() ? &kPlain : &m_exported[media->second];
  }

  void ExportPages() {
    const std::vector<std::string> paths = SitePages(m_tree);
    m_report.pages.resize(paths.size());
    std::vector<char> done(paths.size(), 0);
    m_parallelFor(paths.size(), [&](size_t i) {
      ExportedPage& exported = m_report.pages[i];
      exported.path = paths[i];
      SitePage page = ScanPageKept(m_tree, paths[i]);
      exported.file = page.file;
      if (page.outside || page.report || !page.read) return;
      exported.page = ExportPage(
          *page.read, page.references,
          [this](const CheckedReference& checked) {
            return ExportedOf(checked);
          },
          PageOptions(paths[i]));
      exported.refusal =
          m_folder.Write(paths[i], exported.page.bytes, exported.written);
      std::string().swap(exported.page.bytes);
      done[i] = !exported.refusal;
    });
    for (size_t i = 0; i < paths.size(); ++i) {
      if (done[i]) m_exportedPages.insert(paths[i]);
      m_report.flashPlayer =
          m_report.flashPlayer || m_report.pages[i].page.flash;
    }
  }

  void CopyFiles() {
    std::vector<std::string> copies;
    for (const std::string& path : m_files)
      if (m_exportedPages.count(path) == 0) copies.push_back(path);
    std::vector<Refusal> refusals(copies.size());
    std::vector<char> copied(copies.size(), 0);
    m_parallelFor(copies.size(), [&](size_t i) {
      bool done = false;
      refusals[i] = m_folder.Copy(SourceOf(copies[i]), copies[i], done);
      copied[i] = done;
    });
    for (size_t i = 0; i < copies.size(); ++i) {
      if (refusals[i]) m_report.notCopied.emplace_back(copies[i], refusals[i]);
      m_report.filesCopied += copied[i] ? 1 : 0;
    }
    m_report.files = copies.size();
  }

  void CopyFlashPlayer() {
    if (!m_report.flashPlayer) return;
    std::vector<std::string> names;
    if (!ListDirectory(m_options.ruffle, names)) {
      m_report.notCopied.emplace_back(
          kFlashFolder, Refusal(RefusalCode::kUnreadable,
                                "cannot read the Flash player's folder " +
                                    ShownName(m_options.ruffle, ":")));
      return;
    }
    for (const std::string& name : names) {
      const std::string source = m_options.ruffle + "/" + name;
      // Folders and source maps are not needed to play.
      if (FileStamp(source).empty() || HasEnding(name, ".map")) continue;
      bool copied = false;
      if (Refusal refused = m_folder.Copy(source, kFlashFolder + name, copied))
        m_report.notCopied.emplace_back(kFlashFolder + name, refused);
    }
  }

  const SiteTree& m_tree;
  const ExportOptions& m_options;
  const ParallelFor& m_parallelFor;
  ExportFolder m_folder;
  ConversionRecord m_record;
  ExportReport m_report;
  std::vector<std::string> m_files;
  std::map<FileKey, size_t> m_mediaOf;   // a sound or movie's media index
  std::vector<ExportedFile> m_exported;  // by media index
  std::set<std::string> m_exportedPages;
  std::set<std::string> m_taken;  // converted files' paths, in lower case
};

}  // namespace

std::string FindFlashPlayer(const std::string& chosen) {
  const char* named = std::getenv("HTMLMEMDOC_RUFFLE");
#ifdef HTMLMEMDOC_RUFFLE_DIR
  const char* installed = HTMLMEMDOC_RUFFLE_DIR;
#else
  const char* installed = "";
#endif
  for (const std::string& folder :
       {chosen, std::string(named != nullptr ? named : ""),
        std::string(installed)}) {
    if (!folder.empty() && !FileStamp(folder + "/ruffle.js").empty())
      return folder;
  }
  return std::string();
}

ExportOptions MachineExportOptions() {
  ExportOptions options;
  options.ruffle = FindFlashPlayer();
  options.converters = Converters::Find();
  return options;
}

std::string CharsetOf(int codePage) {
  switch (codePage) {
    case 932:
      return "shift_jis";
    case 936:
      return "gbk";
    case 949:
      return "euc-kr";
    case 950:
      return "big5";
    default:
      return "utf-8";
  }
}

ExportReport RunExport(const SiteTree& tree, const ExportOptions& options,
                       const ParallelFor& parallelFor) {
  return ExportRun(tree, options, parallelFor).Run();
}

ExportedPage ExportOnePage(const SiteTree& tree, const std::string& path,
                           const std::string& bytes,
                           const ExportOptions& options) {
  return ExportRun(tree, options, ThreadsFor(1)).RunOnePage(path, bytes);
}

ExportCounts CountExport(const ExportReport& report) {
  ExportCounts counts;
  for (const ExportedPage& page : report.pages) {
    if (page.file.problem.kind != PageProblem::kNone) {
      ++counts.unreadablePages;
      continue;
    }
    ++counts.pages;
    counts.written += page.written ? 1 : 0;
    counts.layers += page.page.layers;
    for (const MediaUse& use : page.page.media)
      counts.silentUses += use.plays ? 0 : 1;
  }
  for (const ExportedMedia& media : report.media) {
    switch (media.state) {
      case ExportedMedia::kCopied:
        ++counts.copied;
        break;
      case ExportedMedia::kConverted:
        ++counts.converted;
        break;
      case ExportedMedia::kFailed:
        ++counts.failed;
        break;
      case ExportedMedia::kCannotPlay:
        ++counts.cannotPlay;
        break;
    }
  }
  return counts;
}

bool ExportHasProblems(const ExportReport& report) {
  const ExportCounts counts = CountExport(report);
  bool refused = false;
  for (const ExportedPage& page : report.pages)
    refused = refused || page.refusal || page.page.refusal;
  return report.refusal || refused || counts.unreadablePages > 0 ||
         counts.failed > 0 || counts.cannotPlay > 0 || counts.silentUses > 0 ||
         !report.notCopied.empty() || !report.unreadableFolders.empty();
}

const char* MediaStateName(ExportedMedia::State state) {
  switch (state) {
    case ExportedMedia::kCopied:
      return "copied";
    case ExportedMedia::kConverted:
      return "converted";
    case ExportedMedia::kFailed:
      return "failed";
    case ExportedMedia::kCannotPlay:
      break;
  }
  return "cannot play";
}

}  // namespace htmlmemdoc
