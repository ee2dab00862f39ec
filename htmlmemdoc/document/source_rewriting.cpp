// source_rewriting.cpp: finding the file reference in an element's markup
// (the first quoted value after the first occurrence of the attribute's
// name, anywhere in the markup, ignoring case) and rewriting it: its file
// name gets the letter case found on disk and, on request, loses its unsafe
// characters.

#include "htmlmemdoc/document/source_rewriting.h"

#include <cstring>
#include <string>

#include "htmlmemdoc/platform/mbcs.h"
#include "htmlmemdoc/platform/path.h"

namespace htmlmemdoc {

CString MatchFileCase(const CString& value, const CString& basePath,
                      CFileCaseResolver& files) {
  if (basePath.IsEmpty()) return value;
  CPathParts base;
  SplitPath(basePath, base);
  const std::string candidate =
      base.drive + base.directory + static_cast<const char*>(value);
  std::string nameOnDisk;
  if (!files.FindEntryName(candidate, nameOnDisk)) return value;
  CString upperValue(value);
  upperValue.MakeUpper();
  CString upperName(nameOnDisk.c_str());
  upperName.MakeUpper();
  const int at = upperValue.Find(upperName);
  if (at < 0) return value;
  CString result(value);
  for (size_t i = 0; i < nameOnDisk.size(); ++i) {
    result.SetAt(at + static_cast<int>(i), nameOnDisk[i]);
  }
  return result;
}

const char kUnsafeSrcChars[] = " !$&(),@";

CString ReplaceUnsafeSrcChars(const CString& value) {
  CString result(value);
  const char* text = result;
  for (size_t i = SpanToDelimiter(text, kUnsafeSrcChars); text[i] != '\0';
       i += 1 + SpanToDelimiter(text + i + 1, kUnsafeSrcChars)) {
    result.SetAt(static_cast<int>(i), '_');
  }
  return result;
}

int FindSrcValue(const char* attribute, const char* markup, CSrcValue& value) {
  const char* name = FindTextIgnoringCase(markup, attribute);
  if (name == nullptr) return 0;
  const char* single = std::strchr(name, '\'');
  const char* dbl = std::strchr(name, '"');
  const char* open =
      (single == nullptr || (dbl != nullptr && dbl < single)) ? dbl : single;
  const char* close = open != nullptr ? std::strchr(open + 1, *open) : nullptr;
  if (close == nullptr) return 0;
  value = CSrcValue{open + 1, close};
  return 1;
}

CString RewriteSrcValue(const CSrcValue& value, int encode,
                        const CString& basePath, CFileCaseResolver& files) {
  CString text(value.begin, static_cast<int>(value.end - value.begin));
  if (!basePath.IsEmpty()) text = MatchFileCase(text, basePath, files);
  if (encode) text = ReplaceUnsafeSrcChars(text);
  return text;
}

}  // namespace htmlmemdoc
