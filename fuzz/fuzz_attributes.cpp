// The attribute engine on arbitrary markup, tag and attribute names and
// values: every overload, small and large buffers. After a successful
// SetAttribute of a value without a double quote, GetAttribute of the same
// names returns that value, wherever the engine's own rules promise it:
// the markup holds no form feed (the two separator sets differ there), the
// tag name holds no separator and no ">" (an edit there would split the tag
// itself), and either the attribute was read before or its name appears
// nowhere else.

#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Reads through buffers of several sizes; a success always leaves a
// terminated value that fits.
void ReadWithBuffers(const CHtmlTextBase& element, const std::string& tag,
                     const std::string& attr) {
  for (int size : {0, 1, 2, 4, 16, 1024, 9000}) {
    std::vector<char> buffer(static_cast<size_t>(size) + 8, '\x7f');
    if (element.GetAttribute(tag.c_str(), attr.c_str(), buffer.data(),
                             size)) {
      FUZZ_CHECK(std::strlen(buffer.data()) < static_cast<size_t>(size));
    }
    for (size_t i = static_cast<size_t>(size); i < buffer.size(); ++i) {
      FUZZ_CHECK(buffer[i] == '\x7f');  // nothing written past the buffer
    }
  }
  CString value("unchanged");
  if (!element.GetAttribute(CString(tag.c_str()), CString(attr.c_str()),
                            value)) {
    FUZZ_CHECK(value == "unchanged");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::vector<std::string> in = SplitInput(data, size, 4);
  const std::string& markup = in[0];
  const std::string& tag = in[1];
  const std::string& attr = in[2];
  const std::string& value = in[3];
  CHtmlTextBase element;
  element.Init(markup.c_str());  // refused past 8192 bytes: then empty
  const std::string stored =
      static_cast<const char*>(element) ? static_cast<const char*>(element)
                                        : "";
  ReadWithBuffers(element, tag, attr);

  std::vector<char> before(stored.size() + 1);
  const int readBefore = element.GetAttribute(tag.c_str(), attr.c_str(),
                                              before.data(),
                                              static_cast<int>(before.size()));
  const int set = element.SetAttribute(tag.c_str(), attr.c_str(),
                                       value.c_str());
  const std::string after = static_cast<const char*>(element)
                                ? static_cast<const char*>(element)
                                : "";
  if (!set) {
    FUZZ_CHECK(after == stored);
    return 0;
  }
  const bool promised =
      value.find('"') == std::string::npos &&
      stored.find('\f') == std::string::npos &&
      tag.find_first_of(" \n\r\t\"=\f>") == std::string::npos &&
      (readBefore || Lower(stored).find(Lower(attr)) == std::string::npos);
  if (promised) {
    std::vector<char> read(after.size() + 1);
    FUZZ_CHECK(element.GetAttribute(tag.c_str(), attr.c_str(), read.data(),
                                    static_cast<int>(read.size())));
    FUZZ_CHECK(value == read.data());
  }
  element.SetAttribute(CString(tag.c_str()), CString(attr.c_str()),
                       CString(value.c_str()));
  return 0;
}
