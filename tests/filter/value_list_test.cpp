#include <gtest/gtest.h>

#include <vector>

#include "filter/value_list.h"

namespace {

std::vector<double> Contents(const CDoubleList& list) {
  std::vector<double> values;
  for (int i = 0; i <= list.Degree(); ++i) values.push_back(list.GetAt(i));
  return values;
}

CDoubleList Make(std::vector<double> values) {
  CDoubleList list;
  list.Assign(values.data(), static_cast<int>(values.size()));
  return list;
}

TEST(ValueListTest, ReadsPastTheEndAsZeroAndWritesPastTheEndGrow) {
  CDoubleList list = Make({1, 2});
  EXPECT_EQ(list.GetAt(5), 0);
  EXPECT_EQ(list.GetAt(-1), 0);
  EXPECT_TRUE(list.SetAt(5, 7));
  EXPECT_EQ(Contents(list), (std::vector<double>{1, 2, 0, 0, 0, 7}));
  EXPECT_TRUE(list.SetAt(-3, 9));  // ignored
  EXPECT_EQ(list.Degree(), 5);
  CDoubleList empty;
  EXPECT_EQ(empty.Degree(), -1);
  EXPECT_EQ(empty.GetAt(0), 0);
}

TEST(ValueListTest, CountDegreeAndAssign) {
  CDoubleList list = Make({1, 2, 3});
  EXPECT_TRUE(list.SetCount(2));
  EXPECT_EQ(Contents(list), (std::vector<double>{1, 2}));
  EXPECT_TRUE(list.SetCount(4));
  EXPECT_EQ(Contents(list), (std::vector<double>{1, 2, 0, 0}));
  EXPECT_TRUE(list.SetCount(-5));
  EXPECT_EQ(list.Degree(), -1);
  EXPECT_TRUE(list.SetDegree(0));
  EXPECT_EQ(Contents(list), (std::vector<double>{0}));
  const double values[] = {4, 5};
  EXPECT_FALSE(list.Assign(nullptr, 2));
  EXPECT_FALSE(list.Assign(values, 0));
  EXPECT_EQ(Contents(list), (std::vector<double>{0}));  // refused calls change nothing
  EXPECT_TRUE(list.Assign(values, 2));
  EXPECT_EQ(Contents(list), (std::vector<double>{4, 5}));
}

TEST(ValueListTest, ShiftFillAndTrim) {
  CDoubleList list = Make({1, 2, 3});
  list.ShiftUp();
  EXPECT_EQ(Contents(list), (std::vector<double>{0, 1, 2}));
  CDoubleList single = Make({5});
  single.ShiftUp();
  EXPECT_EQ(Contents(single), (std::vector<double>{0}));
  list.Fill0();
  EXPECT_EQ(Contents(list), (std::vector<double>{0, 0, 0}));

  CDoubleList trailing = Make({1, 0, 0});
  EXPECT_TRUE(trailing.TrimZeros());
  EXPECT_EQ(Contents(trailing), (std::vector<double>{1}));
  EXPECT_FALSE(trailing.TrimZeros());
  CDoubleList zeros = Make({0, 0});
  EXPECT_TRUE(zeros.TrimZeros());
  EXPECT_EQ(zeros.Degree(), -1);
  EXPECT_FALSE(zeros.TrimZeros());  // empty
  CDoubleList inner = Make({0, 1, 0, 2});
  EXPECT_FALSE(inner.TrimZeros());
  EXPECT_EQ(inner.Degree(), 3);
}

}  // namespace
