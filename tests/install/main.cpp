// A host of the installed library: reads a page, edits an element's
// attribute, captures the reader's syntax-error message, finds every
// class by name and checks that it runs with the library of its headers.
// Prints what went wrong and returns 1 when something was unexpected.

#include <htmlmemdoc/htmlmemdoc.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Capture(const char* text, unsigned, void* userData) {
  *static_cast<std::string*>(userData) = text;
  return IDOK;
}

int Expect(bool ok, const char* what) {
  if (!ok) std::fprintf(stderr, "consumer: %s\n", what);
  return ok ? 0 : 1;
}

}  // namespace

int main() {
  std::string message;
  AfxSetMessageBoxHandler(&Capture, &message);

  CHtmlMemDoc document;
  int failures = Expect(document.ReadFromString("<html><head></head></html>"),
                        "a minimal page reads");

  CHtmlMeta meta;
  meta.Init("<meta name=author content=\"A. Writer\">");
  CString value;
  failures += Expect(
      meta.GetAttribute("meta", "content", value) && value == "A. Writer",
      "GetAttribute reads the content");
  failures += Expect(
      meta.SetAttribute("meta", "name", "keywords") &&
          CString(meta) == "<meta name=\"keywords\" content=\"A. Writer\">",
      "SetAttribute rewrites the name");

  CHtmlMemDoc broken;
  failures += Expect(!broken.ReadFromString("<html>\n<!-- x -->"),
                     "a comment at the top level fails");
  failures += Expect(message == "HTML syntax error at Ln2, Col6",
                     "the syntax error is captured");

  for (const char* name :
       {"CHtmlTextBase", "CHtmlMeta", "CHtmlTitle", "CHtmlScript", "CHtmlBody",
        "CHtmlBgSound", "CHtmlFrame", "CHtmlFrameSet", "CHtmlStyle",
        "CHtmlLayer", "CHtmlTextLayer", "CHtmlImageLayer", "CHtmlVideoLayer",
        "CHtmlEmbedLayer", "CHtmlLiveAudioLayer"}) {
    const CRuntimeClass* record = CRuntimeClass::FromName(name);
    failures += Expect(
        record != nullptr && std::strcmp(record->m_lpszClassName, name) == 0,
        name);
  }

  const std::string version = std::to_string(HTMLMEMDOC_VERSION_MAJOR) + "." +
                              std::to_string(HTMLMEMDOC_VERSION_MINOR) + "." +
                              std::to_string(HTMLMEMDOC_VERSION_PATCH);
  failures += Expect(
      version == HTMLMEMDOC_VERSION_STRING && version == HtmlMemDocVersion(),
      "the headers and the library have one version");

  AfxSetMessageBoxHandler(nullptr, nullptr);
  if (failures == 0) std::printf("consumer: ok\n");
  return failures == 0 ? 0 : 1;
}
