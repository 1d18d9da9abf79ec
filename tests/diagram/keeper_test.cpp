#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <numbers>

#include "diagram/keeper.h"
#include "platform/messages.h"

namespace {

const char kZeroCount[] =
    "Keeper: Hулевое значение числа отсчётов при инициализации графика. Инициализация не выполнена.";
const char kBadBounds[] =
    "DiagramKeeper: Неверно заданы минимальное и максимальное \n значения аргумента при инициализации "
    "графика.";
const char kDiscreteAsContinuous[] = "Keeper:Попытка считать дискретный график как непрерывный";
const char kContinuousAsDiscrete[] = "Keeper:Попытка считать непрерывный график как дискретный";
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(KeeperTest, InitRefusesBadArgumentsAndLeavesTheSeriesAlone) {
  MessageRecorder messages;
  const double values[] = {1, 2, 3};
  TKeeper k;
  k.SetArray(values, 3, 0, 2);
  EXPECT_FALSE(k.Init(0, 0, 1));
  EXPECT_FALSE(k.Init(-5, 0, 1));
  EXPECT_FALSE(k.Init(4, 3, 3));
  EXPECT_FALSE(k.Init(4, kNaN, 3));
  EXPECT_FALSE(k.Init(4, 0, kInf));
  EXPECT_EQ(messages.Messages(),
            (std::vector<std::string>{kZeroCount, kZeroCount, kBadBounds, kBadBounds, kBadBounds}));
  EXPECT_EQ(k.GetCount(), 3);
  EXPECT_EQ(k.GetSource(), skDoubles);
  EXPECT_EQ(k.GetYmax(), 3);

  EXPECT_TRUE(k.Init(5, 4, -4));  // reversed bounds are swapped
  EXPECT_EQ(k.GetXmin(), -4);
  EXPECT_EQ(k.GetXmax(), 4);
  EXPECT_EQ(k.GetStep(), 2);
  EXPECT_EQ(k.GetSource(), skConstant);
}

TEST(KeeperTest, SingleSampleSpansTheIntervalInsteadOfDividingByZero) {
  const double value[] = {7};
  TKeeper k;
  k.SetArray(value, 1, 0, 4);
  EXPECT_EQ(k.GetStep(), 4);
  EXPECT_DOUBLE_EQ(k.ValueAt(0), 7);
  EXPECT_DOUBLE_EQ(k.ValueAt(1), 7 * 0.75);  // linear toward the absent next sample
  k.SetDiscret();
  EXPECT_DOUBLE_EQ(k.SampleAt(0), 7);
  EXPECT_EQ(k.SampleAt(1), 0);
}

TEST(KeeperTest, ValueRangeWidensFlatArraysAndIgnoresNonFiniteSamples) {
  const double flat[] = {2, 2, 2, 2};
  TKeeper k;
  k.SetArray(flat, 4, 0, 3);
  EXPECT_EQ(k.GetYmin(), 2);
  EXPECT_DOUBLE_EQ(k.GetYmax(), 2.00001);
  EXPECT_EQ(k.GetKind(), gkAnalog);

  const double spiky[] = {kNaN, 1, kInf, -2, 3, -kInf};
  k.SetArray(spiky, 6, 0, 5);
  EXPECT_EQ(k.GetYmin(), -2);
  EXPECT_EQ(k.GetYmax(), 3);

  const double broken[] = {kNaN, kInf};
  k.SetArray(broken, 2, 0, 1);
  EXPECT_TRUE(std::isfinite(k.GetYmin()) && std::isfinite(k.GetYmax()));
  EXPECT_GT(k.GetYmax(), k.GetYmin());
}

TEST(KeeperTest, LinearReadsJoinSamplesAndWrongReadsAreReported) {
  MessageRecorder messages;
  const double values[] = {1, 3, -5, 7};  // at x = 10, 12, 14, 16
  TKeeper k;
  k.SetArray(values, 4, 10, 16);
  EXPECT_DOUBLE_EQ(k.ValueAt(10), 1);
  EXPECT_DOUBLE_EQ(k.ValueAt(14), -5);
  EXPECT_DOUBLE_EQ(k.ValueAt(16), 7);
  EXPECT_DOUBLE_EQ(k.ValueAt(11), 2);    // half-way: the mean
  EXPECT_DOUBLE_EQ(k.ValueAt(12.5), 1);  // a quarter of the way from 3 to -5
  EXPECT_EQ(k.ValueAt(9.999), 0);        // outside the interval
  EXPECT_EQ(k.ValueAt(16.001), 0);
  EXPECT_EQ(k.ValueAt(kNaN), 0);
  EXPECT_TRUE(messages.Messages().empty());

  EXPECT_EQ(k.SampleAt(1), 0);
  EXPECT_FALSE(k.IsOutOfRange());
  k.SetDiscret();
  EXPECT_EQ(k.ValueAt(12), 0);
  EXPECT_EQ(messages.Messages(), (std::vector<std::string>{kContinuousAsDiscrete, kDiscreteAsContinuous}));

  EXPECT_EQ(k.SampleAt(2), -5);
  EXPECT_EQ(k.SampleAt(4), 0);
  EXPECT_TRUE(k.IsOutOfRange());
  EXPECT_EQ(k.SampleAt(3), 7);
  EXPECT_FALSE(k.IsOutOfRange());
  EXPECT_EQ(k.SampleAt(-1), 0);
  EXPECT_TRUE(k.IsOutOfRange());
}

TEST(KeeperTest, KernelsHaveTheirShapes) {
  const long double h = 2;
  EXPECT_EQ(KeeperKernel(0, 0.5L, h), 0.75L);
  EXPECT_EQ(KeeperKernel(0, -2, h), 0);
  EXPECT_NEAR(static_cast<double>(KeeperKernel(1, 0.5L, h)), 53.0 / 64, 1e-15);    // u = 1/4
  EXPECT_NEAR(static_cast<double>(KeeperKernel(1, 1, h)), 0.5, 1e-15);             // u = 1/2
  EXPECT_NEAR(static_cast<double>(KeeperKernel(1, -2.5L, h)), -5.0 / 128, 1e-15);  // u = 5/4
  EXPECT_EQ(KeeperKernel(1, 3.1L, h), 0);
  EXPECT_NEAR(static_cast<double>(KeeperKernel(2, 1, h)), 9.0 / 16, 1e-15);   // u = 1/2
  EXPECT_NEAR(static_cast<double>(KeeperKernel(2, 2, h)), 0, 1e-15);          // u = 1
  EXPECT_NEAR(static_cast<double>(KeeperKernel(2, 3, h)), -1.0 / 16, 1e-15);  // u = 3/2
  EXPECT_EQ(KeeperKernel(2, 4.2L, h), 0);
  EXPECT_EQ(KeeperKernel(3, 0, h), 1);
  EXPECT_NEAR(static_cast<double>(KeeperKernel(3, 1, h)), 2 / std::numbers::pi, 1e-15);  // sin(π/2)/(π/2)
  EXPECT_NEAR(static_cast<double>(KeeperKernel(3, 2, h)), 0, 1e-15);
  EXPECT_EQ(KeeperKernel(4, 0.99L, h), 1);
  EXPECT_EQ(KeeperKernel(4, 1, h), 0);
  EXPECT_EQ(KeeperKernel(5, -10, h), 1);  // the argument itself, not its magnitude
  EXPECT_EQ(KeeperKernel(5, 2, h), 0);
  EXPECT_EQ(KeeperKernel(6, 0.99L, h), 1);
  EXPECT_EQ(KeeperKernel(6, 0.991L, h), 0);
  EXPECT_EQ(KeeperKernel(7, 0, h), 0);
  for (int kernel = 0; kernel <= 6; ++kernel) EXPECT_EQ(KeeperKernel(kernel, 0, 0), 0);
}

TEST(KeeperTest, KernelsShapeTheReadBetweenSamples) {
  const double values[] = {1, 2, 4, 8};  // at x = 0, 1, 2, 3
  TKeeper k;
  k.SetArray(values, 4, 0, 3);
  k.SetKernel(4);  // nearest sample
  EXPECT_EQ(k.ValueAt(1.4), 2);
  EXPECT_EQ(k.ValueAt(1.6), 4);
  k.SetKernel(5);  // samples k and k+1 both count fully
  EXPECT_EQ(k.ValueAt(1.3), 6);
  k.SetKernel(1);
  // At u = 1/4 from sample 1: 53/64 of it, plus sample 2 at u = 3/4 and sample 0 at u = 5/4.
  const double q34 = 4.5 * 0.75 - 10.5 * 0.5625 + 8 * 0.421875 - 2 * 0.31640625;
  EXPECT_NEAR(k.ValueAt(1.25), 2 * 53.0 / 64 + 4 * q34 + 1 * (-5.0 / 128), 1e-12);
  k.SetKernel(9);
  EXPECT_EQ(k.ValueAt(1.25), 0);
}

TEST(KeeperTest, PeriodicContinuousReadsFoldIntoOnePeriod) {
  double ramp[11];
  for (int i = 0; i <= 10; ++i) ramp[i] = i / 10.0;  // f(x) = x on [0, 1]
  TKeeper k;
  k.SetArray(ramp, 11, 0, 1);
  k.SetPeriodAnalog(-0.5);  // raised to the interval's width
  EXPECT_EQ(k.GetPeriod(), 1);
  EXPECT_EQ(k.GetKind(), gkAnalogPeriodic);
  EXPECT_NEAR(k.ValueAt(1.25), 0.25, 1e-12);
  EXPECT_NEAR(k.ValueAt(-0.75), 0.25, 1e-12);
  EXPECT_NEAR(k.ValueAt(7.4), 0.4, 1e-12);
  EXPECT_EQ(k.ValueAt(1.0), 0);  // exactly the period: the start
  k.SetPeriodAnalog(2);          // beyond the samples the read holds the last one
  EXPECT_NEAR(k.ValueAt(1.5), 1, 1e-12);
  EXPECT_NEAR(k.ValueAt(2.3), 0.3, 1e-12);
}

TEST(KeeperTest, MirroredReadsLeftOfTheStart) {
  const double values[] = {0, 1, 4, 9};  // at n = 0..3
  TKeeper k;
  k.SetArray(values, 4, 0, 3);
  k.SetSymmetry(1);
  EXPECT_DOUBLE_EQ(k.ValueAt(-1.5), 2.5);
  k.SetSymmetry(2);
  EXPECT_DOUBLE_EQ(k.ValueAt(-1.5), -2.5);
  k.SetDiscret();
  EXPECT_EQ(k.SampleAt(-2), -4);
  k.SetSymmetry(1);
  EXPECT_EQ(k.SampleAt(-3), 9);
  EXPECT_EQ(k.SampleAt(-4), 0);
  EXPECT_TRUE(k.IsOutOfRange());
}

TEST(KeeperTest, PeriodicDiscreteReadsWrapAndEnd) {
  double values[8];
  for (int i = 0; i < 8; ++i) values[i] = 10 + i;
  TKeeper k;
  k.SetArray(values, 8, 0, 7);
  k.SetPeriodDiscret(3);  // raised to the count
  EXPECT_EQ(k.GetPeriod(), 8);
  EXPECT_EQ(k.SampleAt(8), 10);
  EXPECT_EQ(k.SampleAt(9), 11);
  EXPECT_EQ(k.SampleAt(-1), 17);
  EXPECT_EQ(k.SampleAt(-16), 10);
  EXPECT_EQ(k.SampleAt(2000000005), 10 + 2000000005 % 8);
  EXPECT_EQ(k.SampleAt(-2000000005), 10 + (8 - 2000000005 % 8));
  EXPECT_FALSE(k.IsOutOfRange());
  k.SetPeriodDiscret(-12);  // longer than the samples: the gap reads 0
  EXPECT_EQ(k.SampleAt(24), 10);
  EXPECT_EQ(k.SampleAt(20), 0);  // 8 after one period: beyond the samples
  EXPECT_TRUE(k.IsOutOfRange());

  // A period below one sample would subtract nothing forever; the read must end.
  TKeeper empty;
  empty.SetPeriodDiscret(0);
  EXPECT_EQ(empty.GetPeriod(), 0);
  EXPECT_EQ(empty.SampleAt(5), 0);
  EXPECT_TRUE(empty.IsOutOfRange());
}

TEST(KeeperTest, MarkersFollowTheOutOfRangeMark) {
  const double values[] = {1, 2};
  TKeeper k;
  k.SetArray(values, 2, 0, 1);
  k.SetDiscret();
  EXPECT_FALSE(k.UseMarker());
  k.SetMarkers(true);
  k.SampleAt(5);
  EXPECT_TRUE(k.UseMarker());
  k.SetNoMarkerOutOfRange(true);
  EXPECT_FALSE(k.UseMarker());
  k.SampleAt(1);
  EXPECT_TRUE(k.UseMarker());
}

double Square(double x) { return x * x; }

TEST(KeeperTest, EverySourceReadsItsValues) {
  const float floats[] = {1.5f, -2.5f, 4};
  TKeeper k;
  ASSERT_TRUE(k.SetFloats(floats, 3, 0, 2));
  EXPECT_EQ(k.GetYmin(), -2.5);
  EXPECT_DOUBLE_EQ(k.ValueAt(0.5), -0.5);

  auto own = std::make_unique<double[]>(3);
  own[0] = 3, own[1] = 6, own[2] = 9;
  ASSERT_TRUE(k.SetOwnDoubles(std::move(own), 3, 0, 1));
  EXPECT_EQ(k.GetSource(), skOwnDoubles);
  EXPECT_DOUBLE_EQ(k.ValueAt(0.75), 7.5);
  auto own_floats = std::make_unique<float[]>(2);
  own_floats[0] = 8, own_floats[1] = 4;
  ASSERT_TRUE(k.SetOwnFloats(std::move(own_floats), 2, 0, 1));  // frees the doubles
  EXPECT_DOUBLE_EQ(k.ValueAt(0.25), 7);

  ASSERT_TRUE(k.SetFunction(Square, 5, 0, 4));
  EXPECT_EQ(k.GetYmax(), 16);
  EXPECT_DOUBLE_EQ(k.ValueAt(1.5), 2.25);  // called with the argument, not interpolated
  k.SetDiscret();
  k.SetScale(-2);
  EXPECT_DOUBLE_EQ(k.SampleAt(3), -18);

  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const double doubles[] = {0.25, 0.5, 1, 2};
  ASSERT_EQ(std::fwrite(doubles, sizeof doubles[0], 4, file), 4u);
  ASSERT_TRUE(k.SetFile(file, skFileDoubles, 4, 0, 3));
  EXPECT_EQ(k.Sample(3), 2);
  EXPECT_EQ(k.Sample(4), 0);
  EXPECT_DOUBLE_EQ(k.ValueAt(2.5), 1.5);
  EXPECT_EQ(k.GetYmin(), 0.25);

  std::FILE* float_file = std::tmpfile();
  ASSERT_NE(float_file, nullptr);
  ASSERT_EQ(std::fwrite(floats, sizeof floats[0], 3, float_file), 3u);
  ASSERT_TRUE(k.SetFile(float_file, skFileFloats, 3, 0, 2));  // closes the first file
  EXPECT_EQ(k.Sample(1), -2.5);
  k.Clear();  // closes the second (a leak would show under the sanitizer)
  EXPECT_EQ(k.GetSource(), skConstant);
  EXPECT_EQ(k.Sample(0), 0);

  k.SetConstant(3);
  k.SetScale(2);
  EXPECT_EQ(k.ValueAt(0.5), 6);
  EXPECT_EQ(k.ValueAt(1.5), 0);  // outside -1..1
}

TEST(KeeperTest, ClearKeepsTheLookAndTheChain) {
  TKeeper k;
  TKeeper next;
  const double values[] = {1, 2, 3};
  k.SetArray(values, 3, 5, 7);
  k.SetColor(clRed);
  k.Hide();
  k.SetNext(&next);
  k.SetNumber(4);
  k.SetPeriodDiscret(5);
  k.Clear();
  EXPECT_EQ(k.GetColor(), clRed);
  EXPECT_FALSE(k.IsVisible());
  EXPECT_EQ(k.GetNext(), &next);
  EXPECT_EQ(k.GetNumber(), 4);
  EXPECT_EQ(k.GetKind(), gkAnalog);
  EXPECT_EQ(k.GetPeriod(), 0);
  EXPECT_EQ(k.GetXmin(), -1);
  EXPECT_EQ(k.GetStep(), 0.1);
  EXPECT_EQ(k.GetCount(), 0);
}

}  // namespace
