// image_layer.h: layers that hold an <img> tag: CHtmlImageLayer, and
// CHtmlVideoLayer, whose <img> plays a video through `dynsrc`. Their
// accessors read and write attributes of the first "img" tag of the block;
// a setter adds an attribute that is missing unless it says otherwise.

#ifndef HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_
#define HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/platform/afx_string.h"

class HTMLMEMDOC_EXPORT CHtmlImageLayer : public CHtmlLayer {
  DECLARE_DYNCREATE(CHtmlImageLayer)

 public:
  int GetImageID(CString& id) const;
  int GetImageID(char* buffer, int bufferSize) const;

  // The "src" value with each "&amp;" (any letter case) read as "&", in
  // one pass: "a.asp?x=1&amp;y=2" gives "a.asp?x=1&y=2".
  int GetSrc(CString& src) const;
  // Same into `buffer`, the rest of which is filled with NULs. A value that
  // does not fit with its NUL fails and leaves the empty string.
  int GetSrc(char* buffer, int bufferSize) const;
  // The "dynsrc" value, not decoded.
  int GetDynSrc(CString& src) const;
  int GetDynSrc(char* buffer, int bufferSize) const;

  // The leading number of "width" / "height" (up to 15 bytes). A value
  // that does not start with a number still succeeds and leaves the output
  // as it was ("auto").
  int GetWidth(int& width) const;
  int GetHeight(int& height) const;

  int SetSrc(const char* src);  // written as given, no "&" encoding
  int SetSrc(CString& src);
  // Replace "dynsrc" only when the image has one; never add it.
  int SetDynSrc(const char* src);
  int SetDynSrc(CString& src);
  int SetWidth(int width);
  int SetHeight(int height);
};

// Its class record names CHtmlLayer as the base, so a kind-of test against
// the image-layer class answers no.
class HTMLMEMDOC_EXPORT CHtmlVideoLayer : public CHtmlImageLayer {
  DECLARE_DYNCREATE(CHtmlVideoLayer)

 public:
  // 1 when the "Repeat" number is nonzero, else 0; a value without a
  // number succeeds and leaves `repeat` as it was.
  int GetRepeat(int& repeat) const;
  int SetRepeat(int repeat);  // writes "1" or "0"
  // The "Loop" count as written.
  int GetLoop(int& loop) const;
  int SetLoop(int loop);

  // Replaces `out` by a copy of the markup in which the <img ...> tag is
  // replaced by an <embed> playing the dynsrc file, for example
  //   <embed id="V1" src="clip.MPG" type="video/mpeg" width="320"
  //    height="240" autostart="true" autoplay="true" loop="true"
  //    controller="false">
  // The layer itself is not changed. Without an <img> tag `out` is the
  // markup unchanged. Returns 1.
  int RenderAsEmbed(CString& out) const;
};

#endif  // HTMLMEMDOC_LAYERS_IMAGE_LAYER_H_
