// site_scan.cpp: a reference is sorted before it is looked up: a scheme or
// a fragment makes it external, a leading separator or a drive letter an
// absolute file path; its query and fragment are not part of the file.

#include "htmlmemdoc/pages/site/site_scan.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>

#include "htmlmemdoc/document/source_rewriting.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {
namespace {

// The length of a URL scheme and its ":" at the start of `value`, or 0.
size_t SchemeLength(const std::string& value) {
  if (value.empty() || !std::isalpha(static_cast<unsigned char>(value[0])))
    return 0;
  size_t i = 1;
  while (i < value.size() &&
         (std::isalnum(static_cast<unsigned char>(value[i])) ||
          std::strchr("+.-", value[i]) != nullptr)) {
    ++i;
  }
  return i < value.size() && value[i] == ':' ? i + 1 : 0;
}

// `path` with each %XX escape a browser decodes made the byte it stands
// for ("photo%201.jpg" names "photo 1.jpg").
std::string DecodedPath(const std::string& path) {
  std::string decoded;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() &&
        std::isxdigit(static_cast<unsigned char>(path[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(path[i + 2]))) {
      decoded +=
          static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += path[i];
    }
  }
  return decoded;
}

// A name on disk written back as a reference that used escapes: the
// bytes a URL cannot hold as they are escaped again.
std::string EscapedPath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (unsigned char c : path) {
    if (c <= ' ' || c == '%' || c >= 0x7F) {
      escaped += '%';
      escaped += kHex[c >> 4];
      escaped += kHex[c & 15];
    } else {
      escaped += static_cast<char>(c);
    }
  }
  return escaped;
}

// Whether the file at `path` is a site report written as JSON, SARIF or
// JUnit XML: its mark stands in its first lines, so only the file's start
// is read.
bool IsDataReport(const SiteTree& tree, const std::string& path) {
  const char* mark = HasEnding(path, ".json") || HasEnding(path, ".sarif")
                         ? kSiteReportJsonMark
                     : HasEnding(path, ".xml") ? kSiteReportXmlMark
                                               : nullptr;
  if (mark == nullptr) return false;
  std::ifstream file(FsPath(JoinedPath(tree.Root(), path)), std::ios::binary);
  std::string start(4096, '\0');
  file.read(&start[0], static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<size_t>(file.gcount()));
  return start.find(mark) != std::string::npos;
}

}  // namespace

const char kSiteReportMark[] =
    "<meta name=\"generator\" content=\"htmlmemdoc site report\">";
const char kSiteReportJsonMark[] = "\"generator\": \"htmlmemdoc site report\"";
const char kSiteReportXmlMark[] = "<testsuites name=\"htmlmemdoc site report\"";

bool IsPagePath(const std::string& name) {
  return HasEnding(name, ".htm") || HasEnding(name, ".html");
}

const char* KindName(ReferenceKind kind) {
  static const char* const kNames[] = {
      "ok", "case", "missing", "outside", "external", "unsafe", "ambiguous"};
  return kNames[static_cast<int>(kind)];
}

bool HasUnsafeCharacter(const std::string& path) {
  return SpanToDelimiter(path.c_str(), kUnsafeSrcChars) < path.size();
}

std::string EncodedPath(const std::string& path) {
  return std::string(ReplaceUnsafeSrcChars(CString(path.c_str())));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string BrowserValue(const PageReference& reference) {
  return Trim(reference.decoded || reference.element == "style rule"
                  ? reference.value
                  : DecodeCharacterReferences(reference.value));
}

CheckedReference CheckReference(const SiteTree& tree, const std::string& folder,
                                const PageReference& reference) {
  CheckedReference checked;
  checked.reference = reference;
  checked.reference.holder = nullptr;
  const std::string value = BrowserValue(reference);
  if (value.empty()) return checked;  // missing
  const size_t scheme = SchemeLength(value);
  if (value[0] == '#' || value.compare(0, 2, "//") == 0 ||
      (scheme > 2 && Lower(value.substr(0, scheme)) != "file:")) {
    checked.kind = ReferenceKind::kExternal;
    return checked;
  }
  if (scheme > 0 || value[0] == '/' || value[0] == '\\') {
    checked.kind = ReferenceKind::kOutside;  // a drive, file: or a root
    return checked;
  }
  const size_t end = value.find_first_of("?#");
  const std::string path = value.substr(0, end);
  const std::string rest = end == std::string::npos ? "" : value.substr(end);
  checked.unsafe = HasUnsafeCharacter(path);
  const std::string decoded = DecodedPath(path);
  const bool escaped = decoded != path;
  const SiteTree::Resolution found = tree.Resolve(folder, decoded);
  checked.file = found.file;
  switch (found.found) {
    case SiteTree::kLeaves:
      checked.kind = ReferenceKind::kOutside;
      break;
    case SiteTree::kMissing:
      checked.kind = ReferenceKind::kMissing;
      break;
    case SiteTree::kAmbiguous:
      checked.kind = ReferenceKind::kAmbiguous;
      break;
    case SiteTree::kOtherCase:
      checked.kind = ReferenceKind::kCase;
      checked.onDisk = escaped ? EscapedPath(found.onDisk) : found.onDisk;
      checked.onDisk += rest;
      break;
    case SiteTree::kExact:
      checked.kind =
          checked.unsafe ? ReferenceKind::kUnsafe : ReferenceKind::kOk;
      break;
  }
  return checked;
}

std::vector<std::string> SitePages(const SiteTree& tree) {
  std::vector<std::string> pages;
  tree.ForEachEntry([&](SiteTree::FileId id, const SiteTree::Entry& entry) {
    if (entry.file && IsPagePath(entry.name))
      pages.push_back(tree.PathOf(entry.same.folder >= 0 ? entry.same : id));
  });
  std::sort(pages.begin(), pages.end());
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
  return pages;
}

namespace {

// What a page file says but its text.
PageFile WithoutText(const PageFile& file) {
  PageFile bare;
  bare.path = file.path;
  bare.crlf = file.crlf;
  bare.problem = file.problem;
  return bare;
}

// ScanPage, keeping the read when `keepAll` or `keep` says so.
SitePage Scan(const SiteTree& tree, const std::string& path,
              const KeepRead& keep, bool keepAll) {
  SitePage page;
  page.path = path;
  if (tree.Resolve("", path).found == SiteTree::kLeaves) {
    page.outside = true;  // never read, so never written, through the link
    return page;
  }
  auto read = std::make_unique<PageRead>();
  const std::string file = JoinedPath(tree.Root(), path);
  // The bytes are kept only for a fix that may need them.
  read->file =
      keep || keepAll ? ReadPageFile(file, read->bytes) : ReadPageFile(file);
  page.report = read->file.text.find(kSiteReportMark) != std::string::npos;
  const bool loaded =
      !page.report && read->file.Ok() && LoadPage(read->file, read->document);
  page.file = WithoutText(read->file);
  if (!loaded) return page;
  read->references = FindReferences(read->document, read->file.text);
  const std::string folder = FolderOf(path);
  bool kept = keepAll;
  for (const PageReference& reference : read->references) {
    page.references.push_back(CheckReference(tree, folder, reference));
    page.references.back().reference.holder = nullptr;
    kept = kept || (keep && keep(page.references.back()));
  }
  if (kept) page.read = std::move(read);
  return page;
}

}  // namespace

SitePage ScanPage(const SiteTree& tree, const std::string& path,
                  const KeepRead& keep) {
  return Scan(tree, path, keep, false);
}

SitePage ScanPageKept(const SiteTree& tree, const std::string& path) {
  return Scan(tree, path, nullptr, true);
}

std::vector<std::string> UnusedFiles(const SiteTree& tree,
                                     const std::vector<SitePage>& pages) {
  std::vector<std::vector<bool>> used;
  for (const SiteTree::Folder& folder : tree.Folders()) {
    used.emplace_back(folder.entries.size(), false);
  }
  for (const SitePage& page : pages) {
    for (const CheckedReference& checked : page.references) {
      const SiteTree::FileId file = checked.file;
      if (file.folder < 0) continue;
      used[static_cast<size_t>(file.folder)][static_cast<size_t>(file.entry)] =
          true;
      const SiteTree::FileId same = tree.EntryOf(file).same;
      if (same.folder >= 0) {
        used[static_cast<size_t>(same.folder)]
            [static_cast<size_t>(same.entry)] = true;
      }
    }
  }
  std::vector<std::string> unused;
  tree.ForEachEntry([&](SiteTree::FileId id, const SiteTree::Entry& entry) {
    if (entry.folder >= 0 || entry.leaves || IsPagePath(entry.name) ||
        used[static_cast<size_t>(id.folder)][static_cast<size_t>(id.entry)])
      return;
    const std::string path = tree.PathOf(id);
    if (!IsHiddenPath(path) && !IsDataReport(tree, path))
      unused.push_back(path);
  });
  std::sort(unused.begin(), unused.end());
  return unused;
}

}  // namespace htmlmemdoc
