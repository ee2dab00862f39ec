// read_problem.cpp: the reader stops with its cursor somewhere in or after
// the thing it cannot take (a tag name read, a block's end looked for).
// The thing itself is what a person needs to see: it starts at the last
// "<" between the end of what the read kept and the cursor, and whether it
// stands in the head or among the layers follows from the read record.

#include "htmlmemdoc/pages/page/read_problem.h"

#include <algorithm>

namespace htmlmemdoc {
namespace {

// Where the thing at the fault starts: the last "<" after the last item the
// read recorded and not after the fault itself.
size_t ThingStart(const std::string& text, const CHtmlMemDoc& document,
                  size_t fault) {
  const int count = document.GetReadItemCount();
  const size_t kept =
      count > 0 ? static_cast<size_t>(document.GetReadItem(count - 1)->end) : 0;
  const size_t lt = text.rfind('<', fault < text.size() ? fault : text.size());
  return lt != std::string::npos && lt >= kept ? lt : fault;
}

// The thing that starts at `start`: a tag up to its ">", a comment's
// opening, or a run of text, cut short when long.
std::string ThingAt(const std::string& text, size_t start) {
  if (start >= text.size()) return "the end of the page";
  if (text.compare(start, 4, "<!--") == 0) return "a comment";
  const size_t kLongest = 40;
  size_t end =
      text[start] == '<' ? text.find('>', start) : text.find('<', start);
  end = end == std::string::npos ? text.size() : end + (text[start] == '<');
  std::string thing = text.substr(start, std::min(end - start, kLongest));
  std::replace(thing.begin(), thing.end(), '\n', ' ');
  if (end - start > kLongest) thing += "...";
  return text[start] == '<' ? thing : "text \"" + thing + "\"";
}

// True when the read had come to the body when it stopped.
bool InBody(const CHtmlMemDoc& document) {
  for (int i = document.GetReadItemCount() - 1; i >= 0; --i) {
    const CHtmlReadItem& item = *document.GetReadItem(i);
    if (item.kind == HtmlReadElement && item.element == &document.m_body) {
      return true;
    }
  }
  return false;
}

// What a page that does not start right starts with.
std::string PageStart(const std::string& text, size_t start) {
  if (text.compare(start, 3, "\xEF\xBB\xBF") == 0) return "a byte-order mark";
  std::string first = ThingAt(text, start);
  if (first.size() > 9 && first.compare(0, 9, "<!DOCTYPE") == 0) {
    return "a <!DOCTYPE> declaration";
  }
  return first;
}

// The line and column of `offset` in `text`, a tab counting as one column.
void Locate(const std::string& text, size_t offset, int& line, int& column) {
  line = 1;
  column = 1;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
}

const char* Expected(HtmlReadReason reason, bool inBody,
                     const std::string& found) {
  switch (reason) {
    case HtmlReadNotAPage:
      return "a layout page starts with exactly <html> or <HTML>";
    case HtmlReadUnknownTag:
      if (found == "a comment") {
        return "a layout page holds comments only between its layers";
      }
      return inBody ? "after its layers a layout page holds only end tags"
                    : "a layout page's head holds title, meta, style and "
                      "script only";
    case HtmlReadMixedCase:
      return "a tag's name is written all in lower or all in upper case";
    case HtmlReadUnclosedTag:
      return "a tag ends with >";
    case HtmlReadMissingEndTag:
      return "an element, layer or comment ends before the page does";
    case HtmlReadTooLong:
      return "an element holds at most 8192 bytes (a script 65535)";
    case HtmlReadBodyContent:
      return "a layout page's body holds only <div> layers, comments and "
             "</body>";
    case HtmlReadRefusedLayer:
      return "a layer that plays audio through <embed> needs the mastersound "
             "attribute";
    case HtmlReadRefusedRule:
      return "a style rule is a name and { property: value; ... }";
    default:
      return "a layout page";
  }
}

}  // namespace

PageProblem DescribeRefusal(const std::string& text,
                            const CHtmlMemDoc& document) {
  const CHtmlReadError& error = document.GetReadError();
  PageProblem problem;
  problem.kind = PageProblem::kRefused;
  problem.reason = error.reason;
  const size_t fault = static_cast<size_t>(error.offset);
  const bool inBody = InBody(document);
  size_t start = fault;
  if (error.reason == HtmlReadNotAPage) {
    problem.found = "not a page: it starts with " + PageStart(text, start);
  } else {
    start = ThingStart(text, document, fault);
    problem.found = ThingAt(text, start);
    if (error.reason == HtmlReadUnknownTag && problem.found != "a comment") {
      problem.found += inBody ? " after the layers" : " in the head";
    }
  }
  problem.expected = Expected(error.reason, inBody, problem.found);
  Locate(text, start, problem.line, problem.column);
  return problem;
}

std::string ProblemWhat(const PageProblem& problem) {
  if (problem.kind != PageProblem::kRefused) return problem.message;
  std::string what = problem.found + ": " + problem.expected;
  if (!problem.message.empty()) what += " (" + problem.message + ")";
  return what;
}

std::string DescribeProblem(const PageProblem& problem) {
  if (problem.kind != PageProblem::kRefused) return " " + problem.message;
  return std::to_string(problem.line) + ":" + std::to_string(problem.column) +
         ": " + ProblemWhat(problem);
}

}  // namespace htmlmemdoc
