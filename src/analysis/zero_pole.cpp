#include "analysis/zero_pole.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/polynomial_roots.h"
#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"

namespace {

using Complex = std::complex<double>;

// The roots of a·z² + b·z + c (a ≠ 0) without cancellation: the larger root from q, the other as
// c/q; complex ones as an exact conjugate pair.
void QuadraticRoots(double a, double b, double c, std::vector<Complex>& roots) {
  if (c == 0) {
    roots.emplace_back(0.0, 0.0);
    roots.emplace_back(-b / a, 0.0);
    return;
  }
  const double discriminant = b * b - 4 * a * c;
  if (discriminant >= 0) {
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    roots.emplace_back(q / a, 0.0);
    roots.emplace_back(c / q, 0.0);
    return;
  }
  const double re = -b / (2 * a), im = std::fabs(std::sqrt(-discriminant) / (2 * a));
  roots.emplace_back(re, im);
  roots.emplace_back(re, -im);
}

// A root as the lists keep it: no −0 in either part, so that −1 has the angle π and not −π, and
// the origin is written as 0.
Complex Tidy(Complex root) { return {root.real() + 0.0, root.imag() + 0.0}; }

bool SortedBefore(const ZeroPoleRoot& a, const ZeroPoleRoot& b) {
  const double angle_a = std::arg(a.value), angle_b = std::arg(b.value);
  if (angle_a != angle_b) return angle_a < angle_b;
  return std::abs(a.value) < std::abs(b.value);
}

int CountAtZero(const std::vector<Complex>& roots) {
  return static_cast<int>(std::count(roots.begin(), roots.end(), Complex(0.0, 0.0)));
}

// Takes count roots at 0 off the list.
void RemoveAtZero(std::vector<Complex>& roots, int count) {
  for (auto it = roots.begin(); it != roots.end() && count > 0;) {
    if (*it == Complex(0.0, 0.0)) {
      it = roots.erase(it);
      --count;
    } else {
      ++it;
    }
  }
}

// The set from the roots of both sides written over one power of z. Poles that could not be found
// leave the filter unknown to be stable: it is called unstable, with an infinite radius.
ZeroPoleSet Finish(std::vector<Complex> zeros, std::vector<Complex> poles, double gain, bool poles_found) {
  const int common = std::min(CountAtZero(zeros), CountAtZero(poles));
  RemoveAtZero(zeros, common);
  RemoveAtZero(poles, common);
  ZeroPoleSet set;
  set.gain = gain;
  set.zeros = MergeRoots(zeros);
  set.poles = MergeRoots(poles);
  for (const Complex& p : poles) set.max_pole_radius = std::max(set.max_pole_radius, std::abs(p));
  if (!poles_found) set.max_pole_radius = std::numeric_limits<double>::infinity();
  set.stable = set.max_pole_radius < 1;
  return set;
}

}  // namespace


std::vector<ZeroPoleRoot> MergeRoots(const std::vector<Complex>& roots) {
  std::vector<ZeroPoleRoot> merged;
  std::vector<Complex> sums;  // of each merged root's members, for their mean
  for (const Complex& root : roots) {
    if (!std::isfinite(root.real()) || !std::isfinite(root.imag())) continue;
    auto near = std::find_if(merged.begin(), merged.end(),
                             [&](const ZeroPoleRoot& m) { return Within(m.value - root, kCoincidentRoots); });
    if (near == merged.end()) {
      merged.push_back({Tidy(root), 1});
      sums.push_back(root);
      continue;
    }
    Complex& sum = sums[static_cast<std::size_t>(near - merged.begin())];
    sum += root;
    ++near->multiplicity;
    near->value = Tidy(sum / static_cast<double>(near->multiplicity));
  }
  std::sort(merged.begin(), merged.end(), SortedBefore);
  return merged;
}

ZeroPoleSet DirectZeroPoles(const CBaseDigitalFilter& filter) {
  // H(z) = Σ ak·z^−k / (1 − Σ bi·z^−i); both sides times z^D, D the larger degree.
  std::vector<double> a, d = {1.0};
  for (int k = 0; k <= filter.FAOrder(); ++k) a.push_back(filter.ACoef(k));
  while (!a.empty() && a.back() == 0) a.pop_back();
  for (int i = 1; i <= filter.FBOrder(); ++i) d.push_back(-filter.BCoef(i));
  while (d.size() > 1 && d.back() == 0) d.pop_back();
  const int degree = std::max(static_cast<int>(a.size()), static_cast<int>(d.size())) - 1;

  std::vector<Complex> zeros, poles;
  double gain = 0;
  const auto leading = std::find_if(a.begin(), a.end(), [](double value) { return value != 0; });
  bool found = true;
  if (leading != a.end()) {
    gain = *leading;
    found = PolynomialRoots(a.data(), static_cast<int>(a.size()) - 1, zeros);
    zeros.insert(zeros.end(), static_cast<std::size_t>(degree + 1) - a.size(), Complex(0.0, 0.0));
  }
  const bool poles_found = PolynomialRoots(d.data(), static_cast<int>(d.size()) - 1, poles);
  poles.insert(poles.end(), static_cast<std::size_t>(degree + 1) - d.size(), Complex(0.0, 0.0));
  if (!found) zeros.clear();
  return Finish(std::move(zeros), std::move(poles), gain, poles_found);
}

ZeroPoleSet CascadeZeroPoles(const CCascadFilter2& filter) {
  // Each section g·(b0 + b1·z^−1 + b2·z^−2) / (1 − a1·z^−1 − a2·z^−2) over z²: its numerator's
  // roots (fewer when b0, then b1, is 0) and the two of z² − a1·z − a2.
  std::vector<Complex> zeros, poles;
  double gain = 1;
  for (const CDigitalFilter2* s = filter.FirstSection(); s != nullptr; s = s->Next()) {
    const double b0 = s->B(0), b1 = s->B(1), b2 = s->B(2);
    if (b0 != 0) {
      QuadraticRoots(b0, b1, b2, zeros);
      gain *= s->Gain() * b0;
    } else if (b1 != 0) {
      zeros.emplace_back(-b2 / b1, 0.0);
      gain *= s->Gain() * b1;
    } else {
      gain *= s->Gain() * b2;
    }
    QuadraticRoots(1, -s->A(1), -s->A(2), poles);
  }
  if (gain == 0) zeros.clear();  // no zeros to show of a filter that gives 0
  return Finish(std::move(zeros), std::move(poles), gain, true);
}
