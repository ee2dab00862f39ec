// main.cpp: the htmlmemdoc command. Parses the command line with CLI11 and
// hands each subcommand to its handler.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "tools/check_command.h"

namespace {

const char kDescription[] =
    "htmlmemdoc reads layout pages kept as HTML, edits them and writes them "
    "back.";

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{kDescription, "htmlmemdoc"};
  app.set_version_flag("--version",
                       std::string("htmlmemdoc ") + HTMLMEMDOC_VERSION);
  app.require_subcommand(1);

  std::vector<std::string> checkPages;
  CLI::App* check = app.add_subcommand(
      "check", "Read each page and report the first syntax error, if any");
  check->add_option("PAGE", checkPages, "Pages to read")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : kExitUsage;
  }

  if (check->parsed()) return RunCheck(checkPages);
  return kExitUsage;
}
