// run_program.cpp: posix_spawn, a pipe read while it runs and waitpid, or
// CreateProcessW and WaitForSingleObject on Windows.

#include "htmlmemdoc/pages/export/run_program.h"

#include <algorithm>
#include <cerrno>
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
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "htmlmemdoc/platform/replace_file.h"

extern char** environ;
#endif

namespace htmlmemdoc {
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
      const size_t end =
          std::min(dirs.find(kPathSeparator, start), dirs.size());
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
  for (wchar_t c : Utf16(arg)) {
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

ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& args, int seconds,
                      const std::vector<std::string>&) {
  ProgramRun run;
  std::wstring line = Quoted(program);
  for (const std::string& arg : args) line += L" " + Quoted(arg);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(Utf16(program).c_str(), &line[0], nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
    run.why = "cannot be started";
    return run;
  }
  CloseHandle(process.hThread);
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(seconds) *
                                                1000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
    run.exited = true;
    run.ok = code == 0;
    if (!run.ok) run.why = "exited with " + std::to_string(code);
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    run.why = "took longer than " + std::to_string(seconds) + " s";
  }
  CloseHandle(process.hProcess);
  return run;
}

#else

namespace {

// The last non-blank line of `errors`.
std::string LastLine(const std::string& errors) {
  size_t end = errors.find_last_not_of(" \t\r\n");
  if (end == std::string::npos) return std::string();
  const size_t begin = errors.find_last_of("\r\n", end);
  return errors.substr(begin == std::string::npos ? 0 : begin + 1,
                       end + 1 - (begin == std::string::npos ? 0 : begin + 1));
}

// Keeps the last 4 KB of what the child writes to `fd` until it closes it
// or `deadline` passes; false on the deadline.
bool ReadErrors(int fd, std::chrono::steady_clock::time_point deadline,
                std::string& errors) {
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready = {fd, POLLIN, 0};
    const int polled = poll(&ready, 1, static_cast<int>(left.count()));
    if (polled < 0 && errno != EINTR) return true;
    if (polled <= 0) continue;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
    errors.append(buffer, static_cast<size_t>(got));
    if (errors.size() > 8192) errors.erase(0, errors.size() - 4096);
  }
}

// This program's environment with the variables `environment` names
// replaced by its own; the strings stay owned by `environ` and the list.
std::vector<char*> ChildEnvironment(
    const std::vector<std::string>& environment) {
  std::vector<char*> envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable(*entry);
    const std::string name = variable.substr(0, variable.find('=') + 1);
    const bool replaced = std::any_of(
        environment.begin(), environment.end(), [&](const std::string& own) {
          return own.compare(0, name.size(), name) == 0;
        });
    if (!replaced) envp.push_back(*entry);
  }
  for (const std::string& own : environment)
    envp.push_back(const_cast<char*>(own.c_str()));
  envp.push_back(nullptr);
  return envp;
}

}  // namespace

ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& args, int seconds,
                      const std::vector<std::string>& environment) {
  ProgramRun run;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    run.why = "cannot be started";
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null",
                                   O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
  pid_t pid = 0;
  std::vector<char*> envp = ChildEnvironment(environment);
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                  argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    run.why = "cannot be started";
    return run;
  }
  // A signal that ends this program ends the child too.
  const replace_file::CChildGuard child(pid);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::string errors;
  const bool inTime = ReadErrors(pipeEnds[0], deadline, errors);
  close(pipeEnds[0]);
  int status = 0;
  pid_t waited = 0;
  while (inTime && (waited = waitpid(pid, &status, WNOHANG)) == 0) {
    if (std::chrono::steady_clock::now() > deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!inTime || waited == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    run.why = "took longer than " + std::to_string(seconds) + " s";
    return run;
  }
  if (waited != pid) {  // reaped elsewhere: a signal ending this program
    run.why = "ended with this program";
    return run;
  }
  run.exited = WIFEXITED(status);
  run.ok = run.exited && WEXITSTATUS(status) == 0;
  if (!run.ok) {
    run.why = WIFEXITED(status)
                  ? "exited with " + std::to_string(WEXITSTATUS(status))
                  : "ended by signal " + std::to_string(WTERMSIG(status));
    const std::string last = LastLine(errors);
    if (!last.empty()) run.why += ": " + last;
  }
  return run;
}

#endif

}  // namespace htmlmemdoc
