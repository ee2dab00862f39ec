// text_list.h: the document's owning element lists. A CHtmlTextList is an
// object list that owns its entries: its destructor destroys every entry
// through its virtual destructor. Removing an entry with the base list's
// operations hands it back to the caller without destroying it. Each typed
// list holds one element class and adds nothing else.

#ifndef HTMLMEMDOC_DOCUMENT_TEXT_LIST_H_
#define HTMLMEMDOC_DOCUMENT_TEXT_LIST_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/ob_list.h"

class HTMLMEMDOC_EXPORT CHtmlTextList : public CObList {
 public:
  explicit CHtmlTextList(int blockSize = 10);
  ~CHtmlTextList() override;  // destroys every entry

  // Removes every entry from the head on and destroys it.
  void DeleteAll();
};

class HTMLMEMDOC_EXPORT CHtmlMetaList : public CHtmlTextList {};   // CHtmlMeta
class HTMLMEMDOC_EXPORT CHtmlStyleList : public CHtmlTextList {};  // CHtmlStyle
class HTMLMEMDOC_EXPORT CHtmlScriptList : public CHtmlTextList {
};  // CHtmlScript
class HTMLMEMDOC_EXPORT CHtmlLayerList : public CHtmlTextList {};  // CHtmlLayer
class HTMLMEMDOC_EXPORT CHtmlTextLayerList : public CHtmlTextList {
};  // CHtmlTextLayer
class HTMLMEMDOC_EXPORT CHtmlImageLayerList : public CHtmlTextList {
};  // CHtmlImageLayer
class HTMLMEMDOC_EXPORT CHtmlVideoLayerList : public CHtmlTextList {
};  // CHtmlVideoLayer
// CHtmlEmbedLayer and CHtmlLiveAudioLayer
class HTMLMEMDOC_EXPORT CHtmlEmbedLayerList : public CHtmlTextList {};

#endif  // HTMLMEMDOC_DOCUMENT_TEXT_LIST_H_
