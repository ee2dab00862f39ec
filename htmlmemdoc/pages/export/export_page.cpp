// export_page.cpp: the rewrite is a list of splices of the page text,
// each placed through the read record (where each element's markup
// begins) and the browser's view of the element's markup (where each of
// its tags stands): new reference values, replaced tags, and what is
// inserted after the <head> and <body> tags. A new value inside a
// replaced tag is left out, as the new tag is built with it. The result
// is read back: it must read as a page with the same layers (and the
// sound's layer).

#include "htmlmemdoc/pages/export/export_page.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/site/site_fix.h"
#include "htmlmemdoc/pages/site/site_patch.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {

const char kSoundLayerId[] = "htmlmemdoc-sound";

namespace {

// What a browser sees of the start tag `name` of a placed element: the
// tag, and where it stands in the page text.
struct PlacedTag {
  MarkupToken tag;
  size_t begin = 0, end = 0;
};

bool FindPlacedTag(const std::string& markup, size_t at,
                   const std::string& name, PlacedTag& found) {
  size_t offset = at;
  for (MarkupToken& token : ViewMarkup(markup)) {
    if (token.kind == MarkupToken::kTag && token.name == name) {
      found.begin = offset;
      found.end = offset + token.raw.size();
      found.tag = std::move(token);
      return true;
    }
    offset += token.raw.size();
  }
  return false;
}

std::string Value(const MarkupToken& tag, const std::string& name) {
  const MarkupToken::Attribute* attribute = FindAttribute(tag, name);
  return attribute == nullptr ? std::string() : Lower(Trim(attribute->value));
}

bool IsTrue(const MarkupToken& tag, const std::string& name) {
  const MarkupToken::Attribute* attribute = FindAttribute(tag, name);
  if (attribute == nullptr) return false;
  const std::string value = Lower(Trim(attribute->value));
  return value.empty() || value == "true" || value == "yes" || value == "1" ||
         value == "-1";
}

// How many times a loop value plays: 0 for ever; 1 for once.
int Plays(const std::string& loop) {
  if (loop == "-1" || loop == "infinite" || loop == "true" || loop == "yes")
    return 0;
  const long long count = std::strtoll(loop.c_str(), nullptr, 10);
  return count > 1 ? static_cast<int>(std::min(count, 1000LL)) : 1;
}

// A value fit for a double-quoted attribute.
std::string Quoted(const std::string& value) {
  std::string quoted = "\"";
  for (const char c : value)
    quoted += c == '"' ? std::string("&quot;") : std::string(1, c);
  return quoted + "\"";
}

std::string Attribute(const std::string& name, const std::string& value) {
  return " " + name + "=" + Quoted(value);
}

// The attributes of `tag` but those named in `dropped`, as written.
std::string KeptAttributes(const MarkupToken& tag,
                           const std::vector<const char*>& dropped) {
  std::string kept;
  for (const MarkupToken::Attribute& attribute : tag.attributes) {
    const bool drop =
        std::any_of(dropped.begin(), dropped.end(),
                    [&](const char* name) { return attribute.name == name; });
    if (drop || attribute.name.empty() || attribute.name[0] == '/') continue;
    kept += attribute.valueAt == std::string::npos
                ? " " + attribute.name
                : Attribute(attribute.name, attribute.value);
  }
  return kept;
}

// The attributes that make a media element play `plays` times.
std::string LoopAttributes(int plays) {
  if (plays == 0) return " loop";
  if (plays == 1) return "";
  return Attribute("data-plays", std::to_string(plays)) +
         " onended=\"if (this.dataset.plays > 1) { this.dataset.plays--; "
         "this.play(); }\"";
}

// The declarations that give an element the tag's `width` and `height`.
std::string SizeStyle(const MarkupToken& tag) {
  std::string style;
  for (const char* side : {"width", "height"}) {
    const std::string value = Value(tag, side);
    if (!value.empty() && std::isdigit(static_cast<unsigned char>(value[0])))
      style += std::string(side) + ":" +
               std::to_string(std::strtoll(value.c_str(), nullptr, 10)) +
               (value.back() == '%' ? "%; " : "px; ");
  }
  return style;
}

const char kSoundScript[] =
    "(function () {\n"
    "  var layer = document.currentScript.parentNode;\n"
    "  var sound = layer.querySelector(\"audio\");\n"
    "  var button = layer.querySelector(\"button\");\n"
    "  function show() {\n"
    "    button.textContent = sound.paused ? \"Play sound\" : \"Pause "
    "sound\";\n"
    "    button.setAttribute(\"aria-pressed\", sound.paused ? \"false\" : "
    "\"true\");\n"
    "  }\n"
    "  button.onclick = function () {\n"
    "    if (sound.paused) sound.play(); else sound.pause();\n"
    "  };\n"
    "  sound.addEventListener(\"play\", show);\n"
    "  sound.addEventListener(\"pause\", show);\n"
    "  var started = sound.play();\n"
    "  if (started && started.catch) started.catch(show);\n"
    "  show();\n"
    "})();\n";

class Exporter {
 public:
  Exporter(const PageRead& read, const std::vector<CheckedReference>& checked,
           const ExportedFileOf& exported, const PageExportOptions& options)
      : m_read(read),
        m_document(read.document),
        m_text(read.file.text),
        m_checked(checked),
        m_exported(exported),
        m_options(options),
        m_places(PlaceElements(read.document, read.file.text)) {}

  PageExport Run() {
    for (size_t i = 0; i < m_read.references.size(); ++i)
      m_byHolder[m_read.references[i].holder].push_back(i);
    for (size_t i = 0; i < m_checked.size(); ++i) NewValue(i);
    Sound();
    for (POSITION pos = m_document.m_videoLayerList.GetHeadPosition(); pos;)
      Video(*static_cast<const CHtmlLayer*>(
          m_document.m_videoLayerList.GetNext(pos)));
    for (POSITION pos = m_document.m_embedLayerList.GetHeadPosition(); pos;)
      Embed(*static_cast<const CHtmlLayer*>(
          m_document.m_embedLayerList.GetNext(pos)));
    Head();
    CObList layers;
    m_out.layers = static_cast<size_t>(m_document.GetLayersInPageOrder(layers));
    Assemble();
    return std::move(m_out);
  }

 private:
  // The reference of `holder`'s `tag` `attribute`, or -1.
  int ReferenceOf(const CHtmlTextBase* holder, const char* tag,
                  const char* attribute) const {
    const auto held = m_byHolder.find(holder);
    if (held == m_byHolder.end()) return -1;
    for (const size_t i : held->second) {
      const PageReference& reference = m_read.references[i];
      if (reference.tag == tag && reference.attribute == attribute)
        return static_cast<int>(i);
    }
    return -1;
  }

  // The value the export gives reference `i`: its names in their case on
  // disk; in a tag the export makes anew, a converted file's name in place
  // of its source's (a tag kept as it was names the copy of the source).
  void NewValue(size_t i) {
    const CheckedReference& checked = m_checked[i];
    const std::string old = Trim(checked.reference.value);
    std::string value = FixTarget(checked, false);
    if (!value.empty()) ++m_out.casesFixed;
    if (value.empty()) value = old;
    const PageReference& reference = m_read.references[i];
    const auto holder = m_places.find(reference.holder);
    if (value != old && holder != m_places.end() &&
        reference.at != std::string::npos && !old.empty()) {
      const size_t begin =
          holder->second.at + reference.at + reference.value.find(old);
      m_valueSplices.push_back(TextSplice{begin, begin + old.size(), value});
    }
    m_keptValues.push_back(value);
    const ExportedFile* file = m_exported(checked);
    if (file != nullptr && !file->name.empty()) {
      const size_t end = std::min(value.find_first_of("?#"), value.size());
      const size_t slash = value.find_last_of("/\\", end == 0 ? 0 : end - 1);
      const size_t start = slash == std::string::npos ? 0 : slash + 1;
      value = value.substr(0, start) + UrlOf(file->name) + value.substr(end);
    }
    m_values.push_back(value);
  }

  std::string ValueOf(int reference) const {
    return reference < 0 ? std::string()
                         : m_values[static_cast<size_t>(reference)];
  }

  // Notes what became of a sound, movie or plug-in; the file it plays
  // when it can be rewritten, else null.
  const ExportedFile* Use(const std::string& element, const std::string& id,
                          int reference, bool (*fits)(MediaKind),
                          const char* unfit) {
    MediaUse use;
    use.element = element;
    use.id = id;
    const ExportedFile* file = nullptr;
    if (reference >= 0) {
      use.source = m_checked[static_cast<size_t>(reference)].reference.value;
      use.value = m_keptValues[static_cast<size_t>(reference)];
      file = m_exported(m_checked[static_cast<size_t>(reference)]);
    }
    if (file == nullptr) {
      use.plays = false;
      use.why =
          reference < 0 ? "it names no file" : "its file is not in the site";
    } else if (!file->plays) {
      use.plays = false;
      use.why = file->why;
    } else if (fits != nullptr && !fits(file->kind)) {
      use.plays = false;
      use.why = unfit;
    }
    m_out.media.push_back(use);
    return use.plays ? file : nullptr;
  }

  // Puts `with` in place of `tag`, the tag of the last use noted, which
  // plays reference `reference` now.
  void Replace(const PlacedTag& tag, std::string with, const char* became,
               int reference) {
    m_tagSplices.push_back(TextSplice{tag.begin, tag.end, std::move(with)});
    m_out.media.back().became = became;
    m_out.media.back().value = ValueOf(reference);
  }

  bool Place(const CHtmlTextBase& element, const char* name, PlacedTag& tag) {
    const auto place = m_places.find(&element);
    if (place == m_places.end() ||
        !FindPlacedTag(MarkupOf(element), place->second.at, name, tag)) {
      m_out.media.back().plays = false;
      m_out.media.back().why = "it is not in the page as the library read it";
      return false;
    }
    return true;
  }

  void Sound() {
    const CHtmlBgSound& sound = m_document.m_bgSound;
    if (MarkupOf(sound).empty()) return;
    const int src = ReferenceOf(&sound, "bgsound", "src");
    PlacedTag tag;
    if (Use("background sound", "", src, IsSound, "it is not a sound") ==
            nullptr ||
        !Place(sound, "bgsound", tag))
      return;
    if (!MarkupOf(m_document.m_frameSet).empty()) {
      // A browser shows a page of frames only while nothing else stands
      // before its frameset: the sound stays as it was.
      m_out.media.back().plays = false;
      m_out.media.back().why = "a page of frames has no body to play it in";
      return;
    }
    std::string layer =
        "<div id=\"" + std::string(kSoundLayerId) +
        "\" style=\"position:absolute; " + ControlPlace() + "\">\n<audio" +
        KeptAttributes(tag.tag,
                       {"src", "loop", "autostart", "volume", "balance"}) +
        Attribute("src", ValueOf(src)) +
        LoopAttributes(Plays(Value(tag.tag, "loop"))) +
        " preload=\"auto\"></audio>\n<button type=\"button\" "
        "id=\"" +
        std::string(kSoundLayerId) +
        "-button\" aria-pressed=\"false\">Play sound</button>\n"
        "<script>\n" +
        kSoundScript + "</script>\n</div>";
    const auto body = m_places.find(&m_document.m_body);
    if (body == m_places.end() || MarkupOf(m_document.m_body).empty()) {
      Replace(tag, layer, "audio", src);
      return;
    }
    Replace(tag, "", "audio", src);
    const size_t at = body->second.at + MarkupOf(m_document.m_body).size();
    m_tagSplices.push_back(TextSplice{at, at, "\n" + layer});
  }

  // Where the sound's control stands: right of every layer (so it covers
  // none), at the top, above every layer. The sums are taken wide: a
  // page's numbers may be as large as an int holds.
  std::string ControlPlace() const {
    long long right = 0, z = 0;
    ForEachLayer(m_document, [&](const CHtmlLayer& layer) {
      int left = 0, width = 0, layerZ = 0;
      layer.GetPixelLeft(left, "div");
      layer.GetPixelWidth(width, "div");
      layer.GetZIndex(layerZ, "div");
      right =
          std::max(right, static_cast<long long>(left) + std::max(width, 0));
      z = std::max(z, static_cast<long long>(layerZ));
    });
    return "left:" + std::to_string(right + 8) +
           "px; top:8px; z-index:" + std::to_string(z + 1);
  }

  void Video(const CHtmlLayer& layer) {
    const int dynsrc = ReferenceOf(&layer, "img", "dynsrc");
    PlacedTag tag;
    if (Use("video layer", LayerId(layer), dynsrc, IsMovie,
            "it is not a movie") == nullptr ||
        !Place(layer, "img", tag))
      return;
    std::string video =
        "<video" +
        KeptAttributes(tag.tag,
                       {"src", "dynsrc", "lowsrc", "loop", "start", "controls",
                        "border", "usemap", "ismap", "alt", "onmouseover"}) +
        Attribute("src", ValueOf(dynsrc));
    const int src = ReferenceOf(&layer, "img", "src");
    if (src >= 0) video += Attribute("poster", ValueOf(src));
    video += " controls playsinline preload=\"metadata\"" +
             LoopAttributes(Plays(Value(tag.tag, "loop")));
    const std::string start = Value(tag.tag, "start");
    if (start.empty() || start.find("fileopen") != std::string::npos)
      video += " autoplay muted";
    const MarkupToken::Attribute* hover = FindAttribute(tag.tag, "onmouseover");
    if (start.find("mouseover") != std::string::npos)
      video += Attribute("onmouseover",
                         "this.play();" + (hover ? " " + hover->value : ""));
    else if (hover != nullptr)
      video += Attribute("onmouseover", hover->value);
    Replace(tag, video + "></video>", "video", dynsrc);
  }

  void Embed(const CHtmlLayer& layer) {
    const int src = ReferenceOf(&layer, "embed", "src");
    const std::string element = std::string(LayerKindName(layer)) + " layer";
    const ExportedFile* file = Use(element, LayerId(layer), src, nullptr, "");
    PlacedTag tag;
    if (file == nullptr || !Place(layer, "embed", tag)) return;
    if (file->kind == MediaKind::kFlash) {
      if (m_options.flash) {
        m_out.flash = true;
        m_out.media.back().became = "flash";
      } else {
        m_out.media.back().plays = false;
        m_out.media.back().why = "Flash was left without a player";
      }
      return;
    }
    if (!IsSound(file->kind) && !IsMovie(file->kind)) {
      m_out.media.back().plays = false;
      m_out.media.back().why = "no current browser has the plug-in it needs";
      return;
    }
    const bool sound = IsSound(file->kind);
    const bool starts =
        IsTrue(tag.tag, "autostart") || IsTrue(tag.tag, "autoplay");
    const bool hidden = IsTrue(tag.tag, "hidden");
    std::string media =
        std::string("<") + (sound ? "audio" : "video") +
        KeptAttributes(tag.tag,
                       {"src", "type", "loop", "autostart", "autoplay",
                        "mastersound", "hidden", "controls", "controller",
                        "volume", "pluginspage", "width", "height", "style"}) +
        Attribute("src", ValueOf(src));
    if (sound) {
      // An <audio> takes no width or height attributes: its style does.
      const MarkupToken::Attribute* style = FindAttribute(tag.tag, "style");
      const std::string size = SizeStyle(tag.tag);
      if (!size.empty() || style != nullptr)
        media += Attribute("style", Trim(size + (style ? style->value : "")));
    } else {
      for (const char* name : {"width", "height", "style"}) {
        const MarkupToken::Attribute* value = FindAttribute(tag.tag, name);
        if (value != nullptr) media += Attribute(name, value->value);
      }
    }
    if (!(sound && hidden && starts)) media += " controls";
    if (sound && hidden) media += " hidden";
    media +=
        " preload=\"metadata\"" + LoopAttributes(Plays(Value(tag.tag, "loop")));
    if (starts) media += sound ? " autoplay" : " autoplay muted playsinline";
    Replace(tag, media + (sound ? "></audio>" : "></video>"),
            sound ? "audio" : "video", src);
  }

  bool DeclaresCharset() const {
    for (POSITION pos = m_document.m_metaList.GetHeadPosition(); pos;) {
      const std::string markup =
          Lower(MarkupOf(*static_cast<const CHtmlTextBase*>(
              m_document.m_metaList.GetNext(pos))));
      if (markup.find("charset") != std::string::npos) return true;
    }
    return false;
  }

  // After the <head> tag (or the <html> tag): a character-set declaration
  // where the page has none, and the Flash player where it has Flash.
  void Head() {
    std::string inserted;
    if (!DeclaresCharset()) {
      inserted += "\n<meta charset=\"" + m_options.charset + "\">";
      m_out.charsetAdded = true;
    }
    if (m_out.flash) {
      const std::string folder = m_options.toRoot + "htmlmemdoc-export/ruffle/";
      inserted +=
          "\n<script>\nwindow.RufflePlayer = window.RufflePlayer || {};\n"
          "window.RufflePlayer.config = {publicPath: \"" +
          folder +
          "\", autoplay: \"on\", unmuteOverlay: \"hidden\", "
          "splashScreen: false, warnOnUnsupportedContent: false};\n"
          "</script>\n<script src=\"" +
          folder + "ruffle.js\"></script>";
    }
    if (inserted.empty()) return;
    const size_t at = AfterHeadTag();
    if (at == std::string::npos) return;
    m_tagSplices.push_back(TextSplice{at, at, inserted});
  }

  // Where the <head> tag ends, else the page's first tag (<html>); npos
  // when the read kept no tag.
  size_t AfterHeadTag() const {
    size_t first = std::string::npos;
    for (int i = 0; i < m_document.GetReadItemCount(); ++i) {
      const CHtmlReadItem& item = *m_document.GetReadItem(i);
      if (item.kind != HtmlReadTag) continue;
      const size_t begin = static_cast<size_t>(item.begin);
      const size_t end = static_cast<size_t>(item.end);
      if (first == std::string::npos) first = end;
      const bool head = end > begin + 5 &&
                        Lower(m_text.substr(begin, 5)) == "<head" &&
                        std::strchr("> \t\n", m_text[begin + 5]) != nullptr;
      if (head) return end;
    }
    return first;
  }

  // The splices in order, a new value inside a replaced tag left out;
  // then the bytes, read back.
  void Assemble() {
    auto before = [](const TextSplice& a, const TextSplice& b) {
      return a.begin < b.begin || (a.begin == b.begin && a.end < b.end);
    };
    std::sort(m_tagSplices.begin(), m_tagSplices.end(), before);
    std::sort(m_valueSplices.begin(), m_valueSplices.end(), before);
    // One walk of both, in order: a value inside the last replaced tag
    // that began before it is left out.
    std::vector<TextSplice> splices;
    size_t tag = 0, lastTagEnd = 0;
    for (const TextSplice& value : m_valueSplices) {
      for (;
           tag < m_tagSplices.size() && m_tagSplices[tag].begin <= value.begin;
           ++tag) {
        splices.push_back(m_tagSplices[tag]);
        lastTagEnd = std::max(lastTagEnd, m_tagSplices[tag].end);
      }
      if (value.end > lastTagEnd) splices.push_back(value);
    }
    splices.insert(splices.end(), m_tagSplices.begin() + static_cast<long>(tag),
                   m_tagSplices.end());
    for (size_t i = 1; i < splices.size(); ++i) {
      if (splices[i].begin < splices[i - 1].end)
        return Refuse(RefusalCode::kNotInPlace,
                      "two of its changes overlap in the page");
    }
    if (m_read.file.crlf) {
      for (TextSplice& splice : splices) {
        std::string crlf;
        for (const char c : splice.text)
          crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        splice.text = std::move(crlf);
      }
    }
    if (!SpliceBytes(m_read.bytes, m_text, splices, m_out.bytes))
      return Refuse(
          RefusalCode::kNotInPlace,
          "a part to change is not in the file as the library read it");
    CheckReadBack();
  }

  void CheckReadBack() {
    PageFile file = PageFileOf("", m_out.bytes);
    CHtmlMemDoc exported;
    if (!file.Ok() || !LoadPage(file, exported))
      return Refuse(RefusalCode::kNoReadBack,
                    "the exported page would not read again");
    CObList layers;
    const size_t count =
        static_cast<size_t>(exported.GetLayersInPageOrder(layers));
    const bool soundLayer = std::any_of(
        m_out.media.begin(), m_out.media.end(), [](const MediaUse& use) {
          return use.element == "background sound" && !use.became.empty();
        });
    if (count != m_out.layers + (soundLayer ? 1 : 0))
      Refuse(RefusalCode::kNoReadBack,
             "the exported page would not read with the same layers");
  }

  void Refuse(RefusalCode code, const std::string& why) {
    m_out.refusal = Refusal(code, why);
    m_out.bytes = m_read.bytes;
    m_out.flash = false;
    m_out.charsetAdded = false;
    m_out.casesFixed = 0;
    for (MediaUse& use : m_out.media) {
      if (use.became.empty() && !use.plays) continue;
      use.became.clear();
      use.value = use.source;
      use.plays = false;
      use.why = "its page was left as it was";
    }
  }

  const PageRead& m_read;
  const CHtmlMemDoc& m_document;
  const std::string& m_text;
  const std::vector<CheckedReference>& m_checked;
  const ExportedFileOf& m_exported;
  const PageExportOptions& m_options;
  const Placements m_places;
  // Each element's references, by their place in the page's list.
  std::unordered_map<const CHtmlTextBase*, std::vector<size_t>> m_byHolder;
  std::vector<std::string> m_values;      // each reference's value in a new tag
  std::vector<std::string> m_keptValues;  // and in a tag kept as it was
  std::vector<TextSplice> m_valueSplices, m_tagSplices;
  PageExport m_out;
};

}  // namespace

PageExport ExportPage(const PageRead& read,
                      const std::vector<CheckedReference>& checked,
                      const ExportedFileOf& exported,
                      const PageExportOptions& options) {
  return Exporter(read, checked, exported, options).Run();
}

}  // namespace htmlmemdoc
