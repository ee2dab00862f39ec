// text_content.cpp: tags are found as a browser's tokenizer finds their
// names (letters up to a blank, "/" or ">"); each search goes forward
// only, so every function costs one pass over the markup.

#include "htmlmemdoc/pages/page/text_content.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "htmlmemdoc/layers/layer_box.h"
#include "htmlmemdoc/pages/page/page_elements.h"
#include "htmlmemdoc/pages/text/text_util.h"

namespace htmlmemdoc {
namespace {

// A browser's blanks between a tag's attributes: space, tab, line feed,
// form feed and carriage return.
const char kTagBlanks[] = " \t\n\f\r";
const char kBeforeName[] = " \t\n\f\r/";    // blanks and a "/"
const char kNameEnds[] = " \t\n\f\r/=>";    // what ends a name
const char kUnquotedEnds[] = " \t\n\f\r>";  // what ends a bare value

bool IsNameEnd(char c) {
  return c == '>' || c == '/' || std::isspace(static_cast<unsigned char>(c));
}

// The lower-case name of the tag whose "<" is at `at` ("/b" for an end
// tag), and where the tag's ">" is (npos when none): a tag's name ends at
// a blank, "/" or ">".
// Where the name (with the "/" of an end tag) of the tag at `at` ends.
size_t TagNameEnd(const std::string& markup, size_t at) {
  size_t end = at + 1;
  if (end < markup.size() && markup[end] == '/') ++end;
  while (end < markup.size() && !IsNameEnd(markup[end])) ++end;
  return end;
}

std::string TagAt(const std::string& markup, size_t at, size_t& close) {
  const size_t end = TagNameEnd(markup, at);
  close = markup.find('>', at);
  return Lower(markup.substr(at + 1, end - at - 1));
}

// Why the style `value` of a <font> in a layer's content is refused: it
// may set the font and the colour, with no url(), expression() or escape
// that could fetch or run something; "" when it passes.
std::string FontStyleRefusal(const std::string& value) {
  for (size_t begin = 0; begin <= value.size();) {
    size_t end = value.find(';', begin);
    if (end == std::string::npos) end = value.size();
    const std::string declaration = value.substr(begin, end - begin);
    begin = end + 1;
    const size_t colon = declaration.find(':');
    const std::string name = Lower(Trim(declaration.substr(0, colon)));
    if (name.empty() && colon == std::string::npos) continue;
    if (name.compare(0, 4, "font") != 0 && name != "color")
      return "a <font> in a layer's content may style only the font and its "
             "colour, not " +
             name;
  }
  const std::string lower = Lower(value);
  for (size_t at = lower.find('('); at != std::string::npos;
       at = lower.find('(', at + 1)) {
    const size_t start =
        lower.find_last_not_of("abcdefghijklmnopqrstuvwxyz", at - 1);
    const std::string function =
        lower.substr(start == std::string::npos ? 0 : start + 1,
                     at - (start == std::string::npos ? 0 : start + 1));
    if (function != "rgb" && function != "rgba")
      return "a <font> style in a layer's content may not call " + function +
             "()";
  }
  if (value.find('\\') != std::string::npos)
    return "a <font> style in a layer's content may not hold a \\ escape";
  return "";
}

// Why the attributes of `tag`, named `name`, are refused in a layer's
// content: only <font> has any (face, size, color and a font style), and
// <br> may close itself; "" when they pass.
std::string AttributeRefusal(const std::string& name, const std::string& tag) {
  size_t at = 1 + name.size();
  while (true) {
    at = tag.find_first_not_of(kBeforeName, at);
    if (at == std::string::npos || tag[at] == '>') return "";
    const size_t nameEnd = tag.find_first_of(kNameEnds, at);
    const std::string attribute = Lower(tag.substr(at, nameEnd - at));
    if (name != "font" || (attribute != "face" && attribute != "size" &&
                           attribute != "color" && attribute != "style"))
      return "a layer's content may not give <" + name + "> the attribute " +
             attribute.substr(0, 40);
    at = tag.find_first_not_of(kTagBlanks, nameEnd);
    if (tag[at] != '=') continue;
    at = tag.find_first_not_of(kTagBlanks, at + 1);
    const char quote = tag[at];
    const bool quoted = quote == '"' || quote == '\'';
    const size_t valueEnd =
        quoted ? tag.find(quote, at + 1) : tag.find_first_of(kUnquotedEnds, at);
    if (valueEnd == std::string::npos)
      return "a layer's content leaves a quote open in " + tag.substr(0, 40);
    const std::string value = tag.substr(at + quoted, valueEnd - at - quoted);
    // A browser reads references in a value (with or without their ";"),
    // which could spell what the checks below look for.
    if (value.find('&') != std::string::npos)
      return "a layer's content may not hold a character reference in the " +
             attribute + " of <" + name + ">";
    if (attribute == "style")
      if (std::string why = FontStyleRefusal(value); !why.empty()) return why;
    at = valueEnd + quoted;
  }
}

}  // namespace

bool BareTextStretch(const std::string& markup, const std::string& tag,
                     size_t& begin, size_t& end) {
  const std::string bare = "<" + Lower(tag) + ">";
  const std::string lower = Lower(markup);
  const size_t at = lower.find(bare);
  if (tag.empty() || at == std::string::npos) return false;
  begin = at + bare.size();
  end = markup.find('<', begin);
  if (end == std::string::npos) end = markup.size();
  return true;
}

bool LayerText(const CHtmlTextLayer& layer, std::string& text) {
  CString read;
  if (layer.GetTextString(read)) {
    text = static_cast<const char*>(read);
    return true;
  }
  const std::string markup = MarkupOf(layer);
  size_t begin = 0, end = 0;
  if (!BareTextStretch(markup, static_cast<const char*>(layer.m_strTextTag),
                       begin, end))
    return false;
  text = markup.substr(begin, end - begin);
  return true;
}

// The families from one reading of the text tag's style, as the layer's
// family getters give them one by one.
std::string FontFamilies(const CHtmlTextLayer& layer) {
  return GetFontFamilies(layer, layer.m_strTextTag);
}

bool ContentStretch(const std::string& markup, size_t& begin, size_t& end) {
  if (Lower(markup.substr(0, 4)) != "<div") return false;
  size_t close = markup.find('>');
  if (close == std::string::npos) return false;
  size_t at = markup.find_first_not_of(" \t\r\n", close + 1);
  if (at == std::string::npos || markup[at] != '<') return false;
  const std::string name = TagAt(markup, at, close);
  if (name.empty() || name[0] == '/' || name[0] == '!' ||
      close == std::string::npos)
    return false;
  begin = close + 1;
  // The matching end tag: elements of the same name inside it counted.
  int depth = 1;
  for (at = markup.find('<', begin); at != std::string::npos;
       at = markup.find('<', at + 1)) {
    // Only a name as long as `name`, or one longer (its end tag), counts.
    const size_t length = TagNameEnd(markup, at) - at - 1;
    if (length != name.size() && length != name.size() + 1) continue;
    const std::string found = Lower(markup.substr(at + 1, length));
    if (found == name) ++depth;
    if (found == "/" + name && --depth == 0) {
      end = at;
      return true;
    }
  }
  return false;
}

bool LayerContent(const CHtmlLayer& layer, std::string& content) {
  const std::string markup = MarkupOf(layer);
  size_t begin = 0, end = 0;
  if (!ContentStretch(markup, begin, end)) return false;
  content = markup.substr(begin, end - begin);
  return true;
}

std::string ContentRefusal(const std::string& content,
                           const std::string& current) {
  std::vector<std::string> open;
  for (size_t at = 0; at < content.size(); ++at) {
    if (content[at] == '>')
      return "a layer's content holds a \">\" outside a tag: write &gt;";
    if (content[at] != '<') continue;
    size_t close = 0;
    const std::string name = TagAt(content, at, close);
    const size_t next = content.find('<', at + 1);
    if (close == std::string::npos ||
        (next != std::string::npos && next < close))
      return "a layer's content holds a \"<\" that starts no whole tag: "
             "write &lt; for <";
    const std::string tag = content.substr(at, close - at + 1);
    // A control character inside a tag separated its attributes in some
    // browsers (a vertical tab in old ones): none is taken there.
    for (unsigned char c : tag)
      if ((c < 0x20 &&
           std::strchr(kTagBlanks, static_cast<char>(c)) == nullptr) ||
          c == 0x7F)
        return "a layer's content holds a control character inside the tag " +
               tag.substr(0, 40);
    at = close;
    if (name == "br") {
    } else if (name == "b" || name == "i" || name == "font") {
      open.push_back(name);
    } else if (name == "/b" || name == "/i" || name == "/font") {
      if (open.empty() || "/" + open.back() != name)
        return "a layer's content closes " + tag + " where it is not open";
      open.pop_back();
    } else {
      return "a layer's content may hold only text, <b>, <i>, <font> and "
             "<br>, not " +
             tag.substr(0, 40);
    }
    // A tag the layer holds already stays as it is; a new one may carry
    // only what AttributeRefusal lets through.
    if (current.find(tag) != std::string::npos) continue;
    if (std::string why = AttributeRefusal(name, tag); !why.empty()) return why;
  }
  if (!open.empty())
    return "a layer's content leaves <" + open.back() + "> open";
  return "";
}

}  // namespace htmlmemdoc
