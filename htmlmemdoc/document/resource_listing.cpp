// resource_listing.cpp: the files a page refers to. GetAllSrc keeps each
// name once, comparing without regard to ASCII letter case; a set of the
// folded names already listed makes that check one lookup per name.

#include <string>
#include <unordered_set>

#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/platform/mbcs.h"

namespace {

const int kNameBuffer = 260;

// Appends names to an array unless an equal name (ASCII case ignored) is
// already there.
class CUniqueNames {
 public:
  explicit CUniqueNames(CStringArray& names) : m_names(names) {}

  void Add(const char* name) {
    std::string folded(name);
    htmlmemdoc::MakeLowerBytes(&folded[0], folded.size());
    if (m_seen.insert(folded).second) m_names.Add(name);
  }

 private:
  CStringArray& m_names;
  std::unordered_set<std::string> m_seen;
};

// The background image of a layer's div, when it has one.
void AddLayerBackground(const CHtmlLayer& layer, CUniqueNames& names) {
  CString address;
  if (layer.GetBackgroundImage(address, "div")) names.Add(address);
}

// The image layer's source, or its dynsrc when it has no source.
int GetImageSource(const CHtmlImageLayer& layer, CString& src) {
  return layer.GetSrc(src) || layer.GetDynSrc(src);
}

// Calls `visit` with each layer of `list` in order while it returns 1;
// returns 0 at a null entry or when `visit` does.
template <typename Layer, typename Visit>
int VisitLayers(const CObList& list, Visit visit) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    const Layer* layer = static_cast<const Layer*>(list.GetNext(pos));
    if (layer == nullptr || !visit(*layer)) return 0;
  }
  return 1;
}

// The sources and background images of the image, embed and text layers,
// in that order. Returns 0 at the first image or embed layer whose source
// cannot be read (after listing that layer's background image).
int ListLayerSources(const CHtmlMemDoc& document, CUniqueNames& names) {
  return VisitLayers<CHtmlImageLayer>(document.m_imageLayerList,
                                      [&names](const CHtmlImageLayer& layer) {
                                        CString src;
                                        const int read =
                                            GetImageSource(layer, src);
                                        if (read) names.Add(src);
                                        AddLayerBackground(layer, names);
                                        return read;
                                      }) &&
         VisitLayers<CHtmlEmbedLayer>(document.m_embedLayerList,
                                      [&names](const CHtmlEmbedLayer& layer) {
                                        CString src;
                                        const int read = layer.GetSrc(src);
                                        if (read && !src.IsEmpty())
                                          names.Add(src);
                                        AddLayerBackground(layer, names);
                                        return read;
                                      }) &&
         VisitLayers<CHtmlLayer>(document.m_textLayerList,
                                 [&names](const CHtmlLayer& layer) {
                                   AddLayerBackground(layer, names);
                                   return 1;
                                 });
}

}  // namespace

int CHtmlMemDoc::GetAllImageSrc(CStringArray& images) const {
  images.SetSize(0);
  const int ok = VisitLayers<CHtmlImageLayer>(
      m_imageLayerList, [&images](const CHtmlImageLayer& layer) {
        CString src;
        if (!GetImageSource(layer, src)) return 0;
        images.Add(src);
        return 1;
      });
  if (!ok) images.SetSize(0);
  return ok;
}

int CHtmlMemDoc::GetAllSrc(CStringArray& images) const {
  images.SetSize(0);
  CUniqueNames unique(images);
  if (!ListLayerSources(*this, unique)) {
    images.SetSize(0);
    return 0;
  }
  char buffer[kNameBuffer];
  if (GetBackgroundImage(buffer, sizeof buffer)) unique.Add(buffer);
  if (GetBackgroundSound(buffer, sizeof buffer)) unique.Add(buffer);
  CStringArray preloads;
  if (m_body.GetPreloadImage(preloads)) {
    for (int i = 0; i < preloads.GetSize(); ++i) unique.Add(preloads[i]);
  }
  return 1;
}
