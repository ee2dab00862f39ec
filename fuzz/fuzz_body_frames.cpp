// The body start tag's handlers, the background sound and the frameset on
// arbitrary markup: preloads read and flattened, frames read, resized and
// written back.

#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "htmlmemdoc/htmlmemdoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilenceMessages();
  const std::vector<std::string> in = SplitInput(data, size, 3);
  const int seed = static_cast<int>(size * 2654435761u % 200000) - 100000;

  CHtmlBody body;
  body.Init(in[0].c_str());
  CStringArray images;
  body.GetPreloadImage(images);
  char small[5];
  body.GetBackground(small, sizeof small);
  if (body.FlattenPreloadImageSrc()) body.GetPreloadImage(images);

  CHtmlBgSound sound;
  sound.Init(in[0].c_str());
  CString embed;
  FUZZ_CHECK(sound.RenderAsEmbed(embed));
  int loop = 0;
  sound.GetLoop(loop);

  CHtmlFrameSet frames;
  FUZZ_CHECK(frames.Init(in[1].c_str()));
  FUZZ_CHECK(frames.GetAt(frames.GetFrameCount()) == nullptr);
  for (int i = 0; i < frames.GetFrameCount(); ++i) {
    CHtmlFrame* frame = frames.GetAt(i);
    int value = 0;
    HtmlUnit unit = HtmlUnitPixel;
    frame->GetWidth(value, unit);
    frame->GetHeight(value, unit);
    frame->SetWidth(seed);
    frame->SetHeight(-seed);
    frame->SetSrc(in[2].c_str());
    CString name;
    frame->GetName(name);
  }
  CString block;
  frames.RenderOutputString(block);
  CString id;
  frames.GetID(id);
  return 0;
}
