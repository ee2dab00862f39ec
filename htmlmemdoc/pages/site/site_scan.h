// site_scan.h: a site's pages read and every reference they hold resolved
// against the files below the site's root: in the right letter case, in
// another, missing, leading out of the site, external, holding a character
// a web server or a URL treats specially, or matching several files in
// other letter cases.

#ifndef HTMLMEMDOC_PAGES_SITE_SITE_SCAN_H_
#define HTMLMEMDOC_PAGES_SITE_SITE_SCAN_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/page/page_references.h"
#include "htmlmemdoc/pages/site/site_tree.h"

namespace htmlmemdoc {

enum class ReferenceKind {
  kOk,
  kCase,
  kMissing,
  kOutside,
  kExternal,
  kUnsafe,
  kAmbiguous  // names differing only in case lead to several files
};
const int kReferenceKinds = 7;

// "ok", "case", "missing", "outside", "external", "unsafe", "ambiguous".
const char* KindName(ReferenceKind kind);

// Whether `path` holds a character file references should not hold:
// blank ! $ & ( ) , @ (a trail byte equal to one is none); and `path`
// with each of them made "_", as an encoding fix does.
bool HasUnsafeCharacter(const std::string& path);
std::string EncodedPath(const std::string& path);

struct CheckedReference {
  PageReference reference;  // its holder is null: see SitePage::read
  ReferenceKind kind = ReferenceKind::kMissing;
  // kCase: the reference with the names on disk, as a browser reads it
  // (FixTarget writes it as the page spells it).
  std::string onDisk;
  bool unsafe = false;    // its path holds an unsafe character
  SiteTree::FileId file;  // the file it names, when it resolves to one
};

// The reference's value as a browser reads it, blanks at its ends
// trimmed: in an attribute, its character references (&amp;) decoded
// first; a style rule's text has none.
std::string BrowserValue(const PageReference& reference);

// Where `value`, written in a page in folder `folder` (from the root),
// leads.
CheckedReference CheckReference(const SiteTree& tree, const std::string& folder,
                                const PageReference& reference);

// A page as the scan read it, kept for a fix that changes it, so that the
// fix neither reads nor parses it again: its bytes, the page file (text
// included), the document, and its references in the order of the
// scanned page's (their holders point into the document).
struct PageRead {
  std::string bytes;
  PageFile file;
  CHtmlMemDoc document;
  std::vector<PageReference> references;
};

struct SitePage {
  std::string path;  // from the root
  PageFile file;     // its problem when it does not read; no text
  std::vector<CheckedReference> references;
  bool report = false;   // a site report written here, not a page of the site
  bool outside = false;  // a link to a file outside the root: not read
  // Owned by the page: what the scan read, when it was asked to keep it
  // (see ScanPage); a fix takes it.
  std::unique_ptr<PageRead> read;
};

// What marks a site report written as HTML, so that one written below the
// site is never read as one of its pages, and one written as JSON (its
// "generator" member, among the first of its text), so that it is never
// listed as unused.
extern const char kSiteReportMark[];
extern const char kSiteReportJsonMark[];
// A SARIF log (.sarif or .json) carries the JSON mark; JUnit XML (.xml)
// this one.
extern const char kSiteReportXmlMark[];

// True for a name ending in .htm or .html (any letter case).
bool IsPagePath(const std::string& name);

// The pages below the root: names ending in .htm or .html (any case), each
// once by its real path (a link to a page inside the root stands for it),
// in byte order of their paths.
std::vector<std::string> SitePages(const SiteTree& tree);

// Whether a fix would change a reference, so that its page's read is kept.
using KeepRead = std::function<bool(const CheckedReference&)>;

// Reads the page at `path` (from the root) and checks its references;
// a site report, or a link to a file outside the root, is told as such and
// not read. When `keep` says so of one of its references, the page keeps
// what was read.
SitePage ScanPage(const SiteTree& tree, const std::string& path,
                  const KeepRead& keep = nullptr);
// The same, keeping what was read of every page that reads.
SitePage ScanPageKept(const SiteTree& tree, const std::string& path);

// The files no reference names (pages, site reports, names beginning with
// ".", and what is below such folders, left out), in byte order of their
// paths. A reference to a link to a file names the file too.
std::vector<std::string> UnusedFiles(const SiteTree& tree,
                                     const std::vector<SitePage>& pages);

// The folder part of a path from the root ("" for the root).
std::string FolderOf(const std::string& path);

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_SITE_SITE_SCAN_H_
