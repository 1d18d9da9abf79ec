#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "filter/angle_sum.h"
#include "filter/butterworth.h"
#include "filter/cascade_filter.h"
#include "filter/chebyshev.h"
#include "filter/digital_filter.h"
#include "filter/paired_products.h"
#include "platform/messages.h"

namespace {

struct SectionCoefs {
  double g, b0, b1, b2, a1, a2;
};

void Fill(CCascadFilter2& cascade, const std::vector<SectionCoefs>& sections) {
  cascade.RemoveSections();
  for (std::size_t s = 0; s < sections.size(); ++s) {
    CDigitalFilter2* section = s == 0 ? cascade.FirstSection() : cascade.AppendSection();
    const SectionCoefs& c = sections[s];
    section->SetGain(c.g);
    section->SetB(0, c.b0);
    section->SetB(1, c.b1);
    section->SetB(2, c.b2);
    section->SetA(1, c.a1);
    section->SetA(2, c.a2);
  }
}

std::vector<double> Multiply(const std::vector<double>& p, const std::vector<double>& q) {
  std::vector<double> r(p.size() + q.size() - 1, 0.0);
  for (std::size_t i = 0; i < p.size(); ++i)
    for (std::size_t j = 0; j < q.size(); ++j) r[i + j] += p[i] * q[j];
  return r;
}

TEST(CascadeFilterTest, NewCascadeIsTheIdentity) {
  CCascadFilter2 cascade;
  EXPECT_EQ(cascade.SectionCount(), 1);
  for (double x : {1.0, -3.0, 0.25}) EXPECT_EQ(cascade.Step(x), x);
  for (double w : {-3.0, 0.0, 1.0, 3.14}) {
    EXPECT_EQ(cascade.Amplitude(w), 1);
    EXPECT_EQ(cascade.Phase(w), 0);
  }
}

TEST(CascadeFilterTest, SectionValues) {
  CDigitalFilter2 section;
  section.SetB(0, 1);
  section.SetB(1, 1);
  section.SetA(1, 0.5);
  section.SetGain(0.25);
  EXPECT_DOUBLE_EQ(section.Amplitude(0.0), 1.0);  // 0.25·2/0.5
  section.SetB(3, 9);                             // ignored
  section.SetA(0, 9);                             // ignored
  EXPECT_EQ(section.B(0), 1);
  EXPECT_EQ(section.A(1), 0.5);

  CDigitalFilter2 geometric;
  geometric.SetA(1, 0.5);
  geometric.ClearState();
  EXPECT_EQ(geometric.Step(1), 1);
  EXPECT_EQ(geometric.Step(0), 0.5);
  EXPECT_EQ(geometric.Step(0), 0.25);
  EXPECT_EQ(geometric.Step(0), 0.125);
}

TEST(CascadeFilterTest, RemoveSectionsKeepsTheFirstWithItsCoefficients) {
  CCascadFilter2 cascade;
  Fill(cascade, {{2, 1, 0.5, 0.25, 0.1, 0.2}, {1, 1, 0, 0, 0.3, 0}, {1, 1, 0, 0, -0.3, 0}});
  EXPECT_EQ(cascade.SectionCount(), 3);
  cascade.RemoveSections();
  EXPECT_EQ(cascade.SectionCount(), 1);
  const CDigitalFilter2* first = cascade.FirstSection();
  EXPECT_EQ(first->Next(), nullptr);
  EXPECT_EQ(first->Gain(), 2);
  EXPECT_EQ(first->B(1), 0.5);
  EXPECT_EQ(first->A(2), 0.2);
  CDigitalFilter2* added = cascade.AppendSection();
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(first->Next(), added);
  EXPECT_EQ(added->B(0), 1);
  EXPECT_EQ(added->Gain(), 1);
}

TEST(CascadeFilterTest, OverflowIsLimitedAndReportedByTheCascade) {
  CCascadFilter2 cascade;
  Fill(cascade, {{1, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 2, 0}});
  cascade.Reset();
  double y = cascade.Step(1);
  int n = 0;
  while (!cascade.IsOverflow() && n < 100) {
    EXPECT_EQ(y, std::pow(2.0, n));
    y = cascade.Step(0);
    ++n;
  }
  EXPECT_EQ(n, 37);
  EXPECT_EQ(y, 1e11);
  cascade.Reset();
  EXPECT_FALSE(cascade.IsOverflow());
  EXPECT_EQ(cascade.Step(1), 1);

  // The same on the negative side: −2^37 is held at −1e11.
  cascade.Reset();
  y = cascade.Step(-1);
  for (n = 0; !cascade.IsOverflow() && n < 100; ++n) y = cascade.Step(0);
  EXPECT_EQ(n, 37);
  EXPECT_EQ(y, -1e11);

  // A section whose numerator alone leaves the range, in the middle of a chain: the value is
  // held there, the next section sees the held value, and the cascade reports it.
  Fill(cascade, {{1, 1, 0, 0, 0, 0}, {1, -1e12, 0, 0, 0, 0}, {0.5, 1, 0, 0, 0, 0}});
  cascade.Reset();
  EXPECT_EQ(cascade.Step(1), -0.5e11);
  EXPECT_TRUE(cascade.IsOverflow());
  double block_out = 0;
  const double block_in = 1;
  cascade.Reset();
  EXPECT_EQ(cascade.StepBlock(&block_in, &block_out, 1), 0);
  EXPECT_EQ(block_out, -0.5e11);
}

TEST(CascadeFilterTest, RunTowardMinusInfinityIsFlaggedAndStaysFinite) {
  CCascadFilter2 cascade;
  Fill(cascade, {{1, 1, 0, 0, 1.5, 0}});
  cascade.Reset();
  int steps = 0;
  bool finite = true;
  while (!cascade.IsOverflow() && steps < 5000) {
    finite = finite && std::isfinite(cascade.Step(-1));
    ++steps;
  }
  EXPECT_TRUE(cascade.IsOverflow());
  EXPECT_TRUE(finite);
  for (int i = 0; i < 50; ++i) EXPECT_TRUE(std::isfinite(cascade.Step(-1)));
}

TEST(CascadeFilterTest, VanishingDenominatorAtZeroFrequencyEndsTheLoop) {
  // a1 = 2, a2 = −1: 1 − 2z^−1 + z^−2 has a double zero at z = 1.
  CDigitalFilter2 section;
  section.SetA(1, 2);
  section.SetA(2, -1);
  const double amplitude = section.Amplitude(0.0);
  const double phase = section.Phase(0.0);
  EXPECT_TRUE(std::isfinite(amplitude));
  EXPECT_GT(amplitude, 1e10);  // |1 − e^{−jθ}|² ≈ θ² at the first moved θ = 1e−6
  EXPECT_TRUE(std::isfinite(phase));
  // At a non-zero frequency the phase move is θ/100.
  EXPECT_TRUE(std::isfinite(section.Phase(1e-300)));
}

TEST(CascadeFilterTest, AgreesWithTheExpandedDirectForm) {
  const std::vector<SectionCoefs> sections = {
      {0.3, 1, 2, 1, 1.2, -0.5}, {1.5, 1, -0.4, 0.9, -0.6, -0.3}, {0.8, 0.5, 0.2, 0, 0.7, 0}};
  CCascadFilter2 cascade;
  Fill(cascade, sections);

  // Expand the product: numerator Π g(b0 + b1 z^−1 + b2 z^−2), denominator Π (1 − a1 z^−1 − a2 z^−2).
  std::vector<double> num = {1}, den = {1};
  for (const SectionCoefs& s : sections) {
    num = Multiply(num, {s.g * s.b0, s.g * s.b1, s.g * s.b2});
    den = Multiply(den, {1, -s.a1, -s.a2});
  }
  CDigitalFilter direct;
  direct.Clear();
  direct.SetACoef(num.data(), static_cast<int>(num.size()));
  for (std::size_t i = 1; i < den.size(); ++i) direct.SetBCoef(static_cast<int>(i), -den[i]);

  cascade.Reset();
  direct.Reset();
  for (int n = 0; n < 300; ++n) {
    const double x = n == 0 ? 1 : 0;
    EXPECT_NEAR(cascade.Step(x), direct.Step(x), 1e-12) << n;
  }
  for (int k = 0; k < 101; ++k) {
    const double w = -std::numbers::pi + k * 2 * std::numbers::pi / 100;
    double amplitude = 0, phase = 0;
    direct.Response(w, amplitude, phase);
    EXPECT_NEAR(cascade.Amplitude(w), amplitude, 1e-12 * (1 + amplitude)) << w;
    // At ±π, the first section's double zero, the multiplied-out sum is rounding alone.
    if (k == 0 || k == 100) continue;
    const double turns = (cascade.Phase(w) - phase) / (2 * std::numbers::pi);
    EXPECT_NEAR(turns, std::round(turns), 1e-12) << w;
  }
}

TEST(CascadeFilterTest, SharedAnglesGiveTheSectionsOwnResponses) {
  CCascadFilter2 cascade;
  Fill(cascade, {{0.3, 1, 2, 1, 1.2, -0.5}, {1.5, 1, -0.4, 0.9, -0.6, -0.3}});
  const CDigitalFilter2* first = cascade.FirstSection();
  const CDigitalFilter2* second = first->Next();
  for (double w : {-2.5, -0.1, 0.7, 3.0}) {
    EXPECT_EQ(cascade.Amplitude(w), first->Amplitude(w) * second->Amplitude(w));
    EXPECT_NEAR(cascade.Phase(w), first->Phase(w) + second->Phase(w), 1e-12);
    // Against the textbook transfer function of a section.
    const std::complex<double> z1 = std::polar(1.0, -w), z2 = std::polar(1.0, -2 * w);
    const std::complex<double> h = 0.3 * (1.0 + 2.0 * z1 + 1.0 * z2) / (1.0 - 1.2 * z1 + 0.5 * z2);
    EXPECT_NEAR(first->Amplitude(w), std::abs(h), 1e-12);
  }
}

// The cascade sums its sections' phases without an arctangent per section; the whole turns
// must come out right wherever partial sums cross ±π, at ±π itself and with signed zeros. Its
// amplitude is the magnitude of the products, against the plain product of the amplitudes.
TEST(CascadeFilterTest, ResponseAgreesWithThePlainSumAndProduct) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> coef(-2, 2);
  std::vector<SectionCoefs> sections;
  for (int s = 0; s < 60; ++s)
    sections.push_back({1, coef(random), coef(random), coef(random), coef(random), coef(random)});
  sections.push_back({1, 1, 2, 1, -0.5, 0});  // zero numerator at ±π, ImA = −0 at θ = 0
  sections.push_back({-1, -1, 0, 0, 1.9, -0.95});
  std::vector<SectionCoefs> zero_numerator = sections;
  zero_numerator.push_back({1, 0, 0, 0, 0.3, 0.1});  // its angle counts as 0
  // Gains whose running product leaves the range of a double on the way, and a pole on the unit
  // circle at θ = 0 (the amplitude and the phase move that frequency each their own way).
  std::vector<SectionCoefs> wide;
  for (int s = 0; s < 40; ++s) wide.push_back({1e20, 1, 0.5, 0.25, 0.2, 0.1});
  for (int s = 0; s < 40; ++s) wide.push_back({1e-20, 1, -0.5, 0.25, -0.2, 0.1});
  wide.push_back({1, 1, 0, 0, 1, 0});
  std::vector<double> omegas = {-std::numbers::pi, std::numbers::pi, 0.0, -0.0, 1e-300};
  for (int k = 0; k < 2000; ++k) omegas.push_back(-std::numbers::pi + k * 2 * std::numbers::pi / 1999);

  for (const std::vector<SectionCoefs>* chain : {&sections, &zero_numerator, &wide}) {
    CCascadFilter2 cascade;
    Fill(cascade, *chain);
    std::vector<double> amplitudes(omegas.size()), phases(omegas.size());
    cascade.Responses(omegas.data(), static_cast<int>(omegas.size()), amplitudes.data(), phases.data());
    for (std::size_t k = 0; k < omegas.size(); ++k) {
      const double w = omegas[k];
      double plain = 0, mantissa = 1;
      int exponent = 0;
      for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next()) {
        plain += s->Phase(w);
        int e = 0;
        mantissa = std::frexp(mantissa * s->Amplitude(w), &e);
        exponent += e;
      }
      const double amplitude = std::ldexp(mantissa, exponent);
      ASSERT_NEAR(phases[k], plain, 1e-12 * (1 + std::fabs(plain))) << w;
      ASSERT_NEAR(amplitudes[k], amplitude, 1e-12 * std::fabs(amplitude)) << w;
      if (chain == &zero_numerator) {
        ASSERT_EQ(amplitudes[k], 0) << w;
      }
      double response_amplitude = 0, response_phase = 0;
      cascade.Response(w, response_amplitude, response_phase);
      ASSERT_EQ(response_amplitude, amplitudes[k]) << w;
      ASSERT_EQ(response_phase, phases[k]) << w;
      ASSERT_EQ(cascade.Phase(w), phases[k]) << w;
      ASSERT_NEAR(cascade.Amplitude(w), amplitude, 1e-12 * std::fabs(amplitude)) << w;
    }
  }
}

// Both sums of a section chain side by side in vector lanes give AngleSum's values bit for bit,
// including the scalings of a product that leaves 2^±256; a term AngleSum takes its own way
// (zero, or beyond 2^±256) is left to it.
TEST(CascadeFilterTest, PairedProductsAreAngleSumsBitForBit) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coef(-2, 2);
  std::uniform_int_distribution<int> scale(-60, 60);
  PairedProducts paired;
  std::vector<SectionCoefs> sections;
  for (int s = 0; s < 200; ++s) {
    // Numerators from 2^−60 to 2^60 times their size: the products pass 2^±256 again and again.
    const double size = std::ldexp(1.0, scale(random));
    sections.push_back({1, size * coef(random), size * coef(random), size * coef(random), coef(random), coef(random)});
    const SectionCoefs& c = sections.back();
    paired.Append(c.b0, c.b1, c.b2, c.a1, c.a2);
  }
  int summed = 0;
  for (int k = 0; k < 1000; ++k) {
    const SectionAngles angles(-std::numbers::pi + k * 2 * std::numbers::pi / 999);
    AngleSum numerator, denominator, plain_numerator, plain_denominator;
    for (const SectionCoefs& c : sections) {
      // Each side's value at e^{−jθ} on its own: the conjugate of the one about s at e^{jθ}.
      const auto add = [&](AngleSum& sum, double c0, double c1, double c2) {
        double re = 0, im = 0;
        const ShiftedQuadratic<double> q = ShiftedAbout(c0, c1, c2, angles.shift);
        ShiftedConjugate(q, -q.d1, -q.d2, angles.v_re, angles.v_im, angles.v2_re, angles.v2_im, re, im);
        sum.Add(re, im);
      };
      add(plain_numerator, c.b0, c.b1, c.b2);
      add(plain_denominator, 1, -c.a1, -c.a2);
    }
    if (!paired.Sum(angles, numerator, denominator)) continue;
    ++summed;
    ASSERT_EQ(numerator.Value(), plain_numerator.Value()) << k;
    ASSERT_EQ(denominator.Value(), plain_denominator.Value()) << k;
    ASSERT_EQ(numerator.Magnitude(), plain_numerator.Magnitude()) << k;
    ASSERT_EQ(numerator.Exponent(), plain_numerator.Exponent()) << k;
    ASSERT_EQ(denominator.Magnitude(), plain_denominator.Magnitude()) << k;
    ASSERT_EQ(denominator.Exponent(), plain_denominator.Exponent()) << k;
  }
  EXPECT_GT(summed, 990);

  PairedProducts beyond;
  beyond.Append(1, 2, 1, 0.5, 0);
  beyond.Append(1e80, 0, 0, 0, 0);  // beyond 2^256
  AngleSum numerator, denominator;
  EXPECT_FALSE(beyond.Sum(SectionAngles(1.0), numerator, denominator));
  EXPECT_EQ(numerator.Exponent(), 0);  // left as it was
  PairedProducts zero;
  zero.Append(1, -2, 1, 0.5, 0);  // zero numerator at θ = 0
  EXPECT_FALSE(zero.Sum(SectionAngles(0.0), numerator, denominator));
  EXPECT_TRUE(zero.Sum(SectionAngles(1.0), numerator, denominator));
}

// H of a cascade's own sections in quadruple precision at e^{jθ}: |H|, the sum of the sections'
// principal angles, and the group delay Σ Re(Q/P) of the numerators less the denominators.
struct QuadResponse {
  __float128 amplitude = 1, phase = 0, delay = 0;
};

QuadResponse QuadResponseOf(const CCascadFilter2& cascade, double theta) {
  const __float128 c1 = cosq(theta), s1 = sinq(theta), c2 = 2 * c1 * c1 - 1, s2 = 2 * s1 * c1;
  QuadResponse h;
  // c0 + c1·z⁻¹ + c2·z⁻²: value at z = e^{jθ} and the delay, with sign ±1 for either side.
  const auto side = [&](double k0, double k1, double k2, int sign) {
    const __float128 re = k0 + k1 * c1 + k2 * c2, im = -(k1 * s1 + k2 * s2);
    const __float128 q_re = k1 * c1 + 2 * k2 * c2, q_im = -(k1 * s1 + 2 * k2 * s2);
    const __float128 size = re * re + im * im;
    h.amplitude *= sign > 0 ? sqrtq(size) : 1 / sqrtq(size);
    h.phase += sign * atan2q(im, re);
    h.delay += sign * (q_re * re + q_im * im) / size;
  };
  for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next()) {
    h.amplitude *= s->Gain();
    side(s->B(0), s->B(1), s->B(2), 1);
    side(1, -s->A(1), -s->A(2), -1);
  }
  return h;
}

// Poles crowding z = 1: the sections' denominators cancel to a few digits in the plain sums of
// cosines, but not about z = 1. Amplitude and phase within 1e−10, the group delay within 1e−9 and
// given everywhere, against the sections evaluated in quadruple precision.
TEST(CascadeFilterTest, ResponsesOfPolesNextToZEqualsOneKeepTheirDigits) {
  MessageRecorder quiet;
  CBatterwortFilter butterworth;
  CChebishevFilter chebyshev;
  butterworth.SetAutoOrder(false);
  butterworth.SetOrder(200);
  chebyshev.SetAutoOrder(false);
  chebyshev.SetOrder(60);
  std::vector<double> omegas;
  for (int k = 1; k < 2048; k += k < 2030 ? 7 : 1)
    omegas.push_back(-std::numbers::pi + k * 2 * std::numbers::pi / 4095);
  const int count = static_cast<int>(omegas.size());
  for (const double wp : {1e-4, 1.0}) {
    butterworth.SetWp(wp);
    chebyshev.SetWp(wp);
    butterworth.Design();
    chebyshev.Design();
    ASSERT_EQ(butterworth.SectionCount(), 100);
    for (CCascadFilter2* cascade : std::initializer_list<CCascadFilter2*>{&butterworth, &chebyshev}) {
      std::vector<double> amplitudes(omegas.size()), phases(omegas.size()), delays(omegas.size());
      cascade->Responses(omegas.data(), count, amplitudes.data(), phases.data(), delays.data());
      for (std::size_t k = 0; k < omegas.size(); ++k) {
        const QuadResponse h = QuadResponseOf(*cascade, omegas[k]);
        const double amplitude = static_cast<double>(h.amplitude);
        if (amplitude < 1e-290) continue;  // beyond the double's range on the way
        ASSERT_NEAR(amplitudes[k] / amplitude, 1, 1e-10) << wp << " " << omegas[k];
        const double turns = static_cast<double>(h.phase - phases[k]) / (2 * std::numbers::pi);
        ASSERT_NEAR(turns, std::round(turns), 1e-10 / (2 * std::numbers::pi)) << wp << " " << omegas[k];
        const double delay = static_cast<double>(h.delay);
        ASSERT_NEAR(delays[k], delay, 1e-9 * std::fabs(delay)) << wp << " " << omegas[k];
      }
    }
  }
}

TEST(CascadeFilterTest, BlockStepsEqualSingleSteps) {
  const SectionCoefs steady[] = {{0.3, 1, 2, 1, 1.2, -0.5}, {1.5, 1, -0.4, 0.9, -0.6, -0.3}, {0.9, 1, 0, -1, 0.5, 0.2}};
  const SectionCoefs growing = {0.8, 0.5, 0.2, 0, 1.05, 0};  // 1.05^n: overflows at some sample
  std::vector<double> x(600), y(600);
  for (int n = 0; n < 600; ++n) x[n] = std::sin(0.1 * n) + (n == 0);
  // Three sections (stepped one by one) and seven (a group of four, then three), the growing one
  // last, inside the group, or in the three after it.
  const std::vector<std::vector<SectionCoefs>> chains = {
      {steady[0], steady[1], growing},
      {steady[0], steady[1], growing, steady[2], steady[0], steady[1], steady[2]},
      {steady[0], steady[1], steady[2], steady[0], steady[1], growing, steady[2]}};
  for (std::size_t c = 0; c < chains.size(); ++c) {
    CCascadFilter2 block, single;
    Fill(block, chains[c]);
    Fill(single, chains[c]);
    block.Reset();
    const int first = block.StepBlock(x.data(), y.data(), 600);
    single.Reset();
    int single_first = 600;
    for (int n = 0; n < 600; ++n) {
      const double expected = single.Step(x[n]);
      if (n <= first) {
        ASSERT_EQ(y[n], expected) << c << " " << n;
      }
      if (single.IsOverflow() && single_first == 600) single_first = n;
    }
    EXPECT_EQ(first, single_first) << c;
    EXPECT_LT(first, 600) << c;
    EXPECT_TRUE(block.IsOverflow()) << c;
  }

  // Without overflow the delay lines afterwards are the same too: the next block continues alike.
  for (const std::vector<SectionCoefs>& chain :
       {std::vector<SectionCoefs>{steady[0], steady[1]},
        std::vector<SectionCoefs>{steady[0], steady[1], steady[2], steady[0], steady[1]}}) {
    CCascadFilter2 block, single;
    Fill(block, chain);
    Fill(single, chain);
    block.Reset();
    single.Reset();
    EXPECT_EQ(block.StepBlock(x.data(), y.data(), 300), 300);
    EXPECT_FALSE(block.IsOverflow());
    for (int n = 0; n < 300; ++n) single.Step(x[n]);
    EXPECT_EQ(block.Step(0.5), single.Step(0.5));
  }
}

// A long block goes through groups of sections a chunk apart, without holding values where none
// reaches the limit: values held in the middle of it (a spike, a NaN) come out as the plain steps
// give them, and so do the first index, the flag and the delay lines afterwards.
TEST(CascadeFilterTest, LongBlocksEqualSingleStepsWhereValuesAreHeld) {
  const SectionCoefs steady[] = {{0.3, 1, 2, 1, 1.2, -0.5}, {1.5, 1, -0.4, 0.9, -0.6, -0.3}, {0.9, 1, 0, -1, 0.5, 0.2}};
  std::vector<SectionCoefs> chain;
  for (int s = 0; s < 10; ++s) chain.push_back(steady[s % 3]);  // groups of four, four and two
  const int count = 1000;                                       // whole chunks and a few samples
  std::vector<double> x(count), y(count);
  for (int n = 0; n < count; ++n) x[n] = std::sin(0.05 * n);
  x[500] = 5e11;                                      // held at the limit, then dies away
  x[807] = std::numeric_limits<double>::quiet_NaN();  // held at 0, at the end of a chunk
  for (const auto& [first_checked, expected_first] : {std::pair{0, 500}, std::pair{600, 807}, std::pair{900, count}}) {
    CCascadFilter2 block, single;
    Fill(block, chain);
    Fill(single, chain);
    block.Reset();
    single.Reset();
    EXPECT_EQ(block.StepBlock(x.data(), y.data(), count, first_checked), expected_first);
    for (int n = 0; n < count; ++n) ASSERT_EQ(y[n], single.Step(x[n])) << n;
    EXPECT_EQ(block.IsOverflow(), expected_first < count);
    const CDigitalFilter2* s = single.FirstSection();
    for (const CDigitalFilter2* b = block.FirstSection(); b != nullptr; b = b->Next(), s = s->Next())
      EXPECT_EQ(b->IsOverflow(), s->IsOverflow());  // down again: the last samples held nothing
    EXPECT_EQ(block.Step(0.25), single.Step(0.25));
  }
}

}  // namespace
