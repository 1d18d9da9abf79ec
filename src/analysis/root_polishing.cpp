#include "analysis/root_polishing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/accurate_horner.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;
// A simple root settles in two or three sweeps; a pair found as one double root or as a conjugate
// pair where two real roots lie needs some ten to part; a cluster of a multiple root that could not
// be gathered converges only linearly and is left where thirty leave it.
constexpr int kMostSweeps = 30;
// Two estimates at one point (a double root found where two lie) are parted by about the spread
// the working precision leaves of a double root, off the real axis, so that they can go their ways.
const double kParting = std::sqrt(kUnit);

bool Finite(Complex z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

// Σ multiplicity/(z − root) over the other estimates and the fixed roots.
Complex PullWithFixed(const std::vector<Complex>& z, std::size_t i, const std::vector<PolynomialRoot>& fixed) {
  Complex sum = Pull(z, i);
  for (const PolynomialRoot& r : fixed) sum += static_cast<double>(r.multiplicity) / (z[i] - r.value);
  return sum;
}

}  // namespace

std::vector<PolynomialRoot> PolishedRoots(const ScaledPolynomial& p, std::vector<Complex> z,
                                          const std::vector<PolynomialRoot>& fixed) {
  for (std::size_t i = 1; i < z.size(); ++i)
    if (std::find(z.begin(), z.begin() + static_cast<std::ptrdiff_t>(i), z[i]) !=
        z.begin() + static_cast<std::ptrdiff_t>(i))
      z[i] += std::polar(kParting * std::abs(z[i]), 1.0 + static_cast<double>(i));
  std::vector<double> reach(z.size(), std::numeric_limits<double>::infinity());
  std::vector<char> settled(z.size(), 0);
  for (int sweep = 0; sweep < kMostSweeps; ++sweep) {
    bool moving = false;
    for (std::size_t i = 0; i < z.size(); ++i) {
      if (settled[i]) continue;
      const AccurateStep newton = p.NewtonStep(z[i]);
      // p/(p′ − p·pull): finite where p′ vanishes between two estimates, 0 at an exact root.
      const Complex step = newton.value == Complex(0)
                               ? Complex(0)
                               : newton.value / (newton.slope - newton.value * PullWithFixed(z, i, fixed));
      if (!Finite(step) || !Finite(z[i] - step)) {
        settled[i] = 1;  // a step beyond the range: kept where it is, of unknown reach
        continue;
      }
      z[i] -= step;
      reach[i] = newton.reach + std::abs(step);
      settled[i] = std::abs(step) <= 2 * kUnit * std::abs(z[i]);
      moving = moving || !settled[i];
    }
    if (!moving) break;
  }
  PairConjugates(z, reach);
  std::vector<PolynomialRoot> roots;
  for (std::size_t i = 0; i < z.size(); ++i) roots.push_back({z[i], 1, reach[i]});
  return roots;
}
