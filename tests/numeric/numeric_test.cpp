#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/numeric.h"
#include "platform/messages.h"

namespace {

const char kDecibelMessage[] =
    "Нулевая или отрицательная величина на может быть измерена в децибелах.\n Произведена коррекция.";

TEST(NumericTest, OrderRangeSwapsAndRefusesEmptyRanges) {
  double lo = 2, hi = 1;
  EXPECT_TRUE(OrderRange(lo, hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 2);
  lo = hi = 1;
  EXPECT_FALSE(OrderRange(lo, hi));
  lo = std::nan(""), hi = 1;  // unordered: accepted unchanged
  EXPECT_TRUE(OrderRange(lo, hi));
  EXPECT_EQ(hi, 1);
}

TEST(NumericTest, RaiseAndLowerChangeOnlyInTheirDirection) {
  double d = 1;
  EXPECT_FALSE(RaiseTo(1.0, d));
  EXPECT_TRUE(RaiseTo(3.0, d));
  EXPECT_EQ(d, 3);
  EXPECT_FALSE(LowerTo(3.0, d));
  EXPECT_TRUE(LowerTo(-1.0, d));
  EXPECT_EQ(d, -1);
  int i = 5;
  EXPECT_FALSE(RaiseTo(5, i));
  EXPECT_TRUE(RaiseTo(6, i));
  EXPECT_FALSE(LowerTo(6, i));
  EXPECT_TRUE(LowerTo(2, i));
  EXPECT_EQ(i, 2);
}

TEST(NumericTest, MinMaxScansAbsoluteCountAndSurvivesNaN) {
  const double values[] = {3, -1, 7, 2, 100};
  double lo = 0, hi = 0;
  MinMax(values, 4, lo, hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 7);
  MinMax(values, -5, lo, hi);
  EXPECT_EQ(hi, 100);
  lo = hi = 42;
  MinMax(values, 0, lo, hi);  // nothing to scan: untouched
  EXPECT_EQ(lo, 42);
  const double with_nan[] = {std::nan(""), 2, 5};
  MinMax(with_nan, 3, lo, hi);
  EXPECT_EQ(lo, 2);  // a value that is not >= NaN replaces it
}

TEST(NumericTest, DecibelsAndTheirCorrection) {
  MessageRecorder recorder;
  EXPECT_EQ(ToDecibel(1), 0);
  EXPECT_NEAR(ToDecibel(0.1), -20, 1e-12);
  EXPECT_NEAR(FromDecibel(-20), 0.1, 1e-15);
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(ToDecibel(0), -300);
  EXPECT_EQ(ToDecibel(-2), -300);
  EXPECT_EQ(ToDecibel(std::nan("")), -300);
  ASSERT_EQ(recorder.Messages().size(), 3u);
  EXPECT_EQ(recorder.Messages()[0], kDecibelMessage);
}

TEST(NumericTest, InverseHyperbolicFunctions) {
  MessageRecorder recorder;
  EXPECT_NEAR(ArcCosh(std::cosh(2.5)), 2.5, 1e-13);
  EXPECT_EQ(ArcCosh(1), 0);
  EXPECT_NEAR(ArcCosh(1e300), std::log(2e300), 1e-12);  // no overflow of x²
  EXPECT_NEAR(ArcSinh(std::sinh(-30.0)), -30, 1e-12);   // no cancellation for negative x
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(ArcCosh(0.5), 1);
  EXPECT_EQ(ArcCosh(std::nan("")), 1);
  ASSERT_EQ(recorder.Messages().size(), 2u);
  EXPECT_EQ(recorder.Messages()[0], "Значение ареакосинуса при x=0,500не может быть расчитано как действительное.");
}

TEST(NumericTest, SmallHelpers) {
  EXPECT_EQ(Sinc(0), 1);
  EXPECT_NEAR(Sinc(std::numbers::pi / 2), 2 / std::numbers::pi, 1e-15);
  EXPECT_EQ(SignAlternation(3), -1);
  EXPECT_EQ(SignAlternation(-3), -1);
  EXPECT_EQ(SignAlternation(0), 1);
  EXPECT_NEAR(DegToRad(180), std::numbers::pi, 1e-15);
  EXPECT_NEAR(RadToDeg(std::numbers::pi), 180, 1e-12);
  EXPECT_EQ(MaxOf(1, 2), 2);
  double a = 1, b = 2;
  SwapValues(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

}  // namespace
