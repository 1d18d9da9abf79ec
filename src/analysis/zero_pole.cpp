#include "analysis/zero_pole.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "analysis/polynomial_roots.h"
#include "filter/cascade_filter.h"
#include "filter/coefficient_conventions.h"
#include "filter/digital_filter.h"
#include "platform/messages.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;

// b² − 4ac with the products' rounding errors kept (fma), so that it is right to its last bits
// even where the two nearly cancel: a section's poles close to z = 1 far down the band.
double Discriminant(double a, double b, double c) {
  const double square = b * b, product = 4 * a * c;
  return (square - product) + (std::fma(b, b, -square) - std::fma(4 * a, c, -product));
}

// The roots of a·z² + b·z + c (a ≠ 0) without cancellation: the larger root from q, the other as
// c/q; complex ones as an exact conjugate pair. Each within a few roundings of the larger root.
void QuadraticRoots(double a, double b, double c, std::vector<PolynomialRoot>& roots) {
  const double reach = 8 * kUnit * std::fabs(b / a);
  const auto add = [&](Complex z) { roots.push_back({z, 1, reach + 8 * kUnit * std::abs(z)}); };
  if (c == 0) {
    roots.push_back({0.0, 1, 0.0});
    add(-b / a);
    return;
  }
  const double discriminant = Discriminant(a, b, c);
  if (discriminant >= 0) {
    const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
    add(q / a);
    add(c / q);
    return;
  }
  const double re = -b / (2 * a), im = std::fabs(std::sqrt(-discriminant) / (2 * a));
  add({re, im});
  add({re, -im});
}

// A root as the lists keep it: no −0 in either part, so that −1 has the angle π and not −π, and
// the origin is written as 0.
Complex Tidy(Complex root) { return {root.real() + 0.0, root.imag() + 0.0}; }

bool SortedBefore(const ZeroPoleRoot& a, const ZeroPoleRoot& b) {
  const double angle_a = std::arg(a.value), angle_b = std::arg(b.value);
  if (angle_a != angle_b) return angle_a < angle_b;
  return std::abs(a.value) < std::abs(b.value);
}

// Roots of exactly one value (the zeros at −1 of a cascade's sections) counted once with their
// multiplicities, sorted by angle and then by radius.
std::vector<ZeroPoleRoot> Distinct(const std::vector<PolynomialRoot>& roots) {
  std::vector<ZeroPoleRoot> distinct;
  for (const PolynomialRoot& root : roots) {
    if (root.multiplicity <= 0) continue;
    const Complex value = Tidy(root.value);
    auto same = std::find_if(distinct.begin(), distinct.end(), [&](const ZeroPoleRoot& r) { return r.value == value; });
    if (same == distinct.end()) {
      distinct.push_back({value, root.multiplicity});
    } else {
      same->multiplicity += root.multiplicity;
    }
  }
  std::sort(distinct.begin(), distinct.end(), SortedBefore);
  return distinct;
}

PolynomialRoot* AtZero(std::vector<PolynomialRoot>& roots) {
  auto zero = std::find_if(roots.begin(), roots.end(), [](const PolynomialRoot& r) { return r.value == Complex(0); });
  return zero == roots.end() ? nullptr : &*zero;
}

void AddAtZero(std::vector<PolynomialRoot>& roots, int count) {
  if (count <= 0) return;
  if (PolynomialRoot* zero = AtZero(roots)) {
    zero->multiplicity += count;
  } else {
    roots.push_back({0.0, count, 0.0});
  }
}

// Not stable as soon as one pole is not surely inside the circle, whatever the others.
Stability Judged(const std::vector<PolynomialRoot>& poles, int missing) {
  const bool surely_inside = std::all_of(poles.begin(), poles.end(), [](const PolynomialRoot& p) {
    return std::abs(p.value) + p.reach < 1;  // false for an infinite or NaN reach
  });
  if (!surely_inside) return Stability::kUnstable;
  return missing > 0 ? Stability::kUnknown : Stability::kStable;
}

// The set from the roots of both sides written over one power of z.
ZeroPoleSet Finish(PolynomialRootSet zeros, PolynomialRootSet poles, WideNumber gain) {
  PolynomialRoot* zero_at_origin = AtZero(zeros.roots);
  PolynomialRoot* pole_at_origin = AtZero(poles.roots);
  if (zero_at_origin != nullptr && pole_at_origin != nullptr) {
    const int common = std::min(zero_at_origin->multiplicity, pole_at_origin->multiplicity);
    zero_at_origin->multiplicity -= common;
    pole_at_origin->multiplicity -= common;
  }
  if (gain.Mantissa() == 0) zeros.roots.clear();  // no zeros to show of a filter that gives 0
  ZeroPoleSet set;
  set.gain = gain;
  set.zeros = Distinct(zeros.roots);
  set.poles = Distinct(poles.roots);
  set.missing_zeros = zeros.missing;
  set.missing_poles = poles.missing;
  // The polynomial's own poles, each apart: a marker that stands for several only within rounding
  // would hide one on or beyond the circle.
  for (const PolynomialRoot& p : poles.apart) set.max_pole_radius = std::max(set.max_pole_radius, std::abs(p.value));
  set.stability = Judged(poles.apart, poles.missing);
  return set;
}

// "Не удалось найти 498 из 499 нулей фильтра." and the same of the poles.
void ReportMissing(const ZeroPoleSet& set) {
  int zeros = set.missing_zeros, poles = set.missing_poles;
  for (const ZeroPoleRoot& r : set.zeros) zeros += r.multiplicity;
  for (const ZeroPoleRoot& r : set.poles) poles += r.multiplicity;
  std::string text;
  if (set.missing_zeros > 0)
    text = "Не удалось найти " + std::to_string(set.missing_zeros) + " из " + std::to_string(zeros) + " нулей фильтра.";
  if (set.missing_poles > 0) {
    if (!text.empty()) text += "\n";
    text +=
        "Не удалось найти " + std::to_string(set.missing_poles) + " из " + std::to_string(poles) + " полюсов фильтра";
    text += set.stability == Stability::kUnknown ? ": устойчивость не определена." : ".";
  }
  if (!text.empty()) ShowMessage(text);
}

}  // namespace

ZeroPoleSet DirectZeroPoles(const CBaseDigitalFilter& filter) {
  // H(z) = Σ ak·z^−k / (1 − Σ bi·z^−i); both sides times z^D, D the larger degree.
  PolynomialRatio ratio = filter.Ratio();
  std::vector<double>& a = ratio.numerator;
  std::vector<double>& d = ratio.denominator;
  while (!a.empty() && a.back() == 0) a.pop_back();
  while (d.size() > 1 && d.back() == 0) d.pop_back();
  const int degree = std::max(static_cast<int>(a.size()), static_cast<int>(d.size())) - 1;

  PolynomialRootSet zeros;
  WideNumber gain;
  const auto leading = std::find_if(a.begin(), a.end(), [](double value) { return value != 0; });
  if (leading != a.end()) {
    gain = WideNumber(*leading);
    zeros = PolynomialRoots(a.data(), static_cast<int>(a.size()) - 1);
    AddAtZero(zeros.roots, degree + 1 - static_cast<int>(a.size()));
  }
  PolynomialRootSet poles = PolynomialRoots(d.data(), static_cast<int>(d.size()) - 1);
  AddAtZero(poles.roots, degree + 1 - static_cast<int>(d.size()));
  const ZeroPoleSet set = Finish(std::move(zeros), std::move(poles), gain);
  ReportMissing(set);
  return set;
}

ZeroPoleSet CascadeZeroPoles(const CCascadFilter2& filter) {
  // Each section g·(b0 + b1·z^−1 + b2·z^−2) / (1 − a1·z^−1 − a2·z^−2) over z²: its numerator's
  // roots (fewer when b0, then b1, is 0) and the two of z² − a1·z − a2. The gain is the product of
  // the sections' factors, which can pass far beyond a double's range at a high order.
  PolynomialRootSet zeros, poles;
  WideNumber gain(filter.InputGain());
  for (const CDigitalFilter2* s = filter.FirstSection(); s != nullptr; s = s->Next()) {
    const SectionRatio ratio = SectionFormRatio(s->Gain(), s->B(0), s->B(1), s->B(2), s->A(1), s->A(2));
    const auto [b0, b1, b2] = ratio.numerator;
    gain *= ratio.gain;
    if (b0 != 0) {
      QuadraticRoots(b0, b1, b2, zeros.roots);
      gain *= b0;
    } else if (b1 != 0) {
      zeros.roots.push_back({-b2 / b1, 1, 2 * kUnit * std::fabs(b2 / b1)});
      gain *= b1;
    } else {
      gain *= b2;
    }
    QuadraticRoots(ratio.denominator[0], ratio.denominator[1], ratio.denominator[2], poles.roots);
  }
  poles.apart = poles.roots;
  return Finish(std::move(zeros), std::move(poles), gain);
}
