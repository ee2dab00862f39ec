// export_command.h: `htmlmemdoc export DIR -o OUT`, which writes a copy of
// the site below DIR that plays in a current browser.

#ifndef HTMLMEMDOC_TOOLS_EXPORT_COMMAND_H_
#define HTMLMEMDOC_TOOLS_EXPORT_COMMAND_H_

#include <string>

struct ExportCommandOptions {
  std::string root;
  std::string out;
  std::string media = "convert";  // or "copy"
  std::string audio = "opus";     // or "mp3"
  bool noFlash = false;
  std::string json;   // a file to write the JSON report to; "" for none
  std::string html;   // a file to write the HTML report to; "" for none
  unsigned jobs = 0;  // 0: one for each core
};

// Prints a summary and what will not play. Returns kExitUsage when DIR
// cannot be read, OUT cannot be written or lies inside DIR (or DIR inside
// it), or a report file cannot be written; kExitPageFailed when a page
// does not read or something will not play; else kExitOk.
int RunExport(const ExportCommandOptions& options);

#endif  // HTMLMEMDOC_TOOLS_EXPORT_COMMAND_H_
