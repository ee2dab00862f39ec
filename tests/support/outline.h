// outline.h: what a read put into a document, on one line, for table-driven
// assertions on the readers.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_OUTLINE_H_
#define HTMLMEMDOC_TESTS_SUPPORT_OUTLINE_H_

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"
#include "tests/support/text_of.h"

// Every member of `document` that holds something, as " name=markup" (list
// entries joined by '|'; the frameset followed by "+" and its frame count).
inline std::string Outline(const CHtmlMemDoc& document) {
  std::string all;
  auto add = [&all](const char* name, const std::string& value) {
    if (!value.empty()) all += std::string(" ") + name + "=" + value;
  };
  auto single = [](const CHtmlTextBase& element) {
    const char* text = element;
    return std::string(text != nullptr ? text : "");
  };
  add("title", single(document.m_title));
  add("meta", Markups(document.m_metaList));
  add("style", Markups(document.m_styleList));
  add("script", Markups(document.m_scriptList));
  add("sound", single(document.m_bgSound));
  if (!single(document.m_frameSet).empty()) {
    add("frameset", single(document.m_frameSet) + "+" +
                        std::to_string(document.m_frameSet.GetFrameCount()));
  }
  add("body", single(document.m_body));
  add("text", Markups(document.m_textLayerList));
  add("image", Markups(document.m_imageLayerList));
  add("video", Markups(document.m_videoLayerList));
  add("embed", Markups(document.m_embedLayerList));
  add("plain", Markups(document.m_layerList));
  return all;
}

// Reads `text` into a new document (with `tabWidth` when nonzero): "ok" or
// "no", the Outline, and " !" with the messages shown, if any.
// Example: ReadOutline("<html><title>T</title>") is "ok
// title=<title>T</title>".
inline std::string ReadOutline(const std::string& text, int tabWidth = 0) {
  MessageLog log;
  CHtmlMemDoc document;
  if (tabWidth != 0) document.SetTabWidth(tabWidth);
  const int ok = document.ReadFromString(text.c_str());
  const std::string shown = log.Joined();
  return (ok ? "ok" : "no") + Outline(document) +
         (shown.empty() ? "" : " !" + shown);
}

#endif  // HTMLMEMDOC_TESTS_SUPPORT_OUTLINE_H_
