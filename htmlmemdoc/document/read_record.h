// read_record.h: what a read of a page did, kept beside the document for
// hosts that must tell a person why a page does not read, or what a page
// holds that the document does not keep. Both are additions: the reader's
// results, the document it fills and its message box are as they were.

#ifndef HTMLMEMDOC_DOCUMENT_READ_RECORD_H_
#define HTMLMEMDOC_DOCUMENT_READ_RECORD_H_

class CObject;

// Why ReadFromString or ReadFromFile returned 0.
enum HtmlReadReason : int {
  HtmlReadOk = 0,
  HtmlReadNotAPage = 1,       // the text does not start, after blanks, with
                              // "<html>" or "<HTML>" (or it is null)
  HtmlReadCannotOpen = 2,     // ReadFromFile: the file cannot be opened
  HtmlReadUnknownTag = 3,     // a tag the page does not hold where it stands
  HtmlReadMixedCase = 4,      // a tag name neither all lower nor all upper
  HtmlReadUnclosedTag = 5,    // a tag without its ">"
  HtmlReadMissingEndTag = 6,  // an element, block or comment left open
  HtmlReadTooLong = 7,        // an element over its size limit
  HtmlReadBodyContent = 8,    // text or a tag other than a layer's <div>
                              // among the layers
  HtmlReadRefusedLayer = 9,   // a <div> block that no layer kind takes
  HtmlReadRefusedRule = 10    // a style rule that does not parse
};

// Where and why the last read failed: the fault's line and column as the
// syntax-error message shows them, and its byte offset in the text read
// (0 for HtmlReadCannotOpen). HtmlReadOk after a read that succeeded.
struct CHtmlReadError {
  HtmlReadReason reason;
  int line;
  int column;
  long offset;
};

// What the read made of one stretch of the page text. Blanks between
// elements are not recorded.
enum HtmlReadItemKind : int {
  HtmlReadElement = 1,  // kept: `element` is the element or layer object
  HtmlReadTag = 2,      // a tag of the page's frame that the document
                        // does not keep: <html>, <head>, </body>, ...
  HtmlReadText = 3,     // text passed over between the page's tags
  HtmlReadComment = 4,  // a comment passed over between layers
  HtmlReadDropped = 5,  // the page script file, which is not kept
  HtmlReadReplaced = 6  // an element a later one of its kind replaced (a
                        // second <title>, <body>, <bgsound>, <frameset>)
};

// One recorded stretch: [begin, end) as byte offsets in the text read.
// `element` is set for HtmlReadElement only (null for an element a read
// observer declined); it is owned by the document and valid while it
// stays in it.
struct CHtmlReadItem {
  HtmlReadItemKind kind;
  long begin;
  long end;
  CObject* element;
};

#endif  // HTMLMEMDOC_DOCUMENT_READ_RECORD_H_
