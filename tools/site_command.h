// site_command.h: `htmlmemdoc site DIR`, which checks every file reference
// of every page below DIR against the files there, reports it, and with
// --fix makes the references name the files on disk.

#ifndef HTMLMEMDOC_TOOLS_SITE_COMMAND_H_
#define HTMLMEMDOC_TOOLS_SITE_COMMAND_H_

#include <string>

#include "htmlmemdoc/pages/site/site_fix.h"

struct SiteOptions {
  std::string root;
  std::string json;  // a file to write the JSON report to; "" for none
  std::string html;  // a file to write the HTML report to; "" for none
  std::string sarif;  // a file to write the SARIF log to; "" for none
  std::string junit;  // a file to write the JUnit XML to; "" for none
  bool verbose = false;
  bool fix = false;
  htmlmemdoc::SiteFixOptions fixOptions;
};

// Prints a summary and the problems by page (on standard error instead
// with --dry-run, whose standard output is the diff). Returns kExitUsage
// when DIR or a report file cannot be read or written, kExitPageFailed
// when something is left to act on, else kExitOk.
int RunSite(const SiteOptions& options);

#endif  // HTMLMEMDOC_TOOLS_SITE_COMMAND_H_
