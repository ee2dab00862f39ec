// run_program.cpp: posix_spawn and waitpid, or CreateProcessW and
// WaitForSingleObject on Windows.

#include "tools/run_program.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "htmlmemdoc/platform/file_system.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

#ifdef _WIN32
const char kPathSeparator = ';';
const char* const kProgramSuffixes[] = {"", ".exe"};
#else
const char kPathSeparator = ':';
const char* const kProgramSuffixes[] = {""};
#endif

bool IsProgram(const std::filesystem::path& candidate) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(candidate, error)) return false;
#ifdef _WIN32
  return true;
#else
  return access(candidate.c_str(), X_OK) == 0;
#endif
}

}  // namespace

std::string FindProgram(const std::vector<std::string>& names) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  for (const std::string& name : names) {
    for (size_t start = 0; start <= dirs.size();) {
      const size_t end = std::min(dirs.find(kPathSeparator, start), dirs.size());
      const std::string dir = dirs.substr(start, end - start);
      for (const char* suffix : kProgramSuffixes) {
        const std::string candidate =
            (dir.empty() ? "." : dir) + "/" + name + suffix;
        if (IsProgram(candidate)) return candidate;
      }
      start = end + 1;
    }
  }
  return std::string();
}

#ifdef _WIN32

namespace {

// One argument quoted for CommandLineToArgvW's rules.
std::wstring Quoted(const std::string& arg) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : htmlmemdoc::Utf16(arg)) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

bool RunProgram(const std::string& program,
                const std::vector<std::string>& args, int seconds) {
  std::wstring line = Quoted(program);
  for (const std::string& arg : args) line += L" " + Quoted(arg);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(htmlmemdoc::Utf16(program).c_str(), &line[0], nullptr,
                      nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess,
                          static_cast<DWORD>(seconds) * 1000) ==
      WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  CloseHandle(process.hProcess);
  return code == 0;
}

#else

bool RunProgram(const std::string& program,
                const std::vector<std::string>& args, int seconds) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                  argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif
