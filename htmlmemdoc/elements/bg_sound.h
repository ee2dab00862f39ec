// bg_sound.h: CHtmlBgSound, the page's background sound, one
// <bgsound ...> tag kept as markup.

#ifndef HTMLMEMDOC_ELEMENTS_BG_SOUND_H_
#define HTMLMEMDOC_ELEMENTS_BG_SOUND_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"

class HTMLMEMDOC_EXPORT CHtmlBgSound : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlBgSound)
};

#endif  // HTMLMEMDOC_ELEMENTS_BG_SOUND_H_
