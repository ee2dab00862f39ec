#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"

namespace {

// Whole listings are compared in the golden tests; here, that a list is
// emptied first, and emptied again when a layer has no source.
TEST(ResourceListingTest, ListsStartEmptyAndALayerWithoutSourceFailsThem) {
  CHtmlMemDoc document;
  CStringArray files;
  files.Add("stale");
  EXPECT_EQ(1, document.GetAllSrc(files));
  EXPECT_EQ(0, files.GetSize());
  files.Add("stale");
  EXPECT_EQ(1, document.GetAllImageSrc(files));
  EXPECT_EQ(0, files.GetSize());

  CHtmlEmbedLayer* embed = new CHtmlEmbedLayer;
  embed->Init("<div><embed type=\"x\"></div>");
  document.AddEmbedLayer(embed);
  files.Add("stale");
  EXPECT_EQ(0, document.GetAllSrc(files));
  EXPECT_EQ(0, files.GetSize());

  CHtmlImageLayer* image = new CHtmlImageLayer;
  image->Init("<div><img alt=x></div>");
  document.AddImageLayer(image);
  files.Add("stale");
  EXPECT_EQ(0, document.GetAllImageSrc(files));
  EXPECT_EQ(0, files.GetSize());
}

}  // namespace
