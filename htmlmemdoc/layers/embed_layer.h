// embed_layer.h: layers that hold an <embed> tag: CHtmlEmbedLayer, and
// CHtmlLiveAudioLayer, whose <embed> has an audio type and carries the word
// `mastersound`. Their accessors read and write attributes of the first
// "embed" tag of the block; a setter adds an attribute that is missing.

#ifndef HTMLMEMDOC_LAYERS_EMBED_LAYER_H_
#define HTMLMEMDOC_LAYERS_EMBED_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/platform/afx_string.h"

class HTMLMEMDOC_EXPORT CHtmlEmbedLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlEmbedLayer)

 public:
  int GetEmbedID(CString& id) const;
  int GetEmbedID(char* buffer, int bufferSize) const;
  int GetSrc(CString& src) const;  // as written, no decoding
  int GetSrc(char* buffer, int bufferSize) const;
  // The leading number of "width" / "height" ("100%" gives 100); a value
  // without a number succeeds and leaves the output as it was.
  int GetWidth(int& width) const;
  int GetHeight(int& height) const;
  int SetSrc(const char* src);
  int SetSrc(CString& src);
  int SetWidth(int width);
  int SetHeight(int height);
};

class HTMLMEMDOC_EXPORT CHtmlLiveAudioLayer : public CHtmlEmbedLayer {
  DECLARE_DYNCREATE(CHtmlLiveAudioLayer)

 public:
  using CHtmlEmbedLayer::Init;
  // Stores the markup; it must also hold "<embed" and "mastersound" (each
  // as written, in lower case or in upper case), else Init returns 0 with
  // the markup stored all the same.
  int Init(const char* text) override;

  // 1 when the value is "true" (any case), else 0.
  int GetLoop(int& loop) const;
  int SetLoop(int loop);  // "true" or "false"
  int GetAutoStart(int& autoStart) const;
  int SetAutoStart(int autoStart);
};

#endif  // HTMLMEMDOC_LAYERS_EMBED_LAYER_H_
