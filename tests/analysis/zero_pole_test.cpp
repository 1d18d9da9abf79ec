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

// Each root as often as its multiplicity.
std::vector<Complex> EveryRoot(const PolynomialRootSet& set) {
  std::vector<Complex> roots;
  for (const PolynomialRoot& r : set.roots)
    roots.insert(roots.end(), static_cast<std::size_t>(r.multiplicity), r.value);
  return roots;
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
  // Far down the band the gain lies below a double's range (some 1e−346 at order 150): the zeros
  // stay, and an odd order's first-order section adds no pole at 0.
  for (const auto& [order, wp] : {std::pair{7, 1.0}, {30, 1.0}, {150, 0.01}, {199, 0.01}}) {
    CBatterwortFilter design;  // Lp = −3 dB
    design.SetAutoOrder(false);
    design.SetWp(wp);
    design.SetOrder(order);
    design.Design();
    const ZeroPoleSet set = CascadeZeroPoles(design);

    // The analog poles lie on |s| = Ωc; z = (1 + s)/(1 − s) maps that circle onto the one through
    // (1 ± Ωc)/(1 ∓ Ωc).
    const double ep = std::pow(10.0, 0.3) - 1;
    const double wc = std::tan(wp / 2) / std::pow(ep, 1.0 / (2 * order));
    const double centre = (1 + wc * wc) / (1 - wc * wc), radius = 2 * wc / (1 - wc * wc);
    EXPECT_EQ(RootCount(set.poles), order);
    for (const ZeroPoleRoot& p : set.poles) EXPECT_NEAR(std::abs(p.value - centre), radius, 1e-9) << order;

    // Every zero at −1: one root of multiplicity N.
    ASSERT_EQ(set.zeros.size(), 1u) << order;
    EXPECT_EQ(set.zeros[0].value, Complex(-1, 0));
    EXPECT_EQ(set.zeros[0].multiplicity, order);

    // The gain makes |H(1)| = 1: k·2^N / Π|1 − p| = 1, in logarithms.
    double log_product = 0;
    for (const ZeroPoleRoot& p : set.poles) log_product += p.multiplicity * std::log2(std::abs(1.0 - p.value));
    const double log_gain = std::log2(set.gain.Mantissa()) + static_cast<double>(set.gain.Exponent());
    EXPECT_NEAR(log_gain + order - log_product, 0, 1e-9) << order;
    EXPECT_EQ(set.gain.FitsDouble(), order < 150) << order;
    EXPECT_EQ(set.stability, Stability::kStable);
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
  EXPECT_EQ(set.stability, Stability::kStable);
  EXPECT_EQ(set.gain.Value(), fir.ACoef(0));
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
    const PolynomialRootSet set = PolynomialRoots(c.data(), static_cast<int>(c.size()) - 1);
    const std::vector<Complex> roots = EveryRoot(set);
    EXPECT_EQ(set.missing, 0);
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
  std::vector<Complex> roots = EveryRoot(PolynomialRoots(tripled.data(), 306));
  const auto thrice =
      std::find_if(roots.begin(), roots.end(), [](Complex z) { return std::abs(z - Complex(3, 3)) < 1e-6; });
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
  roots = EveryRoot(PolynomialRoots(sparse.data(), 400));
  EXPECT_EQ(roots.size(), 400u);
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
  for (const std::vector<double>& wide :
       {std::vector<double>{1, -1e308, 1e308}, std::vector<double>{1, -1e300, 3e300, -2e300}}) {
    roots = EveryRoot(PolynomialRoots(wide.data(), static_cast<int>(wide.size()) - 1));
    std::sort(roots.begin(), roots.end(), [](Complex a, Complex b) { return a.real() < b.real(); });
    const std::vector<double> expected =
        wide.size() == 3 ? std::vector<double>{1, 1e308} : std::vector<double>{1, 2, 1e300};
    ASSERT_EQ(roots.size(), expected.size());
    for (std::size_t k = 0; k < roots.size(); ++k) EXPECT_NEAR(roots[k].real() / expected[k], 1, 1e-15) << roots[k];
  }
}

// The coefficients of factor^m, multiplied out in long double and then rounded.
std::vector<double> Power(const std::vector<long double>& factor, int m) {
  std::vector<long double> p = {1};
  for (int step = 0; step < m; ++step) {
    std::vector<long double> q(p.size() + factor.size() - 1, 0.0L);
    for (std::size_t i = 0; i < p.size(); ++i)
      for (std::size_t j = 0; j < factor.size(); ++j) q[i + j] += p[i] * factor[j];
    p = q;
  }
  return std::vector<double>(p.begin(), p.end());
}

TEST(ZeroPoleTest, ExactMultipleRootsAreOneAndCloseRootsStayApart) {
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
  EXPECT_EQ(merged.gain.Value(), 1);

  // Typed: (1 ∓ z⁻¹)^k, whose computed roots spread by a tenth at k = 20, is one root; so is each
  // of e^(±jθ) in (1 − 2cos θ·z⁻¹ + z⁻²)^m, whether 2cos θ is a short binary fraction (the
  // coefficients exact) or not (each coefficient rounded, so that the typed polynomial has
  // only simple roots near e^(±jθ)).
  CDigitalFilter typed;
  const auto zeros_of = [&](const std::vector<double>& a) {
    typed.SetACoef(a.data(), static_cast<int>(a.size()));
    return DirectZeroPoles(typed).zeros;
  };
  for (int k = 2; k <= 20; ++k)
    for (double root : {1.0, -1.0}) {
      const std::vector<ZeroPoleRoot> zeros = zeros_of(Power({1, -root}, k));
      ASSERT_EQ(zeros.size(), 1u) << k << " " << root;
      EXPECT_NEAR(std::abs(zeros[0].value - root), 0, 1e-6);
      EXPECT_EQ(zeros[0].multiplicity, k);
    }
  for (long double twice_cosine :
       {0.0L, 1.0L, -1.0L, 1.5L, -1.75L, 2 * std::cos(0.7L), 2 * std::cos(2.3L), 2 * std::cos(0.05L)})
    for (int m = 1; 2 * m <= 20; ++m) {
      const std::vector<ZeroPoleRoot> zeros = zeros_of(Power({1, -twice_cosine, 1}, m));
      ASSERT_EQ(zeros.size(), 2u) << twice_cosine << " " << m;
      EXPECT_EQ(zeros[0].value, std::conj(zeros[1].value));
      const Complex root = std::polar(1.0, static_cast<double>(std::acos(twice_cosine / 2)));
      for (const ZeroPoleRoot& z : zeros) {
        EXPECT_NEAR(std::min(std::abs(z.value - root), std::abs(z.value - std::conj(root))), 0, 1e-6);
        EXPECT_EQ(z.multiplicity, m);
      }
    }
  // The same power as poles: two markers on the circle, but the rounded polynomial's own poles,
  // spread by about ε^(1/5) and in pairs r, 1/r (its coefficients stay symmetric), reach beyond it.
  CDigitalFilter recursive;
  const std::vector<double> denominator = Power({1, -2 * std::cos(0.7L), 1}, 5);
  for (std::size_t i = 1; i < denominator.size(); ++i) recursive.SetBCoef(static_cast<int>(i), -denominator[i]);
  const ZeroPoleSet power_poles = DirectZeroPoles(recursive);
  ASSERT_EQ(power_poles.poles.size(), 2u);
  EXPECT_EQ(power_poles.poles[0].multiplicity, 5);
  EXPECT_GT(power_poles.max_pole_radius, 1 + 1e-4);
  EXPECT_EQ(power_poles.stability, Stability::kUnstable);

  // Π(z − j/20), j = 1 … 20, its coefficients rounded to doubles: twenty distinct roots, though
  // the middle ones lie within rounding of a double root; each of the rounded polynomial's own, which
  // lie within 1,7e−3 of j/20.
  const std::vector<double> twenty = {1.0,
                                      -10.5,
                                      51.5375,
                                      -157.10625,
                                      333.2996625,
                                      -522.58775625,
                                      627.68393171875,
                                      -590.711862890625,
                                      441.8076951320703,
                                      -264.8148103506445,
                                      127.68896587308545,
                                      -49.522948562067626,
                                      15.388381860179418,
                                      -3.8004595112474444,
                                      0.7364793724245443,
                                      -0.10986265618736595,
                                      0.012264727512580951,
                                      -0.0009819741245384972,
                                      5.265716458755762e-05,
                                      -1.6694923470996093e-06,
                                      2.32019615953125e-08};
  const std::vector<ZeroPoleRoot> distinct = zeros_of(twenty);
  ASSERT_EQ(distinct.size(), 20u);
  for (std::size_t j = 0; j < distinct.size(); ++j) {
    EXPECT_EQ(distinct[j].multiplicity, 1);
    EXPECT_NEAR(distinct[j].value.real(), static_cast<double>(j + 1) / 20, 2e-3);
    EXPECT_EQ(distinct[j].value.imag(), 0);
  }
  EXPECT_EQ(zeros_of({1, -1.001, 0.2502}).size(), 2u);  // (z − 0.5)(z − 0.501)

  // y(n) = x(n) + 1.5·y(n − 1): H = z/(z − 1.5).
  CDigitalFilter unstable;
  unstable.SetBCoef(1, 1.5);
  ZeroPoleSet set = DirectZeroPoles(unstable);
  ASSERT_EQ(set.poles.size(), 1u);
  EXPECT_EQ(set.poles[0].value, Complex(1.5, 0));
  ASSERT_EQ(set.zeros.size(), 1u);
  EXPECT_EQ(set.zeros[0].value, Complex(0, 0));
  EXPECT_DOUBLE_EQ(set.max_pole_radius, 1.5);
  EXPECT_EQ(set.stability, Stability::kUnstable);

  // z² − 1,999999999998·z + 0,999999999998 has the roots 1 and 0,999999999998 exactly, in doubles
  // too: 2·10⁻¹² apart, far below what a double root spreads into. A pole on the circle.
  unstable.SetBCoef(1, 1.999999999998);
  unstable.SetBCoef(2, -0.999999999998);
  set = DirectZeroPoles(unstable);
  ASSERT_EQ(set.poles.size(), 2u);
  EXPECT_EQ(set.poles[0].value, Complex(0.999999999998, 0));
  EXPECT_EQ(set.poles[1].value, Complex(1, 0));
  EXPECT_EQ(set.max_pole_radius, 1);
  EXPECT_EQ(set.stability, Stability::kUnstable);
}

TEST(ZeroPoleTest, RootsBeyondADoublesRangeAreToldMissing) {
  MessageRecorder recorder;
  // 1e−300·z² + 1e300·z + 1: one zero at −1e−300, the other near −1e600.
  CDigitalFilter filter;
  const double wide[] = {1e-300, 1e300, 1};
  filter.SetACoef(wide, 3);
  ZeroPoleSet set = DirectZeroPoles(filter);
  ASSERT_EQ(set.zeros.size(), 1u);
  EXPECT_DOUBLE_EQ(set.zeros[0].value.real(), -1e-300);
  EXPECT_EQ(set.missing_zeros, 1);
  EXPECT_EQ(set.stability, Stability::kStable);  // two poles at 0
  // z² − 0,5·z − 1e−320: the poles 0,5 and about −2e−320, below every normal double.
  filter.SetACoef(wide + 2, 1);
  filter.SetBCoef(1, 0.5);
  filter.SetBCoef(2, 1e-320);
  set = DirectZeroPoles(filter);
  ASSERT_EQ(set.poles.size(), 1u);
  EXPECT_DOUBLE_EQ(set.poles[0].value.real(), 0.5);
  EXPECT_EQ(set.missing_poles, 1);
  EXPECT_EQ(set.stability, Stability::kUnknown);
  EXPECT_EQ(recorder.Messages(),
            (std::vector<std::string>{"Не удалось найти 1 из 2 нулей фильтра.",
                                      "Не удалось найти 1 из 2 полюсов фильтра: устойчивость не определена."}));

  // 500 coefficients of random signs and sizes from 1e−300 to 1e300: each root within a double's
  // range is found, a root to within rounding, and the others are counted.
  std::mt19937 random(11);
  std::uniform_real_distribution<double> power(-300, 300);
  std::vector<double> c(500);
  for (double& value : c) value = (random() % 2 ? 1 : -1) * std::pow(10.0, power(random));
  const PolynomialRootSet roots = PolynomialRoots(c.data(), 499);
  const std::vector<Complex> every = EveryRoot(roots);
  EXPECT_EQ(static_cast<int>(every.size()) + roots.missing, 499);
  EXPECT_GT(every.size(), 400u);
  for (const Complex& z : every) EXPECT_LT(RelativeResidual(c, z), 1e-12) << z;
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
  EXPECT_EQ(set.gain.Value(), 2);
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
  EXPECT_EQ(set.gain.Value(), 0.5);
  EXPECT_EQ(poles - zeros, 1);  // the delay
  const int m = run->FrequencyPoints();
  for (int k = 0; k < m; k += 7) {
    const double omega = -kPi + k * run->GridStep();
    const Complex inverse = std::polar(1.0, -omega);  // z⁻¹
    Complex numerator = 0, denominator = 1;
    for (std::size_t i = 0; i < a.size(); ++i) numerator += a[i] * std::pow(inverse, static_cast<int>(i));
    for (std::size_t i = 0; i < b.size(); ++i) denominator -= b[i] * std::pow(inverse, static_cast<int>(i + 1));
    const Complex h = numerator / denominator;
    Complex product = set.gain.Value() * std::pow(inverse, poles - zeros);
    for (const ZeroPoleRoot& z : set.zeros) product *= std::pow(1.0 - z.value * inverse, z.multiplicity);
    for (const ZeroPoleRoot& p : set.poles) product /= std::pow(1.0 - p.value * inverse, p.multiplicity);
    ASSERT_LT(std::abs(product - h), 1e-12 * std::abs(h)) << k;
  }
  EXPECT_EQ(set.stability, Stability::kUnstable);  // z³ − 0.3z² + 0.2z − 1.1 has a root beyond the unit circle
  EXPECT_GT(set.max_pole_radius, 1);
}

}  // namespace
