#pragma once
// One filter, three ways of writing its coefficients, and the only conversions between them.
//
// Direct form: the difference equation the user types (CBaseDigitalFilter, the tables a and b)
//     y(n) = Σ a(k)·x(n−k) + Σ b(i)·y(n−i)
//   a the non-recursive coefficients, b the recursive ones, with a plus sign. FBCoef keeps b(i) at
//   i ≥ 1 and kRecursiveSentinel at 0: as a polynomial in z⁻¹ it is the denominator negated, which
//   the filter's sums take as it stands.
// Section form: a second-order section of a cascade (CDigitalFilter2, the coefficients window)
//     Hs(z) = g·(b0 + b1·z⁻¹ + b2·z⁻²) / (1 − a1·z⁻¹ − a2·z⁻²)
//   the letters swapped: b the non-recursive coefficients, a the recursive ones; the plus sign kept.
// Ratio of polynomials: what the roots, the group delay, the files for other programs take
//     H(z) = Σ numerator(k)·z⁻ᵏ / Σ denominator(k)·z⁻ᵏ,   denominator(0) = 1
//   and a section as the row b0, b1, b2, a0 = 1, a1, a2 of (b0 + b1·z⁻¹ + b2·z⁻²) / (1 + a1·z⁻¹ + a2·z⁻²),
//   the layout of numeric libraries: its a1, a2 are the section form's negated, its b hold the gain.

#include <array>
#include <span>
#include <vector>

// Element 0 of the direct form's recursive list.
constexpr double kRecursiveSentinel = -1.0;

struct PolynomialRatio {
  std::vector<double> numerator;    // never empty: {0} for a filter that gives 0
  std::vector<double> denominator;  // denominator[0] = 1
};

// Direct form → ratio: numerator gain·a(0) … gain·a(N), denominator 1, −b(1), …, −b(M); b holds
// b(1) … b(M).
PolynomialRatio DirectFormRatio(std::span<const double> a, std::span<const double> b, double gain = 1);

// A second-order section as a ratio of quadratics, its gain apart.
struct SectionRatio {
  double gain = 1;
  std::array<double, 3> numerator = {1, 0, 0};
  std::array<double, 3> denominator = {1, 0, 0};  // denominator[0] = 1
};

// Section form → ratio: numerator b0, b1, b2, denominator 1, −a1, −a2, gain g.
SectionRatio SectionFormRatio(double g, double b0, double b1, double b2, double a1, double a2);

// A section's row b0, b1, b2, 1, a1, a2 for other programs, with its gain times extra_gain
// folded into b.
std::array<double, 6> SosRow(const SectionRatio& section, double extra_gain = 1);
