#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/polynomial_roots.h"
#include "analysis/zero_pole.h"
#include "filter/butterworth.h"
#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"
#include "filter/weighing.h"
#include "platform/messages.h"
#include "support/fake_sources.h"

namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

int RootCount(const std::vector<ZeroPoleRoot>& roots) {
  int count = 0;
  for (const ZeroPoleRoot& r : roots) count += r.multiplicity;
  return count;
}

// |Σ ck·z^(n−k)| relative to Σ |ck|·|z|^(n−k): what rounding alone leaves at a true root.
double RelativeResidual(const std::vector<double>& c, Complex z) {
  // Beyond the unit circle the reversed polynomial in 1/z has the same ratio without overflow.
  const bool outside = std::abs(z) > 1;
  const Complex w = outside ? 1.0 / z : z;
  Complex value = 0;
  double bound = 0;
  const int n = static_cast<int>(c.size()) - 1;
  for (int k = 0; k <= n; ++k) {
    const double ck = outside ? c[static_cast<std::size_t>(n - k)] : c[static_cast<std::size_t>(k)];
    value = value * w + ck;
    bound = bound * std::abs(w) + std::fabs(ck);
  }
  return std::abs(value) / bound;
}

TEST(ZeroPoleTest, ButterworthPolesLieOnTheBilinearImageOfTheAnalogCircle) {
  MessageRecorder quiet;
  for (int order : {7, 30}) {
    CBatterwortFilter design;  // ωp = 1, Lp = −3 dB
    design.SetAutoOrder(false);
    design.SetOrder(order);
    design.Design();
    const ZeroPoleSet set = CascadeZeroPoles(design);

    // The analog poles lie on |s| = Ωc; z = (1 + s)/(1 − s) maps that circle onto the one through
    // (1 ± Ωc)/(1 ∓ Ωc).
    const double ep = std::pow(10.0, 0.3) - 1;
    const double wc = std::tan(0.5) / std::pow(ep, 1.0 / (2 * order));
    const double centre = (1 + wc * wc) / (1 - wc * wc), radius = 2 * wc / (1 - wc * wc);
    EXPECT_EQ(RootCount(set.poles), order);
    for (const ZeroPoleRoot& p : set.poles) EXPECT_NEAR(std::abs(p.value - centre), radius, 1e-9) << order;

    // Every zero at −1: one root of multiplicity N.
    ASSERT_EQ(set.zeros.size(), 1u) << order;
    EXPECT_EQ(set.zeros[0].value, Complex(-1, 0));
    EXPECT_EQ(set.zeros[0].multiplicity, order);

    // The gain makes |H(1)| = 1: k·2^N / Π|1 − p| = 1.
    double product = 1;
    for (const ZeroPoleRoot& p : set.poles) product *= std::pow(std::abs(1.0 - p.value), p.multiplicity);
    EXPECT_NEAR(set.gain * std::pow(2.0, order) / product, 1, 1e-9) << order;
    EXPECT_TRUE(set.stable);
    EXPECT_LT(set.max_pole_radius, 1);
    // Sorted by angle, then radius.
    for (std::size_t i = 1; i < set.poles.size(); ++i)
      EXPECT_LE(std::arg(set.poles[i - 1].value), std::arg(set.poles[i].value));
  }
}

TEST(ZeroPoleTest, WindowedFirZerosAreReciprocalPairsOrOnTheCircleAndAccurateAt500Taps) {
  MessageRecorder quiet;
  CWeighingFilter fir;
  fir.SetOrder(51);  // 51 symmetric taps
  fir.SetHamming(true);
  fir.Design();
  const ZeroPoleSet set = DirectZeroPoles(fir);
  EXPECT_EQ(RootCount(set.zeros), 50);
  // 50 poles at the origin: H(z) = z^−50·(h0·z^50 + … + h50).
  ASSERT_EQ(set.poles.size(), 1u);
  EXPECT_EQ(set.poles[0].value, Complex(0, 0));
  EXPECT_EQ(set.poles[0].multiplicity, 50);
  EXPECT_EQ(set.max_pole_radius, 0);
  EXPECT_TRUE(set.stable);
  EXPECT_EQ(set.gain, fir.ACoef(0));
  for (const ZeroPoleRoot& z : set.zeros) {
    const Complex reciprocal = 1.0 / z.value;
    bool paired = std::fabs(std::abs(z.value) - 1) < 1e-9;
    for (const ZeroPoleRoot& other : set.zeros) paired = paired || std::abs(other.value - reciprocal) < 1e-9;
    EXPECT_TRUE(paired) << z.value;
  }

  // 500 taps: every zero a root to within rounding of the sum.
  fir.SetOrder(500);
  fir.Design();
  const ZeroPoleSet long_set = DirectZeroPoles(fir);
  std::vector<double> taps;
  for (int k = 0; k < 500; ++k) taps.push_back(fir.ACoef(k));
  EXPECT_EQ(RootCount(long_set.zeros), 499);
  double worst = 0;
  for (const ZeroPoleRoot& z : long_set.zeros) worst = std::max(worst, RelativeResidual(taps, z.value));
  EXPECT_LT(worst, 1e-13);
}

// Beyond the companion matrix's degree: the iteration's roots are the eigenvalues' to within the
// conditioning, exactly conjugate, and accurate however far apart their sizes are; below it, the
// iteration mends eigenvalues that are no roots.
TEST(ZeroPoleTest, IterationAgreesWithTheCompanionMatrixAndTakesOverWhereItFails) {
  const auto check = [](const std::vector<double>& c, double residual) {
    std::vector<Complex> roots;
    ASSERT_TRUE(PolynomialRoots(c.data(), static_cast<int>(c.size()) - 1, roots));
    ASSERT_EQ(roots.size(), c.size() - 1);
    for (const Complex& z : roots) {
      EXPECT_LT(RelativeResidual(c, z), residual) << z;
      EXPECT_EQ(std::count(roots.begin(), roots.end(), std::conj(z)), std::count(roots.begin(), roots.end(), z)) << z;
    }
  };
  std::mt19937 random(5);
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::vector<double> c(301);
  for (double& value : c) value = uniform(random);
  check(c, 1e-14);
  std::vector<Complex> aberth, eigenvalues;
  ASSERT_TRUE(AberthRoots(c.data(), 300, aberth));
  ASSERT_TRUE(CompanionRoots(c.data(), 300, eigenvalues));
  for (const Complex& z : aberth) {
    double nearest = INFINITY;
    for (const Complex& e : eigenvalues) nearest = std::min(nearest, std::abs(e - z));
    EXPECT_LT(nearest, 1e-12) << z;
  }

  // A triple pair 3 ± 3j beyond them, (z² − 6z + 18)³ times integers (so that it is exactly
  // double): each gathered from its spread, exactly conjugate still.
  std::uniform_int_distribution<int> digit(1, 9);
  std::vector<double> tripled(307, 0.0);
  const double cube[] = {1, -18, 162, -864, 2916, -5832, 5832};
  for (std::size_t i = 0; i + 6 < tripled.size(); ++i) {
    const double d = digit(random);
    for (std::size_t j = 0; j < 7; ++j) tripled[i + j] += d * cube[j];
  }
  std::vector<Complex> roots;
  ASSERT_TRUE(PolynomialRoots(tripled.data(), 306, roots));
  const auto thrice = std::find_if(roots.begin(), roots.end(), [](Complex z) { return std::abs(z - Complex(3, 3)) < 1e-6; });
  ASSERT_NE(thrice, roots.end());
  EXPECT_NEAR(std::abs(*thrice - Complex(3, 3)), 0, 1e-10);
  EXPECT_EQ(std::count(roots.begin(), roots.end(), *thrice), 3);
  check(tripled, 1e-13);

  // Sizes from 1 down to 1e−30: each root is found from the right circle.
  for (std::size_t k = 0; k < c.size(); ++k) c[k] *= std::pow(10.0, -0.1 * static_cast<double>(k));
  check(c, 1e-14);
  // z^400 − 0.5: 398 coefficients of 0 between, every root on |z| = 0.5^(1/400).
  std::vector<double> sparse(401, 0.0);
  sparse.front() = 1;
  sparse.back() = -0.5;
  ASSERT_TRUE(PolynomialRoots(sparse.data(), 400, roots));
  for (const Complex& z : roots) EXPECT_NEAR(std::abs(z), std::pow(0.5, 1.0 / 400), 1e-13);
  // (z + 1)^120 spreads into roots that are not symmetric; they come from the eigenvalues, which
  // are.
  std::vector<double> binomial(121, 0.0);
  binomial[0] = 1;
  for (std::size_t k = 1; k < binomial.size(); ++k)
    for (std::size_t j = k; j > 0; --j) binomial[j] += binomial[j - 1];
  check(binomial, 1e-13);

  // Terms across the range of a double: the eigenvalues of z² − 1e308·z + 1e308 are 0 and 1e308,
  // those of (z − 1)(z − 2)(z − 1e300) 0, 0 and 1e300.
  for (const std::vector<double>& wide : {std::vector<double>{1, -1e308, 1e308},
                                          std::vector<double>{1, -1e300, 3e300, -2e300}}) {
    ASSERT_TRUE(PolynomialRoots(wide.data(), static_cast<int>(wide.size()) - 1, roots));
    std::sort(roots.begin(), roots.end(), [](Complex a, Complex b) { return a.real() < b.real(); });
    const std::vector<double> expected = wide.size() == 3 ? std::vector<double>{1, 1e308} : std::vector<double>{1, 2, 1e300};
    ASSERT_EQ(roots.size(), expected.size());
    for (std::size_t k = 0; k < roots.size(); ++k) EXPECT_NEAR(roots[k].real() / expected[k], 1, 1e-15) << roots[k];
  }
}

TEST(ZeroPoleTest, CoincidentRootsMergeAndUnstablePolesAreSeen) {
  // (1 + z⁻¹)^4 as two sections: one zero −1 of multiplicity 4.
  CCascadFilter2 cascade;
  for (CDigitalFilter2* s : {cascade.FirstSection(), cascade.AppendSection()}) {
    s->SetB(1, 2);
    s->SetB(2, 1);
  }
  const ZeroPoleSet merged = CascadeZeroPoles(cascade);
  ASSERT_EQ(merged.zeros.size(), 1u);
  EXPECT_EQ(merged.zeros[0].value, Complex(-1, 0));
  EXPECT_EQ(merged.zeros[0].multiplicity, 4);
  ASSERT_EQ(merged.poles.size(), 1u);  // (z + 1)^4 / z^4
  EXPECT_EQ(merged.poles[0].value, Complex(0, 0));
  EXPECT_EQ(merged.poles[0].multiplicity, 4);
  EXPECT_EQ(merged.gain, 1);

  // The same polynomial typed: the companion matrix's spread of four roots is one root again; a
  // pair 1e−3 apart stays two.
  CDigitalFilter typed;
  const double binomial[] = {1, 4, 6, 4, 1};
  typed.SetACoef(binomial, 5);
  const ZeroPoleSet typed_set = DirectZeroPoles(typed);
  ASSERT_EQ(typed_set.zeros.size(), 1u);
  EXPECT_NEAR(std::abs(typed_set.zeros[0].value + 1.0), 0, 1e-9);
  EXPECT_EQ(typed_set.zeros[0].multiplicity, 4);
  const double close_pair[] = {1, -1.001, 0.2502};  // (z − 0.5)(z − 0.501)
  typed.SetACoef(close_pair, 3);
  EXPECT_EQ(DirectZeroPoles(typed).zeros.size(), 2u);

  // y(n) = x(n) + 1.5·y(n − 1): H = z/(z − 1.5).
  CDigitalFilter unstable;
  unstable.SetBCoef(1, 1.5);
  const ZeroPoleSet set = DirectZeroPoles(unstable);
  ASSERT_EQ(set.poles.size(), 1u);
  EXPECT_EQ(set.poles[0].value, Complex(1.5, 0));
  ASSERT_EQ(set.zeros.size(), 1u);
  EXPECT_EQ(set.zeros[0].value, Complex(0, 0));
  EXPECT_DOUBLE_EQ(set.max_pole_radius, 1.5);
  EXPECT_FALSE(set.stable);
}

class RunZeroPoleTest : public ::testing::Test {
 protected:
  RunZeroPoleTest() : run(std::make_unique<AnalysisRun>()) { run->SetSources(bench.Sources()); }

  void TypeFilter(std::vector<double> a, std::vector<double> b) {
    bench.a.values = std::move(a);
    bench.b.values = std::move(b);
    bench.request.requested = true;
    run->RunAnalysis(0);
  }

  TypedFilterBench bench;
  std::unique_ptr<AnalysisRun> run;
  MessageRecorder recorder;
};

TEST_F(RunZeroPoleTest, GroupDelayOfTwoTapsAndOfAPureDelay) {
  // y(n) = x(n) + x(n − 1): 0.5 everywhere but at ±π, where H vanishes.
  TypeFilter({1, 1}, {});
  const int m = run->FrequencyPoints();
  const double* tau = run->GroupDelay();
  EXPECT_TRUE(std::isnan(tau[0]));
  EXPECT_TRUE(std::isnan(tau[m - 1]));
  for (int k = 1; k < m - 1; ++k) ASSERT_NEAR(tau[k], 0.5, 1e-9) << k;
  ASSERT_EQ(run->ZeroPoles().zeros.size(), 1u);
  EXPECT_EQ(run->ZeroPoles().zeros[0].value, Complex(-1, 0));

  // z^−3: a delay of 3 samples; no zeros, three poles at 0, gain a3.
  TypeFilter({0, 0, 0, 2}, {});
  for (int k = 0; k < m; ++k) ASSERT_NEAR(run->GroupDelay()[k], 3, 1e-12) << k;
  const ZeroPoleSet& set = run->ZeroPoles();
  EXPECT_TRUE(set.zeros.empty());
  ASSERT_EQ(set.poles.size(), 1u);
  EXPECT_EQ(set.poles[0].multiplicity, 3);
  EXPECT_EQ(set.gain, 2);
}

TEST_F(RunZeroPoleTest, GroupDelayOfAPoleHasItsClosedFormInBothForms) {
  // 1/(1 − r·z⁻¹): τ = (r·cos ω − r²) / (1 − 2r·cos ω + r²).
  const double r = 0.8;
  TypeFilter({1}, {r});
  const int m = run->FrequencyPoints();
  CCascadFilter2 cascade;  // the same pole twice, as two sections
  cascade.FirstSection()->SetA(1, r);
  cascade.AppendSection()->SetA(1, r);
  std::vector<double> omegas, cascade_tau(static_cast<std::size_t>(m));
  for (int k = 0; k < m; ++k) omegas.push_back(-kPi + k * run->GridStep());
  cascade.GroupDelays(omegas.data(), m, cascade_tau.data());
  for (int k = 0; k < m; ++k) {
    const double c = std::cos(omegas[static_cast<std::size_t>(k)]);
    const double expected = (r * c - r * r) / (1 - 2 * r * c + r * r);
    ASSERT_NEAR(run->GroupDelay()[k], expected, 1e-12) << k;
    ASSERT_NEAR(cascade_tau[static_cast<std::size_t>(k)], 2 * expected, 1e-12) << k;
  }
  // Outside the run: a count that leaves frequencies beyond the last group of eight, and the
  // scaled evaluation on its own.
  CDigitalFilter direct;
  direct.SetBCoef(1, r);
  std::vector<double> amplitudes(11), phases(11), together(11), alone(11);
  direct.Responses(omegas.data(), 11, amplitudes.data(), phases.data(), together.data());
  direct.GroupDelays(omegas.data(), 11, alone.data());
  for (std::size_t k = 0; k < 11; ++k) {
    EXPECT_NEAR(together[k], run->GroupDelay()[k], 1e-12) << k;
    EXPECT_NEAR(alone[k], run->GroupDelay()[k], 1e-12) << k;
  }
}

TEST_F(RunZeroPoleTest, ProductFormReproducesTheResponseOnTheGrid) {
  // A delay of one sample in front (a0 = 0) and poles inside and outside the unit circle.
  const std::vector<double> a = {0, 0.5, 0.2, -0.1, 0.05}, b = {0.3, -0.2, 1.1};
  TypeFilter(a, b);
  const ZeroPoleSet& set = run->ZeroPoles();
  int zeros = 0, poles = 0;
  for (const ZeroPoleRoot& z : set.zeros) zeros += z.multiplicity;
  for (const ZeroPoleRoot& p : set.poles) poles += p.multiplicity;
  EXPECT_EQ(set.gain, 0.5);
  EXPECT_EQ(poles - zeros, 1);  // the delay
  const int m = run->FrequencyPoints();
  for (int k = 0; k < m; k += 7) {
    const double omega = -kPi + k * run->GridStep();
    const Complex inverse = std::polar(1.0, -omega);  // z⁻¹
    Complex numerator = 0, denominator = 1;
    for (std::size_t i = 0; i < a.size(); ++i) numerator += a[i] * std::pow(inverse, static_cast<int>(i));
    for (std::size_t i = 0; i < b.size(); ++i) denominator -= b[i] * std::pow(inverse, static_cast<int>(i + 1));
    const Complex h = numerator / denominator;
    Complex product = set.gain * std::pow(inverse, poles - zeros);
    for (const ZeroPoleRoot& z : set.zeros) product *= std::pow(1.0 - z.value * inverse, z.multiplicity);
    for (const ZeroPoleRoot& p : set.poles) product /= std::pow(1.0 - p.value * inverse, p.multiplicity);
    ASSERT_LT(std::abs(product - h), 1e-12 * std::abs(h)) << k;
  }
  EXPECT_FALSE(set.stable);  // z³ − 0.3z² + 0.2z − 1.1 has a root beyond the unit circle
  EXPECT_GT(set.max_pole_radius, 1);
}

}  // namespace
