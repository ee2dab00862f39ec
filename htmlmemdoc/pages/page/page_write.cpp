// page_write.cpp: checking a rendering, then putting it on disk.
//
// The check renders twice when references are rewritten: once as the
// library writes the document plainly, once with the rewriting. Both
// renderings have the same layers in the same order (rewriting keeps an
// empty reference empty), so the rewriting is checked layer by layer: the
// markup as a browser reads it may differ only in the layer's reference.
//
// The write itself is the platform's: a file is replaced only once the
// new one is whole (see platform/replace_file.h).

#include "htmlmemdoc/pages/page/page_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/read_back.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/replace_file.h"

namespace htmlmemdoc {
namespace {

CString Render(const CHtmlMemDoc& document, bool encode,
               const std::string& basePath) {
  CString text;
  document.RenderToString(text, encode,
                          basePath.empty() ? nullptr : basePath.c_str());
  return text;
}

// Why `text` would not be written: it does not read again.
std::string ReadAgainFailure(const std::string& why) {
  return why.empty() ? "" : "the written page would not read again:" + why;
}

// Reads a rewritten rendering back, comparing each of its image, video and
// embed layers with the same layer of the plain rendering `plain` read
// back: the markup as a browser reads it may differ only in the layer's
// reference. Remembers the first layer that differs elsewhere.
class RewritingCheck {
 public:
  RewritingCheck(const CHtmlMemDoc& document, const ReadBack& plain)
      : m_plain(plain),
        m_read(document,
               [this](size_t kind, size_t index, const CHtmlTextBase& layer) {
                 Compare(kind, index, layer);
               }) {}

  // "" or what rewriting `text` would damage.
  std::string Check(const CString& text) {
    std::string problem = ReadAgainFailure(m_read.Read(text));
    if (problem.empty()) problem = Sound();
    return problem.empty() ? m_damage : problem;
  }

 private:
  struct Reference {
    const char* tag;
    const char* attribute;
  };

  void Compare(size_t kind, size_t index, const CHtmlTextBase& layer) {
    static const Reference kReferences[kWrittenLists] = {{nullptr, nullptr},
                                                         {"img", "src"},
                                                         {"img", "dynsrc"},
                                                         {"embed", "src"}};
    const Reference& reference = kReferences[kind];
    const char* before = m_plain.Echo(kind, index);
    if (!m_damage.empty() || reference.tag == nullptr || before == nullptr)
      return;
    const std::string change = OtherChange(before, MarkupOf(layer),
                                           reference.tag, reference.attribute);
    if (change.empty()) return;
    m_damage = "rewriting the file reference of layer " + LayerId(layer) +
               " would change more than its " + reference.attribute + ": " +
               change;
  }

  std::string Sound() const {
    const std::string change =
        OtherChange(MarkupOf(m_plain.Singles().m_bgSound),
                    MarkupOf(m_read.Singles().m_bgSound), "bgsound", "src");
    if (change.empty()) return "";
    return "rewriting the background sound's file reference would change "
           "more than its src: " +
           change;
  }

  const ReadBack& m_plain;
  ReadBack m_read;
  std::string m_damage;
};

// Why writing standard output failed, from errno.
std::string OutputFailure() {
  const int error = errno;
  if (error == ENOSPC || error == EFBIG)
    return "disk full while writing standard output (" +
           std::string(std::strerror(error)) + ")";
  return "cannot write standard output: " + std::string(std::strerror(error));
}

}  // namespace

WriteCheck CheckWrite(const CHtmlMemDoc& document, std::string pageText,
                      const WriteOptions& options) {
  WriteCheck check;
  LossFinder losses(document, pageText);
  std::string().swap(pageText);
  check.text = Render(document, false, "");
  const bool rewrites = options.encode || !options.basePath.empty();
  const bool keep = options.keepRead && !rewrites;
  ReadBack plain(document, nullptr, keep);
  std::string problem = ReadAgainFailure(plain.Read(check.text));
  if (keep && problem.empty()) check.read = plain.TakeRead();
  check.losses = losses.Finish(plain);
  if (!check.losses.empty() && !options.allowLoss) {
    const size_t count = CountLosses(check.losses);
    check.refusal =
        Refusal(RefusalCode::kLoss,
                "writing the page would lose " + std::to_string(count) +
                    (count == 1 ? " thing" : " things") + " it holds");
  }
  if (rewrites) {
    check.text.Empty();
    check.text = Render(document, options.encode, options.basePath);
    if (problem.empty())
      problem = RewritingCheck(document, plain).Check(check.text);
  }
  if (!problem.empty())
    check.refusal = Refusal(RefusalCode::kNoReadBack, problem);
  return check;
}

Refusal WriteText(const CString& text, const WriteOptions& options) {
  const size_t size = static_cast<size_t>(text.GetLength());
  if (!options.output.empty() && options.output != "-") {
    WholeText whole;
    whole.data = text;
    whole.size = size;
    whole.crlf = options.crlf;
    whole.expected = options.expected;
    if (!options.within.empty()) whole.within = options.within.c_str();
    std::string failure = ReplaceFileWhole(options.output, whole);
    if (failure.empty()) return Refusal();
    return Refusal(RefusalCode::kCannotWrite, std::move(failure));
  }
  if (std::fwrite(static_cast<const char*>(text), 1, size, stdout) != size ||
      std::fflush(stdout) != 0) {
    return Refusal(RefusalCode::kCannotWrite, OutputFailure());
  }
  return Refusal();
}

}  // namespace htmlmemdoc
