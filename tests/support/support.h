// support.h: what the tests share: the library's message boxes captured,
// and lists, arrays and documents as one-line strings for table rows.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_SUPPORT_H_
#define HTMLMEMDOC_TESTS_SUPPORT_SUPPORT_H_

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/message_box.h"

// While it lives, every message box is appended to `messages`.
class MessageLog {
 public:
  MessageLog() { AfxSetMessageBoxHandler(&MessageLog::Add, this); }
  ~MessageLog() { AfxSetMessageBoxHandler(nullptr, nullptr); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  std::string Joined() const {  // all messages joined by '|'
    std::string all;
    for (const std::string& m : messages) all += (all.empty() ? "" : "|") + m;
    return all;
  }

  std::vector<std::string> messages;

 private:
  static int Add(const char* text, unsigned, void* self) {
    static_cast<MessageLog*>(self)->messages.emplace_back(text);
    return IDOK;
  }
};

// The bytes of the file at `path` ("" when it cannot be read).
inline std::string ReadBytes(const std::string& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

// `text` with every `from` replaced by `to`.
inline std::string ReplaceAll(std::string text, const std::string& from,
                              const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

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
// "no", the Outline, and " !" with the messages shown, if any ("HTML syntax
// error at Ln2, Col6" shown as "Ln2, Col6").
// Example: ReadOutline("<html><title>T</title>") is "ok
// title=<title>T</title>".
inline std::string ReadOutline(const std::string& text, int tabWidth = 0) {
  MessageLog log;
  CHtmlMemDoc document;
  if (tabWidth != 0) document.SetTabWidth(tabWidth);
  const int ok = document.ReadFromString(text.c_str());
  std::string shown = log.Joined();
  if (shown.rfind("HTML syntax error at ", 0) == 0) shown.erase(0, 21);
  return (ok ? "ok" : "no") + Outline(document) +
         (shown.empty() ? "" : " !" + shown);
}

#endif  // HTMLMEMDOC_TESTS_SUPPORT_SUPPORT_H_
