// console.h: the command line and standard streams as the tool wants them
// on every system: arguments in UTF-8, output bytes written as they are.

#ifndef HTMLMEMDOC_TOOLS_CONSOLE_H_
#define HTMLMEMDOC_TOOLS_CONSOLE_H_

#include <string>
#include <utility>
#include <vector>

// The code pages --code-page names, and the library's number for each.
extern const std::vector<std::pair<std::string, int>> kCodePageNames;

// Sets the code page that --code-page names among the arguments (before
// anything is parsed: the arguments' own bytes follow it on Windows), and
// returns the program's arguments after its name, in that code page (on
// Windows read from the wide-character command line, as `argv` holds them
// in the ANSI code page), last first as CLI11's parse takes them. An
// unknown name is left to the parser to refuse. On Windows it also puts
// standard output and error in binary mode (a rendering keeps its line
// ends exact) and the console in the code page.
std::vector<std::string> PrepareConsole(int argc, char** argv);

// Whether standard error is a terminal.
bool ErrorsGoToTerminal();

#endif  // HTMLMEMDOC_TOOLS_CONSOLE_H_
