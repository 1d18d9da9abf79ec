#include "filter/steady_state.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "numeric/double_double.h"

namespace {

constexpr double kPi = std::numbers::pi;
// What π and 2π lack as doubles, so that a frequency near π keeps its distance from it.
constexpr double kPiLow = 1.2246467991473532e-16;
constexpr double kTwoPiLow = 2 * kPiLow;

}  // namespace

bool QuadraticRootsInsideUnitCircle(double c1, double c2) {
  if (!(std::fabs(c2) < 1)) return false;  // NaN fails too
  // |c1| < 1 + c2: where it is close, |c1| − sum is exact, and elsewhere the error cannot turn it.
  const Wide sum = TwoSum(1, c2);
  return std::fabs(c1) - sum.hi < sum.lo;
}

bool RootsInsideUnitCircle(const std::vector<double>& c) {
  if (c.size() < 2) return true;
  if (c.size() == 2) return std::fabs(c[1]) < 1;
  if (c.size() == 3) return QuadraticRootsInsideUnitCircle(c[1], c[2]);
  // Stepping the degree m down: c[m] is the reflection coefficient k, and (c[i] − k·c[m−i]) / (1 − k²)
  // the polynomial of degree m − 1 with the same verdict. Roots close to the circle and to each
  // other make the steps lose digits, hence the wider type; 1 − k² as (1 − k)(1 + k) keeps its
  // digits when |k| is near 1.
  std::vector<long double> upper(c.begin(), c.end()), lower(c.size(), 1.0L);
  for (std::size_t m = upper.size() - 1; m >= 1; --m) {
    const long double k = upper[m];
    if (!(std::fabs(k) < 1)) return false;  // NaN fails too
    const long double divisor = (1 - k) * (1 + k);
    for (std::size_t i = 1; i < m; ++i) lower[i] = (upper[i] - k * upper[m - i]) / divisor;
    std::swap(upper, lower);
  }
  return true;
}

DelayPolynomials::DelayPolynomials(double omega) {
  // ω into [−π, π], then within π/2 of 0 (s = 1) or of ±π (s = −1, ω' = ω ∓ π).
  const double turns = std::nearbyint(omega / (2 * kPi));
  double reduced = std::fma(-turns, 2 * kPi, omega) - turns * kTwoPiLow;
  if (std::fabs(reduced) > kPi / 2) {
    const double half_turn = std::copysign(1.0, reduced);
    reduced = (reduced - half_turn * kPi) - half_turn * kPiLow;
    sign_ = -1;
  }
  // 1 − e^{−jω'} = 2·sin²(ω'/2) + j·sin ω'.
  const double half_sine = std::sin(reduced / 2);
  u_ = {2 * half_sine * half_sine, std::sin(reduced)};
}

std::complex<double> DelayPolynomials::Quadratic(double p0, double p1, double p2) const {
  // With z = s(1 − u): (p0 + s·p1 + p2) − (s·p1 + 2·p2)·u + p2·u².
  const double s1 = sign_ * p1;
  return ((p0 + s1) + p2) - (s1 + 2 * p2) * u_ + p2 * (u_ * u_);
}

std::complex<double> DelayPolynomials::Polynomial(const double* p, int degree) const {
  // Σ p[i]·s^i·(1 − u)^i = Σ p[i]·s^i − Σ p[i]·s^i·u_i, where u_i = 1 − (1 − u)^i follows
  // u_(i+1) = u_i + u − u_i·u and keeps its relative accuracy while it is small. The first sum,
  // where the small value of a polynomial near z = s cancels out, is compensated.
  double sum = 0, lost = 0;
  std::complex<double> rest = 0, u_i = 0;
  double power = 1;  // s^i
  for (int i = 0; i <= degree; ++i) {
    const double term = power * p[i];
    const Wide next = TwoSum(sum, term);
    sum = next.hi;
    lost += next.lo;
    rest += term * u_i;
    u_i = u_i + u_ - u_i * u_;
    power *= sign_;
  }
  return (sum + lost) - rest;
}
