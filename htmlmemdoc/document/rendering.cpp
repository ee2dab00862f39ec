// rendering.cpp: writing the document back as one HTML text. No tree is
// walked: the kept markup of each element is written in a fixed order of
// sections with fixed separators; only the style block (from the parsed
// rules) and the frameset (from its frames) are regenerated, and the
// markup of the sound and of image, video and embed layers passes through
// EncodeSrc on its way out. One file-case resolver serves the whole render,
// so each directory is listed once.

#include <cstring>
#include <new>

#include "htmlmemdoc/document/file_case.h"
#include "htmlmemdoc/document/mem_doc.h"

namespace {

// The markup of an element, or "" when it has none.
const char* MarkupOf(const CHtmlTextBase& element) {
  const char* text = element;
  return text != nullptr ? text : "";
}

const CHtmlTextBase& ElementAt(const CObList& list, POSITION position) {
  return *static_cast<const CHtmlTextBase*>(list.GetAt(position));
}

// Appends each element's markup followed by `separator`.
void AppendEach(CString& output, const CObList& list, const char* separator) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;
       list.GetNext(pos)) {
    output += MarkupOf(ElementAt(list, pos));
    output += separator;
  }
}

}  // namespace

void CHtmlMemDoc::RenderHead(CString& output) const {
  output += "<html>\n<head>\n\n";
  if (!m_metaList.IsEmpty()) {
    AppendEach(output, m_metaList, "\n");
    output += '\n';
  }
  if (*MarkupOf(m_title) != '\0') {
    output += MarkupOf(m_title);
    output += "\n\n";
  }
  if (!m_styleList.IsEmpty()) {
    output += "<style>\n";
    CString rule;
    for (POSITION pos = m_styleList.GetHeadPosition(); pos != nullptr;) {
      static_cast<const CHtmlStyle*>(m_styleList.GetNext(pos))
          ->RenderOutputString(rule, 0);
      output += rule;
      output += '\n';
    }
    output += "</style>\n\n";
  }
  AppendEach(output, m_scriptList, "\n\n");
  output += "</head>";
}

void CHtmlMemDoc::RenderBody(CString& output, int framed, int encode,
                             CString& basePath,
                             htmlmemdoc::CFileCaseResolver& files) const {
  struct Group {
    const CObList* list;
    const char* attribute;  // rewritten by EncodeSrc; null: kept as is
  };
  const Group kGroups[] = {{&m_textLayerList, nullptr},
                           {&m_imageLayerList, "src"},
                           {&m_videoLayerList, "dynsrc"},
                           {&m_embedLayerList, "src"}};
  if (framed) output += "<noframes>\n";
  output += MarkupOf(m_body);
  output += '\n';
  for (const Group& group : kGroups) {
    const CObList& list = *group.list;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;
         list.GetNext(pos)) {
      const char* markup = MarkupOf(ElementAt(list, pos));
      if (group.attribute == nullptr) {
        output += markup;
      } else {
        EncodeSrc(group.attribute, markup, encode, basePath, files, output);
      }
      output += "\n\n";
    }
  }
  output += "</body>\n";
  if (framed) output += "</noframes>\n";
}

int CHtmlMemDoc::RenderToString(CString& output, int encode,
                                const char* basePath) const {
  CString base(basePath);
  htmlmemdoc::CFileCaseResolver files;
  CString& text = output;  // written in place: a reused string keeps its room
  text.Empty();
  RenderHead(text);
  if (*MarkupOf(m_bgSound) != '\0') {
    EncodeSrc("src", MarkupOf(m_bgSound), encode, base, files, text);
    text += '\n';
  }
  int framed = 0;
  if (m_frameSet.GetFrameCount() != 0) {
    CString frames;
    framed = m_frameSet.RenderOutputString(frames);
    if (framed) text += frames;
  }
  if (*MarkupOf(m_body) != '\0') RenderBody(text, framed, encode, base, files);
  text += "</html>";
  return 1;
}

int CHtmlMemDoc::RenderToString(char*& output, int encode,
                                const char* basePath) const {
  CString text;
  RenderToString(text, encode, basePath);
  const size_t size = static_cast<size_t>(text.GetLength()) + 1;
  void* buffer = ::operator new(size, std::nothrow);
  if (buffer == nullptr) return 0;
  std::memcpy(buffer, static_cast<const char*>(text), size);
  output = static_cast<char*>(buffer);
  return 1;
}

int CHtmlMemDoc::RenderToFile(const char* fileName, int encode,
                              const char* basePath) const {
  CString text;
  if (!RenderToString(text, encode, basePath)) return 0;
  CStdioFile file;
  if (!file.Open(fileName, CFile::modeCreate | CFile::modeWrite)) return 0;
  try {
    file.WriteString(text);
    file.Close();
  } catch (CFileException* error) {
    error->ReportError();
    error->Delete();
    file.Abort();
    return 0;
  }
  return 1;
}
