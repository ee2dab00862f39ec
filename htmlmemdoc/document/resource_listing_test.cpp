#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/document/mem_doc.h"
#include "tests/support/message_log.h"
#include "tests/support/text_of.h"

namespace {

const char kPage[] =
    "<html><head></head>"
    "<bgsound src=\"audio/theme.mid\">"
    "<body background=\"A.gif\" onLoad=\"MM_preloadImages('img/over.gif',"
    "'#1','IMG/OVER.GIF','img/new.gif')\">\n"
    "<div style=\"background-image:url(bg/text.gif);\">\n<p>t</p></div>\n"
    "<div style=\"background-image:url(bg/one.gif);\"><img src=\"a.gif\">"
    "</div>\n"
    "<div><img dynsrc=\"clip.avi\" src=\"clip.gif\"></div>\n"
    "<div><img src=\"a.gif\"></div>\n"
    "<div><embed src=\"song.mid\" type=\"audio/midi\" mastersound></div>\n"
    "<div><embed src=\"\"></div>\n"
    "</body></html>";

TEST(ResourceListingTest, EveryReferencedFileOnceInAFixedOrder) {
  MessageLog log;
  CHtmlMemDoc document;
  ASSERT_EQ(1, document.ReadFromString(kPage)) << log.Joined();
  CStringArray files;
  files.Add("stale");
  ASSERT_EQ(1, document.GetAllSrc(files));
  // Image sources and their div backgrounds, embed sources, text layers'
  // backgrounds, then the page background ("A.gif" was met first as
  // "a.gif"), the sound and the preloads ("#1" follows an image, so it is
  // none). Video layers are not listed.
  EXPECT_EQ(
      "a.gif|bg/one.gif|song.mid|bg/text.gif|audio/theme.mid|"
      "img/over.gif|img/new.gif",
      Join(files));
  ASSERT_EQ(1, document.GetAllImageSrc(files));
  EXPECT_EQ("a.gif|a.gif", Join(files));  // duplicates kept
}

TEST(ResourceListingTest, ALayerWithoutSourceFailsTheList) {
  CHtmlMemDoc document;
  CHtmlEmbedLayer* embed = new CHtmlEmbedLayer;
  embed->Init("<div><embed type=\"x\"></div>");
  document.AddEmbedLayer(embed);
  CStringArray files;
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

TEST(ResourceListingTest, EmptyDocumentListsNothing) {
  CHtmlMemDoc document;
  CStringArray files;
  EXPECT_EQ(1, document.GetAllSrc(files));
  EXPECT_EQ(1, document.GetAllImageSrc(files));
  EXPECT_EQ(0, files.GetSize());
}

}  // namespace
