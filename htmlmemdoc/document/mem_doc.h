// mem_doc.h: CHtmlMemDoc, one HTML page in memory.
// The document owns every element of the page, sorted by kind into typed
// lists and a few single elements, all public so a host can walk and edit
// them. Read one page into a newly constructed document (reading does not
// empty it first), edit, render as often as needed, then destroy it. An
// element handed to AddTextLayer and its siblings becomes the document's.
// Not thread-safe; a syntax error blocks in the message box until it is
// dismissed.

#ifndef HTMLMEMDOC_DOCUMENT_MEM_DOC_H_
#define HTMLMEMDOC_DOCUMENT_MEM_DOC_H_

#include <string>
#include <vector>

#include "htmlmemdoc/document/read_observer.h"
#include "htmlmemdoc/document/read_record.h"
#include "htmlmemdoc/document/text_list.h"
#include "htmlmemdoc/elements/bg_sound.h"
#include "htmlmemdoc/elements/frames.h"
#include "htmlmemdoc/elements/head_elements.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/embed_layer.h"
#include "htmlmemdoc/layers/image_layer.h"
#include "htmlmemdoc/layers/text_layer.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/object.h"
#include "htmlmemdoc/platform/string_array.h"
#include "htmlmemdoc/style/style.h"

class HTMLMEMDOC_EXPORT CHtmlMemDoc : public CObject {
 public:
  CHtmlMemDoc();
  ~CHtmlMemDoc() override;  // destroys every element it owns

  // Reads the file, its lines joined with "\n" (a CR before a LF dropped),
  // and runs ReadFromString on the text. Returns 0 silently when the file
  // cannot be opened; read errors after the open are thrown by the file
  // layer as CFileException*.
  int ReadFromFile(const char* path);
  // Reads a page that starts, after blanks, with "<html>" or "<HTML>".
  // Returns 1 on success; 0 silently when the text does not start so (or is
  // null); 0 after showing "HTML syntax error at Ln%d, Col%d" once at the
  // first fault. Elements read before a fault stay in the document.
  int ReadFromString(const char* text);
  int ReadFromString(CString& text);

  // Tells `observer` of each element the following reads file in a list,
  // and keeps only those it lets in; null (the default) keeps every one.
  // The document does not own the observer.
  void SetReadObserver(CHtmlReadObserver* observer) { m_pObserver = observer; }

  // Whether reads keep the record of the stretches they read (see
  // GetReadItem); 1 by default. A host that reads large pages and never
  // looks at the record saves its memory (32 bytes an element) with 0.
  // The read error is kept either way.
  void SetReadRecordKept(int keep) { m_bKeepRecord = keep; }

  // Columns a tab counts in the syntax-error position (4 by default).
  void SetTabWidth(int width) { m_nTabWidth = width; }

  // What the last read did (see read_record.h): why and where it failed,
  // and each stretch of the page text in page order with what it became.
  // A new read starts both afresh.
  const CHtmlReadError& GetReadError() const { return m_readError; }
  int GetReadItemCount() const { return static_cast<int>(m_readItems.size()); }
  const CHtmlReadItem* GetReadItem(int index) const;  // null out of range

  // Destroys every style rule and every text, image and video layer. Embed
  // layers, plain layers, metas, scripts and single elements stay.
  // Returns 1.
  int DeleteBodyContents();

  // Append a layer to its list; the document takes ownership. A null
  // pointer, or a layer a document already holds, returns 0 and changes
  // nothing (a layer taken out of a list by the list's own operations
  // stays marked as held: hand it back with ReleaseLayer instead).
  int AddTextLayer(CHtmlTextLayer* layer);
  int AddImageLayer(CHtmlImageLayer* layer);
  int AddVideoLayer(CHtmlVideoLayer* layer);
  int AddEmbedLayer(CHtmlEmbedLayer* layer);
  // Takes `layer` out of whichever of the document's layer lists holds it
  // and gives it back to the caller, who then owns it. Returns 0 when the
  // document does not hold it.
  int ReleaseLayer(CHtmlLayer* layer);

  // Fills `layers` with every layer the document holds, of every kind and
  // plain ones too, in the order the page held them; a layer added since
  // comes after them, in the order it was added (one put in a list by the
  // list's own operations, after those). `layers` does not own them: they
  // stay the document's (GetLayerKind tells each one's class). Returns the
  // number of layers.
  int GetLayersInPageOrder(CObList& layers) const;

  // The first style rule whose name equals `name` (ASCII case ignored), or
  // null. The rule stays owned by m_styleList.
  CHtmlStyle* GetStyle(const char* name) const;

  // The page background image: the body tag's "background" attribute.
  int SetBackgroundImage(const char* src);
  int GetBackgroundImage(char* buffer, int bufferSize) const;
  // The body's preloaded images (see CHtmlBody).
  int GetPreloadImage(CStringArray& images) const;
  int FlattenPreloadImageSrc();

  // The background sound's "src" attribute.
  int SetBackgroundSound(const char* src);
  int GetBackgroundSound(char* buffer, int bufferSize) const;
  // 1 when the background sound has a "src" value (even an empty one) of
  // fewer than 1040 bytes.
  int IsBackgroundSoundExist() const;
  // Gives the page a background sound playing `src`: a missing sound is
  // first made from a template (a looping MIDI sound with the id
  // "BackgroundSound"); an existing one only gets its "src" replaced.
  int AddBackgroundSound(const char* src);
  // Empties the background sound's markup. Returns 0, as Init("") does.
  int RemoveBackgroundSound();

  // Writes the page in the fixed layout: the head (metas, title, the style
  // block regenerated from the rules, scripts), the background sound, the
  // frameset, then the body start tag and the layers grouped by kind (text,
  // image, video, embed), inside <noframes> when there is a frameset.
  // Plain layers are not written. The sound and the image, video and embed
  // layers pass through the source rewriting: with `basePath` (may be
  // null) each referenced file name gets the letter case of the file found
  // under that path's directory, and with `encode` nonzero the characters
  // blank ! $ & ( ) , @ of the file reference become "_".
  // The empty document renders as "<html>\n<head>\n\n</head></html>".
  // Returns 1.
  int RenderToString(CString& output, int encode, const char* basePath) const;
  // Same into a new buffer that the caller owns and frees with
  // ::operator delete(output). Returns 0, leaving `output` alone, when the
  // buffer cannot be allocated.
  int RenderToString(char*& output, int encode, const char* basePath) const;
  // Renders and writes the text to `fileName` in text mode (each line feed
  // as CR LF), creating or truncating it. Returns 0 without a message when
  // the file cannot be opened; 0 after showing the file layer's report when
  // writing fails (a full disk, say); 1 otherwise.
  int RenderToFile(const char* fileName, int encode,
                   const char* basePath) const;

  // One source per image layer, in list order ("src", or "dynsrc" when an
  // image has no "src"), duplicates kept. Fails, with `images` empty, when
  // a layer has neither.
  int GetAllImageSrc(CStringArray& images) const;
  // Every file the page refers to, each once (ASCII case ignored; the form
  // met first is kept): image sources and div background images, embed
  // sources and backgrounds, text layers' div backgrounds, the page
  // background, the background sound, the preloaded images. Fails, with
  // `images` empty, when an image or embed layer's source cannot be read.
  int GetAllSrc(CStringArray& images) const;

  CHtmlStyleList m_styleList;  // rules of all style blocks
  CHtmlTitle m_title;
  CHtmlBgSound m_bgSound;
  CHtmlMetaList m_metaList;
  CHtmlScriptList m_scriptList;
  CHtmlBody m_body;  // the body start tag
  CHtmlFrameSet m_frameSet;
  CHtmlTextLayerList m_textLayerList;
  CHtmlImageLayerList m_imageLayerList;
  CHtmlVideoLayerList m_videoLayerList;
  CHtmlEmbedLayerList m_embedLayerList;  // live-audio layers too
  CHtmlLayerList m_layerList;            // blocks of no other kind
  int m_nTabWidth;

 private:
  // A reader of one top-level element. `elementStart` is the element's "<";
  // `cursor` stands just after its tag name. On success the reader returns
  // nonzero and leaves `cursor` after what it consumed; on failure it
  // returns 0 with `cursor` on the fault.
  typedef int (CHtmlMemDoc::*ElementReader)(const char* elementStart,
                                            const char*& cursor);

  int ReadPage(const char* text);
  int ReadTopLevelTag(const char*& cursor);
  int ReadClosingTag(const char*& cursor);
  int ReadBody(const char* elementStart, const char*& cursor);
  void LocateFault(const char* text, const char* cursor);
  void ReportErrorAt(const char* text, const char* cursor);
  void PassTag(const char* tagStart, const char*& cursor);
  void RecordText(const char* begin, const char* end);

  int ParseTitleElement(const char* elementStart, const char*& cursor);
  int ParseMetaElement(const char* elementStart, const char*& cursor);
  int ParseStyleElement(const char* elementStart, const char*& cursor);
  int ReadStyleEndTag(const char* p, const char*& cursor);
  int ReadRule(const char* begin, const char* end);
  void RecordStyleGap(const char* begin, const char* end);
  int ReadSingleTag(const char* elementStart, const char* tag,
                    CHtmlTextBase& element, const char*& cursor);
  int ParseScriptElement(const char* elementStart, const char*& cursor);
  int ParseBgSoundElement(const char* elementStart, const char*& cursor);
  int ParseBodyElement(const char* elementStart, const char*& cursor);
  int ParseFrameSetElement(const char* elementStart, const char*& cursor);
  int ParseBodyContent(const char* elementStart, const char*& cursor);
  int ReadLayerBlock(const char*& p, const char*& cursor, std::string& scratch);
  int SkipBlanksAndComments(const char*& p);
  const char* FindDivFrom(const char* p);
  CHtmlTextList& LayerListOf(HtmlLayerKind kind);
  int AdoptLayer(CHtmlTextList& list, CHtmlLayer* layer);
  void FileElement(CHtmlTextList& list, CHtmlTextBase* element,
                   const char* begin, const char* end);

  // The read record: Refuse notes why the current reader fails and returns
  // 0; Record appends a stretch of the text being read; RecordSingle does
  // so for one of the single elements, marking the one it replaces.
  int Refuse(HtmlReadReason reason);
  void Record(HtmlReadItemKind kind, const char* begin, const char* end,
              CObject* element = nullptr);
  void RecordSingle(CHtmlTextBase& element, const char* begin, const char* end);
  void StartRecord(const char* text);

  std::vector<CHtmlReadItem> m_readItems;
  CHtmlReadError m_readError;
  const char* m_pReadText;  // the text being read; null between reads
  int m_singleItems[4];     // the items of the title, body, sound, frameset
  // The last search for "<div" in the text being read: where it started and
  // what it found (null: none after that point), so that a page of many body
  // start tags is searched once, not once per tag.
  const char* m_pDivSearchStart;
  const char* m_pDivFound;
  CHtmlReadObserver* m_pObserver;  // not owned; null: keep every element
  unsigned long m_nLayersTaken;    // the page order of the last layer taken
  int m_bKeepRecord;
};

#endif  // HTMLMEMDOC_DOCUMENT_MEM_DOC_H_
