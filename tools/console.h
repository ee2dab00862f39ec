// console.h: the command line and standard streams as the tool wants them
// on every system: arguments in UTF-8, output bytes written as they are.

#ifndef HTMLMEMDOC_TOOLS_CONSOLE_H_
#define HTMLMEMDOC_TOOLS_CONSOLE_H_

#include <string>
#include <vector>

// The program's arguments after its name, in UTF-8 (on Windows read from
// the wide-character command line, as `argv` holds them in the ANSI code
// page), last first as CLI11's parse takes them. On Windows it also puts
// standard output and error in binary mode (a rendering keeps its line
// ends exact) and the console in UTF-8.
std::vector<std::string> PrepareConsole(int argc, char** argv);

// Whether standard error is a terminal.
bool ErrorsGoToTerminal();

#endif  // HTMLMEMDOC_TOOLS_CONSOLE_H_
