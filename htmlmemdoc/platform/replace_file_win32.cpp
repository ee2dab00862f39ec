// replace_file_win32.cpp: replacing a file whole on Windows. The text goes
// to a new named file beside the output, is flushed to disk and then takes
// the output's place: ReplaceFileW for a file that exists, which keeps its
// attributes and access rights, MoveFileExW for a new one. While it is
// written the new file is marked for deletion, so the system removes it if
// the program is ended (Ctrl+C, or killed from outside, when no code of
// ours runs); the mark is taken off only once the text is whole, and
// Ctrl+C waits from then until the file is in place. Only a kill from
// outside in that moment, or in the one between the file's making and
// its mark, leaves it.

#ifdef _WIN32

#include <windows.h>

#include "htmlmemdoc/platform/file_system.h"
#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/platform/replace_file.h"

namespace htmlmemdoc {

using namespace replace_file;

namespace {

// The system's words for `error`, without the closing period and line end.
std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER |
                      FORMAT_MESSAGE_FROM_SYSTEM |
                      FORMAT_MESSAGE_IGNORE_INSERTS;
  if (FormatMessageW(flags, nullptr, error, 0,
                     reinterpret_cast<wchar_t*>(&text), 0, nullptr) == 0) {
    return "error " + std::to_string(error);
  }
  std::string message = Utf8(text);
  LocalFree(text);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' ||
          message.back() == '.' || message.back() == ' '))
    message.pop_back();
  return message;
}

std::string WriteFailure(const std::string& shown, DWORD error) {
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) {
    return "disk full while writing " + shown + " (" + SystemMessage(error) +
           ")";
  }
  return "cannot write " + shown + ": " + SystemMessage(error);
}

bool WriteAll(HANDLE file, const WholeText& text) {
  return WriteText(text, [file](const char* chunk, size_t length) {
    DWORD wrote = 0;
    return WriteFile(file, chunk, static_cast<DWORD>(length), &wrote,
                     nullptr) &&
           wrote == length;
  });
}

// Marks the open `file` to be removed when its last handle closes, or takes
// the mark off.
bool MarkForDeletion(HANDLE file, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                    sizeof disposition) != 0;
}

// Creates a new file beside `target` under a fresh name, known to `guard`,
// and marks it for deletion (`marked`: whether the system took the mark).
HANDLE CreateTemp(const std::string& target, std::string& tempPath,
                  CTempGuard& guard, bool& marked) {
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 10; ++tries) {
    tempPath = TempName(FolderOf(target));
    if (guard.Create(tempPath,
                     [&] {
                       file = CreateFileW(
                           Utf16(tempPath).c_str(), GENERIC_WRITE | DELETE, 0,
                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
                       if (file == INVALID_HANDLE_VALUE) return false;
                       marked = MarkForDeletion(file, true);
                       return true;
                     }) ||
        GetLastError() != ERROR_FILE_EXISTS)
      return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Puts the whole, flushed file `tempPath` in place of `target`.
bool Install(const std::string& tempPath, const std::string& target,
             bool exists) {
  const std::wstring from = Utf16(tempPath);
  const std::wstring to = Utf16(target);
  if (exists && ReplaceFileW(to.c_str(), from.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return true;
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Writes the text to a new file beside `target` and puts it in its place.
std::string Replace(const WholeText& text, const std::string& target,
                    bool exists) {
  std::string tempPath;
  CTempGuard guard;
  bool marked = false;
  const HANDLE file = CreateTemp(target, tempPath, guard, marked);
  if (file == INVALID_HANDLE_VALUE) {
    return "cannot write " + target + ": cannot create a file in " +
           FolderOf(target) + " (" + SystemMessage(GetLastError()) + ")";
  }
  std::string failure;
  if (!WriteAll(file, text) || !FlushFileBuffers(file))
    failure = WriteFailure(target, GetLastError());
  if (failure.empty()) failure = ChangedSince(target, text, target);
  // Unmarked, the file is kept until it is in place; Ctrl+C waits for
  // that. A kill from outside runs no code of ours: in these few calls
  // it leaves the file.
  guard.Settle([&] {
    if (failure.empty() && marked && !MarkForDeletion(file, false))
      failure = WriteFailure(target, GetLastError());
    CloseHandle(file);
    if (failure.empty() && !Install(tempPath, target, exists))
      failure =
          "cannot replace " + target + ": " + SystemMessage(GetLastError());
    if (!failure.empty()) DeleteFileW(Utf16(tempPath).c_str());
  });
  return failure;
}

// Writes a device (NUL, a console, a pipe) as it is, never replaced.
std::string WriteDevice(const WholeText& text, const std::string& path) {
  const HANDLE file = CreateFileW(
      Utf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return WriteFailure(path, GetLastError());
  const bool ok = WriteAll(file, text);
  const DWORD error = GetLastError();
  CloseHandle(file);
  return ok ? "" : WriteFailure(path, error);
}

// Whether `path` is a device rather than a file on disk.
bool IsDevice(const std::string& path) {
  const HANDLE file =
      CreateFileW(Utf16(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type != FILE_TYPE_DISK;
}

}  // namespace

namespace replace_file {
void RemoveInSignal(const char* path) {
  // Utf16 allocates: converted here into a buffer of our own.
  const CCodePageTable* table = CodePageTable();
  const UINT codePage =
      table != nullptr ? static_cast<UINT>(table->number) : CP_UTF8;
  wchar_t wide[4096];
  if (MultiByteToWideChar(codePage, 0, path, -1, wide, 4096) > 0)
    DeleteFileW(wide);
}
}  // namespace replace_file

std::string ReplaceFileWhole(const std::string& path, const WholeText& text) {
  if (text.within != nullptr) {
    WholeText joined = text;
    joined.within = nullptr;
    return ReplaceFileWhole(std::string(text.within) + "\\" + path, joined);
  }
  if (IsDevice(path)) return WriteDevice(text, path);
  const DWORD attributes = GetFileAttributesW(Utf16(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      return WriteFailure(path, error);
    if (text.expected != nullptr) return ChangedSince(path, text, path);
    return Replace(text, path, false);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return "cannot write " + path + ": it is a folder";
  if (attributes & FILE_ATTRIBUTE_READONLY)
    return "cannot write " + path + ": the file is read-only";
  return Replace(text, path, true);
}

}  // namespace htmlmemdoc

#endif  // _WIN32
