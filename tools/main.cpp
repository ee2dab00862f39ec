// main.cpp: the htmlmemdoc command. Parses the command line with CLI11 and
// hands each subcommand to its handler.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "tools/check_command.h"
#include "tools/files_command.h"
#include "tools/page_reader.h"
#include "tools/render_command.h"

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

  RenderOptions render;
  CLI::App* renderCommand = app.add_subcommand(
      "render", "Read a page and write it back in the library's layout");
  renderCommand->add_option("PAGE", render.page, "Page to read")->required();
  renderCommand->add_option(
      "-o,--output", render.output,
      "Write to OUT (CR LF line ends) instead of standard output; OUT is "
      "replaced only when the whole page was written");
  renderCommand->add_flag("--encode", render.encode,
                          "Replace blank ! $ & ( ) , @ in file references "
                          "by _");
  renderCommand->add_option(
      "--base", render.basePath,
      "Match the letter case of referenced file names to the files in the "
      "directory of PATH (for example the page itself)");

  std::string filesPage;
  bool imagesOnly = false;
  CLI::App* files = app.add_subcommand(
      "files", "List every file the page refers to, each once");
  files->add_option("PAGE", filesPage, "Page to read")->required();
  files->add_flag("--images", imagesOnly,
                  "List the image layers' sources instead, one per layer");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : kExitUsage;
  }

  if (check->parsed()) return RunCheck(checkPages);
  if (renderCommand->parsed()) return RunRender(render);
  if (files->parsed()) return RunFiles(filesPage, imagesOnly);
  return kExitUsage;
}
