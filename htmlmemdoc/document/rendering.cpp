// rendering.cpp: writing the document back as one HTML text. No tree is
// walked: the kept markup of each element is written in a fixed order of
// sections with fixed separators; only the style block (from the parsed
// rules) and the frameset (from its frames) are regenerated, and the
// markup of the sound and of image, video and embed layers passes through
// the source rewriting on its way out.
//
// One walk (RenderPage) hands the pieces of the page to a sink. Rendering
// into memory walks twice: once over the elements' lengths to size one
// allocation, then to copy the pieces into it. Rendering to a file walks
// once and writes the pieces through a fixed buffer, each line feed as
// CR LF.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "htmlmemdoc/document/file_case.h"
#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/document/source_rewriting.h"

namespace {

using htmlmemdoc::CSrcValue;

// What a walk needs besides the document: the rewriting's settings, the
// directory listings it has made, and a string for one rule at a time.
struct CRenderContext {
  CRenderContext(int encodeReferences, const char* base)
      : encode(encodeReferences), basePath(base) {}

  int encode;
  CString basePath;
  htmlmemdoc::CFileCaseResolver files;
  CString rule;
  // The style block's rules as rendered, a line each, once rendered (each
  // rule adds a line, so a block of rules is never empty): the measuring
  // walk and the copying one write the same text.
  std::string rules;
};

const std::string& RenderedRules(const CHtmlMemDoc& document,
                                 CRenderContext& context) {
  if (!context.rules.empty()) return context.rules;
  for (POSITION pos = document.m_styleList.GetHeadPosition(); pos != nullptr;) {
    static_cast<const CHtmlStyle*>(document.m_styleList.GetNext(pos))
        ->RenderOutputString(context.rule, 0);
    context.rules.append(context.rule,
                         static_cast<size_t>(context.rule.GetLength()));
    context.rules += '\n';
  }
  return context.rules;
}

// Counts the bytes of a rendering.
class CLengthSink {
 public:
  static constexpr bool kMeasures = true;
  void Write(const char*, size_t length) { m_length += length; }
  size_t Length() const { return m_length; }

 private:
  size_t m_length = 0;
};

// Copies a rendering into a buffer counted beforehand.
class CMemorySink {
 public:
  static constexpr bool kMeasures = false;
  explicit CMemorySink(char* buffer) : m_out(buffer) {}
  void Write(const char* text, size_t length) {
    std::memcpy(m_out, text, length);
    m_out += length;
  }
  char* End() const { return m_out; }

 private:
  char* m_out;
};

// Writes a rendering to an open file through a fixed buffer, each line
// feed as CR LF. Text moves a block (16 bytes with SSE2, else 8) at a
// time, and a block with a line feed up to it: lines are short, so a
// search per line would cost a call per line. The file layer's exceptions
// pass through.
class CFileSink {
 public:
  static constexpr bool kMeasures = false;
  explicit CFileSink(CFile& file) : m_file(file) {}
  void Write(const char* text, size_t length) {
    const char* end = text + length;
    while (end - text >= kBlock) {
      if (m_used + 2 * kBlock > sizeof m_buffer) Flush();
      std::memcpy(m_buffer + m_used, text, kBlock);
      const auto feeds = LineFeeds(text);
      if (feeds == 0) {
        m_used += kBlock;
        text += kBlock;
        continue;
      }
      // Up to the block's first line feed, then CR LF.
      const size_t before = FirstFeed(feeds);
      m_used += before;
      m_buffer[m_used++] = '\r';
      m_buffer[m_used++] = '\n';
      text += before + 1;
    }
    for (; text < end; ++text) {
      if (m_used + 2 > sizeof m_buffer) Flush();
      if (*text == '\n') m_buffer[m_used++] = '\r';
      m_buffer[m_used++] = *text;
    }
  }
  void Flush() {
    m_file.Write(m_buffer, static_cast<unsigned int>(m_used));
    m_used = 0;
  }

 private:
#if defined(__SSE2__)
  static constexpr ptrdiff_t kBlock = 16;
  // Bit i set when byte i of the block at `text` is a line feed.
  static unsigned LineFeeds(const char* text) {
    const __m128i block =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))));
  }
  static size_t FirstFeed(unsigned feeds) {
    return static_cast<size_t>(__builtin_ctz(feeds));
  }
#else
  static constexpr ptrdiff_t kBlock = 8;
  // Bit 8i + 7 set when byte i of the word at `text` is a line feed (the
  // classic zero-byte test on the word with line feeds turned into zeros;
  // a mark may also fall behind a true one, never before it), in memory
  // order as little-endian, as on every system the library targets.
  static unsigned long long LineFeeds(const char* text) {
    std::uint64_t word;
    std::memcpy(&word, text, 8);
    const std::uint64_t x = word ^ 0x0A0A0A0A0A0A0A0Aull;
    return (x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull;
  }
  static size_t FirstFeed(unsigned long long feeds) {
    return static_cast<size_t>(__builtin_ctzll(feeds)) / 8;
  }
#endif

  CFile& m_file;
  size_t m_used = 0;
  char m_buffer[1 << 16];
};

template <typename Sink>
void Put(Sink& sink, const char* text) {
  sink.Write(text, std::strlen(text));
}

template <typename Sink>
void PutMarkup(Sink& sink, const CHtmlTextBase& element) {
  const size_t length = element.GetOuterTextLength();
  if (length != 0) sink.Write(static_cast<const char*>(element), length);
}

// Appends each element's markup followed by `separator`.
template <typename Sink>
void PutEach(Sink& sink, const CObList& list, const char* separator) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    PutMarkup(sink, *static_cast<const CHtmlTextBase*>(list.GetNext(pos)));
    Put(sink, separator);
  }
}

// The element's markup with its reference (the first quoted value after
// the first occurrence of `attribute`) rewritten; nothing when that value
// is empty, the markup as it is when there is none.
template <typename Sink>
void PutRewritten(Sink& sink, const CHtmlTextBase& element,
                  const char* attribute, CRenderContext& context) {
  const char* markup = element;
  if (markup == nullptr) return;
  const size_t length = element.GetOuterTextLength();
  if (Sink::kMeasures) {  // at most the markup: see RenderedLength
    sink.Write(markup, length);
    return;
  }
  CSrcValue value;
  if (!htmlmemdoc::FindSrcValue(attribute, markup, value)) {
    sink.Write(markup, length);
    return;
  }
  if (value.begin == value.end) return;  // the element is left out
  if (!context.encode && context.basePath.IsEmpty()) {
    sink.Write(markup, length);
    return;
  }
  const CString rewritten = htmlmemdoc::RewriteSrcValue(
      value, context.encode, context.basePath, context.files);
  sink.Write(markup, static_cast<size_t>(value.begin - markup));
  sink.Write(rewritten, static_cast<size_t>(rewritten.GetLength()));
  sink.Write(value.end, length - static_cast<size_t>(value.end - markup));
}

template <typename Sink>
void PutHead(Sink& sink, const CHtmlMemDoc& document, CRenderContext& context) {
  Put(sink, "<html>\n<head>\n\n");
  if (!document.m_metaList.IsEmpty()) {
    PutEach(sink, document.m_metaList, "\n");
    Put(sink, "\n");
  }
  if (document.m_title.GetOuterTextLength() != 0) {
    PutMarkup(sink, document.m_title);
    Put(sink, "\n\n");
  }
  if (!document.m_styleList.IsEmpty()) {
    Put(sink, "<style>\n");
    const std::string& rules = RenderedRules(document, context);
    sink.Write(rules.data(), rules.size());
    Put(sink, "</style>\n\n");
  }
  PutEach(sink, document.m_scriptList, "\n\n");
  Put(sink, "</head>");
}

template <typename Sink>
void PutBody(Sink& sink, const CHtmlMemDoc& document, int framed,
             CRenderContext& context) {
  struct Group {
    const CObList* list;
    const char* attribute;  // rewritten; null: kept as is
  };
  const Group kGroups[] = {{&document.m_textLayerList, nullptr},
                           {&document.m_imageLayerList, "src"},
                           {&document.m_videoLayerList, "dynsrc"},
                           {&document.m_embedLayerList, "src"}};
  if (framed) Put(sink, "<noframes>\n");
  PutMarkup(sink, document.m_body);
  Put(sink, "\n");
  for (const Group& group : kGroups) {
    for (POSITION pos = group.list->GetHeadPosition(); pos != nullptr;) {
      const CHtmlTextBase& layer =
          *static_cast<const CHtmlTextBase*>(group.list->GetNext(pos));
      if (group.attribute == nullptr) {
        PutMarkup(sink, layer);
      } else {
        PutRewritten(sink, layer, group.attribute, context);
      }
      Put(sink, "\n\n");
    }
  }
  Put(sink, "</body>\n");
  if (framed) Put(sink, "</noframes>\n");
}

template <typename Sink>
void RenderPage(Sink& sink, const CHtmlMemDoc& document,
                CRenderContext& context) {
  PutHead(sink, document, context);
  if (document.m_bgSound.GetOuterTextLength() != 0) {
    PutRewritten(sink, document.m_bgSound, "src", context);
    Put(sink, "\n");
  }
  int framed = 0;
  if (document.m_frameSet.GetFrameCount() != 0) {
    framed = document.m_frameSet.WriteBlock(
        [&sink](const char* text, size_t length) { sink.Write(text, length); });
  }
  if (document.m_body.GetOuterTextLength() != 0) {
    PutBody(sink, document, framed, context);
  }
  Put(sink, "</html>");
}

// Room enough for the rendering: its length, except that it counts the
// markup of every image, video and embed layer and of the sound, which the
// copy leaves out when its reference is empty. Counting so touches no
// element's text, only the lengths the elements keep; the rewriting never
// changes a reference's length, only its letters.
size_t RenderedLength(const CHtmlMemDoc& document, CRenderContext& context) {
  CLengthSink counter;
  RenderPage(counter, document, context);
  return counter.Length();
}

}  // namespace

int CHtmlMemDoc::RenderToString(CString& output, int encode,
                                const char* basePath) const {
  CRenderContext context(encode, basePath);
  const size_t length = RenderedLength(*this, context);
  output.Empty();
  char* text = output.GetBufferSetLength(static_cast<int>(length));
  CMemorySink sink(text);
  RenderPage(sink, *this, context);
  output.GetBufferSetLength(static_cast<int>(sink.End() - text));
  return 1;
}

int CHtmlMemDoc::RenderToString(char*& output, int encode,
                                const char* basePath) const {
  CRenderContext context(encode, basePath);
  const size_t length = RenderedLength(*this, context);
  void* buffer = ::operator new(length + 1, std::nothrow);
  if (buffer == nullptr) return 0;
  CMemorySink sink(static_cast<char*>(buffer));
  RenderPage(sink, *this, context);
  *sink.End() = '\0';
  output = static_cast<char*>(buffer);
  return 1;
}

int CHtmlMemDoc::RenderToFile(const char* fileName, int encode,
                              const char* basePath) const {
  CStdioFile file;
  if (!file.Open(fileName, CFile::modeCreate | CFile::modeWrite)) return 0;
  CRenderContext context(encode, basePath);
  try {
    CFileSink sink(file);
    RenderPage(sink, *this, context);
    sink.Flush();
    file.Close();
  } catch (CFileException* error) {
    error->ReportError();
    error->Delete();
    file.Abort();
    return 0;
  }
  return 1;
}
