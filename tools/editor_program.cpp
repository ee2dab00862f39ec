// editor_program.cpp: finds the editor program beside the tool (a build
// tree) or where the installation puts it, relative to the tool's own
// place, and runs it in the tool's place.

#include "tools/editor_program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/page_reader.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

const char kProgram[] = "htmlmemdoc-editor";

// The folder of the running program, "" when it cannot be known.
std::string OwnFolder() {
#ifdef _WIN32
  return "";
#else
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  const std::string own(path, static_cast<size_t>(length));
  return own.substr(0, own.rfind('/'));
#endif
}

}  // namespace

int RunEditorProgram(char** argv) {
  const std::string folder = OwnFolder();
  const std::string places[] = {
      folder + "/" + kProgram,
      folder + "/" HTMLMEMDOC_EDITOR_FROM_TOOL "/" + kProgram};
  int error = ENOENT;
  const std::string* failed = &places[1];  // where it is installed
#ifndef _WIN32
  for (const std::string& place : places) {
    if (folder.empty()) break;
    argv[0] = const_cast<char*>(place.c_str());
    execv(place.c_str(), argv);
    if (errno != ENOENT && error == ENOENT) {
      error = errno;  // the one that is there but does not start
      failed = &place;
    }
  }
#endif
  std::fprintf(stderr,
               "htmlmemdoc: cannot start the editor: %s (%s, installed with "
               "the tool)\n",
               std::strerror(error), failed->c_str());
  return kExitUsage;
}
