// page_reader.cpp: the tool's side of reading a page: exit codes and the
// line that names the page and its problem.

#include "tools/page_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "htmlmemdoc/pages/page/read_problem.h"

using htmlmemdoc::PageFile;
using htmlmemdoc::PageProblem;

void SayCannotRead(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "htmlmemdoc: cannot read %s: %s\n",
               htmlmemdoc::ShownName(path, ":").c_str(), reason.c_str());
}

int ExitCodeOf(const PageProblem& problem) {
  switch (problem.kind) {
    case PageProblem::kNone:
      return kExitOk;
    case PageProblem::kUnreadable:
      return kExitUsage;
    default:
      return kExitPageFailed;
  }
}

std::string ProblemLine(const PageFile& page) {
  const std::string name = htmlmemdoc::ShownName(page.path, ":");
  if (page.problem.kind == PageProblem::kUnreadable) {
    return "htmlmemdoc: cannot read " + name + ": " + page.problem.message;
  }
  return name + ":" + htmlmemdoc::DescribeProblem(page.problem);
}

PageFile ReadPageArgument(const std::string& path) {
  if (path != "-") return htmlmemdoc::ReadPageFile(path);
  std::string bytes;
  if (!htmlmemdoc::ReadStreamBytes(stdin, bytes)) {
    PageFile page;
    page.path = path;
    page.problem.kind = PageProblem::kUnreadable;
    page.problem.message =
        "standard input: " + std::string(std::strerror(errno));
    return page;
  }
  return htmlmemdoc::PageFileOf(path, std::move(bytes));
}

int ReadPageOrSay(const std::string& path, PageFile& page,
                  CHtmlMemDoc& document) {
  page = ReadPageArgument(path);
  if (page.Ok()) htmlmemdoc::LoadPage(page, document);
  if (!page.Ok()) std::fprintf(stderr, "%s\n", ProblemLine(page).c_str());
  return ExitCodeOf(page.problem);
}
