// page_edit.cpp: each change is a setter call between two looks at the
// element it touches. Before: the value must be one a page can hold. After:
// the library must read the value back as given, and the element's markup
// as a browser tokenizes it must differ only in the attribute or text
// changed; for a style attribute, every declaration the element held must
// still be there. The markup of each element touched is kept, so that a
// failed change puts every element back.

#include "htmlmemdoc/pages/page/page_edit.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/page/page_layers.h"
#include "htmlmemdoc/pages/page/text_content.h"
#include "htmlmemdoc/pages/text/markup_view.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

const int kMaxPixels = 100000;    // a position or size, either sign
const int kMaxStacking = 100000;  // a z-index, either sign
const int kMaxFontSize = 1000;    // points
const size_t kMaxValue = 1023;    // what GetAttribute reads into a CString

// Each number an edit sets: its name in messages and the values it takes.
struct NumberRange {
  std::optional<int> PageEdit::*member;
  const char* property;
  int low, high;
};
const NumberRange kRanges[] = {
    {&PageEdit::left, "left", -kMaxPixels, kMaxPixels},
    {&PageEdit::top, "top", -kMaxPixels, kMaxPixels},
    {&PageEdit::width, "width", 0, kMaxPixels},
    {&PageEdit::height, "height", 0, kMaxPixels},
    {&PageEdit::zIndex, "z-index", -kMaxStacking, kMaxStacking},
    {&PageEdit::fontSize, "font size", 1, kMaxFontSize},
    {&PageEdit::frame, "frame", 0, kMaxPixels},
    {&PageEdit::frameWidth, "frame width", 0, kMaxPixels},
    {&PageEdit::frameHeight, "frame height", 0, kMaxPixels}};

const NumberRange& RangeOf(std::optional<int> PageEdit::*member) {
  for (const NumberRange& range : kRanges)
    if (range.member == member) return range;
  return kRanges[0];  // every number of PageEdit is in the table
}

std::string OutOfRange(const NumberRange& range, const std::string& written) {
  return std::string(range.property) + " " + written + " is out of range (" +
         std::to_string(range.low) + " to " + std::to_string(range.high) + ")";
}

// Where the number of `written`, a sign and digits ("-20", "+7"), starts
// for from_chars (after a "+", which it does not take); null when
// `written` is not that.
const char* WholeNumeral(const std::string& written) {
  const size_t digits =
      !written.empty() && (written[0] == '+' || written[0] == '-') ? 1 : 0;
  if (written.size() == digits ||
      written.find_first_not_of("0123456789", digits) != std::string::npos)
    return nullptr;
  return written.c_str() + (written[0] == '+' ? 1 : 0);
}

// "" when `value` is in the range of `member`; else why not.
std::string CheckNumber(std::optional<int> PageEdit::*member, int value) {
  const NumberRange& range = RangeOf(member);
  if (value >= range.low && value <= range.high) return "";
  return OutOfRange(range, std::to_string(value));
}

// A value for an attribute: what a double-quoted value can hold.
std::string CheckValue(const std::string& what, const std::string& value) {
  if (value.size() > kMaxValue) {
    return what + " is over " + std::to_string(kMaxValue) + " bytes";
  }
  for (unsigned char c : value) {
    if (c == '"' || c == '<' || c == '>' || c < 0x20) {
      return what + " cannot hold a double quote, < or > or a control byte";
    }
  }
  return "";
}

// An id for a layer's div: an attribute value holding no blank (an id is
// one word to a browser: "a b" is found by no selector).
std::string CheckId(const std::string& what, const std::string& id) {
  if (std::string why = CheckValue(what, id); !why.empty()) return why;
  if (id.find(' ') != std::string::npos)  // control bytes are refused above
    return what + " cannot hold a blank: an id is one word";
  return "";
}

std::string CheckText(const std::string& text) {
  for (unsigned char c : text) {
    if (c == '<' || c == '>') {
      return "a layer's text cannot hold markup: write &lt; and &gt; for "
             "< and >";
    }
    if (c == '\r') {
      return "a text cannot hold a carriage return: the page's lines end in "
             "CR LF as it is written, so write a line feed alone";
    }
  }
  return "";
}

// "" when a text layer read from `markup`, as the page will be read
// again, gives `text`; else what it gives. The text tag is chosen anew
// there: a tag holding only blanks may not be the one.
std::string TextReadBack(const std::string& markup, const std::string& text) {
  CHtmlTextLayer read;
  std::string got;
  if (!read.Init(markup.c_str()) || !LayerText(read, got))
    return "it would not read back";
  return got == text ? "" : "it would read back as \"" + got + "\"";
}

// The declarations of the style attribute of the first tag named `tag` as
// a browser reads it, by lower-case name, the last of a name winning.
std::map<std::string, std::string> StyleOf(const std::string& markup,
                                           const std::string& tag) {
  std::map<std::string, std::string> declarations;
  const std::vector<MarkupToken> tokens = ViewMarkup(markup);
  const int at = FindTag(tokens, tag);
  if (at < 0) return declarations;
  const MarkupToken::Attribute* style = FindAttribute(tokens[at], "style");
  if (style == nullptr) return declarations;
  for (const auto& declaration : Declarations(style->value)) {
    declarations[declaration.first] = Squeezed(declaration.second);
  }
  return declarations;
}

// A declaration of the style before that the style after lacks or changed,
// other than `property`; "" when every one is kept.
std::string LostDeclaration(const std::string& before, const std::string& after,
                            const std::string& tag,
                            const std::string& property) {
  const auto kept = StyleOf(after, tag);
  for (const auto& declaration : StyleOf(before, tag)) {
    if (declaration.first == property) continue;
    const auto found = kept.find(declaration.first);
    if (found != kept.end() && found->second == declaration.second) continue;
    return "its style holds " + declaration.first + ":" + declaration.second +
           ", which the library would " +
           (found == kept.end() ? "drop" : "write as " + found->second);
  }
  return "";
}

// Why the attribute `attribute` of the first `tag` may have been misread:
// the library takes double quotes only.
std::string QuoteNote(const std::string& markup, const std::string& tag,
                      const std::string& attribute) {
  const std::vector<MarkupToken> tokens = ViewMarkup(markup);
  const int at = FindTag(tokens, tag);
  if (at < 0) return "";
  const MarkupToken::Attribute* found = FindAttribute(tokens[at], attribute);
  if (found == nullptr) return "";
  if (found->quote == '\'') {
    return " (its " + attribute +
           " value is in single quotes, which the "
           "library does not read as one value: use double quotes)";
  }
  if (found->quote == 0) {
    return " (its " + attribute + " value is not in quotes)";
  }
  return "";
}

// Why the library could not change the style of `tag` in `markup`.
std::string StyleRefusal(const std::string& markup, const std::string& tag) {
  const std::vector<MarkupToken> tokens = ViewMarkup(markup);
  const int at = FindTag(tokens, tag);
  if (at < 0) return "the layer has no <" + tag + "> tag";
  if (FindAttribute(tokens[at], "style") == nullptr) {
    return "its <" + tag +
           "> tag has no style attribute, and the library "
           "changes only a style that is there";
  }
  return "the library cannot read its <" + tag +
         "> tag's style attribute "
         "(it is over 1023 bytes, or a blank follows its last \";\")" +
         QuoteNote(markup, tag, "style");
}

// From "#rrggbb" or a colour name, the colour as the setters take it (red
// in the low byte) and as the getters give it; false for anything else.
bool ParseColor(const std::string& text, unsigned long& colorref,
                unsigned long& rgb) {
  CHtmlStyle style;
  if (text.empty() || !style.Init(("color:" + text + ";").c_str()) ||
      !style.GetColor(rgb) || (text[0] == '#' && text.size() != 7)) {
    return false;
  }
  colorref = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return true;
}

// Makes changes one by one, and puts every element touched back when one
// fails.
class CEditor {
 public:
  explicit CEditor(const std::string& id) : m_id(id) {}

  const Refusal& Failure() const { return m_failure; }

  bool Refuse(RefusalCode code, const std::string& why) {
    if (!m_failure) m_failure = Refusal(code, why);
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
      it->first->Init(it->second.c_str());
    }
    m_saved.clear();
    return false;
  }

  // Every element changed that a browser sees as it was (a value set to
  // the one it held, with the library rewriting the style around it) is
  // put back as it was, byte for byte, so that the change changes nothing.
  void KeepUnchanged() {
    std::vector<CHtmlTextBase*> seen;
    for (const auto& [element, before] : m_saved) {
      if (std::find(seen.begin(), seen.end(), element) != seen.end()) continue;
      seen.push_back(element);  // the first markup kept is the original
      const std::string now = MarkupOf(*element);
      if (now != before && SeenAlike(before, now))
        element->Init(before.c_str());
    }
  }

  // A value checked before it is set: "" or why no page can hold it.
  bool Check(const std::string& refusal) {
    return refusal.empty() || Refuse(RefusalCode::kBadValue, refusal);
  }

  bool NotExact(const std::string& why) {
    return Refuse(RefusalCode::kNotExact, why);
  }

  bool WrongKind(const std::string& why) {
    return Refuse(RefusalCode::kWrongKind, why);
  }

  // A change of the style of `tag` in `layer` through `set`.
  bool Style(CHtmlLayer& layer, const std::string& what, std::string tag,
             const std::string& property, const std::function<int()>& set,
             const std::function<bool()>& readsBack) {
    tag = Lower(tag);
    const std::string before = Keep(layer);
    if (!set()) return NotExact(Cannot(what) + StyleRefusal(before, tag));
    const std::string after = MarkupOf(layer);
    std::string change = OtherChange(before, after, tag, "style");
    if (change.empty()) change = LostDeclaration(before, after, tag, property);
    if (change.empty() && !readsBack()) change = "it would not read back";
    if (change.empty()) return true;
    return NotExact(Cannot(what) + change + QuoteNote(before, tag, "style"));
  }

  // A change of `attribute` of `tag` in `element` to `value` through `set`.
  bool Attribute(CHtmlTextBase& element, const std::string& what,
                 const std::string& tag, const std::string& attribute,
                 const std::string& value, const std::function<int()>& set) {
    const std::string before = Keep(element);
    if (!set()) {
      return NotExact(Cannot(what) + "the library cannot change its " +
                      attribute + QuoteNote(before, tag, attribute));
    }
    const std::string after = MarkupOf(element);
    std::string change = OtherChange(before, after, tag, attribute);
    CString read;
    if (change.empty() &&
        (!element.GetAttribute(tag.c_str(), attribute.c_str(), read) ||
         value != static_cast<const char*>(read))) {
      change = "it would not read back";
    }
    if (change.empty()) return true;
    return NotExact(Cannot(what) + change + QuoteNote(before, tag, attribute));
  }

  // `element`'s markup replaced by `markup` through the library's Init,
  // which must then read back (`readsBack`).
  bool Replace(CHtmlTextBase& element, const std::string& what,
               const std::string& markup,
               const std::function<bool()>& readsBack) {
    Keep(element);
    if (markup.size() > CHtmlTextBase::kMaxOuterTextLength)
      return NotExact(Cannot(what) + "the element would be over 8192 bytes");
    if (!element.Init(markup.c_str()) || !readsBack())
      return NotExact(Cannot(what) + "it would not read back");
    return true;
  }

  bool Text(CHtmlTextLayer& layer, const std::string& text) {
    const std::string before = MarkupOf(layer);
    const std::string tag = Lower(static_cast<const char*>(layer.m_strTextTag));
    CString old;
    size_t begin = 0, end = 0;
    if (!layer.GetTextString(old) && BareTextStretch(before, tag, begin, end)) {
      // A bare text tag ("<p>"), which the library's rule does not take:
      // the text after it is replaced as the library would replace it.
      return Replace(
          layer, "text", before.substr(0, begin) + text + before.substr(end),
          [&] {
            std::string read;
            return LayerText(layer, read) && read == text &&
                   OtherTextChange(before, MarkupOf(layer), tag).empty();
          });
    }
    Keep(layer);
    if (!layer.GetTextString(old) || !layer.SetTextString(text.c_str())) {
      return NotExact(Cannot("text") +
                      "the library finds a layer's text after "
                      "a start tag whose name a blank or an attribute follows, "
                      "and <" +
                      tag + "> has neither (write <" + tag +
                      " > or "
                      "give it an attribute)");
    }
    if (MarkupOf(layer).size() > CHtmlTextBase::kMaxOuterTextLength) {
      return NotExact(Cannot("text") + "the layer would be over 8192 bytes");
    }
    std::string change = OtherTextChange(before, MarkupOf(layer), tag);
    if (change.empty()) change = TextReadBack(MarkupOf(layer), text);
    return change.empty() || NotExact(Cannot("text") + change);
  }

 private:
  std::string Cannot(const std::string& what) const {
    return "cannot set the " + what +
           (m_id.empty() ? "" : " of layer " + m_id) + ": ";
  }

  std::string Keep(CHtmlTextBase& element) {
    const std::string markup = MarkupOf(element);
    m_saved.emplace_back(&element, markup);
    return markup;
  }

  std::string m_id;
  Refusal m_failure;
  std::vector<std::pair<CHtmlTextBase*, std::string>> m_saved;
};

bool ApplyBox(const PageEdit& e, CHtmlLayer& layer, CEditor& editor) {
  struct Change {
    std::optional<int> PageEdit::*member;
    int (CHtmlLayer::*set)(int, const char*);
    int (CHtmlLayer::*get)(int&, const char*) const;
    const char* property;  // in the style attribute, and in messages
  };
  const Change kChanges[] = {{&PageEdit::left, &CHtmlLayer::SetPixelLeft,
                              &CHtmlLayer::GetPixelLeft, "left"},
                             {&PageEdit::top, &CHtmlLayer::SetPixelTop,
                              &CHtmlLayer::GetPixelTop, "top"},
                             {&PageEdit::width, &CHtmlLayer::SetPixelWidth,
                              &CHtmlLayer::GetPixelWidth, "width"},
                             {&PageEdit::height, &CHtmlLayer::SetPixelHeight,
                              &CHtmlLayer::GetPixelHeight, "height"},
                             {&PageEdit::zIndex, &CHtmlLayer::SetZIndex,
                              &CHtmlLayer::GetZIndex, "z-index"}};
  for (const Change& c : kChanges) {
    if (!(e.*c.member)) continue;
    const int value = *(e.*c.member);
    if (!editor.Check(CheckNumber(c.member, value)) ||
        !editor.Style(
            layer, c.property, "div", c.property,
            [&] { return (layer.*c.set)(value, "div"); },
            [&] {
              int read = 0;
              return (layer.*c.get)(read, "div") && read == value;
            })) {
      return false;
    }
  }
  if (!e.visibility) return true;
  const HtmlVisibility value =
      *e.visibility == "hidden" ? HtmlVisibilityHidden : HtmlVisibilityVisible;
  return editor.Style(
      layer, "visibility", "div", "visibility",
      [&] { return layer.SetVisibility("div", value); },
      [&] {
        HtmlVisibility read = HtmlVisibilityVisible;
        return layer.GetVisibility("div", read) && read == value;
      });
}

// `list` as FontFamilies gives it: each name trimmed, ", " between.
std::string Listed(const std::string& list) {
  std::string listed;
  for (size_t from = 0; from <= list.size();) {
    size_t comma = list.find(',', from);
    if (comma == std::string::npos) comma = list.size();
    const std::string name = Trim(list.substr(from, comma - from));
    if (!name.empty()) listed += (listed.empty() ? "" : ", ") + name;
    from = comma + 1;
  }
  return listed;
}

bool ApplyContent(const PageEdit& e, CHtmlTextLayer& text, CEditor& editor) {
  if (!e.content) return true;
  const std::string before = MarkupOf(text);
  size_t begin = 0, end = 0;
  const bool stretch = ContentStretch(before, begin, end);
  if (!editor.Check(ContentRefusal(
          *e.content, stretch ? before.substr(begin, end - begin) : "")))
    return false;
  if (!stretch) {
    return editor.NotExact(
        "cannot set the content: the layer's div holds no element to write "
        "it in");
  }
  return editor.Replace(
      text, "content",
      before.substr(0, begin) + *e.content + before.substr(end), [&] {
        std::string read;
        return LayerContent(text, read) && read == *e.content;
      });
}

// The font of the text tag's style: size, colour, alignment, families.
bool ApplyFont(const PageEdit& e, CHtmlTextLayer& text, CEditor& editor) {
  const std::string tag = static_cast<const char*>(text.m_strTextTag);
  if (e.fontSize) {
    const int size = *e.fontSize;
    if (!editor.Check(CheckNumber(&PageEdit::fontSize, size)) ||
        !editor.Style(
            text, "font size", tag, "font-size",
            [&] { return text.SetFontSize(size); },
            [&] {
              int read = 0;
              return text.GetFontSize(read) && read == size;
            })) {
      return false;
    }
  }
  if (e.textAlign) {
    static const char* const kAligns[] = {"left", "center", "right"};
    int align = 0;
    while (align < 3 && *e.textAlign != kAligns[align]) ++align;
    if (align == 3)
      return editor.Check("no alignment " + *e.textAlign +
                          " (use left, center or right)");
    const HtmlTextAlign value = static_cast<HtmlTextAlign>(align + 1);
    if (!editor.Style(
            text, "alignment", tag, "text-align",
            [&] { return text.SetTextAlign(value); },
            [&] {
              HtmlTextAlign read = HtmlTextAlignLeft;
              return text.GetTextAlign(read) && read == value;
            }))
      return false;
  }
  if (e.fontFamily &&
      (!editor.Check(CheckValue("the font", *e.fontFamily)) ||
       !editor.Style(
           text, "font", tag, "font-family",
           [&] { return text.ResetFontFamily(e.fontFamily->c_str()); },
           [&] { return FontFamilies(text) == Listed(*e.fontFamily); })))
    return false;
  if (!e.color) return true;
  unsigned long colorref = 0;
  unsigned long rgb = 0;
  if (!ParseColor(*e.color, colorref, rgb)) {
    return editor.Check("not a colour: " + *e.color +
                        " (use #rrggbb or a colour name)");
  }
  return editor.Style(
      text, "colour", tag, "color", [&] { return text.SetColor(colorref); },
      [&] {
        unsigned long read = 0;
        return text.GetColor(read) && read == rgb;
      });
}

bool ApplyText(const PageEdit& e, CHtmlLayer& layer, CEditor& editor) {
  if (!e.text && !e.content && !e.fontSize && !e.color && !e.textAlign &&
      !e.fontFamily)
    return true;
  if (!layer.IsKindOf(RUNTIME_CLASS(CHtmlTextLayer))) {
    return editor.WrongKind(
        "a text, a font size and a colour need a text layer");
  }
  CHtmlTextLayer& text = static_cast<CHtmlTextLayer&>(layer);
  if (e.text &&
      (!editor.Check(CheckText(*e.text)) || !editor.Text(text, *e.text))) {
    return false;
  }
  return ApplyContent(e, text, editor) && ApplyFont(e, text, editor);
}

// Whether no layer of `document` but `layer` has the id `id`.
bool IdIsFree(const CHtmlMemDoc& document, const CHtmlLayer& layer,
              const std::string& id) {
  bool free = true;
  ForEachLayer(document, [&](const CHtmlLayer& other) {
    free = free && (&other == &layer || LayerId(other) != id);
  });
  return free;
}

// A new id or poster: attributes any layer's div, or a video's image, has.
// An id is not empty and no other layer's, or a layer could no longer be
// told apart.
bool ApplyNames(const PageEdit& e, const CHtmlMemDoc& document,
                CHtmlLayer& layer, CEditor& editor) {
  if (e.id && !IdIsFree(document, layer, *e.id)) {
    const Refusal taken = IdTaken(*e.id);
    return editor.Refuse(taken.code, taken.why);
  }
  if (e.id && (!editor.Check(CheckId("the id", *e.id)) ||
               !editor.Check(e.id->empty() ? "a layer needs an id" : "") ||
               !editor.Attribute(layer, "id", "div", "id", *e.id, [&] {
                 return layer.SetAttribute("div", "id", e.id->c_str());
               }))) {
    return false;
  }
  if (!e.poster) return true;
  if (!layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer)))
    return editor.WrongKind("a poster needs a video layer");
  CHtmlVideoLayer& video = static_cast<CHtmlVideoLayer&>(layer);
  return editor.Check(CheckValue("the poster", *e.poster)) &&
         editor.Attribute(layer, "poster", "img", "src", *e.poster,
                          [&] { return video.SetSrc(e.poster->c_str()); });
}

bool ApplySource(const PageEdit& e, CHtmlLayer& layer, CEditor& editor) {
  if (!e.src) return true;
  const std::string& src = *e.src;
  if (!editor.Check(CheckValue("the source", src))) return false;
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlVideoLayer))) {
    CHtmlVideoLayer& video = static_cast<CHtmlVideoLayer&>(layer);
    return editor.Attribute(layer, "source", "img", "dynsrc", src,
                            [&] { return video.SetDynSrc(src.c_str()); });
  }
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlImageLayer))) {
    CHtmlImageLayer& image = static_cast<CHtmlImageLayer&>(layer);
    return editor.Attribute(layer, "source", "img", "src", src,
                            [&] { return image.SetSrc(src.c_str()); });
  }
  if (layer.IsKindOf(RUNTIME_CLASS(CHtmlEmbedLayer))) {
    CHtmlEmbedLayer& embed = static_cast<CHtmlEmbedLayer&>(layer);
    return editor.Attribute(layer, "source", "embed", "src", src,
                            [&] { return embed.SetSrc(src.c_str()); });
  }
  return editor.WrongKind("a source needs an image, video or embed layer");
}

// The page's title: the text of its title element, which is made when
// the page has none.
bool ApplyTitle(const PageEdit& e, CHtmlMemDoc& document, CEditor& editor) {
  if (!e.title) return true;
  const std::string& title = *e.title;
  if (!editor.Check(CheckText(title)) ||
      !editor.Check(title.find_first_of("\r\n") == std::string::npos
                        ? ""
                        : "a title is one line"))
    return false;
  const std::string before = MarkupOf(document.m_title);
  std::string old;
  const size_t open = before.find('>');
  const std::string markup =
      TitleText(document.m_title, old) && open != std::string::npos
          ? before.substr(0, open + 1) + title +
                before.substr(open + 1 + old.size())
          : "<title>" + title + "</title>";
  return editor.Replace(document.m_title, "title", markup, [&] {
    std::string read;
    return TitleText(document.m_title, read) && read == title;
  });
}

// The frameset's columns and rows, and one frame's file and size.
bool ApplyFrames(const PageEdit& e, CHtmlMemDoc& document, CEditor& editor) {
  CHtmlFrameSet& frames = document.m_frameSet;
  const std::pair<const std::optional<std::string>*, const char*> kSizes[] = {
      {&e.frameCols, "cols"}, {&e.frameRows, "rows"}};
  for (const auto& size : kSizes) {
    const std::optional<std::string>* value = size.first;
    const char* attribute = size.second;
    if (!*value) continue;
    if (frames.GetFrameCount() == 0)
      return editor.WrongKind("the page has no frameset");
    if (!editor.Check(
            CheckValue(std::string("the frameset's ") + attribute, **value)) ||
        !editor.Attribute(frames, std::string("frameset's ") + attribute,
                          "frameset", attribute, **value, [&] {
                            return frames.SetAttribute("frameset", attribute,
                                                       (*value)->c_str());
                          }))
      return false;
  }
  if (!e.frameSrc && !e.frameWidth && !e.frameHeight) return true;
  CHtmlFrame* frame = e.frame ? frames.GetAt(*e.frame) : nullptr;
  if (frame == nullptr)
    return editor.WrongKind("the page's frameset has no frame " +
                            (e.frame ? std::to_string(*e.frame) : "named"));
  if (e.frameSrc &&
      (!editor.Check(CheckValue("the frame's file", *e.frameSrc)) ||
       !editor.Attribute(*frame, "frame's file", "frame", "src", *e.frameSrc,
                         [&] { return frame->SetSrc(e.frameSrc->c_str()); })))
    return false;
  const struct {
    std::optional<int> PageEdit::*member;
    const char* attribute;
    int (CHtmlFrame::*set)(int);
  } kDimensions[] = {
      {&PageEdit::frameWidth, "width", &CHtmlFrame::SetWidth},
      {&PageEdit::frameHeight, "height", &CHtmlFrame::SetHeight}};
  for (const auto& d : kDimensions) {
    if (!(e.*d.member)) continue;
    const int value = *(e.*d.member);
    // The number is replaced and the unit kept ("25%" becomes "30%").
    CString now;
    frame->GetAttribute("frame", d.attribute, now);
    const std::string written = static_cast<const char*>(now);
    const size_t unit = written.find_first_not_of("0123456789");
    const std::string want =
        std::to_string(value) +
        (unit == std::string::npos ? "" : written.substr(unit));
    if (!editor.Check(CheckNumber(d.member, value)) ||
        !editor.Attribute(*frame, std::string("frame's ") + d.attribute,
                          "frame", d.attribute, want,
                          [&] { return (frame->*d.set)(value); }))
      return false;
  }
  return true;
}

bool ApplyPage(const PageEdit& e, CHtmlMemDoc& document, CEditor& editor) {
  if (!ApplyTitle(e, document, editor) || !ApplyFrames(e, document, editor))
    return false;
  if (e.background) {
    const std::string& src = *e.background;
    if (MarkupOf(document.m_body).empty()) {
      return editor.WrongKind(
          "cannot set the background image: the page has no body tag");
    }
    if (!editor.Check(CheckValue("the background image", src)) ||
        !editor.Attribute(
            document.m_body, "background image", "body", "background", src,
            [&] { return document.SetBackgroundImage(src.c_str()); })) {
      return false;
    }
  }
  if (e.backgroundColor) {
    const std::string& color = *e.backgroundColor;
    unsigned long colorref = 0, rgb = 0;
    if (MarkupOf(document.m_body).empty())
      return editor.WrongKind(
          "cannot set the background colour: the page has no body tag");
    if (!ParseColor(color, colorref, rgb))
      return editor.Check("not a colour: " + color +
                          " (use #rrggbb or a colour name)");
    if (!editor.Attribute(document.m_body, "background colour", "body",
                          "bgcolor", color, [&] {
                            return document.m_body.SetAttribute(
                                "body", "bgcolor", color.c_str());
                          }))
      return false;
  }
  if (e.noSound) document.RemoveBackgroundSound();
  if (!e.sound) return true;
  const std::string& src = *e.sound;
  if (!editor.Check(CheckValue("the background sound", src))) return false;
  if (!document.IsBackgroundSoundExist()) {
    return document.AddBackgroundSound(src.c_str()) ||
           editor.NotExact("cannot add the background sound");
  }
  return editor.Attribute(
      document.m_bgSound, "background sound", "bgsound", "src", src,
      [&] { return document.SetBackgroundSound(src.c_str()); });
}

// Every change of `edit` but the making and removing of layers.
Refusal ApplyChanges(CHtmlMemDoc& document, CHtmlLayer* layer,
                     const PageEdit& edit) {
  CEditor editor(layer != nullptr ? LayerId(*layer) : edit.layer);
  if (edit.ChangesLayer() &&
      (!ApplyBox(edit, *layer, editor) || !ApplyText(edit, *layer, editor) ||
       !ApplySource(edit, *layer, editor) ||
       !ApplyNames(edit, document, *layer, editor))) {
    return editor.Failure();
  }
  if (!ApplyPage(edit, document, editor)) return editor.Failure();
  editor.KeepUnchanged();
  return Refusal();
}

// Whether `edit` does nothing but take its layer out.
bool OnlyRemoves(const PageEdit& edit) {
  if (edit.noSound) return false;
  for (const EditProperty& property : EditProperties()) {
    if ((property.number && edit.*property.number) ||
        (property.text && edit.*property.text))
      return false;
  }
  return true;
}

Refusal RemoveLayer(CHtmlMemDoc& document, CHtmlLayer& layer,
                    const PageEdit& edit) {
  if (!OnlyRemoves(edit)) {
    return Refusal(RefusalCode::kBadValue,
                   "a layer taken out of the page takes no other change");
  }
  DestroyLayer(document, &layer);
  return Refusal();
}

// Makes the layer `edit` adds, or the copy it asks for of `layer`, into
// `made`; `rest` becomes what is left to do to it (the copy's id set
// through the guarded edit, as any id is).
Refusal MakeOrCopy(CHtmlMemDoc& document, CHtmlLayer* layer, PageEdit& rest,
                   CHtmlLayer*& made) {
  const std::string& id = rest.add ? rest.layer : *rest.copyAs;
  if (const std::string why = CheckId("the new layer's id", id);
      !why.empty() || id.empty())
    return Refusal(RefusalCode::kBadValue,
                   why.empty() ? "a new layer needs an id" : why);
  if (rest.add) {
    Refusal refused =
        MakeLayer(document, *rest.add, id, rest.src.value_or(""), made);
    rest.add.reset();
    return refused;
  }
  Refusal refused = CopyLayer(document, *layer, id, made);
  if (!rest.id) rest.id = id;
  rest.layer = id;
  rest.copyAs.reset();
  return refused;
}

}  // namespace

const std::vector<EditProperty>& EditProperties() {
  using E = PageEdit;
  static const std::vector<EditProperty> kProperties = {
      {"left", &E::left, nullptr, "Left edge, in pixels"},
      {"top", &E::top, nullptr, "Top edge, in pixels"},
      {"width", &E::width, nullptr, "Width, in pixels"},
      {"height", &E::height, nullptr, "Height, in pixels"},
      {"zIndex", &E::zIndex, nullptr, "Stacking order"},
      {"visibility", nullptr, &E::visibility, "visible or hidden"},
      {"text", nullptr, &E::text, "A text layer's text"},
      {"content", nullptr, &E::content,
       "A text layer's content as markup: text with <b>, <i>, <font> and "
       "<br>"},
      {"textAlign", nullptr, &E::textAlign,
       "A text layer's alignment: left, center or right"},
      {"fontFamily", nullptr, &E::fontFamily,
       "A text layer's fonts: Verdana, Arial"},
      {"fontSize", &E::fontSize, nullptr,
       "A text layer's font size, in points"},
      {"color", nullptr, &E::color,
       "A text layer's colour: #rrggbb or a colour name"},
      {"src", nullptr, &E::src,
       "The file an image, video or embed layer shows"},
      {"poster", nullptr, &E::poster, "The image a video layer shows"},
      {"id", nullptr, &E::id, "A new id for the layer's div"},
      {"title", nullptr, &E::title, "The page's title"},
      {"frame", &E::frame, nullptr,
       "The frame changed, by its place in the frameset (from 0)"},
      {"frameSrc", nullptr, &E::frameSrc, "The frame's page"},
      {"frameWidth", &E::frameWidth, nullptr,
       "The frame's width (its tag's unit kept)"},
      {"frameHeight", &E::frameHeight, nullptr,
       "The frame's height (its tag's unit kept)"},
      {"frameCols", nullptr, &E::frameCols, "The frameset's columns: 25%,*"},
      {"frameRows", nullptr, &E::frameRows, "The frameset's rows: 80,*"},
      {"background", nullptr, &E::background, "The page's background image"},
      {"backgroundColor", nullptr, &E::backgroundColor,
       "The page's background colour: #rrggbb or a colour name"},
      {"sound", nullptr, &E::sound,
       "The page's background sound (added if missing)"},
      {"add", nullptr, &E::add,
       "Make the layer first, of this kind: text, image, video, embed or "
       "live audio"},
      {"copyAs", nullptr, &E::copyAs,
       "Copy the layer first, under this new id; the other changes are the "
       "copy's"}};
  return kProperties;
}

const EditProperty* FindEditProperty(std::string_view name) {
  for (const EditProperty& property : EditProperties())
    if (name == property.name) return &property;
  return nullptr;
}

Refusal NumberRefusal(std::optional<int> PageEdit::*member,
                      const std::string& written) {
  const NumberRange& range = RangeOf(member);
  if (WholeNumeral(written) != nullptr)
    return Refusal(RefusalCode::kBadValue, OutOfRange(range, written));
  return Refusal(
      RefusalCode::kBadValue,
      std::string(range.property) + " " + written + " is not a whole number");
}

Refusal SetNumber(PageEdit& edit, std::optional<int> PageEdit::*member,
                  const std::string& written) {
  const char* first = WholeNumeral(written);
  const char* last = written.c_str() + written.size();
  int value = 0;
  if (first == nullptr || std::from_chars(first, last, value).ec != std::errc())
    return NumberRefusal(member, written);
  edit.*member = value;
  return Refusal();
}

Refusal ApplyEdit(CHtmlMemDoc& document, const PageEdit& edit) {
  CHtmlLayer* layer = nullptr;
  if (edit.NamesLayer()) {
    layer = FindLayer(document, edit.layer);
    if (layer == nullptr)
      return Refusal(RefusalCode::kNoLayer,
                     "no layer with the id " + edit.layer);
  }
  return ApplyEdit(document, layer, edit);
}

Refusal ApplyEdit(CHtmlMemDoc& document, CHtmlLayer* layer,
                  const PageEdit& edit) {
  if (edit.NamesLayer() && layer == nullptr)
    return Refusal(RefusalCode::kNoLayer, "no layer to change");
  if (edit.remove) return RemoveLayer(document, *layer, edit);
  if (!edit.add && !edit.copyAs) return ApplyChanges(document, layer, edit);
  PageEdit rest = edit;
  CHtmlLayer* made = nullptr;
  Refusal refused = MakeOrCopy(document, layer, rest, made);
  if (!refused) refused = ApplyChanges(document, made, rest);
  if (refused && made != nullptr) DestroyLayer(document, made);
  return refused;
}

}  // namespace htmlmemdoc
