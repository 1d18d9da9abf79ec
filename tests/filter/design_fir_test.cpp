#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "filter/design_test_support.h"
#include "filter/fr_sampling.h"
#include "filter/weighing.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kPiMessage[] = "Круговая нормированная частота не должна превышать 3.1415...\n Произведена коррекция.";
const char kHalfMessage[] = "Циклическая нормированная частота не должна превышать 0.5\n Произведена коррекция.";
const char kCutoffPositiveMessage[] = "Нормированная частота должна быть положительна.\n Произведена коррекция.";
const char kOrderMaxMessage[] = "Порядок ЦФ не должен превышать 500\nПроизведена коррекция.";
const char kOrderPositiveMessage[] = "Порядок ЦФ должен быть положительным.\nПроизведена коррекция.";

std::vector<double> Taps(const CBaseDigitalFilter& filter) {
  std::vector<double> taps;
  for (int k = 0; k <= filter.FAOrder(); ++k) taps.push_back(filter.ACoef(k));
  return taps;
}

// Both designs share the requirements and their corrections.
template <class Filter>
class FirDesignTest : public ::testing::Test {};
using FirDesigns = ::testing::Types<CWeighingFilter, CFrSamplingFilter>;
TYPED_TEST_SUITE(FirDesignTest, FirDesigns);

TYPED_TEST(FirDesignTest, DefaultsAndCorrections) {
  MessageRecorder recorder;
  TypeParam filter;
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(filter.GetWc(), 1);
  EXPECT_NEAR(filter.GetFc(), 0.159155, 1e-6);
  EXPECT_EQ(filter.GetOrder(), 10);
  EXPECT_FALSE(filter.IsHamming());

  EXPECT_EQ(filter.SetOrder(0), 1);
  EXPECT_EQ(filter.SetOrder(-7), 1);
  EXPECT_EQ(filter.SetOrder(501), 500);
  EXPECT_EQ(filter.SetWc(4), kPi);
  EXPECT_DOUBLE_EQ(filter.GetFc(), 0.5);
  EXPECT_EQ(filter.SetWc(0), 0.1);
  EXPECT_EQ(filter.SetWc(-2), 0.1);
  EXPECT_EQ(filter.SetFc(0.7), 0.5);
  EXPECT_EQ(filter.GetWc(), kPi);
  EXPECT_EQ(recorder.Messages(), (Messages{kOrderPositiveMessage, kOrderPositiveMessage, kOrderMaxMessage, kPiMessage,
                                           kCutoffPositiveMessage, kCutoffPositiveMessage, kHalfMessage}));

  recorder.Clear();
  EXPECT_EQ(filter.SetOrder(500), 500);
  EXPECT_EQ(filter.SetWc(kPi), kPi);
  EXPECT_EQ(filter.SetFc(0.5), 0.5);
  // The cyclic cut-off has no lower bound.
  EXPECT_EQ(filter.SetFc(0), 0);
  EXPECT_EQ(filter.SetFc(-0.2), -0.2);
  EXPECT_EQ(filter.SetFc(-1e300), -1e300);
  EXPECT_TRUE(recorder.Messages().empty());

  // But it must be a number whose angular form exists.
  EXPECT_DOUBLE_EQ(filter.SetFc(std::numeric_limits<double>::quiet_NaN()), 0.1 / (2 * kPi));
  EXPECT_DOUBLE_EQ(filter.SetFc(-1e308), 0.1 / (2 * kPi));
  EXPECT_DOUBLE_EQ(filter.GetWc(), 0.1);
  EXPECT_EQ(recorder.Messages(), (Messages{kCutoffPositiveMessage, kCutoffPositiveMessage}));
}

TYPED_TEST(FirDesignTest, DesignLeavesNPlusOneTapsAndADelayLineOfDegreeN) {
  TypeParam filter;
  for (int n : {1, 2, 10, 11, 500}) {
    filter.SetOrder(n);
    filter.Design();
    EXPECT_EQ(filter.FAOrder(), n);
    EXPECT_EQ(filter.ACoef(n), 0);
    EXPECT_EQ(filter.StateDegree(), n);
    // Purely non-recursive: the recursive list holds its fixed element alone, the ratio's
    // denominator is 1.
    EXPECT_EQ(filter.FBOrder(), 0);
    EXPECT_EQ(filter.Ratio().denominator, std::vector<double>{1});
  }
  // Order 1: the single tap ωc/π, whatever the window.
  filter.SetOrder(1);
  filter.SetWc(2);
  for (bool hamming : {false, true}) {
    filter.SetHamming(hamming);
    filter.Design();
    EXPECT_DOUBLE_EQ(filter.ACoef(0), 2 / kPi);
  }
}

TYPED_TEST(FirDesignTest, ZeroAndNegativeCutoffs) {
  MessageRecorder recorder;
  TypeParam filter;
  filter.SetOrder(11);
  filter.SetHamming(true);
  filter.SetFc(0.1);
  filter.Design();
  const std::vector<double> positive = Taps(filter);

  filter.SetFc(-0.1);
  filter.Design();
  const std::vector<double> negative = Taps(filter);
  ASSERT_EQ(negative.size(), positive.size());
  for (std::size_t i = 0; i < positive.size(); ++i) EXPECT_EQ(negative[i], -positive[i]) << i;

  filter.SetFc(0);
  filter.Design();
  for (double tap : Taps(filter)) EXPECT_EQ(tap, 0);
  double amplitude = -1, phase = -1;
  filter.Response(1.0, amplitude, phase);
  EXPECT_EQ(amplitude, 0);
  EXPECT_EQ(filter.Step(1), 0);

  // A hugely negative cut-off: no number is lost on the way.
  filter.SetFc(-1e300);
  filter.Design();
  for (double tap : Taps(filter)) EXPECT_TRUE(std::isfinite(tap));
  EXPECT_DOUBLE_EQ(filter.ACoef(5), -2e300);  // the centre tap ωc/π
  EXPECT_TRUE(recorder.Messages().empty());
}

// Whatever the setters accept, the taps, the response and the steps are numbers.
TYPED_TEST(FirDesignTest, NoValueLeadsToNaN) {
  MessageRecorder recorder;
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {-inf,
                           -1e308,
                           -1e300,
                           -7.3,
                           -0.5,
                           0,
                           std::numeric_limits<double>::denorm_min(),
                           0.25,
                           0.5,
                           3,
                           1e308,
                           inf,
                           std::numeric_limits<double>::quiet_NaN()};
  TypeParam filter;
  for (int order : {std::numeric_limits<int>::min(), 1, 2, 37, std::numeric_limits<int>::max()}) {
    filter.SetOrder(order);
    for (bool hamming : {false, true}) {
      filter.SetHamming(hamming);
      for (double value : values) {
        for (bool cyclic : {false, true}) {
          if (cyclic) {
            filter.SetFc(value);
          } else {
            filter.SetWc(value);
          }
          ASSERT_FALSE(std::isnan(filter.GetFc()) || std::isnan(filter.GetWc())) << value;
          filter.Design();
          for (double tap : Taps(filter)) ASSERT_TRUE(std::isfinite(tap)) << value << " " << cyclic;
          double amplitude = 0, phase = 0;
          filter.Response(0.7, amplitude, phase);
          ASSERT_FALSE(std::isnan(amplitude) || std::isnan(phase)) << value << " " << cyclic;
        }
      }
    }
  }
}

TYPED_TEST(FirDesignTest, ImpulseResponseAtTheMaximumOrderIsTheTaps) {
  TypeParam filter;
  filter.SetOrder(500);
  for (bool hamming : {false, true}) {
    for (double wc : {0.05, 1.0, kPi}) {
      filter.SetHamming(hamming);
      filter.SetWc(wc);
      filter.Design();
      filter.Reset();
      bool same = true;
      for (int k = 0; k < 4000; ++k) {
        const double y = filter.Step(k == 0 ? 1.0 : 0.0);
        same = same && y == filter.ACoef(k) && !filter.IsOverflow();
      }
      EXPECT_TRUE(same) << wc << " " << hamming;
    }
  }
}

TEST(WeighingDesignTest, TapsOfTheTruncatedIdealLowPass) {
  CWeighingFilter filter;  // order 10, ωc = 1, rectangular
  filter.Design();
  ASSERT_EQ(filter.FAOrder(), 10);
  // Taps for m = −5 … 4 around i = 5: sin(m)/(π·m), and 1/π at the centre.
  EXPECT_DOUBLE_EQ(filter.ACoef(5), 1 / kPi);
  for (int i = 0; i < 10; ++i) {
    const int m = i - 5;
    if (m != 0) {
      EXPECT_NEAR(filter.ACoef(i), std::sin(m) / (kPi * m), 1e-16) << i;
    }
  }
  EXPECT_EQ(filter.ACoef(10), 0);

  // Odd order with the Hamming window: symmetric about i = 5, end taps weighted by 0.54 + 0.46·cos(2π·5/11).
  filter.SetOrder(11);
  filter.SetHamming(true);
  filter.Design();
  for (int i = 0; i < 11; ++i) EXPECT_EQ(filter.ACoef(i), filter.ACoef(10 - i)) << i;
  const double end_weight = 0.54 + 0.46 * std::cos(2 * kPi * 5 / 11);
  EXPECT_NEAR(filter.ACoef(0), std::sin(5.0) / (5 * kPi) * end_weight, 1e-16);
  EXPECT_DOUBLE_EQ(filter.ACoef(5), 1 / kPi);

  // ωc = π passes everything: a pure delay of ⌊N/2⌋ samples, for either parity (sin(π·m) leaves
  // only rounding, below 1e-15).
  filter.SetHamming(false);
  filter.SetWc(kPi);
  for (int n : {10, 11, 500}) {
    filter.SetOrder(n);
    filter.Design();
    filter.Reset();
    for (int k = 0; k <= n; ++k) {
      const double y = filter.Step(k == 0 ? 1.0 : 0.0);
      EXPECT_NEAR(y, k == n / 2 ? 1 : 0, 1e-15) << n << " " << k;
    }
  }
}

TEST(FrSamplingDesignTest, TapsOfThePeriodicSinc) {
  CFrSamplingFilter filter;  // order 10, ωc = 1, rectangular
  filter.Design();
  EXPECT_NEAR(filter.ACoef(0), std::sin(5.0) / 10, 1e-16);
  EXPECT_NEAR(filter.ACoef(0), -0.0959, 1e-4);
  EXPECT_DOUBLE_EQ(filter.ACoef(5), 1 / kPi);
  for (int i = 0; i < 10; ++i) {
    const int m = i - 5;
    if (m != 0) {
      EXPECT_NEAR(filter.ACoef(i), std::sin(m) / (10 * std::sin(kPi * m / 10)), 1e-16) << i;
    }
  }

  // The name's promise: with ωc between samples, ωc = π·(2K + 1)/N for odd N, the response at the
  // N sampling frequencies 2πk/N is exactly the ideal low-pass.
  filter.SetOrder(11);
  filter.SetWc(5 * kPi / 11);  // K = 2
  filter.Design();
  for (int k = 0; k <= 5; ++k) {
    double amplitude = 0, phase = 0;
    filter.Response(2 * kPi * k / 11, amplitude, phase);
    EXPECT_NEAR(amplitude, k <= 2 ? 1 : 0, 1e-14) << k;
  }

  // ωc = π and odd N: a pure delay of (N − 1)/2 samples.
  filter.SetWc(kPi);
  for (int n : {11, 499}) {
    filter.SetOrder(n);
    filter.Design();
    for (int i = 0; i < n; ++i) EXPECT_NEAR(filter.ACoef(i), i == (n - 1) / 2 ? 1 : 0, 1e-13) << n << " " << i;
  }
}

}  // namespace
