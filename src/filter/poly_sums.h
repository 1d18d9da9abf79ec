#pragma once
// Trigonometric sums of a coefficient list, shared by the direct-form responses.

#include <cmath>

struct PolySums {
  double cos_sum = 0;  // Σ ck·cos(kθ)
  double sin_sum = 0;  // Σ ck·sin(kθ)
};

// Σ ck·e^{jkθ} for k = 0 … degree by Horner's rule on the unit phasor: one cos/sin pair per
// call instead of one per coefficient, with an error that grows only linearly in the degree.
inline PolySums SumCosSin(const double* c, int degree, double theta) {
  PolySums sums;
  if (degree < 0) return sums;
  const double zr = std::cos(theta);
  const double zi = std::sin(theta);
  double re = c[degree];
  double im = 0;
  for (int k = degree - 1; k >= 0; --k) {
    const double next_re = re * zr - im * zi + c[k];
    im = re * zi + im * zr;
    re = next_re;
  }
  sums.cos_sum = re;
  sums.sin_sum = im;
  return sums;
}

// SumCosSin at several angles at once: the Horner chains of different angles are independent,
// so interleaving them keeps the processor busy. Each lane does exactly SumCosSin's arithmetic.
template <int Lanes>
inline void SumCosSinLanes(const double* c, int degree, const double* theta, PolySums* sums) {
  if (degree < 0) {
    for (int l = 0; l < Lanes; ++l) sums[l] = PolySums{};
    return;
  }
  double zr[Lanes], zi[Lanes], re[Lanes], im[Lanes];
  for (int l = 0; l < Lanes; ++l) {
    zr[l] = std::cos(theta[l]);
    zi[l] = std::sin(theta[l]);
    re[l] = c[degree];
    im[l] = 0;
  }
  for (int k = degree - 1; k >= 0; --k) {
    const double ck = c[k];
    for (int l = 0; l < Lanes; ++l) {
      const double next_re = re[l] * zr[l] - im[l] * zi[l] + ck;
      im[l] = re[l] * zi[l] + im[l] * zr[l];
      re[l] = next_re;
    }
  }
  for (int l = 0; l < Lanes; ++l) sums[l] = PolySums{re[l], im[l]};
}

// How often a vanishing denominator moves the frequency before giving up (it never needs more
// than one or two moves: a non-zero polynomial has finitely many zeros on the unit circle).
constexpr int kMaxNudges = 1000;

// θ moved up by step; where the step is lost in θ's rounding it moves by one ulp at least.
inline double NudgedAngle(double theta, double step) {
  const double moved = theta + step;
  return moved != theta ? moved : std::nextafter(theta, INFINITY);
}
