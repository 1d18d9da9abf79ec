#include <gtest/gtest.h>

#include <random>

#include "filter/delay_line.h"
#include "filter/value_list.h"

namespace {

// The delay line must behave exactly like a value list shifted up with the new value put at 1.
TEST(DelayLineTest, PushMatchesShiftingAValueList) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> value(-5, 5);
  for (int count : {0, 1, 2, 3, 7, 64}) {
    DelayLine line;
    CDoubleList reference;
    ASSERT_TRUE(line.SetCount(count));
    reference.SetCount(count);
    for (int step = 0; step < 200; ++step) {
      const double w = value(random);
      line.Push(w);
      reference.ShiftUp();
      reference.SetAt(1, w);
      ASSERT_EQ(line.Degree(), reference.Degree()) << count;
      for (int i = -1; i <= reference.Degree() + 1; ++i) ASSERT_EQ(line.GetAt(i), reference.GetAt(i)) << count;
      for (int i = 0; i <= line.Degree(); ++i) ASSERT_EQ(line.Data()[i], reference.GetAt(i)) << count;
    }
    line.Fill0();
    for (int i = 0; i <= line.Degree(); ++i) EXPECT_EQ(line.GetAt(i), 0);
  }
}

}  // namespace
