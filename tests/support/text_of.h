// text_of.h: turns lists and arrays of the library into strings, for short
// assertions.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_TEXT_OF_H_
#define HTMLMEMDOC_TESTS_SUPPORT_TEXT_OF_H_

#include <string>

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/platform/ob_list.h"
#include "htmlmemdoc/platform/string_array.h"

// The markup of every element of a list, joined by '|'.
inline std::string Markups(const CObList& list) {
  std::string all;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    const char* text = *static_cast<CHtmlTextBase*>(list.GetNext(pos));
    all += std::string(all.empty() ? "" : "|") + (text ? text : "<null>");
  }
  return all;
}

// The entries of an array joined by '|'.
inline std::string Join(const CStringArray& items) {
  std::string all;
  for (int i = 0; i < items.GetSize(); ++i) {
    all += std::string(i ? "|" : "") + static_cast<const char*>(items[i]);
  }
  return all;
}

#endif  // HTMLMEMDOC_TESTS_SUPPORT_TEXT_OF_H_
