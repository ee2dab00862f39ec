#include "htmlmemdoc/platform/object.h"

#include <gtest/gtest.h>

#include <memory>

#include "htmlmemdoc/htmlmemdoc.h"

namespace {

TEST(RuntimeClassTest, RecordsNameTheClassCreateItAndKnowItsBases) {
  CRuntimeClass* record = RUNTIME_CLASS(CHtmlTextLayer);
  EXPECT_STREQ("CHtmlTextLayer", record->m_lpszClassName);
  std::unique_ptr<CObject> object(record->CreateObject());
  ASSERT_NE(nullptr, object);
  EXPECT_EQ(record, object->GetRuntimeClass());
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CHtmlLayer)));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CHtmlImageLayer)));
  EXPECT_FALSE(record->IsDerivedFrom(nullptr));
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->CreateObject());
  // A video layer's record names the layer base, not the image layer.
  EXPECT_EQ(RUNTIME_CLASS(CHtmlLayer), CHtmlVideoLayer::_GetBaseClass());
  EXPECT_FALSE(RUNTIME_CLASS(CHtmlVideoLayer)
                   ->IsDerivedFrom(RUNTIME_CLASS(CHtmlImageLayer)));
  // The loaded library registers its classes by name.
  record = CRuntimeClass::FromName("CHtmlLiveAudioLayer");
  ASSERT_NE(nullptr, record);
  EXPECT_TRUE(record->IsDerivedFrom(RUNTIME_CLASS(CHtmlEmbedLayer)));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
}

}  // namespace
