// console.cpp: the wide command line, binary streams and the UTF-8
// console on Windows; argv as it is elsewhere.

#include "tools/console.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include "htmlmemdoc/platform/file_system.h"
#else
#include <unistd.h>
#endif

std::vector<std::string> PrepareConsole(int argc, char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i)
    args.push_back(htmlmemdoc::Utf8(wide[i]));
  LocalFree(wide);
#else
  args.assign(argv + std::min(argc, 1), argv + argc);
#endif
  std::reverse(args.begin(), args.end());
  return args;
}

bool ErrorsGoToTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}
