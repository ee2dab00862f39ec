#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/platform/ob_list.h"
#include "htmlmemdoc/platform/string_array.h"
#include "tests/support/support.h"

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

TEST_F(ObListTest, KeepsOrderWhereverObjectsGo) {
  CObList list;
  POSITION middle = list.AddTail(&b_);
  list.InsertBefore(middle, &a_);
  list.InsertAfter(middle, &c_);
  list.AddHead(&c_);
  EXPECT_EQ("c|a|b|c", Markups(list));
  EXPECT_EQ(&c_, list.RemoveHead());
  EXPECT_EQ(&a_, list.GetHead());
  EXPECT_EQ(&b_, list.GetAt(list.FindIndex(1)));
  EXPECT_EQ(nullptr, list.FindIndex(3));
  EXPECT_EQ(nullptr, list.FindIndex(-1));
  list.InsertBefore(list.FindIndex(1), &c_);
  list.InsertBefore(nullptr, &b_);  // at the head
  EXPECT_EQ("b|a|c|b|c", Markups(list));
  EXPECT_EQ(list.FindIndex(3), list.Find(&b_, list.FindIndex(0)));
  EXPECT_EQ(nullptr, list.Find(&b_, list.FindIndex(3)));
  list.SetAt(list.Find(&c_), &a_);
  list.RemoveHead();
  EXPECT_EQ("a|a|b|c", Markups(list));
  list.RemoveAt(list.FindIndex(1));
  list.RemoveAt(middle);
  EXPECT_EQ("a|c", Markups(list));
  EXPECT_EQ(&c_, list.RemoveTail());
  EXPECT_EQ(1, list.GetCount());
}

TEST_F(ObListTest, EmptyListNullPositionsAndManyNodesAreSafe) {
  CObList list;
  EXPECT_EQ(nullptr, list.GetHead());
  EXPECT_EQ(nullptr, list.RemoveHead());
  POSITION pos = nullptr;
  EXPECT_EQ(nullptr, list.GetNext(pos));
  list.RemoveAt(nullptr);
  for (int i = 0; i < 25; ++i) list.AddTail(i % 2 ? &a_ : &b_);
  EXPECT_EQ(25, list.GetCount());
  EXPECT_EQ(&b_, list.GetTail());
  list.RemoveAll();  // never destroys the objects
  EXPECT_STREQ("a", static_cast<const char*>(a_));
  EXPECT_TRUE(list.IsEmpty());
}

TEST(ObListIndexTest, FindIndexAgreesWithAWalkAfterEveryChange) {
  std::vector<CHtmlTextBase> items(30);
  CObList list;
  std::vector<CObject*> expected;
  for (CHtmlTextBase& item : items) {
    list.AddTail(&item);
    expected.push_back(&item);
  }
  auto checkIndexes = [&](std::initializer_list<int> order) {
    for (int i : order) {
      ASSERT_EQ(expected[static_cast<size_t>(i)], list.GetAt(list.FindIndex(i)))
          << i;
    }
  };
  checkIndexes({0, 1, 2, 3, 29, 28, 15, 16, 14, 27, 2});
  list.RemoveAt(list.FindIndex(15));  // the node found last goes
  expected.erase(expected.begin() + 15);
  checkIndexes({14, 15, 16, 28, 0});
  list.InsertBefore(list.FindIndex(3), &items[0]);
  expected.insert(expected.begin() + 3, &items[0]);
  checkIndexes({2, 3, 4, 29, 5});
  list.RemoveHead();
  expected.erase(expected.begin());
  checkIndexes({4, 3, 27});
}

TEST(StringArrayTest, GrowsWithEmptyStringsAndShrinksInRange) {
  CStringArray array;
  array.SetAtGrow(2, "c");
  EXPECT_EQ("||c", Join(array));
  array.InsertAt(1, "b", 2);
  array.InsertAt(6, "g");  // past the end: empty entries first
  array.InsertAt(-1, "x");
  array.InsertAt(0, "x", 0);
  EXPECT_EQ("|b|b||c||g", Join(array));
  array.RemoveAt(1);
  array.RemoveAt(4, 1000);
  array.RemoveAt(-1);
  EXPECT_EQ("|b||c", Join(array));
  array.RemoveAt(0);
  array.InsertAt(0, "a");
  array.SetAt(0, "A");
  array.SetAt(4, "ignored");
  array[5] = "f";  // grows
  EXPECT_EQ("A|b||c||f", Join(array));
  EXPECT_EQ(6, array.Add("x"));
  // Out of range, reads give "" and writes do nothing.
  EXPECT_EQ("", array.GetAt(7));
  EXPECT_EQ("", array.GetAt(-1));
  array.SetAt(7, "x");
  array[-1] = "scratch";
  EXPECT_EQ("A|b||c||f|x", Join(array));
  array.SetSize(-3);
  EXPECT_TRUE(array.IsEmpty());
}

}  // namespace
