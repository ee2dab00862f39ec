#include <gtest/gtest.h>

#include <string>

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/platform/ob_list.h"
#include "htmlmemdoc/platform/string_array.h"
#include "tests/support/text_of.h"

namespace {

class ObListTest : public ::testing::Test {
 protected:
  CHtmlTextBase a_, b_, c_;
  void SetUp() override {
    a_.Init("a");
    b_.Init("b");
    c_.Init("c");
  }
};

TEST_F(ObListTest, KeepsInsertionOrder) {
  CObList list;
  list.AddTail(&b_);
  list.AddTail(&c_);
  list.AddHead(&a_);
  EXPECT_EQ("a|b|c", Markups(list));
  EXPECT_EQ(3, list.GetCount());
  EXPECT_EQ(&a_, list.GetHead());
  EXPECT_EQ(&c_, list.GetTail());
  EXPECT_EQ(&b_, list.GetAt(list.FindIndex(1)));
  EXPECT_EQ(nullptr, list.FindIndex(3));
  EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST_F(ObListTest, InsertAndRemoveAnywhere) {
  CObList list;
  POSITION middle = list.AddTail(&b_);
  list.InsertBefore(middle, &a_);
  list.InsertAfter(middle, &c_);
  EXPECT_EQ("a|b|c", Markups(list));
  list.RemoveAt(middle);
  EXPECT_EQ("a|c", Markups(list));
  EXPECT_EQ(&a_, list.RemoveHead());
  EXPECT_EQ(&c_, list.RemoveTail());
  EXPECT_TRUE(list.IsEmpty());
}

TEST_F(ObListTest, EmptyListAndNullPositionsAreSafe) {
  CObList list;
  EXPECT_EQ(nullptr, list.GetHead());
  EXPECT_EQ(nullptr, list.RemoveHead());
  POSITION pos = nullptr;
  EXPECT_EQ(nullptr, list.GetNext(pos));
  list.RemoveAt(nullptr);
  list.AddTail(&a_);
  list.RemoveAll();  // never destroys the objects
  EXPECT_STREQ("a", static_cast<const char*>(a_));
  EXPECT_EQ(0, list.GetCount());
}

TEST(StringArrayTest, GrowsWithEmptyStrings) {
  CStringArray array;
  array.SetAtGrow(2, "c");
  ASSERT_EQ(3, array.GetSize());
  EXPECT_EQ("", array[0]);
  EXPECT_EQ("c", array[2]);
  array.SetSize(0);
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_EQ(0, array.Add("x"));
  EXPECT_EQ(1, array.Add("y"));
}

TEST(StringArrayTest, OutOfRangeAccessIsHarmless) {
  CStringArray array;
  array.Add("a");
  EXPECT_EQ("", array.GetAt(5));
  EXPECT_EQ("", array.GetAt(-1));
  array.SetAt(5, "x");
  array.SetSize(-3);
  EXPECT_EQ(0, array.GetSize());
  array[-1] = "scratch";
  EXPECT_EQ(0, array.GetSize());
  array.Add("a");
  array.Add("b");
  array.RemoveAt(0, 1000);
  EXPECT_EQ(0, array.GetSize());
}

}  // namespace
