// source_rewriting.cpp: EncodeSrc and its two helpers. EncodeSrc finds the
// first quoted value after the first occurrence of the attribute's name
// (anywhere in the markup, ignoring case), and replaces only that value:
// its file name gets the letter case found on disk and, on request, loses
// its unsafe characters. An empty value removes the whole markup.

#include "htmlmemdoc/document/source_rewriting.h"

#include <cstring>
#include <string>

#include "htmlmemdoc/document/mem_doc.h"
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

CString ReplaceUnsafeSrcChars(const CString& value) {
  CString result(value);
  for (int i = 0; i < result.GetLength(); ++i) {
    const char c = result[i];
    if (c != '\0' && std::strchr(" !$&(),@", c) != nullptr) {
      result.SetAt(i, '_');
    }
  }
  return result;
}

}  // namespace htmlmemdoc

void CHtmlMemDoc::EncodeSrc(const char* attribute, const char* text, int encode,
                            CString& basePath,
                            htmlmemdoc::CFileCaseResolver& files,
                            CString& output) const {
  if (attribute == nullptr || text == nullptr) return;
  const char* name = htmlmemdoc::FindTextIgnoringCase(text, attribute);
  const char* single = name != nullptr ? std::strchr(name, '\'') : nullptr;
  const char* dbl = name != nullptr ? std::strchr(name, '"') : nullptr;
  const char* open =
      (single == nullptr || (dbl != nullptr && dbl < single)) ? dbl : single;
  const char* close = open != nullptr ? std::strchr(open + 1, *open) : nullptr;
  if (close == nullptr) {  // no quoted value after the name: as it is
    output += text;
    return;
  }
  CString value(open + 1, static_cast<int>(close - open - 1));
  if (!basePath.IsEmpty()) {
    value = htmlmemdoc::MatchFileCase(value, basePath, files);
  }
  if (value.IsEmpty()) return;  // the element is left out
  if (encode) value = htmlmemdoc::ReplaceUnsafeSrcChars(value);
  output.Append(text, static_cast<int>(open + 1 - text));
  output += value;
  output += close;
}
