// head_elements.cpp: the head and body elements. The body's load handler
// is read with a strtok-like tokenizer whose delimiters change between the
// call level and the argument lists; it is rewritten by one left-to-right
// copy that strips the directories of quoted image arguments.

#include "htmlmemdoc/elements/head_elements.h"

#include <string>

#include "htmlmemdoc/core/scan.h"
#include "htmlmemdoc/platform/mbcs.h"

IMPLEMENT_DYNCREATE(CHtmlMeta, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlTitle, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlScript, CHtmlTextBase)
IMPLEMENT_DYNCREATE(CHtmlBody, CHtmlTextBase)

namespace {

const char kPreloadCall[] = "MM_preloadImages";
const char kCallLevel[] = "\",;()' \r\t\n";
const char kFirstArgument[] = "(',; \r\t\n";
const char kFurtherArgument[] = "',; \r\t\n";

}  // namespace

unsigned int CHtmlScript::GetMaxOuterTextLength() const {
  return kMaxScriptLength;
}

int CHtmlBody::GetBackground(char* buffer, int bufferSize) const {
  return GetAttribute("body", "background", buffer, bufferSize);
}

int CHtmlBody::SetBackground(const char* image) {
  return SetAttribute("body", "background", image);
}

int CHtmlBody::GetPreloadImage(CStringArray& images) const {
  images.SetSize(0);
  CString handler;
  if (!GetAttribute("body", "onLoad", handler)) return 0;
  htmlmemdoc::CTokenizer tokens(handler.GetBuffer(handler.GetLength()));
  for (char* token = tokens.Next(kCallLevel); token != nullptr;
       token = tokens.Next(kCallLevel)) {
    if (htmlmemdoc::CompareNoCase(token, kPreloadCall) != 0) continue;
    char* argument = tokens.Next(kFirstArgument);
    // A token beginning with ")" ends the call's arguments.
    while (argument != nullptr && argument[0] != ')') {
      images.Add(argument);
      argument = tokens.Next(kFurtherArgument);
      if (argument != nullptr && argument[0] == '#') {
        argument = tokens.Next(kFurtherArgument);
      }
    }
    if (argument == nullptr) break;  // the handler ended inside the call
  }
  return images.GetSize() > 0;
}

namespace {

// Copies value[i...] to `out` up to, not including, the first byte of
// `stops` (or the end); returns the position reached.
size_t CopyUntil(const char* value, size_t i, const char* stops,
                 std::string& out) {
  const char* p = value + i;
  htmlmemdoc::SkipToChars(p, stops);
  out.append(value + i, p);
  return static_cast<size_t>(p - value);
}

// Rewrites the arguments of the call that starts at value[i] and returns
// the position of its ")" (or of the end). Each pass copies the text up to
// the next argument's opening quote, then writes the argument: a "#..."
// argument as it is, an image path without its directories. An argument
// without an opening quote ends the rewriting of the call.
size_t FlattenCall(const char* value, size_t i, std::string& out) {
  for (;;) {
    i = CopyUntil(value, i, "')", out);
    if (value[i] != '\'') return i;  // ")" or the end: nothing quoted
    ++i;
    out += '\'';
    if (value[i] == '#') {
      i = CopyUntil(value, i, ",)", out);
    } else {
      const char* end = value + i;
      htmlmemdoc::SkipToChars(end, "'");
      CString path(value + i, static_cast<int>(end - (value + i)));
      htmlmemdoc::StripDirectory(path);
      out += static_cast<const char*>(path);
      i = CopyUntil(value, static_cast<size_t>(end - value), ",)", out);
    }
    if (value[i] == ',') out += value[i++];
    if (value[i] == ')' || value[i] == '\0') return i;
  }
}

}  // namespace

int CHtmlBody::FlattenPreloadImageSrc() {
  CString handler;
  if (!GetAttribute("body", "onLoad", handler)) return 0;
  const char* value = handler;
  std::string out;
  out.reserve(static_cast<size_t>(handler.GetLength()));
  for (size_t i = 0; value[i] != '\0';) {
    if (value[i] == 'M' && value[i + 1] == 'M' && value[i + 2] == '_' &&
        htmlmemdoc::StartsWithNoCase(value + i, kPreloadCall)) {
      i = FlattenCall(value, i, out);
    } else {
      const size_t length = static_cast<size_t>(htmlmemdoc::CharLength(value + i));
      out.append(value + i, length);
      i += length;
    }
  }
  return SetAttribute("body", "onLoad", out.c_str());
}
