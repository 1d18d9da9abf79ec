#include "results/direct_form_check.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/polynomial_roots.h"
#include "numeric/double_double.h"

namespace {

using Complex = std::complex<double>;

constexpr double kTolerance = 1e-6;
constexpr double kStopBandFloor = 1e-6;  // of the largest |H|

// Where the responses are compared: ω = 0 and the sections' pole angles, where a direct form
// that is not the filter shows it first, then the grid's half from −π.
std::vector<double> CheckedFrequencies(const FilterCoefficients& filter) {
  std::vector<double> omegas = {0};
  for (const CoefficientSection& s : filter.sections) {
    // Poles of z² − a1·z − a2: a complex pair at r·e^{±jθ} with r² = −a2 and 2r·cos θ = a1.
    if (s.a1 * s.a1 + 4 * s.a2 < 0) omegas.push_back(std::acos(std::clamp(s.a1 / (2 * std::sqrt(-s.a2)), -1.0, 1.0)));
  }
  const double step = 2 * std::numbers::pi / (kMaxFrequencyPoints - 1);
  for (int k = 0; k < kMaxFrequencyPoints / 2; ++k) omegas.push_back(-std::numbers::pi + k * step);
  return omegas;
}

// A polynomial scaled by a power of two so that its largest coefficient lies in [0,5, 1).
struct ScaledCoefficients {
  std::vector<double> values;
  int exponent = 0;
  double magnitude_sum = 0;

  explicit ScaledCoefficients(const std::vector<double>& c) {
    double largest = 0;
    for (double v : c) largest = std::max(largest, std::fabs(v));
    if (largest > 0) std::frexp(largest, &exponent);
    for (double v : c) {
      values.push_back(std::ldexp(v, -exponent));
      magnitude_sum += std::fabs(values.back());
    }
  }
};

// The direct form at z⁻¹ = w, and a bound on the error of that evaluation.
struct DirectValue {
  Complex value;
  double error = 0;
};

DirectValue DirectAt(const ScaledCoefficients& numerator, const ScaledCoefficients& denominator, Complex w) {
  const Complex n = WidePolynomial(numerator.values, w).Rounded();
  const Complex d = WidePolynomial(denominator.values, w).Rounded();
  const double n_error = WidePolynomialError(numerator.values.size(), numerator.magnitude_sum);
  const double d_error = WidePolynomialError(denominator.values.size(), denominator.magnitude_sum);
  const Complex ratio = n / d;
  const int scale = numerator.exponent - denominator.exponent;
  // |N/D − Ñ/D̃| ≤ (δN + |N/D|·δD)/|D| to first order, and no bound at all where D̃ may vanish.
  const double error =
      std::abs(d) > d_error ? (n_error + std::abs(ratio) * d_error) / (std::abs(d) - d_error) : HUGE_VAL;
  return {Complex(std::ldexp(ratio.real(), scale), std::ldexp(ratio.imag(), scale)), std::ldexp(error, scale)};
}

// b0 + b1·w + b2·w² in doubles where that is within 1e−10 of its value, else in double-double:
// only next to a root does a section need the longer sum.
Complex QuadraticAt(const std::array<double, 3>& c, Complex w) {
  const Complex value = c[0] + w * (c[1] + w * c[2]);
  const double rounding = 8 * DBL_EPSILON * (std::fabs(c[0]) + std::fabs(c[1]) + std::fabs(c[2]));
  return rounding <= 1e-10 * std::abs(value) ? value : WidePolynomial(c, w).Rounded();
}

// The product of the sections' responses at z⁻¹ = w.
Complex SectionsAt(const FilterCoefficients& filter, Complex w) {
  Complex product = filter.gain;
  for (const CoefficientSection& s : filter.sections) {
    const SectionRatio ratio = s.Ratio();
    product *= ratio.gain * QuadraticAt(ratio.numerator, w) / QuadraticAt(ratio.denominator, w);
  }
  return product;
}

// Whether the rounded denominator keeps every pole strictly inside the unit circle where the
// sections do: a pole pushed out and nearly cancelled by a zero leaves the response on the circle
// almost as it was, but the difference equation diverges.
bool KeepsStability(const FilterCoefficients& filter, const DirectForm& form) {
  for (const CoefficientSection& s : filter.sections)
    if (!(s.a2 > -1 && std::fabs(s.a1) < 1 - s.a2)) return true;  // the sections are not stable themselves
  const PolynomialRootSet poles =
      PolynomialRoots(form.denominator.data(), static_cast<int>(form.denominator.size()) - 1);
  if (poles.missing > 0) return false;
  return std::all_of(poles.apart.begin(), poles.apart.end(),
                     [](const PolynomialRoot& p) { return std::abs(p.value) < 1; });
}

}  // namespace

bool DirectFormIsTheFilter(const FilterCoefficients& filter, const DirectForm& form) {
  const std::vector<double> omegas = CheckedFrequencies(filter);
  std::vector<Complex> sections;
  double largest = 0;
  for (const double omega : omegas) {
    sections.push_back(SectionsAt(filter, std::polar(1.0, -omega)));
    largest = std::max(largest, std::abs(sections.back()));
  }
  if (!(largest > 0) || !std::isfinite(largest)) return false;
  const ScaledCoefficients numerator(form.numerator), denominator(form.denominator);
  for (std::size_t i = 0; i < omegas.size(); ++i) {
    const DirectValue direct = DirectAt(numerator, denominator, std::polar(1.0, -omegas[i]));
    const double allowed = kTolerance * std::max(std::abs(sections[i]), kStopBandFloor * largest);
    if (!(std::abs(direct.value - sections[i]) + direct.error <= allowed)) return false;
  }
  return KeepsStability(filter, form);
}
