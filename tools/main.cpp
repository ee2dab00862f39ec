// main.cpp: the htmlmemdoc command. Parses the command line with CLI11 and
// hands each subcommand to its handler.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "htmlmemdoc/htmlmemdoc.h"
#include "tools/check_command.h"
#include "tools/console.h"
#include "tools/edit_command.h"
#include "tools/editor_program.h"
#include "tools/export_command.h"
#include "tools/page_reader.h"
#include "tools/preview_command.h"
#include "tools/render_command.h"
#include "tools/serve_command.h"
#include "tools/show_command.h"
#include "tools/site_command.h"
#include "tools/sources_command.h"

namespace {

const char kDescription[] =
    "htmlmemdoc reads layout pages kept as HTML, edits them and writes them "
    "back.";

// The options of the commands that write a page.
void AddOutputOptions(CLI::App& command, htmlmemdoc::WriteOptions& out) {
  command
      .add_option("-o,--output", out.output,
                  "Write to OUT (CR LF line ends) instead of standard "
                  "output; OUT is replaced only when the whole page was "
                  "written (- for standard output)")
      ->option_text("OUT");
  command.add_flag("--encode", out.encode,
                   "Replace blank ! $ & ( ) , @ in file references by _");
  command
      .add_option("--base", out.basePath,
                  "Match the letter case of referenced file names to the "
                  "files in the directory of PATH (for example the page "
                  "itself)")
      ->option_text("PATH");
  command.add_flag("--allow-loss", out.allowLoss,
                   "Write the page even when it would lose something it "
                   "holds (what is named on standard error)");
}

// A number of an edit, read as the other front ends read it: a value that
// is no whole number of its range is a refused change, with the reason
// every front end gives.
void AddNumberOption(CLI::App& command, const std::string& name,
                     EditOptions& edit,
                     std::optional<int> htmlmemdoc::PageEdit::*member,
                     const std::string& help) {
  command
      .add_option_function<std::string>(
          name,
          [&edit, member](const std::string& written) {
            const htmlmemdoc::Refusal why =
                htmlmemdoc::SetNumber(edit.edit, member, written);
            if (edit.refusal.empty()) edit.refusal = why.why;
          },
          help)
      ->option_text("N");
}

// "--z-index" for the property "zIndex".
std::string OptionName(const std::string& property) {
  std::string name = "--";
  for (const char c : property) {
    if (c >= 'A' && c <= 'Z')
      name += {'-', static_cast<char>(c - 'A' + 'a')};
    else
      name += c;
  }
  return name;
}

// --json FILE and --html FILE, the report's two forms written to files.
void AddReportOptions(CLI::App& command, std::string& json, std::string& html) {
  command.add_option("--json", json, "Write the report as JSON to FILE")
      ->option_text("FILE");
  command
      .add_option("--html", html, "Write the report as an HTML page to FILE")
      ->option_text("FILE");
}

// An option for each property a change can set, as every front end names
// them.
void AddChangeOptions(CLI::App& command, EditOptions& edit) {
  for (const htmlmemdoc::EditProperty& property :
       htmlmemdoc::EditProperties()) {
    const std::string name = OptionName(property.name);
    if (property.number) {
      AddNumberOption(command, name, edit, property.number, property.about);
      continue;
    }
    CLI::Option* option =
        command.add_option(name, edit.edit.*property.text, property.about);
    if (property.text == &htmlmemdoc::PageEdit::visibility)
      option->check(CLI::IsMember({"visible", "hidden"}));
    if (property.text == &htmlmemdoc::PageEdit::text) {
      option->description(std::string(property.about) + " (--text= empties it)")
          ->expected(0, 1)
          ->default_str("");
    }
  }
}

// A command holds a page's text, its document and its rendering in turn,
// each about the size of the page. Blocks of that size freed stay in the
// heap instead of going back to the system, so the next one reuses memory
// already touched rather than faulting in fresh zeroed pages.
void ReuseLargeBlocks() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);  // the most glibc takes
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  ReuseLargeBlocks();
  CLI::App app{kDescription, "htmlmemdoc"};
  app.set_version_flag("--version",
                       std::string("htmlmemdoc ") + HtmlMemDocVersion());
  app.require_subcommand(1);
  std::string codePage = "utf-8";
  std::vector<std::string> codePages;
  for (const auto& known : kCodePageNames) codePages.push_back(known.first);
  app.add_option("--code-page", codePage,
                 "The code page of the pages' bytes from 0x80 up: utf-8 "
                 "(the default), 932 (Shift-JIS), 936 (GBK), 949 (Korean), "
                 "950 (Big5), or on Windows system (the system's)")
      ->check(CLI::IsMember(codePages))
      ->option_text("CP");
  // Options start with "-" on every system: on Windows CLI11 would also
  // take "/name" for one, and a path like "/pages/a.htm" is not.
  app.allow_windows_style_options(false);
  app.footer(
      "Exit codes: 0 success; 1 a page has a syntax error, or a change or "
      "listing could not be made (nothing is written then); 2 bad usage, or "
      "a file that cannot be read or written.");

  std::vector<std::string> checkPages;
  bool checkJson = false;
  CLI::App* check = app.add_subcommand(
      "check",
      "Read each page; report why one does not read, and what writing it "
      "back would lose");
  check
      ->add_option("PAGE", checkPages,
                   "Pages to read; a directory stands for the .htm and "
                   ".html pages below it")
      ->required();
  check->add_flag("--json", checkJson, "Print JSON instead of text");

  RenderOptions render;
  CLI::App* renderCommand = app.add_subcommand(
      "render", "Read a page and write it back in the library's layout");
  renderCommand
      ->add_option("PAGE", render.page, "Page to read (- for standard input)")
      ->required();
  AddOutputOptions(*renderCommand, render.out);

  EditOptions edit;
  CLI::App* editCommand = app.add_subcommand(
      "edit", "Change a layer or the page and write the page as render does");
  editCommand
      ->add_option("PAGE", edit.page, "Page to read (- for standard input)")
      ->required();
  editCommand->add_option("--layer", edit.edit.layer,
                          "The layer to change: the id of its div");
  AddChangeOptions(*editCommand, edit);
  editCommand->add_flag("--no-sound", edit.edit.noSound,
                        "Remove the page's background sound");
  editCommand->add_flag("--remove", edit.edit.remove,
                        "Take the layer out of the page (no other change)");
  AddOutputOptions(*editCommand, edit.out);

  PreviewOptions preview;
  CLI::App* previewCommand = app.add_subcommand(
      "preview", "Take a picture of the page in headless Chromium (PNG)");
  previewCommand
      ->add_option("PAGE", preview.page, "Page to read (- for standard input)")
      ->required();
  previewCommand->add_option("-o,--output", preview.output, "The PNG file")
      ->required();
  previewCommand
      ->add_option("--width", preview.width,
                   "Browser window width, in pixels (1024)")
      ->check(CLI::Range(16, 8192));
  previewCommand
      ->add_option("--height", preview.height,
                   "Browser window height, in pixels (768)")
      ->check(CLI::Range(16, 8192));

  std::string showPage;
  bool asJson = false;
  CLI::App* show = app.add_subcommand(
      "show", "Print what the library reads from a page: head, frames, layers");
  show->add_option("PAGE", showPage, "Page to read (- for standard input)")
      ->required();
  show->add_flag("--json", asJson, "Print JSON instead of text");

  std::vector<std::string> sourcesPages;
  bool imagesOnly = false;
  bool allReferences = false;
  CLI::App* sources = app.add_subcommand(
      "sources", "List every file the pages refer to, each once per page");
  sources
      ->add_option("PAGE", sourcesPages,
                   "Pages to read; a directory stands for the .htm and "
                   ".html pages below it")
      ->required();
  CLI::Option* images = sources->add_flag(
      "--images", imagesOnly,
      "List the image layers' sources instead, one per layer");
  sources
      ->add_flag("--all", allReferences,
                 "List every reference site checks: also video, frame and "
                 "script sources, every tag's background and layer links")
      ->excludes(images);

  SiteOptions site;
  CLI::App* siteCommand = app.add_subcommand(
      "site",
      "Check every file reference of the pages below DIR against the files "
      "there; with --fix, make them name the files on disk");
  siteCommand->add_option("DIR", site.root, "The site's root folder")
      ->required();
  AddReportOptions(*siteCommand, site.json, site.html);
  siteCommand
      ->add_option("--sarif", site.sarif,
                   "Write the problems as a SARIF 2.1.0 log to FILE, for "
                   "code-scanning services")
      ->option_text("FILE");
  siteCommand
      ->add_option("--junit", site.junit,
                   "Write the pages as JUnit XML test cases to FILE, for CI "
                   "test reports")
      ->option_text("FILE");
  siteCommand->add_flag("--verbose", site.verbose,
                        "Also list the references that are ok or external");
  CLI::Option* fixFlag =
      siteCommand->add_flag("--fix", site.fix,
                            "Rewrite the pages whose references name a file in "
                            "another letter case (each replaced only once "
                            "written whole)");
  for (CLI::Option* option :
       {siteCommand->add_flag("--encode", site.fixOptions.encode,
                              "With --fix: also replace blank ! $ & ( ) , @ "
                              "in references by _ and rename the files to "
                              "match"),
        siteCommand->add_flag("--dry-run", site.fixOptions.dryRun,
                              "With --fix: print the changes as a unified "
                              "diff and write nothing"),
        siteCommand->add_flag("--allow-loss", site.fixOptions.allowLoss,
                              "With --fix: accepted for older scripts; a fix "
                              "changes only the references' bytes, so it "
                              "never loses anything")}) {
    option->needs(fixFlag);
  }

  ExportCommandOptions exportOptions;
  CLI::App* exportCommand = app.add_subcommand(
      "export",
      "Write a copy of the site below DIR that plays in a current browser: "
      "sounds and movies converted, Flash given a player, the look kept");
  exportCommand->add_option("DIR", exportOptions.root, "The site's root folder")
      ->required();
  exportCommand
      ->add_option("-o,--output", exportOptions.out,
                   "The folder to write (made when missing); not inside DIR")
      ->required()
      ->option_text("OUT");
  exportCommand
      ->add_option("--media", exportOptions.media,
                   "convert (the default) what a browser cannot play, or "
                   "copy it as it is")
      ->check(CLI::IsMember({"convert", "copy"}));
  exportCommand
      ->add_option("--audio-format", exportOptions.audio,
                   "What sounds are converted to: opus (the default) or mp3")
      ->check(CLI::IsMember({"opus", "mp3"}));
  exportCommand->add_flag("--no-flash", exportOptions.noFlash,
                          "Leave Flash movies without a player (reported)");
  AddReportOptions(*exportCommand, exportOptions.json, exportOptions.html);
  exportCommand
      ->add_option("--jobs", exportOptions.jobs,
                   "How many pages and files at once (default: one per core)")
      ->check(CLI::Range(1u, 256u));

#if defined(HTMLMEMDOC_HAS_EDITOR) || defined(HTMLMEMDOC_EDITOR_FROM_TOOL)
  ServeOptions serve;
  CLI::App* serveCommand = app.add_subcommand(
      "serve",
      "Edit the pages below DIR in the browser: prints the address of an "
      "editor that only this computer can reach");
  serveCommand->add_option("DIR", serve.root, "The folder of the pages")
      ->required();
  serveCommand
      ->add_option("--port", serve.port,
                   "The port to listen on (default: any free one)")
      ->check(CLI::Range(0, 65535));
#endif

  try {
    app.parse(PrepareConsole(argc, argv));
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : kExitUsage;
  }

  if (codePage == "system" && HtmlMemDocGetCodePage() == HTMLMEMDOC_CP_UTF8 &&
      HtmlMemDocSetCodePage(HTMLMEMDOC_CP_SYSTEM) != 0) {
    std::fprintf(stderr,
                 "htmlmemdoc: --code-page system follows Windows' code page; "
                 "here name the page's code page\n");
    return kExitUsage;
  }

  // Whatever a command throws becomes a message and exit code 2.
  try {
    if (check->parsed()) return RunCheck(checkPages, checkJson);
    if (renderCommand->parsed()) return RunRender(render);
    if (editCommand->parsed()) return RunEdit(edit);
    if (previewCommand->parsed()) return RunPreview(preview);
    if (show->parsed()) return RunShow(showPage, asJson);
    if (sources->parsed())
      return RunSources(sourcesPages, imagesOnly      ? SourcesKind::kImages
                                      : allReferences ? SourcesKind::kAll
                                                      : SourcesKind::kFiles);
    if (siteCommand->parsed()) return RunSite(site);
    if (exportCommand->parsed()) return RunExport(exportOptions);
#if defined(HTMLMEMDOC_HAS_EDITOR)
    if (serveCommand->parsed()) return RunServe(serve);
#elif defined(HTMLMEMDOC_EDITOR_FROM_TOOL)
    if (serveCommand->parsed()) return RunEditorProgram(argv);
#endif
  } catch (CFileException* error) {
    std::fprintf(stderr, "htmlmemdoc: %s\n",
                 static_cast<const char*>(error->GetErrorMessage()));
    error->Delete();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "htmlmemdoc: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "htmlmemdoc: an unexpected error ended the command\n");
  }
  return kExitUsage;
}
