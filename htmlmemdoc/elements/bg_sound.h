// bg_sound.h: CHtmlBgSound, the page's background sound, one
// <bgsound ...> tag kept as markup. Its attributes are read and written
// through the attribute engine with the tag name "bgsound"; a setter adds
// an attribute that is missing.

#ifndef HTMLMEMDOC_ELEMENTS_BG_SOUND_H_
#define HTMLMEMDOC_ELEMENTS_BG_SOUND_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"

class HTMLMEMDOC_EXPORT CHtmlBgSound : public CHtmlTextBase {
  DECLARE_DYNCREATE(CHtmlBgSound)

 public:
  int GetSrc(char* buffer, int bufferSize) const;
  int SetSrc(const char* src);

  // The loop count (-1 loops for ever). A value that does not start with a
  // number still succeeds and leaves `loop` as it was.
  int GetLoop(int& loop) const;
  int SetLoop(int loop);

  // Replaces `out` by a plug-in form of the sound: a 160 x 16 pixel <div>
  // just above the page holding an <embed> that plays the same file, for
  // example
  //   <div id="qBgSound" style="position:absolute; width:160px; ...">
  //   <embed id="EmbedBackgroundSound" src="theme.MID" type="audio/midi"
  //    autostart="true" autoplay="true" mastersound loop="true" ...>
  //   </div>
  // (three lines joined by line feeds). Returns 1.
  int RenderAsEmbed(CString& out) const;
};

#endif  // HTMLMEMDOC_ELEMENTS_BG_SOUND_H_
