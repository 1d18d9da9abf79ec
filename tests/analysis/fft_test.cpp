#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/fft.h"
#include "platform/messages.h"
#include "platform/progress.h"

namespace {

struct Spectrum {
  std::vector<double> magnitude, phase;
};

Spectrum Transformed(FastFourierTransform& fft, const std::vector<double>& data, int n) {
  Spectrum s{std::vector<double>(n, -7), std::vector<double>(n, -7)};
  fft.Transform(data.data(), static_cast<int>(data.size()), n, s.magnitude.data(), s.phase.data());
  return s;
}

TEST(FftTest, EightOnesAndUnitImpulse) {
  FastFourierTransform fft;
  const Spectrum ones = Transformed(fft, std::vector<double>(8, 1.0), 8);
  EXPECT_EQ(ones.magnitude[0], 8);
  for (int k = 1; k < 8; ++k) EXPECT_NEAR(ones.magnitude[k], 0, 1e-15) << k;
  for (int k = 0; k < 8; ++k) EXPECT_EQ(ones.phase[k], 0) << k;

  const Spectrum impulse = Transformed(fft, {1, 0, 0, 0, 0, 0, 0, 0}, 8);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(impulse.magnitude[k], 1) << k;
    EXPECT_EQ(impulse.phase[k], 0) << k;
  }

  // Values whose squares (or sums) leave the range of a double: the magnitudes are still theirs.
  const Spectrum large = Transformed(fft, {1e200, 0, 0, 0, 0, 0, 0, 0}, 8);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(large.magnitude[k], 1e200) << k;
  // 1e308·|1 + e^{jπk/4}|: beyond the range at k = 0 and 1 only, though every sum of the plain
  // transform already is.
  const Spectrum huge = Transformed(fft, {1e308, 1e308}, 8);
  EXPECT_TRUE(std::isinf(huge.magnitude[0]));
  EXPECT_TRUE(std::isinf(huge.magnitude[1]));
  EXPECT_NEAR(huge.magnitude[2], std::sqrt(2.0) * 1e308, 1e293);
  EXPECT_NEAR(huge.magnitude[3], 2 * std::cos(3 * std::numbers::pi / 8) * 1e308, 1e293);
  EXPECT_NEAR(huge.magnitude[4], 0, 1e293);
  EXPECT_NEAR(huge.phase[2], std::numbers::pi / 4, 1e-15);
}

TEST(FftTest, EightPointsByHand) {
  // x = (1, 2, 0, 0, 0, 0, 0, 0): X(k) = 1 + 2·e^{+j2πk/8}.
  FastFourierTransform fft;
  const Spectrum s = Transformed(fft, {1, 2}, 8);
  for (int k = 0; k < 8; ++k) {
    const double angle = 2 * std::numbers::pi * k / 8;
    const double re = 1 + 2 * std::cos(angle), im = 2 * std::sin(angle);
    EXPECT_NEAR(s.magnitude[k], std::hypot(re, im), 1e-14) << k;
    EXPECT_NEAR(s.phase[k], std::atan2(im, re), 1e-14) << k;
  }
  // A count of 3 with n = 4 pads the fourth value with 0: X(0) is the plain sum.
  const Spectrum padded = Transformed(fft, {1, 2, 3}, 4);
  EXPECT_EQ(padded.magnitude[0], 6);
  EXPECT_NEAR(padded.magnitude[2], 2, 1e-15);  // 1 − 2 + 3 − 0
}

TEST(FftTest, MatchesAPlainDftWithNegatedPhases) {
  const int n = 1024;
  std::mt19937 random(11);
  std::uniform_real_distribution<double> value(-1, 1);
  std::vector<double> data(1000);
  for (double& v : data) v = value(random);
  FastFourierTransform fft;
  const Spectrum s = Transformed(fft, data, n);
  for (int k = 0; k < n; ++k) {
    double re = 0, im = 0;
    for (int t = 0; t < static_cast<int>(data.size()); ++t) {
      const double angle = -2 * std::numbers::pi * ((static_cast<long long>(k) * t) % n) / n;
      re += data[t] * std::cos(angle);
      im += data[t] * std::sin(angle);
    }
    EXPECT_NEAR(s.magnitude[k], std::hypot(re, im), 1e-10) << k;
    if (std::hypot(re, im) > 1e-6) {
      const double diff = std::remainder(s.phase[k] + std::atan2(im, re), 2 * std::numbers::pi);
      EXPECT_NEAR(diff, 0, 1e-10) << k;
    }
  }
}

TEST(FftTest, SinusoidOnABinHasMagnitudeAHalfN) {
  const int n = 256;
  std::vector<double> data(n);
  for (int t = 0; t < n; ++t) data[t] = 3 * std::cos(2 * std::numbers::pi * 10 * t / n);
  FastFourierTransform fft;
  const Spectrum s = Transformed(fft, data, n);
  EXPECT_NEAR(s.magnitude[10], 3 * n / 2.0, 1e-11);
  EXPECT_NEAR(s.magnitude[n - 10], 3 * n / 2.0, 1e-11);
}

TEST(FftTest, SizeCorrections) {
  MessageRecorder recorder;
  FastFourierTransform fft;
  fft.SetSize(1000);
  EXPECT_EQ(fft.Size(), 512);
  fft.SetSize(0);
  EXPECT_EQ(fft.Size(), 2);
  fft.SetSize(-64);
  EXPECT_EQ(fft.Size(), 64);
  fft.SetSize(-3);
  EXPECT_EQ(fft.Size(), 2);
  fft.SetSize(1);
  EXPECT_EQ(fft.Size(), 1);
  EXPECT_EQ(recorder.Messages(),
            (std::vector<std::string>{"Установлен неправильный объем БПФ: 1000",
                                      "Модуль БПФ: Попытка установить нулевой объем преобразования.",
                                      "Установлен неправильный объем БПФ: 3"}));
}

TEST(FftTest, LengthBelowTheSignalIsRefusedAndTouchesNothing) {
  MessageRecorder recorder;
  FastFourierTransform fft;
  const std::vector<double> data(2000, 1.0);
  const Spectrum s = Transformed(fft, data, 1024);
  EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"Объём БПФ меньше длины сигнала."});
  for (int k = 0; k < 1024; ++k) {
    EXPECT_EQ(s.magnitude[k], -7);
    EXPECT_EQ(s.phase[k], -7);
  }
}

TEST(FftTest, ZeroLengthWritesNothing) {
  MessageRecorder recorder;
  FastFourierTransform fft;
  double magnitude = -7, phase = -7;
  fft.Transform(nullptr, 0, 0, &magnitude, &phase);
  EXPECT_EQ(magnitude, -7);  // the corrected length 2 must not be written into a 0-value array
  EXPECT_EQ(phase, -7);
  EXPECT_EQ(recorder.Messages().size(), 1u);
}

class CountingBar : public ProgressBar {
 public:
  int changes = 0;

 protected:
  void Changed() override { ++changes; }
};

class RecordingWindow : public FftWindow {
 public:
  ProgressBar& Bar() override { return bar; }
  void ShowWithCaption(const std::string& caption) override { shown.push_back(caption); }
  void CloseWindow() override { ++closed; }
  ProgressBar bar;
  std::vector<std::string> shown;
  int closed = 0;
};

TEST(FftTest, ProgressEndsAtItsMaximumOnTheHandedBar) {
  FastFourierTransform fft;
  RecordingWindow window;
  fft.SetOwnWindow(&window);
  CountingBar bar;
  fft.SetProgressBar(&bar);
  Transformed(fft, {1, 2, 3}, 64);
  EXPECT_EQ(bar.Maximum(), 5);  // m − 1 for m = 6 stages
  EXPECT_EQ(bar.Position(), 5);
  EXPECT_GE(bar.changes, 6);
  EXPECT_TRUE(window.shown.empty());
  EXPECT_EQ(window.closed, 0);

  fft.SetProgressBar(nullptr);  // back to the own window, shown with its caption
  Transformed(fft, {1, 2, 3}, 16);
  EXPECT_EQ(window.shown, std::vector<std::string>{"БПФ: 16"});
  EXPECT_EQ(window.closed, 1);
  EXPECT_EQ(window.bar.Position(), 3);
}

}  // namespace
