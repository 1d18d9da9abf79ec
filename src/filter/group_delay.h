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

// P and Q at several angles at once by Horner's rule on the unit phasor, Q as e^{jθ}·P'.
// Lane for lane P is computed with exactly SumCosSinLanes's arithmetic, so a response taken from
// it is the same to the last bit.
template <int Lanes>
inline void SumWithMomentLanes(const double* c, int degree, const double* theta, PolySums* p, PolySums* q) {
  if (degree < 0) {
    for (int l = 0; l < Lanes; ++l) p[l] = q[l] = PolySums{};
    return;
  }
  double zr[Lanes], zi[Lanes], re[Lanes], im[Lanes], dre[Lanes], dim[Lanes];
  for (int l = 0; l < Lanes; ++l) {
    zr[l] = std::cos(theta[l]);
    zi[l] = std::sin(theta[l]);
    re[l] = c[degree];
    im[l] = dre[l] = dim[l] = 0;
  }
  for (int k = degree - 1; k >= 0; --k) {
    const double ck = c[k];
    for (int l = 0; l < Lanes; ++l) {
      const double next_dre = dre[l] * zr[l] - dim[l] * zi[l] + re[l];
      dim[l] = dre[l] * zi[l] + dim[l] * zr[l] + im[l];
      dre[l] = next_dre;
      const double next_re = re[l] * zr[l] - im[l] * zi[l] + ck;
      im[l] = re[l] * zi[l] + im[l] * zr[l];
      re[l] = next_re;
    }
  }
  for (int l = 0; l < Lanes; ++l) {
    p[l] = PolySums{re[l], im[l]};
    q[l] = PolySums{dre[l] * zr[l] - dim[l] * zi[l], dre[l] * zi[l] + dim[l] * zr[l]};
  }
}

// The delay of numerator less denominator at count angles.
void DirectGroupDelays(const DelayPolynomial& numerator, const DelayPolynomial& denominator, const double* thetas,
                       int count, double* delays);
