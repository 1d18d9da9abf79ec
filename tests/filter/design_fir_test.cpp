#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <type_traits>
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

const char kFirstBelowSecondMessage[] = "Нижняя частота среза должна быть меньше верхней.\n Произведена коррекция.";
const char kSecondAboveFirstMessage[] = "Верхняя частота среза должна быть больше нижней.\n Произведена коррекция.";
const char kBetaMessage[] = "Параметр β окна Кайзера должен быть от 0 до 100.\n Произведена коррекция.";
const char kAttenuationMessage[] =
    "Подавление в полосе задерживания не должно превышать 400 дБ.\n Произведена коррекция.";

std::vector<double> Taps(const CBaseDigitalFilter& filter) {
  std::vector<double> taps;
  for (int k = 0; k <= filter.FAOrder(); ++k) taps.push_back(filter.ACoef(k));
  return taps;
}

constexpr BandType kBands[] = {BandType::kLowPass, BandType::kHighPass, BandType::kBandPass, BandType::kBandStop};
constexpr FirWindow kWindows[] = {FirWindow::kRectangular, FirWindow::kHamming, FirWindow::kHann, FirWindow::kBlackman,
                                  FirWindow::kKaiser};

// I₀(x) by its power series, in long double.
long double BesselI0(long double x) {
  long double term = 1, sum = 1;
  for (int k = 1; k < 200; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
  }
  return sum;
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
  EXPECT_EQ(filter.GetBand(), BandType::kLowPass);
  EXPECT_EQ(filter.GetWindow(), FirWindow::kRectangular);
  EXPECT_EQ(filter.GetWc2(), 2);
  EXPECT_DOUBLE_EQ(filter.GetFc2(), 1 / kPi);

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

  // The second cut-off is corrected like the first, then kept above it: halfway to π.
  recorder.Clear();
  filter.SetWc(1);
  EXPECT_EQ(filter.SetWc2(4), kPi);
  EXPECT_EQ(filter.SetWc2(0.5), (1 + kPi) / 2);
  EXPECT_EQ(filter.SetWc2(1), (1 + kPi) / 2);
  EXPECT_EQ(filter.SetFc2(0.7), 0.5);
  EXPECT_EQ(filter.SetFc2(-1), (1 / (2 * kPi) + 0.5) / 2);
  EXPECT_EQ(recorder.Messages(), (Messages{kPiMessage, kSecondAboveFirstMessage, kSecondAboveFirstMessage, kHalfMessage,
                                           kCutoffPositiveMessage, kSecondAboveFirstMessage}));
  // The first stays below the second only where both count.
  recorder.Clear();
  filter.SetWc2(2);
  EXPECT_EQ(filter.SetWc(2.5), 2.5);
  filter.SetBand(BandType::kBandStop);
  EXPECT_EQ(filter.SetWc(2.5), 1);
  EXPECT_EQ(filter.SetFc(0.4), 0.5 / kPi);
  EXPECT_EQ(filter.SetFc(-0.1), 0.1 / (2 * kPi));  // no negated taps beyond low-pass
  EXPECT_EQ(recorder.Messages(),
            (Messages{kFirstBelowSecondMessage, kFirstBelowSecondMessage, kCutoffPositiveMessage}));

  // Kaiser: β from the attenuation A, the order from A and the width Δω = 10 % of ωc = 1.
  recorder.Clear();
  filter.SetWc(1);
  EXPECT_EQ(filter.EstimateKaiserOrder(), 229);  // A = 60 dB: ⌈52/0,2285⌉ + 1
  filter.SetWindow(FirWindow::kKaiser);
  EXPECT_EQ(filter.GetOrder(), 500);  // choosing the window leaves the order
  const struct {
    double a, beta;
    int order;
  } kaiser[] = {{15, 0, 32}, {30, 2.1166248611409806, 98}, {50, 4.533514120981248, 185}, {-60, 5.65326, 229}};
  for (const auto& k : kaiser) {
    EXPECT_EQ(filter.SetAttenuationDb(k.a), std::fabs(k.a));
    EXPECT_NEAR(filter.GetKaiserBeta(), k.beta, 1e-12) << k.a;
    EXPECT_EQ(filter.GetOrder(), k.order) << k.a;
  }
  EXPECT_EQ(filter.SetTransition(20), 20);
  EXPECT_EQ(filter.GetOrder(), 115);  // ⌈52/0,457⌉ + 1
  EXPECT_EQ(filter.SetKaiserBeta(3), 3);
  EXPECT_EQ(filter.GetAttenuationDb(), 60);
  EXPECT_TRUE(recorder.Messages().empty());

  EXPECT_EQ(filter.SetKaiserBeta(-1), 0);
  EXPECT_EQ(filter.SetKaiserBeta(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(filter.SetKaiserBeta(1e9), 100);
  EXPECT_EQ(filter.SetTransition(0), 10);
  EXPECT_EQ(filter.GetOrder(), 229);
  EXPECT_EQ(filter.SetAttenuationDb(std::numeric_limits<double>::quiet_NaN()), 400);
  EXPECT_EQ(filter.GetOrder(), 500);
  EXPECT_EQ(filter.SetAttenuationDb(5), 5);
  EXPECT_EQ(filter.GetOrder(), 1);  // ⌈−3/0,2285⌉ + 1 = −12
  filter.SetBand(BandType::kLowPass);
  filter.SetFc(0);  // no width at all
  EXPECT_EQ(filter.SetAttenuationDb(1e300), 400);
  EXPECT_EQ(filter.GetOrder(), 500);
  EXPECT_EQ(recorder.Messages(),
            (Messages{kBetaMessage, kBetaMessage, kBetaMessage, kTransitionMessage, kAttenuationMessage,
                      kOrderMaxMessage, kOrderPositiveMessage, kAttenuationMessage, kOrderMaxMessage}));
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
  filter.SetKaiserBeta(100);
  for (int order : {std::numeric_limits<int>::min(), 1, 2, 37, std::numeric_limits<int>::max()}) {
    filter.SetOrder(order);
    for (auto [band, window] : {std::pair{BandType::kLowPass, FirWindow::kRectangular},
                                {BandType::kHighPass, FirWindow::kHamming},
                                {BandType::kBandPass, FirWindow::kBlackman},
                                {BandType::kBandStop, FirWindow::kKaiser}}) {
      filter.SetBand(band);
      filter.SetWindow(window);
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

// Every band type and window against the formulas, computed again in long double: δ(m) minus the
// low-pass for high-pass, the difference of two low-passes for band-pass, δ(m) minus that for
// band-stop, times the window.
TYPED_TEST(FirDesignTest, BandTypesAndWindowsMatchTheFormulas) {
  constexpr bool kSampling = std::is_same_v<TypeParam, CFrSamplingFilter>;
  const long double pi = std::numbers::pi_v<long double>;
  const double wc = 0.8, wc2 = 2.1, beta = 5.3;
  auto low_pass = [&](int m, int n, long double w) {
    if (m == 0) return w / pi;
    return std::sin(w * m) / (kSampling ? n * std::sin(pi * m / n) : pi * m);
  };
  auto weight = [&](FirWindow window, int m, int n) {
    const long double t = 2 * pi * m / n;
    const long double x = 2.0L * m / n;
    switch (window) {
      case FirWindow::kRectangular: return 1.0L;
      case FirWindow::kHamming: return 0.54L + 0.46L * std::cos(t);
      case FirWindow::kHann: return 0.5L + 0.5L * std::cos(t);
      case FirWindow::kBlackman: return 0.42L + 0.5L * std::cos(t) + 0.08L * std::cos(2 * t);
      case FirWindow::kKaiser: return BesselI0(beta * std::sqrt(1 - x * x)) / BesselI0(beta);
    }
    return 0.0L;
  };
  TypeParam filter;
  filter.SetKaiserBeta(beta);
  filter.SetWc(wc);
  filter.SetWc2(wc2);
  for (int n : {1, 10, 11, 24, 25}) {
    filter.SetOrder(n);
    for (BandType band : kBands) {
      filter.SetBand(band);
      for (FirWindow window : kWindows) {
        filter.SetWindow(window);
        filter.Design();
        ASSERT_EQ(filter.FAOrder(), n);
        EXPECT_EQ(filter.ACoef(n), 0);
        for (int i = 0; i < n; ++i) {
          const int m = i - n / 2;
          const long double delta = m == 0 ? 1 : 0;
          const long double band_pass = low_pass(m, n, wc2) - low_pass(m, n, wc);
          const long double ideal = band == BandType::kLowPass    ? low_pass(m, n, wc)
                                    : band == BandType::kHighPass ? delta - low_pass(m, n, wc)
                                    : band == BandType::kBandPass ? band_pass
                                                                  : delta - band_pass;
          EXPECT_NEAR(filter.ACoef(i), static_cast<double>(ideal * weight(window, m, n)), 1e-12)
              << n << " " << static_cast<int>(band) << " " << static_cast<int>(window) << " " << i;
        }
      }
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

  // The same for the other band types: 1 at the samples in the pass band(s), 0 elsewhere, with
  // the cut-offs between samples (K = 1 and 3).
  filter.SetWc(3 * kPi / 11);
  filter.SetWc2(7 * kPi / 11);
  for (BandType band : {BandType::kHighPass, BandType::kBandPass, BandType::kBandStop}) {
    filter.SetBand(band);
    filter.Design();
    for (int k = 0; k <= 5; ++k) {
      const bool between = k == 2 || k == 3;
      const bool pass = band == BandType::kHighPass ? k >= 2 : band == BandType::kBandPass ? between : !between;
      double amplitude = 0, phase = 0;
      filter.Response(2 * kPi * k / 11, amplitude, phase);
      EXPECT_NEAR(amplitude, pass ? 1 : 0, 1e-9) << static_cast<int>(band) << " " << k;
    }
  }

  // ωc = π and odd N: a pure delay of (N − 1)/2 samples.
  filter.SetBand(BandType::kLowPass);
  filter.SetWc(kPi);
  for (int n : {11, 499}) {
    filter.SetOrder(n);
    filter.Design();
    for (int i = 0; i < n; ++i) EXPECT_NEAR(filter.ACoef(i), i == (n - 1) / 2 ? 1 : 0, 1e-13) << n << " " << i;
  }
}

}  // namespace
