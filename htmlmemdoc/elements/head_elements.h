// head_elements.h: the elements that need no structure beyond their
// markup: a meta tag, the title element, a script element and the body
// start tag. The readers fill them and the renderer writes their markup
// back unchanged.

#ifndef HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_
#define HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/string_array.h"

// One <meta ...> tag of the head.
class HTMLMEMDOC_EXPORT CHtmlMeta : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlMeta)
};

// The <title>...</title> element.
class HTMLMEMDOC_EXPORT CHtmlTitle : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlTitle)
};

// One <script ...>...</script> element; scripts may be long, so Init
// accepts up to kMaxScriptLength bytes.
class HTMLMEMDOC_EXPORT CHtmlScript : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlScript)

 public:
  static const unsigned int kMaxScriptLength = 65535;
  unsigned int GetMaxOuterTextLength() const override;
};

// The <body ...> start tag, with the page background image and the images
// its load handler preloads through "MM_preloadImages" calls.
class HTMLMEMDOC_EXPORT CHtmlBody : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlBody)

 public:
  // The "background" attribute, read and written as GetAttribute and
  // SetAttribute do.
  int GetBackground(char* buffer, int bufferSize) const;
  int SetBackground(const char* image);

  // Fills `images` with the image arguments of every "MM_preloadImages"
  // call (any letter case) in the "onLoad" attribute, in order, paths kept;
  // a "#..." argument right after an image is not an image. Returns 1 when
  // at least one image was found; `images` is emptied first in any case.
  // Example: onLoad="MM_preloadImages('img/a.gif','#98')" gives "img/a.gif".
  int GetPreloadImage(CStringArray& images) const;

  // Rewrites the "onLoad" attribute so that each quoted image argument of
  // every call written "MM_preloadImages" or "MM_PRELOADIMAGES" keeps only
  // its file name and extension; "#..." arguments, unquoted arguments and
  // other text stay as they are. Returns 0 when there is no "onLoad",
  // otherwise the result of writing it back.
  // Example: "MM_preloadImages('img/a.gif')" becomes
  // "MM_preloadImages('a.gif')".
  int FlattenPreloadImageSrc();
};

#endif  // HTMLMEMDOC_ELEMENTS_HEAD_ELEMENTS_H_
