#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "filter/cascade_filter.h"
#include "filter/coefficient_conventions.h"
#include "filter/digital_filter.h"
#include "filter/weighing.h"
#include "numeric/numeric.h"
#include "platform/messages.h"

namespace {

const char kMemoryMessage[] = "Class CDigitalFilter: Не удалось изменить коэффициенты фильтра.\n Недостаточно памяти";

void SetFilter(CDigitalFilter& filter, std::vector<double> a, std::vector<double> b) {
  filter.Clear();
  filter.SetACoef(a.data(), static_cast<int>(a.size()));
  for (std::size_t i = 0; i < b.size(); ++i) filter.SetBCoef(static_cast<int>(i) + 1, b[i]);
}

std::vector<double> Impulse(CDigitalFilter& filter, int n) {
  filter.Reset();
  std::vector<double> h;
  for (int i = 0; i < n; ++i) h.push_back(filter.Step(i == 0 ? 1 : 0));
  return h;
}

// H(e^{jω}) evaluated directly from the difference equation's coefficients.
std::complex<double> DirectH(const std::vector<double>& a, const std::vector<double>& b, double w) {
  std::complex<double> num = 0, den = 1;
  for (std::size_t k = 0; k < a.size(); ++k) num += a[k] * std::polar(1.0, -w * static_cast<double>(k));
  for (std::size_t i = 0; i < b.size(); ++i) den -= b[i] * std::polar(1.0, -w * static_cast<double>(i + 1));
  return num / den;
}

TEST(DigitalFilterTest, NewFilterPassesItsInputUnchanged) {
  CDigitalFilter filter;
  for (double x : {1.5, -2.0, 0.0, 1e10}) EXPECT_EQ(filter.Step(x), x);
  double amplitude = 0, phase = 0;
  filter.Response(1.2, amplitude, phase);
  EXPECT_EQ(amplitude, 1);
  EXPECT_EQ(phase, 0);
}

TEST(DigitalFilterTest, RecursiveSumHasAPlusSign) {
  CDigitalFilter filter;
  SetFilter(filter, {0.5}, {0.5});
  const std::vector<double> h = Impulse(filter, 30);
  for (int n = 0; n < 30; ++n) EXPECT_DOUBLE_EQ(h[n], std::pow(0.5, n + 1)) << n;
  // As a ratio of polynomials the recursive coefficients change sign: 0,5 / (1 − 0,5·z⁻¹).
  EXPECT_EQ(filter.Ratio().numerator, std::vector<double>{0.5});
  EXPECT_EQ(filter.Ratio().denominator, (std::vector<double>{1, -0.5}));
  // So do a section's a1, a2 in the row other programs read, whose b carry the gains.
  const SectionRatio section = SectionFormRatio(0.25, 1, 1, 0, 0.5, -0.125);
  EXPECT_EQ(section.denominator, (std::array<double, 3>{1, -0.5, 0.125}));
  EXPECT_EQ(SosRow(section, 2), (std::array<double, 6>{0.5, 0.5, 0, 1, -0.5, 0.125}));

  // A damped cosine: b1 = 2r·cos θ, b2 = −r², a = [1]; h(n) = r^n·sin((n+1)θ)/sin θ.
  const double r = 0.9, theta = 0.7;
  SetFilter(filter, {1}, {2 * r * std::cos(theta), -r * r});
  const std::vector<double> damped = Impulse(filter, 60);
  for (int n = 0; n < 60; ++n)
    EXPECT_NEAR(damped[n], std::pow(r, n) * std::sin((n + 1) * theta) / std::sin(theta), 1e-12) << n;
}

TEST(DigitalFilterTest, SettersTrimAndKeepTheDelayLineAtTheOrder) {
  CDigitalFilter filter;
  SetFilter(filter, {1, 2, 0, 0}, {});
  EXPECT_EQ(filter.FAOrder(), 1);
  EXPECT_EQ(filter.StateDegree(), 1);
  filter.SetBCoef(4, 0.25);
  EXPECT_EQ(filter.FBOrder(), 4);
  EXPECT_EQ(filter.StateDegree(), 4);
  filter.SetBCoef(4, 0);  // trailing zero removed, line shrinks back to the order
  EXPECT_EQ(filter.FBOrder(), 0);
  EXPECT_EQ(filter.StateDegree(), 1);
  EXPECT_EQ(filter.BCoef(0), -1);

  filter.SetBCoef(1, 0.5);
  filter.SetBCoef(0, 99);  // ignored
  EXPECT_EQ(filter.BCoef(0), -1);
  EXPECT_EQ(filter.BCoef(1), 0.5);
  filter.SetBCoef(-2, 7);  // no coefficient changes
  EXPECT_EQ(filter.FBOrder(), 1);
  EXPECT_EQ(filter.BCoef(-2), 0);
}

TEST(DigitalFilterTest, SetterClearsTheDelayLine) {
  CDigitalFilter filter;
  SetFilter(filter, {0, 1}, {});
  filter.Step(5);
  filter.SetBCoef(1, 0);  // no order change, but the line is cleared
  EXPECT_EQ(filter.Step(0), 0);
}

TEST(DigitalFilterTest, OnlyZeroCoefficientsGiveASilentFilter) {
  CDigitalFilter filter;
  SetFilter(filter, {0, 0, 0}, {});
  EXPECT_EQ(filter.FAOrder(), -1);
  EXPECT_EQ(filter.Step(3), 0);
  EXPECT_EQ(filter.Step(-4), 0);
  double amplitude = 1, phase = 1;
  filter.Response(0.3, amplitude, phase);
  EXPECT_EQ(amplitude, 0);
  EXPECT_EQ(phase, 0);
}

TEST(DigitalFilterTest, CountBelowOneShowsTheMemoryMessage) {
  MessageRecorder recorder;
  CDigitalFilter filter;
  const double a[] = {2};
  filter.SetACoef(a, 0);
  ASSERT_EQ(recorder.Messages().size(), 1u);
  EXPECT_EQ(recorder.Messages()[0], kMemoryMessage);
  EXPECT_EQ(filter.ACoef(0), 1);  // unchanged
}

TEST(DigitalFilterTest, PositiveOverflowIsLimitedAndFlagged) {
  CDigitalFilter filter;
  SetFilter(filter, {1}, {2});
  filter.Reset();
  double y = filter.Step(1);
  int n = 0;
  while (!filter.IsOverflow() && n < 100) {
    EXPECT_EQ(y, std::pow(2.0, n));
    y = filter.Step(0);
    ++n;
  }
  EXPECT_EQ(n, 37);  // 2^37 is the first power above 1e11
  EXPECT_EQ(y, 1e11);
  EXPECT_EQ(filter.Step(0), 1e11);  // held at the limit
  EXPECT_TRUE(filter.IsOverflow());
  filter.Reset();
  EXPECT_FALSE(filter.IsOverflow());
}

TEST(DigitalFilterTest, OverflowIsLimitedOnBothSides) {
  CDigitalFilter filter;
  SetFilter(filter, {1}, {-2});
  filter.Reset();
  std::vector<double> y;
  std::vector<bool> flagged;
  for (int n = 0; n < 40; ++n) {
    y.push_back(filter.Step(n == 0 ? 1 : 0));
    flagged.push_back(filter.IsOverflow());
  }
  EXPECT_EQ(y[35], -std::pow(2.0, 35));
  EXPECT_EQ(y[36], std::pow(2.0, 36));
  EXPECT_FALSE(flagged[36]);
  EXPECT_EQ(y[37], -1e11);  // −2^37 is the first value beyond the limit: held, and flagged
  EXPECT_TRUE(flagged[37]);
  EXPECT_EQ(y[38], 1e11);  // the held −1e11 times −2
  EXPECT_EQ(y[39], -1e11);

  // A negative impulse into a slowly growing filter overflows where the positive one does.
  SetFilter(filter, {1}, {1.01});
  for (const double x : {1e10, -1e10}) {
    filter.Reset();
    double last = filter.Step(x);
    int n = 0;
    while (!filter.IsOverflow() && n < 1000) last = filter.Step(0), ++n;
    EXPECT_EQ(n, 232) << x;  // 1.01^232 is the first power above 10
    EXPECT_EQ(last, x > 0 ? 1e11 : -1e11);
  }

  // The numerator alone beyond the limit, on either side.
  SetFilter(filter, {-1e12}, {});
  filter.Reset();
  EXPECT_EQ(filter.Step(1), -1e11);
  EXPECT_TRUE(filter.IsOverflow());
}

TEST(DigitalFilterTest, RunTowardMinusInfinityEndsInAFlaggedFiniteValue) {
  CDigitalFilter filter;
  SetFilter(filter, {1}, {1.5});
  filter.Reset();
  bool all_finite = true;
  int steps = 0;
  while (!filter.IsOverflow() && steps < 5000) {
    all_finite = all_finite && std::isfinite(filter.Step(-1));
    ++steps;
  }
  EXPECT_TRUE(filter.IsOverflow());
  EXPECT_TRUE(all_finite);
  EXPECT_LT(steps, 2000);
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(std::isfinite(filter.Step(-1)));
}

TEST(DigitalFilterTest, PolesWithinARadiusInBothForms) {
  CDigitalFilter filter;
  CCascadFilter2 cascade;
  EXPECT_TRUE(filter.PolesWithin(1e-9));  // no recursion: every pole at 0
  // A pair at 0,95·e^{±j0,3}.
  const double r = 0.95, theta = 0.3;
  SetFilter(filter, {1}, {2 * r * std::cos(theta), -r * r});
  cascade.FirstSection()->SetA(1, 2 * r * std::cos(theta));
  cascade.FirstSection()->SetA(2, -r * r);
  for (const double radius : {0.9499, 0.9501}) {
    EXPECT_EQ(filter.PolesWithin(radius), radius > r) << radius;
    EXPECT_EQ(cascade.PolesWithin(radius), radius > r) << radius;
  }
  // 0,9 and −0,97: (1 − 0,9z⁻¹)(1 + 0,97z⁻¹) = 1 + 0,07z⁻¹ − 0,873z⁻², and in a second section.
  SetFilter(filter, {1}, {-0.07, 0.873});
  cascade.AppendSection()->SetA(1, -0.97);
  EXPECT_TRUE(filter.PolesWithin(0.9701));
  EXPECT_FALSE(filter.PolesWithin(0.9699));
  EXPECT_FALSE(cascade.PolesWithin(0.9699));
  // Six poles, the largest 0,95: Π (1 − p·z⁻¹) expanded.
  std::vector<double> denominator = {1};
  for (const double pole : {0.9, -0.8, 0.5, 0.3, -0.6, 0.95}) {
    denominator.push_back(0);
    for (std::size_t i = denominator.size() - 1; i > 0; --i) denominator[i] -= pole * denominator[i - 1];
  }
  std::vector<double> b;
  for (std::size_t i = 1; i < denominator.size(); ++i) b.push_back(-denominator[i]);
  SetFilter(filter, {1}, b);
  EXPECT_TRUE(filter.PolesWithin(0.9501));
  EXPECT_FALSE(filter.PolesWithin(0.9499));

  // At the unit circle itself: a pole 1e−12 inside has a steady state, one on the circle has not,
  // in either form.
  for (const double pole : {1 - 1e-12, -(1 - 1e-12)}) {
    SetFilter(filter, {1}, {pole});
    EXPECT_TRUE(filter.PolesWithin(1)) << pole;
    SetFilter(filter, {1}, {pole > 0 ? 1.0 : -1.0});
    EXPECT_FALSE(filter.PolesWithin(1)) << pole;
  }
  for (const double radius : {1 - 1e-12, 1.0}) {
    const double a1 = 2 * radius * std::cos(1e-3), a2 = -radius * radius;
    SetFilter(filter, {1}, {a1, a2});
    CCascadFilter2 pair;
    pair.FirstSection()->SetA(1, a1);
    pair.FirstSection()->SetA(2, a2);
    EXPECT_EQ(filter.PolesWithin(1), radius < 1) << radius;
    EXPECT_EQ(pair.PolesWithin(1), radius < 1) << radius;
    // With a third pole at 0,5: (1 − a1·z⁻¹ − a2·z⁻²)(1 − 0,5·z⁻¹).
    SetFilter(filter, {1}, {a1 + 0.5, a2 - 0.5 * a1, -0.5 * a2});
    EXPECT_EQ(filter.PolesWithin(1), radius < 1) << radius;
  }
  // (1 − z⁻¹)(1 − 0,5·z⁻¹): a pole exactly at 1 beside another.
  SetFilter(filter, {1}, {1.5, -0.5});
  EXPECT_FALSE(filter.PolesWithin(1));
}

TEST(DigitalFilterTest, AmplitudesBeyondTheRangeOfTheirSquares) {
  CDigitalFilter filter;
  double amplitude = 0, phase = 0;
  // a0 = 1e200: its square is beyond the range, the amplitude is not.
  SetFilter(filter, {1e200}, {});
  filter.Response(1, amplitude, phase);
  EXPECT_EQ(amplitude, 1e200);
  // 1/(1 − 1e200·e^{−jω}): a huge denominator gives a tiny amplitude, not 0.
  SetFilter(filter, {1}, {1e200});
  filter.Response(1, amplitude, phase);
  EXPECT_NEAR(amplitude, 1e-200, 1e-214);
  // 1e308·(1 + e^{−jω}) has sums beyond the range near ω = 0 only: √2·1e308 at π/2, and the
  // batched responses agree.
  SetFilter(filter, {1e308, 1e308}, {});
  const double omegas[] = {std::numbers::pi / 2, 0.5, 1, 2, 0};
  double amplitudes[5], phases[5];
  filter.Responses(omegas, 5, amplitudes, phases);
  EXPECT_NEAR(amplitudes[0], std::sqrt(2.0) * 1e308, 1e293);
  EXPECT_NEAR(phases[0], -std::numbers::pi / 4, 1e-15);
  for (int i = 0; i < 5; ++i) {
    filter.Response(omegas[i], amplitude, phase);
    EXPECT_EQ(amplitude, amplitudes[i]) << i;
    EXPECT_NEAR(phase, -omegas[i] / 2, 1e-15) << i;
  }
  EXPECT_TRUE(std::isinf(amplitudes[4]));  // 2e308

  // A cascade whose product passes beyond the range on the way back: 1e200·1e200·1e−200.
  CCascadFilter2 cascade;
  cascade.FirstSection()->SetGain(1e200);
  cascade.AppendSection()->SetB(0, 1e200);
  cascade.AppendSection()->SetGain(1e-200);
  cascade.Response(1, amplitude, phase);
  EXPECT_DOUBLE_EQ(amplitude, 1e200);
  EXPECT_DOUBLE_EQ(cascade.Amplitude(1), 1e200);
}

TEST(DigitalFilterTest, PoleAtZeroFrequencyIsNudged) {
  CDigitalFilter filter;
  SetFilter(filter, {1}, {1});
  double amplitude = 0, phase = 0;
  filter.Response(0, amplitude, phase);
  EXPECT_TRUE(std::isfinite(amplitude));
  // |1 − e^{−j·1e−5}| ≈ 1e−5, the first moved frequency.
  EXPECT_NEAR(amplitude, 1e5, 1e-3);
}

TEST(DigitalFilterTest, PureDelayPhaseIsMinusOmega) {
  CDigitalFilter filter;
  SetFilter(filter, {0, 1}, {});
  for (double w : {-3.0, -1.0, 0.0, 0.5, 3.1}) {
    double amplitude = 0, phase = 0;
    filter.Response(w, amplitude, phase);
    EXPECT_NEAR(amplitude, 1, 1e-15);
    EXPECT_NEAR(phase, -w, 1e-15);
  }
}

TEST(DigitalFilterTest, ResponseEqualsTheTransferFunction) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coef(-1, 1);
  std::vector<double> a(40), b(6);
  for (double& v : a) v = coef(random);
  for (double& v : b) v = 0.15 * coef(random);
  CDigitalFilter filter;
  SetFilter(filter, a, b);
  for (int k = 0; k < 200; ++k) {
    const double w = -std::numbers::pi + k * 2 * std::numbers::pi / 199;
    double amplitude = 0, phase = 0;
    filter.Response(w, amplitude, phase);
    const std::complex<double> h = DirectH(a, b, w);
    EXPECT_NEAR(amplitude, std::abs(h), 1e-12 * (1 + std::abs(h)));
    // Unwrapped phase differs from arg H by a whole number of turns.
    const double turns = (phase - std::arg(h)) / (2 * std::numbers::pi);
    EXPECT_NEAR(turns, std::round(turns), 1e-12);
    EXPECT_GT(phase, -2 * std::numbers::pi);
    EXPECT_LT(phase, 2 * std::numbers::pi);
  }
}

}  // namespace

namespace {

// The response from its textbook sums Σ ak·cos(kθ), Σ ak·sin(kθ), one cosine per coefficient.
void PlainResponse(const std::vector<double>& a, const std::vector<double>& b, double theta, double& amplitude,
                   double& phase) {
  double ca = 0, sa = 0, cb = -1, sb = 0;
  for (std::size_t k = 0; k < a.size(); ++k) {
    ca += a[k] * std::cos(static_cast<double>(k) * theta);
    sa += a[k] * std::sin(static_cast<double>(k) * theta);
  }
  for (std::size_t i = 0; i < b.size(); ++i) {
    cb += b[i] * std::cos(static_cast<double>(i + 1) * theta);
    sb += b[i] * std::sin(static_cast<double>(i + 1) * theta);
  }
  amplitude = std::sqrt((ca * ca + sa * sa) / (cb * cb + sb * sb));
  phase = std::atan2(-sa, ca) - std::atan2(sb, -cb);
}

TEST(DigitalFilterTest, FastResponseOfALongFilterMatchesThePlainSums) {
  std::vector<double> a(501);
  for (int k = 0; k < 501; ++k) a[k] = 0.4 * Sinc(0.4 * std::numbers::pi * (k - 250));
  const std::vector<double> b = {0.3, -0.2};
  CDigitalFilter filter;
  SetFilter(filter, a, b);
  for (int k = 0; k < 2048; k += 7) {
    const double w = -std::numbers::pi + k * 2 * std::numbers::pi / 2047;
    double amplitude = 0, phase = 0, plain_amplitude = 0, plain_phase = 0;
    filter.Response(w, amplitude, phase);
    PlainResponse(a, b, w, plain_amplitude, plain_phase);
    EXPECT_NEAR(amplitude, plain_amplitude, 1e-12) << w;
    // Where the amplitude is tiny the phase is ill-conditioned in both computations; what must
    // agree is the complex value itself, so weigh the phase difference by the amplitude.
    EXPECT_NEAR(amplitude * (phase - plain_phase), 0, 1e-12) << w;
  }

  // Batched, eight angles to a group and the rest one by one, with the group delay or without:
  // the very values of one at a time.
  std::vector<double> omegas, amplitudes(19), phases(19), delayed_amplitudes(19), delayed_phases(19), delays(19);
  for (int k = 0; k < 19; ++k) omegas.push_back(-std::numbers::pi + 0.31 * k);
  filter.Responses(omegas.data(), 19, amplitudes.data(), phases.data());
  filter.Responses(omegas.data(), 19, delayed_amplitudes.data(), delayed_phases.data(), delays.data());
  for (std::size_t k = 0; k < omegas.size(); ++k) {
    double amplitude = 0, phase = 0;
    filter.Response(omegas[k], amplitude, phase);
    EXPECT_EQ(amplitudes[k], amplitude) << k;
    EXPECT_EQ(phases[k], phase) << k;
    EXPECT_EQ(delayed_amplitudes[k], amplitude) << k;
    EXPECT_EQ(delayed_phases[k], phase) << k;
  }
}

// The group delay is right wherever it is given. A symmetric FIR's is exactly its centre wherever
// H ≠ 0; next to its zeros on the unit circle, all in the stop band, the rounding of the sums is
// magnified by |Q|/|P|², yet it must show its delay across nearly all of that band. A quadratic
// with its zeros on the unit circle has a delay of 1 everywhere but at them.
TEST(DigitalFilterTest, GroupDelayIsRightWhereverItIsGiven) {
  constexpr double kPi = std::numbers::pi;
  CWeighingFilter fir;  // ωc = 1
  fir.SetOrder(101);
  fir.SetHamming(true);
  fir.Design();
  for (int i = 0; i <= 100; ++i) ASSERT_EQ(fir.ACoef(i), fir.ACoef(100 - i)) << i;
  constexpr int m = 4096;
  std::vector<double> omegas, amplitudes(m), phases(m), delays(m), alone(m);
  for (int k = 0; k < m; ++k) omegas.push_back(-kPi + k * 2 * kPi / (m - 1));
  fir.Responses(omegas.data(), m, amplitudes.data(), phases.data(), delays.data());
  fir.GroupDelays(omegas.data(), m, alone.data());
  int stop_band = 0, missing = 0;
  for (std::size_t k = 0; k < m; ++k) {
    // The fast path gives the plain path's values bit for bit.
    ASSERT_EQ(std::isnan(delays[k]), std::isnan(alone[k])) << k;
    if (!std::isnan(delays[k])) {
      ASSERT_EQ(delays[k], alone[k]) << k;
      ASSERT_NEAR(delays[k], 50, 50e-9) << k;
    }
    if (std::fabs(omegas[k]) < 1.2) continue;
    ++stop_band;
    missing += std::isnan(delays[k]);
  }
  EXPECT_LT(missing, stop_band / 200) << missing << " of " << stop_band;

  const double w0 = omegas[700];
  CDigitalFilter quadratic;
  SetFilter(quadratic, {1, -2 * std::cos(w0), 1}, {});
  for (double offset : {0.0, 1e-12, -1e-10, 1e-8, -1e-6, 1e-5, -1e-5, 1e-3}) {
    const double w = w0 + offset;
    double tau = 0;
    quadratic.GroupDelays(&w, 1, &tau);
    if (std::fabs(offset) >= 1e-5) {
      EXPECT_FALSE(std::isnan(tau)) << offset;
    }
    if (!std::isnan(tau)) {
      EXPECT_NEAR(tau, 1, 1e-9) << offset;
    }
  }
}

}  // namespace
