// console.cpp: the wide command line, binary streams and the UTF-8
// console on Windows; argv as it is elsewhere.

#include "tools/console.h"

#include <htmlmemdoc/htmlmemdoc.h>

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

const std::vector<std::pair<std::string, int>> kCodePageNames = {
    {"utf-8", HTMLMEMDOC_CP_UTF8}, {"932", 932}, {"936", 936},
    {"949", 949},                  {"950", 950}, {"system", HTMLMEMDOC_CP_SYSTEM}};

namespace {

// Sets the code page --code-page names in `argv`, if it names one.
void SetCodePageOf(int argc, char** argv) {
  const std::string option = "--code-page";
  for (int i = 1; i < argc; ++i) {
    std::string name;
    if (argv[i] == option && i + 1 < argc) {
      name = argv[i + 1];
    } else if (std::string(argv[i]).rfind(option + "=", 0) == 0) {
      name = argv[i] + option.size() + 1;
    }
    for (const auto& known : kCodePageNames) {
      if (known.first == name) HtmlMemDocSetCodePage(known.second);
    }
  }
}

}  // namespace

std::vector<std::string> PrepareConsole(int argc, char** argv) {
  SetCodePageOf(argc, argv);
  std::vector<std::string> args;
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(static_cast<UINT>(HtmlMemDocGetCodePage()));
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
