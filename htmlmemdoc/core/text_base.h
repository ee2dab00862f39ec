// text_base.h: CHtmlTextBase, the base of every page element.
// An element keeps its outer markup byte for byte (for a layer the whole
// <div ...>...</div> block, for a meta element the <meta ...> tag); every
// getter of every element reads that text and every setter rewrites it
// through GetAttribute and SetAttribute, the one definition of attribute
// syntax in the library. Results are 1 for success and 0 for failure, and a
// failed call leaves the element unchanged. Not thread-safe.

#ifndef HTMLMEMDOC_CORE_TEXT_BASE_H_
#define HTMLMEMDOC_CORE_TEXT_BASE_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/file.h"
#include "htmlmemdoc/platform/object.h"

class HTMLMEMDOC_EXPORT CHtmlTextBase : public CObject {
  DECLARE_DYNCREATE(CHtmlTextBase)

 public:
  // Longest text Init accepts, in bytes, for every element but scripts.
  static const unsigned int kMaxOuterTextLength = 8192;

  CHtmlTextBase();  // no text (null)
  ~CHtmlTextBase() override;

  // Stores a copy of `text` as the outer text. Returns 1 when `text` is
  // non-empty; a null or empty `text` stores the empty text and returns 0.
  // A text longer than GetMaxOuterTextLength() is refused (0) and the old
  // text kept; a text of exactly that length is accepted.
  virtual int Init(const char* text);
  // Calls the virtual Init(const char*), so a subclass's override runs.
  virtual int Init(CString& text);
  // Writes the text unchanged to a file the caller opened. Returns 0 when
  // there is no text or the file is null or closed; on a write error shows
  // the file layer's report in a message box and returns 0.
  virtual int WriteToFile(CStdioFile* file);
  virtual unsigned int GetMaxOuterTextLength() const;

  // Frees the text; the element then has no text (null).
  void Reset();
  // The stored text, or null when there is none.
  operator const char*() const { return m_pszOuterText; }  // NOLINT
  // The stored text's length in bytes (0 when there is none), known
  // without reading the text.
  size_t GetOuterTextLength() const;

  // Reads attribute `attr` of the first start tag named `tag` (found as
  // written, in lower case or in upper case) into `buffer`. The value is
  // delivered byte for byte, only when it fits with its NUL; on failure the
  // buffer holds the empty string (when it has room for it). Fails when the
  // tag or the attribute is missing, when the name is not followed by "="
  // (`nowrap`, or a word of another attribute's quoted value) and when the
  // value is longer than bufferSize - 1.
  // Example: on <img src=a.gif border = 0>, "border" reads "0".
  int GetAttribute(const char* tag, const char* attr, char* buffer,
                   int bufferSize) const;
  // Same through a 1024-byte buffer; `value` is changed only on success.
  int GetAttribute(const CString& tag, const CString& attr,
                   CString& value) const;
  int GetAttribute(const char* tag, const char* attr, CString& value) const;

  // Replaces the value of `attr` in the first start tag named `tag` by
  // "\"value\"" (a null value counts as empty), or, when the tag ends
  // without the attribute, inserts " attr=\"value\"" before its ">". The
  // value is not escaped. Fails (text unchanged) when the tag, or a ">"
  // after it, is missing, when the name is present without "=", when the
  // old quoted value has no closing quote, when the first token equal to
  // the name lies inside another attribute's quoted value, and when `attr`
  // is empty or holds a separator or ">".
  // Example: on <a href="p.htm?a=1" target=_top>, setting "href" to "q.htm"
  // gives <a href="q.htm" target=_top>.
  int SetAttribute(const char* tag, const char* attr, const char* value);
  int SetAttribute(const CString& tag, const CString& attr,
                   const CString& value);

  // GetAttribute into a 1024-byte buffer, `edit` making the new value of
  // that value into a buffer of kEditedValueRoom bytes, then SetAttribute
  // with it, in one search of the tag when both would find the attribute
  // at the same place. Returns 0, the text unchanged, when GetAttribute
  // or `edit` fails (`edit` returns 0) or SetAttribute would. A null tag
  // fails. For editors that change one attribute's value in place, such
  // as the layers' style accessors.
  static const int kEditedValueRoom = 4097;
  typedef int (*AttributeEdit)(const char* value, char* edited, void* context);
  int EditAttribute(const char* tag, const char* attr, AttributeEdit edit,
                    void* context);

 protected:
  // Reads the leading number of an attribute value of up to 15 bytes into
  // `value`, which keeps its value when the text does not start with a
  // number; the result is that of the attribute read.
  int GetNumberAttribute(const char* tag, const char* attr, int& value) const;
  // Writes `value` in decimal as the attribute's value.
  int SetNumberAttribute(const char* tag, const char* attr, int value);

  // Replaces the text by a copy of `length` bytes at `text`, whatever the
  // length limit; for editors whose results may grow past it.
  void ReplaceText(const char* text, size_t length);

 private:
  // Takes `text` (from new[], or null) of `length` bytes, freeing the old
  // text unless `text` is the old text edited in place.
  void Adopt(char* text, size_t length);

  char* m_pszOuterText;  // owned, allocated with new[]; null when none
  // The text's length, or kLengthUnknown for one too long to note here.
  unsigned int m_nOuterLength;
  static const unsigned int kLengthUnknown = 0xFFFFFFFFu;
};

#endif  // HTMLMEMDOC_CORE_TEXT_BASE_H_
