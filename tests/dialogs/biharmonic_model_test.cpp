#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/stationary_signal.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/table_model.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kBadText = "Введены некорректные символы.";
const std::string kOmegaMessage =
    "Круговая нормированная частота должна быть не более 3.1415...\n Произведена коррекция.";
const std::string kFrequencyMessage = "Нормированная частота должна быть не более 0,5\n Произведена коррекция.";
const std::string kPositivePeriod = "Период должен быть положительным\n Произведена коррекция.";
const std::string kShortPeriod = "Период должен быть не менее 2.\n Произведена коррекция.";
const std::string kAmplitudeMessage = "Амплитуда должна быть менее 10 В.\n Произведена коррекция.";

using Messages = std::vector<std::string>;

// Indices of the grid points (M = 2048) at which the spectrum is not zero.
std::vector<int> LineIndices(const BiharmonicModel& model, std::vector<double>* heights) {
  const int m = 2048;
  const double step = 2 * kPi / (m - 1);
  std::vector<int> indices;
  for (int k = 0; k < m; ++k) {
    const double value = model.SpectrumAt(-kPi + k * step, step);
    if (value != 0) {
      indices.push_back(k);
      heights->push_back(value);
    }
  }
  return indices;
}

int NearestGridIndex(double omega) { return static_cast<int>(std::lround((omega + kPi) * 2047 / (2 * kPi))); }

// The transform of A·cos(ωn + φ)·u(n) from its recursion x(n) = 2cos ω·x(n−1) − x(n−2):
// X(z)·(1 − 2cos ω z⁻¹ + z⁻²) = x(0) + (x(1) − 2cos ω·x(0))·z⁻¹.
std::complex<double> SwitchedOnReference(double theta, double omega, double amplitude, double phase) {
  const double x0 = amplitude * std::cos(phase);
  const double x1 = amplitude * std::cos(omega + phase);
  const std::complex<double> z = std::exp(std::complex<double>(0, -theta));
  return (x0 + (x1 - 2 * std::cos(omega) * x0) * z) / (1.0 - 2 * std::cos(omega) * z + z * z);
}

TEST(BiharmonicModelTest, DefaultsGiveCosNAndTwoDecimationItems) {
  BiharmonicModel model;
  model.Show();
  EXPECT_EQ(model.GetOscillation(1).OmegaText(), "1,000");
  EXPECT_EQ(model.GetOscillation(1).FrequencyText(), "0,159");
  EXPECT_EQ(model.GetOscillation(1).PeriodText(), "6,283");
  EXPECT_EQ(model.GetOscillation(2).AmplitudeText(), "0,200");
  EXPECT_EQ(model.GetOscillation(1).PhaseText(), "0,000");
  EXPECT_DOUBLE_EQ(model.GetPeriod1(), 2 * kPi);
  EXPECT_DOUBLE_EQ(model.GetPeriod2(), kPi);
  EXPECT_TRUE(model.IsStationary());
  EXPECT_TRUE(model.IsOscillationEnabled(1));
  EXPECT_FALSE(model.IsOscillationEnabled(2));
  EXPECT_EQ(model.DecimationList(), (std::vector<std::string>{"D=1", "D=2"}));
  EXPECT_EQ(model.Decimation(), 1);
  for (int n : {0, 1, 2, 7, 1000}) EXPECT_EQ(model.SignalAt(n), std::cos(static_cast<double>(n))) << n;

  model.SetOscillationEnabled(1, false);
  EXPECT_EQ(model.SignalAt(3), 0.0);
  ASSERT_EQ(model.DecimationList().size(), 16u);  // w = π/20: trunc(20/1.2)
  EXPECT_EQ(model.DecimationList().back(), "D=16");
}

TEST(BiharmonicModelTest, ZeroFrequencyHasAnInfinitePeriodAndAConstantSignal) {
  BiharmonicModel model;
  model.Show();
  ASSERT_TRUE(model.EnterPhase(1, "60"));
  MessageRecorder messages;
  ASSERT_TRUE(model.EnterOmega(1, "0"));
  EXPECT_EQ(model.GetOscillation(1).FrequencyText(), "0,000");
  EXPECT_EQ(model.GetOscillation(1).PeriodText(), "Бесконечность");
  EXPECT_EQ(model.GetPeriod1(), 1e10);
  ASSERT_TRUE(model.SelectDecimation(2));
  EXPECT_EQ(model.Decimation(), 3);
  EXPECT_NEAR(model.SignalAt(0), 0.5, 1e-15);
  EXPECT_EQ(model.SignalAt(1), 0.0);
  EXPECT_EQ(model.SignalAt(2), 0.0);
  EXPECT_NEAR(model.SignalAt(3), 0.5, 1e-15);
  EXPECT_NEAR(model.SignalAt(300), 0.5, 1e-15);

  // The period field's own text sets a zero frequency.
  ASSERT_TRUE(model.EnterOmega(2, "1"));
  ASSERT_TRUE(model.EnterPeriod(2, "Бесконечность"));
  EXPECT_EQ(model.GetOscillation(2).Omega(), 0.0);
  EXPECT_EQ(model.GetOscillation(2).OmegaText(), "0,000");
  EXPECT_EQ(model.GetPeriod2(), 1e10);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(BiharmonicModelTest, FrequencyAndPeriodCorrections) {
  BiharmonicModel model;
  MessageRecorder messages;
  ASSERT_TRUE(model.EnterOmega(1, "3,5"));
  EXPECT_EQ(messages.Messages(), Messages{kOmegaMessage});
  EXPECT_EQ(model.GetOscillation(1).Omega(), 3.0);
  EXPECT_EQ(model.GetOscillation(1).FrequencyText(), "0,477");  // 3/2π = 0,47746
  EXPECT_EQ(model.GetOscillation(1).PeriodText(), "2,094");     // 2π/3 = 2,09440

  messages.Clear();
  ASSERT_TRUE(model.EnterPeriod(1, "0"));
  EXPECT_EQ(messages.Messages(), (Messages{kPositivePeriod, kShortPeriod}));
  EXPECT_EQ(model.GetPeriod1(), 2.0);
  EXPECT_EQ(model.GetOscillation(1).Frequency(), 0.5);
  EXPECT_NEAR(model.GetOscillation(1).Omega(), kPi, 1e-15);

  messages.Clear();
  EXPECT_EQ(model.SetPeriod(2, 1.5), 2.0);
  EXPECT_EQ(model.SetPeriod(2, 8.0), 8.0);
  EXPECT_NEAR(model.GetOscillation(2).Omega(), kPi / 4, 1e-15);
  EXPECT_EQ(model.SetFrequency(2, 0.6), 0.5);
  EXPECT_NEAR(model.GetOscillation(2).Omega(), kPi, 1e-15);
  EXPECT_EQ(model.SetOmega(2, kPi), kPi);  // π itself is allowed
  EXPECT_EQ(messages.Messages(), (Messages{kShortPeriod, kFrequencyMessage}));

  messages.Clear();
  const double omega_before = model.GetOscillation(1).Omega();
  EXPECT_FALSE(model.EnterOmega(1, "1,2,3"));
  EXPECT_FALSE(model.EnterPeriod(1, ""));
  EXPECT_FALSE(model.EnterAmplitude(1, "x"));
  EXPECT_FALSE(model.EnterPhase(1, "-"));
  EXPECT_EQ(messages.Messages(), (Messages{kBadText, kBadText, kBadText, kBadText}));
  EXPECT_EQ(model.GetOscillation(1).Omega(), omega_before);
}

TEST(BiharmonicModelTest, AmplitudeUpToTenAndPhaseInEitherUnit) {
  BiharmonicModel model;
  MessageRecorder messages;
  ASSERT_TRUE(model.EnterAmplitude(1, "10"));
  EXPECT_TRUE(messages.Messages().empty());
  ASSERT_TRUE(model.EnterAmplitude(1, "10,5"));
  EXPECT_EQ(messages.Messages(), Messages{kAmplitudeMessage});
  EXPECT_EQ(model.GetOscillation(1).Amplitude(), 10.0);

  for (int k : {1, 2}) {
    ASSERT_TRUE(model.EnterPhase(k, "90"));
    EXPECT_NEAR(model.GetOscillation(k).Phase(), kPi / 2, 1e-15);
    model.SetPhaseInDegrees(k, false);
    EXPECT_EQ(model.GetOscillation(k).PhaseText(), "1,571");
    model.SetPhaseInDegrees(k, true);
    EXPECT_EQ(model.GetOscillation(k).PhaseText(), "90,000");
    model.SetPhaseInDegrees(k, false);
    ASSERT_TRUE(model.EnterPhase(k, "-0,5"));
    EXPECT_EQ(model.GetOscillation(k).Phase(), -0.5);
  }
}

TEST(BiharmonicModelTest, DecimationKeepsEveryDthSampleOfTheSum) {
  BiharmonicModel model;
  model.Show();
  model.SetOscillationEnabled(2, true);
  model.SetOmega(1, 0.5);
  model.SetOmega(2, 0.3);
  model.SetPhase(2, 0.25);
  ASSERT_EQ(model.DecimationList().size(), 5u);  // trunc(π/0.6)
  ASSERT_TRUE(model.SelectDecimation(2));
  EXPECT_FALSE(model.SelectDecimation(5));
  EXPECT_EQ(model.Decimation(), 3);
  EXPECT_EQ(model.SignalAt(1), 0.0);
  EXPECT_EQ(model.SignalAt(2), 0.0);
  EXPECT_NEAR(model.SignalAt(3), std::cos(1.5) + 0.2 * std::cos(0.9 + 0.25), 1e-15);
  EXPECT_NEAR(model.SignalAt(6), std::cos(3.0) + 0.2 * std::cos(1.8 + 0.25), 1e-15);

  // A list of unchanged length keeps D; a new length starts again at D = 1.
  model.SetAmplitude(1, 2.0);
  model.SetOmega(1, 0.45);
  EXPECT_EQ(model.Decimation(), 3);
  model.SetOmega(1, 0.4);  // trunc(π/0.48) = 6
  EXPECT_EQ(model.DecimationList().size(), 6u);
  EXPECT_EQ(model.Decimation(), 1);

  // Very low frequencies: at most 30 items, and no overflow on the way.
  model.SetOmega(1, 1e-300);
  model.SetOmega(2, 1e-300);
  EXPECT_EQ(model.DecimationList().size(), 30u);
  EXPECT_EQ(model.DecimationList().back(), "D=30");
  // π/(1.2π) truncates to 0: still "D=1", which the run uses then.
  ASSERT_TRUE(model.SelectDecimation(4));
  model.SetOmega(1, kPi);
  model.SetOscillationEnabled(2, false);
  EXPECT_EQ(model.DecimationList(), std::vector<std::string>{"D=1"});
  EXPECT_EQ(model.Decimation(), 1);
}

TEST(BiharmonicModelTest, ClosedFormOfTheDecimatedSumGivesItsSamples) {
  BiharmonicModel model;
  model.Show();
  model.SetOscillationEnabled(2, true);
  model.SetOmega(1, 0.5);
  model.SetPhase(1, -1.1);
  model.SetOmega(2, 0.3);
  model.SetAmplitude(2, 0.7);
  model.SetPhase(2, 0.25);
  ASSERT_TRUE(model.SelectDecimation(2));  // D = 3
  const OscillationSum sum = model.Oscillations();
  ASSERT_EQ(sum.terms.size(), 2u);
  EXPECT_EQ(sum.decimation, 3);

  // Spectral lines at a sample give every sample around it, the zeros between included, as
  // exactly as SignalAt rounds ω·n itself (ulp(6e3) = 9e−13, ulp(5e7) = 7e−9).
  for (const auto& [at, tolerance] : {std::pair{12347LL, 2e-12}, std::pair{98765431LL, 3e-8}}) {
    const std::vector<Phasor> lines = SignalPhasors(sum, at, 64).value();
    EXPECT_EQ(lines.size(), 10u);  // 2D − 1 per oscillation
    for (long long n = at - 7; n <= at + 7; ++n) {
      double value = 0;
      for (const Phasor& line : lines)
        value += (line.amplitude * std::polar(1.0, line.omega * static_cast<double>(n - at))).real();
      EXPECT_NEAR(value, model.SignalAt(static_cast<int>(n)), tolerance) << n;
    }
  }
  const long long at = 98765431;
  EXPECT_FALSE(SignalPhasors(sum, at, 2).has_value());  // more lines than asked for

  // The first return to s(0) is the one a sample-by-sample search finds.
  const auto search = [&](long long first, long long last, double s0, double tolerance) {
    for (long long n = first; n <= last; ++n)
      if (std::fabs(model.SignalAt(static_cast<int>(n)) - s0) <= tolerance) return n;
    return last + 1;
  };
  for (const double tolerance : {1e-6, 1e-4, 1e-2}) {  // none before 400000; at 78543; at 70623
    const double s0 = model.SignalAt(0);
    const long long found = FindRealignment(model, 70001, 400000, s0, tolerance);
    EXPECT_EQ(found, search(70001, 400000, s0, tolerance)) << tolerance;
  }
  // With s(0) within the tolerance of 0 the zeros between the multiples of D come back at once.
  EXPECT_EQ(FindRealignment(model, 70001, 400000, 1e-5, 1e-4), 70001);
}

TEST(BiharmonicModelTest, StationarySpectrumIsLinesAtTheNearestGridPoints) {
  BiharmonicModel model;
  model.Show();
  std::vector<double> heights;
  EXPECT_EQ(LineIndices(model, &heights), (std::vector<int>{NearestGridIndex(-1), NearestGridIndex(1)}));
  EXPECT_EQ(heights, (std::vector<double>{0.5, 0.5}));

  // D = 2 folds the line at 1 onto π − 1 as well, at a quarter of the amplitude.
  ASSERT_TRUE(model.SelectDecimation(1));
  heights.clear();
  EXPECT_EQ(LineIndices(model, &heights), (std::vector<int>{NearestGridIndex(-(kPi - 1)), NearestGridIndex(-1),
                                                            NearestGridIndex(1), NearestGridIndex(kPi - 1)}));
  EXPECT_EQ(heights, (std::vector<double>{0.25, 0.25, 0.25, 0.25}));

  // A zero frequency has a line of the whole amplitude.
  model.SetOmega(1, 0.0);
  model.SetAmplitude(1, 3.0);
  EXPECT_EQ(model.SpectrumAt(0.04, 0.1), 3.0);
  EXPECT_EQ(model.SpectrumAt(-0.04, 0.1), 3.0);
  EXPECT_EQ(model.SpectrumAt(0.06, 0.1), 0.0);
  const double far = model.SpectrumAt(1e300, 0.1);  // returns at all, with a line or none
  EXPECT_TRUE(far == 0.0 || far == 3.0);
  EXPECT_EQ(model.SpectrumAt(std::nan(""), 0.1), 0.0);
}

TEST(BiharmonicModelTest, SwitchedOnSpectrumFollowsTheTransformOfTheSignal) {
  BiharmonicModel model;
  model.Show();
  model.SetStationary(false);
  const double step = 2 * kPi / 2047;
  // cos n switched on: X = (1 − cos 1·z⁻¹)/(1 − 2cos 1·z⁻¹ + z⁻²) is 1/2 at z = ±1.
  EXPECT_NEAR(model.SpectrumAt(kPi, step), 0.5, 1e-15);
  EXPECT_NEAR(model.SpectrumAt(-kPi, step), 0.5, 1e-15);
  EXPECT_NEAR(model.SpectrumAt(0.0, step), 0.5, 1e-14);
  EXPECT_EQ(model.SpectrumAt(1.0 + 0.9 * step, step), 600.0);  // the line itself
  EXPECT_NE(model.SpectrumAt(1.0 + 1.1 * step, step), 600.0);

  model.SetOscillationEnabled(2, true);
  model.SetOmega(1, 0.9);
  model.SetAmplitude(1, 1.3);
  model.SetPhase(1, 0.7);
  model.SetOmega(2, 2.1);
  model.SetAmplitude(2, 0.4);
  model.SetPhase(2, -0.3);
  for (double theta : {-3.0, -1.5, 0.2, 0.5, 1.4, 2.6, 3.1}) {
    const double expected =
        std::abs(SwitchedOnReference(theta, 0.9, 1.3, 0.7) + SwitchedOnReference(theta, 2.1, 0.4, -0.3));
    EXPECT_NEAR(model.SpectrumAt(theta, step), expected, 1e-12 * expected) << theta;
  }
}

TEST(BiharmonicModelTest, FormedTableShowsFourDecimalsAndIsAcceptedExactly) {
  BiharmonicModel model;
  model.Show();
  EXPECT_EQ(model.TableValues(0).size(), 50u);
  EXPECT_EQ(model.TableValues(-7).size(), 50u);
  EXPECT_EQ(model.TableValues(600).size(), 500u);
  const std::vector<double> samples = model.TableValues(50);
  ASSERT_EQ(samples.size(), 50u);
  EXPECT_EQ(samples[2], std::cos(2.0));

  TableModel signal;
  signal.SetValues(samples.data(), static_cast<int>(samples.size()));
  EXPECT_EQ(signal.Cells().ValueText(1), "0,5403");
  EXPECT_EQ(signal.Cells().ValueText(49), "0,3006");  // cos 49 = 0,30059
  // The texts are rounded, the samples behind them are not.
  signal.Show();
  signal.Accept();
  signal.Close();
  EXPECT_TRUE(signal.IsProcessed());
  ASSERT_EQ(signal.ValueCount(), 50);
  EXPECT_EQ(signal.Values()[0], 1.0);
  EXPECT_EQ(signal.Values()[1], std::cos(1.0));
  EXPECT_EQ(signal.Values()[49], std::cos(49.0));
}

}  // namespace
