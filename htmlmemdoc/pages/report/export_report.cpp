// export_report.cpp: the three forms are built from the same counts and
// the same phrases for each page and each file.

#include "htmlmemdoc/pages/report/export_report.h"

#include "htmlmemdoc/pages/page/read_problem.h"
#include "htmlmemdoc/pages/report/page_outcome.h"
#include "htmlmemdoc/pages/text/text_util.h"

using nlohmann::json;

namespace htmlmemdoc {
namespace {

// `text` fit for the HTML page, which is UTF-8: a text that is not UTF-8
// (a file name, say) is shown escaped.
std::string Html(const std::string& text) {
  return EscapeHtml(IsUtf8(text) ? text : ShownName(text, ""));
}

json Nullable(const std::string& text) {
  return text.empty() ? json(nullptr) : json(text);
}

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The summary's counts, by the names the JSON and the HTML give them.
std::vector<std::pair<const char*, size_t>> SummaryCounts(
    const ExportReport& report) {
  const ExportCounts counts = CountExport(report);
  return {{"pages", counts.pages},
          {"unreadablePages", counts.unreadablePages},
          {"written", counts.written},
          {"layers", counts.layers},
          {"converted", counts.converted},
          {"copied", counts.copied},
          {"failed", counts.failed},
          {"cannotPlay", counts.cannotPlay},
          {"silent", counts.silentUses},
          {"files", report.files},
          {"filesCopied", report.filesCopied}};
}

std::string SummaryLine(const ExportReport& report) {
  const ExportCounts counts = CountExport(report);
  std::string line = ShownName(report.root, ":") + " -> " +
                     ShownName(report.out, ":") + ": " +
                     Count(counts.pages, "page", "pages");
  if (counts.unreadablePages > 0)
    line +=
        " (" + std::to_string(counts.unreadablePages) + " more do not read)";
  line += ", " + Count(counts.layers, "layer", "layers") + ", " +
          std::to_string(counts.written) +
          " written; media: " + std::to_string(counts.converted) +
          " converted, " + std::to_string(counts.copied) + " copied, " +
          std::to_string(counts.failed) + " failed, " +
          std::to_string(counts.cannotPlay) + " cannot play; " +
          Count(report.files, "file", "files") + " copied (" +
          std::to_string(report.filesCopied) + " new)";
  return line;
}

// What became of a page that does not read: copied as it is, unless it
// cannot be read at all (then it is among the files not copied).
std::string NotReadText(const PageProblem& problem) {
  if (problem.kind == PageProblem::kUnreadable)
    return "cannot be read: " + problem.message;
  return "does not read: " + DescribeProblem(problem) + "; copied as it is";
}

// What a sound, movie or plug-in of a page became, in a phrase.
std::string UseText(const MediaUse& use) {
  std::string text = use.element + (use.id.empty() ? "" : " " + use.id) + " " +
                     use.source + ": ";
  if (!use.plays) return text + "will not play: " + use.why;
  if (use.became.empty()) return text + "kept";
  return text + "<" + (use.became == "flash" ? "embed" : use.became) + "> " +
         use.value + (use.became == "flash" ? " (Flash player)" : "");
}

std::string MediaText(const ExportedMedia& media) {
  std::string text =
      std::string(MediaStateName(media.state)) + ": " + media.source;
  if (media.state == ExportedMedia::kConverted) text += " -> " + media.path;
  if (!media.why.empty()) text += ": " + media.why;
  return text;
}

json UseJson(const MediaUse& use) {
  return {{"element", use.element},  {"id", Nullable(use.id)},
          {"source", use.source},    {"became", Nullable(use.became)},
          {"value", use.value},      {"plays", use.plays},
          {"why", Nullable(use.why)}};
}

json PageJson(const ExportedPage& page) {
  json entry = {{"page", page.path}, {"readable", page.file.Ok()}};
  if (!page.file.Ok()) {
    entry["problem"] = ProblemJson(page.file.problem);
    return entry;
  }
  json media = json::array();
  for (const MediaUse& use : page.page.media) media.push_back(UseJson(use));
  entry.update({{"written", page.written},
                {"layers", page.page.layers},
                {"charsetAdded", page.page.charsetAdded},
                {"casesFixed", page.page.casesFixed},
                {"flash", page.page.flash},
                {"media", media}});
  AddRefusal(entry, page.refusal ? page.refusal : page.page.refusal);
  return entry;
}

json MediaJson(const ExportedMedia& media) {
  return {{"source", media.source},
          {"path", media.path},
          {"kind", MediaKindName(media.kind)},
          {"state", MediaStateName(media.state)},
          {"redone", media.redone},
          {"why", Nullable(media.why)}};
}

// What the export did to a page, in phrases for the HTML report.
std::vector<std::string> PageChanges(const ExportedPage& page) {
  std::vector<std::string> changes;
  if (!page.file.Ok()) {
    changes.push_back(NotReadText(page.file.problem));
    return changes;
  }
  for (const MediaUse& use : page.page.media) changes.push_back(UseText(use));
  if (page.page.charsetAdded) changes.push_back("character set declared");
  if (page.page.casesFixed > 0)
    changes.push_back(Count(page.page.casesFixed, "reference", "references") +
                      " set to the letter case on disk");
  const Refusal& refusal = page.refusal ? page.refusal : page.page.refusal;
  if (refusal) changes.push_back("not rewritten: " + refusal.why);
  return changes;
}

}  // namespace

std::string ExportReportText(const ExportReport& report) {
  if (report.refusal) return "htmlmemdoc: " + report.refusal.why + "\n";
  std::string text = SummaryLine(report) + "\n";
  for (const ExportedPage& page : report.pages) {
    std::string lines;
    if (!page.file.Ok()) {
      lines = "  " + NotReadText(page.file.problem) + "\n";
    }
    for (const MediaUse& use : page.page.media)
      if (!use.plays) lines += "  " + UseText(use) + "\n";
    const Refusal& refusal = page.refusal ? page.refusal : page.page.refusal;
    if (refusal) lines += "  not rewritten: " + refusal.why + "\n";
    if (!lines.empty()) text += ShownName(page.path, ":") + ":\n" + lines;
  }
  for (const ExportedMedia& media : report.media)
    if (media.state == ExportedMedia::kFailed ||
        media.state == ExportedMedia::kCannotPlay)
      text += MediaText(media) + "\n";
  for (const auto& [path, refusal] : report.notCopied)
    text += "not copied: " + ShownName(path, ":") + ": " + refusal.why + "\n";
  return text;
}

json ExportReportJson(const ExportReport& report) {
  json out = {{"version", 1},
              {"generator", "htmlmemdoc export report"},
              {"site", report.root},
              {"export", report.out}};
  AddRefusal(out, report.refusal);
  out["summary"] = json::object();
  for (const auto& [name, count] : SummaryCounts(report))
    out["summary"][name] = count;
  out["converters"] = {{"ffmpeg", Nullable(report.converters.ffmpeg)},
                       {"fluidsynth", Nullable(report.converters.fluidsynth)},
                       {"soundfont", Nullable(report.converters.soundfont)}};
  json pages = json::array(), media = json::array(), notCopied = json::array();
  for (const ExportedPage& page : report.pages) pages.push_back(PageJson(page));
  for (const ExportedMedia& file : report.media)
    media.push_back(MediaJson(file));
  for (const auto& [path, refusal] : report.notCopied) {
    json entry = {{"path", path}};
    AddRefusal(entry, refusal);
    notCopied.push_back(entry);
  }
  out["pages"] = pages;
  out["media"] = media;
  out["notCopied"] = notCopied;
  return out;
}

std::string ExportReportHtml(const ExportReport& report) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Export report: " +
      Html(report.root) +
      "</title>\n"
      "<style>\nbody { font: 14px/1.4 sans-serif; margin: 2em; }\n"
      "table { border-collapse: collapse; margin-bottom: 2em; }\n"
      "th, td { border: 1px solid #bbb; padding: 0.2em 0.6em; text-align: "
      "left; vertical-align: top; }\nth { background: #eee; }\n"
      ".silent { color: #b00020; }\nul { margin: 0; padding-left: 1.2em; }\n"
      "</style>\n</head>\n<body>\n<h1>Export report: " +
      Html(report.root) + " to " + Html(report.out) +
      "</h1>\n<table id=\"counts\">\n";
  for (const auto& [name, count] : SummaryCounts(report))
    html += std::string("<tr><th>") + name + "</th><td data-count=\"" + name +
            "\">" + std::to_string(count) + "</td></tr>\n";
  html +=
      "</table>\n<h2>Pages</h2>\n<table id=\"pages\">\n"
      "<tr><th>page</th><th>written</th><th>what changed</th></tr>\n";
  for (const ExportedPage& page : report.pages) {
    html += "<tr><td>" + Html(page.path) + "</td><td>" +
            (page.written ? "yes" : "no") + "</td><td><ul>";
    for (const std::string& change : PageChanges(page))
      html += "<li>" + Html(change) + "</li>";
    html += "</ul></td></tr>\n";
  }
  html +=
      "</table>\n<h2>Media</h2>\n<table id=\"media\">\n"
      "<tr><th>file</th><th>kind</th><th>what became of it</th></tr>\n";
  for (const ExportedMedia& media : report.media) {
    const bool silent = media.state == ExportedMedia::kFailed ||
                        media.state == ExportedMedia::kCannotPlay;
    html += std::string("<tr") + (silent ? " class=\"silent\"" : "") + "><td>" +
            Html(media.source) + "</td><td>" + MediaKindName(media.kind) +
            "</td><td>" + Html(MediaText(media)) + "</td></tr>\n";
  }
  return html + "</table>\n</body>\n</html>\n";
}

}  // namespace htmlmemdoc
