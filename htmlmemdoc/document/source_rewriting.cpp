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
    if (std::strchr(" !$&(),@", result[i]) != nullptr) result.SetAt(i, '_');
  }
  return result;
}

}  // namespace htmlmemdoc

CString CHtmlMemDoc::EncodeSrc(const char* attribute, const char* text,
                               int encode, CString& basePath,
                               htmlmemdoc::CFileCaseResolver& files) const {
  if (attribute == nullptr || text == nullptr) return CString();
  CString lowerText(text);
  lowerText.MakeLower();
  CString lowerName(attribute);
  lowerName.MakeLower();
  const int name = lowerText.Find(lowerName);
  if (name < 0) return text;
  const int single = lowerText.Find('\'', name);
  const int dbl = lowerText.Find('"', name);
  if (single < 0 && dbl < 0) return text;
  const int open = (single < 0 || (dbl >= 0 && dbl < single)) ? dbl : single;
  const int close = lowerText.Find(text[open], open + 1);
  if (close < 0) return text;
  const CString all(text);
  CString value = htmlmemdoc::MatchFileCase(all.Mid(open + 1, close - open - 1),
                                            basePath, files);
  if (value.IsEmpty()) return CString();
  if (encode) value = htmlmemdoc::ReplaceUnsafeSrcChars(value);
  return all.Left(open + 1) + value + all.Mid(close);
}
