#pragma once
// The group delay −dφ/dω of a polynomial c0 + c1·z^−1 + … on the unit circle, from the sums
// P = Σ ck·e^{−jkω} and Q = Σ k·ck·e^{−jkω}: τ = Re(Q/P). A filter's is its numerator's less its
// denominator's. Where P vanishes (within the rounding of its sum) τ is undefined: NaN.

#include <cmath>
#include <limits>
#include <vector>

#include "filter/poly_sums.h"

// |P| at or below this many units of rounding of Σ|ck| per term counts as 0.
constexpr double kVanishingSumUlps = 8;

// The bound below which a sum of degree + 1 terms of these magnitudes is no more than rounding.
inline double VanishingSum(double magnitude_sum, int degree) {
  return kVanishingSumUlps * (degree + 1) * std::numeric_limits<double>::epsilon() * magnitude_sum;
}

// Re(Q/P), or NaN where |P| ≤ vanishing. (The sums at +ω are the conjugates of those at −ω for
// real coefficients, which leaves Re(Q/P) as it is.)
inline double DelayOf(double p_re, double p_im, double q_re, double q_im, double vanishing) {
  const double size = p_re * p_re + p_im * p_im;
  if (!(size > vanishing * vanishing)) return std::numeric_limits<double>::quiet_NaN();
  return (q_re * p_re + q_im * p_im) / size;
}

// A polynomial's coefficients times a power of two that brings the largest magnitude near 1 (the
// delay does not change, and the sums stay within the range), with the bound for its sums.
struct DelayPolynomial {
  explicit DelayPolynomial(std::vector<double> coefficients);
  std::vector<double> c;
  double vanishing = 0;
  int Degree() const { return static_cast<int>(c.size()) - 1; }
};

// The delay of numerator less denominator at count angles.
void DirectGroupDelays(const DelayPolynomial& numerator, const DelayPolynomial& denominator, const double* thetas,
                       int count, double* delays);
