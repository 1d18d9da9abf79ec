#pragma once
// A second-order polynomial c0 + c1·x + c2·x² on the unit circle, written about s = ±1, the one
// of z = 1 and z = −1 nearer to x: d0 + d1·v + d2·v² with v = x − s. Near s the plain terms
// cancel (a section with poles or zeros close to z = 1 at a low frequency, or close to z = −1 at a
// high one: 1 − a1·cos θ − a2·cos 2θ keeps only a few digits of a pole 1e−4 from z = 1), while the
// shifted terms are small themselves, and v = x − s is taken from half angles without
// cancellation. Lane for lane the arithmetic is the same for a double and for Lanes.

#include <cmath>

#include "filter/group_delay.h"
#include "filter/lanes.h"

// The unit phasor x = e^{jθ}, v = x − s, v² and x·v: what every section needs at one frequency.
struct ShiftedPhasor {
  explicit ShiftedPhasor(double theta) {
    x_re = std::cos(theta);
    x_im = std::sin(theta);
    // 1 − cos θ = 2·sin²(θ/2) and 1 + cos θ = 2·cos²(θ/2).
    shift = x_re >= 0 ? 1.0 : -1.0;
    const double half = shift > 0 ? std::sin(theta / 2) : std::cos(theta / 2);
    v_re = -shift * (2 * (half * half));
    v_im = x_im;
    v2_re = v_re * v_re - v_im * v_im;
    v2_im = 2 * (v_re * v_im);
    xv_re = x_re * v_re - x_im * v_im;
    xv_im = x_re * v_im + x_im * v_re;
  }
  double x_re, x_im;
  double shift;  // s
  double v_re, v_im, v2_re, v2_im, xv_re, xv_im;
};

// The coefficients about s.
template <class T>
struct ShiftedQuadratic {
  T d0, d1, d2;
};

// d0 = c0 + s·c1 + c2, d1 = c1 + 2s·c2, d2 = c2 (exact where the sums are: for a section with
// poles or zeros near s they are, Sterbenz's lemma taking each subtraction of nearly equal terms).
inline ShiftedQuadratic<double> ShiftedAbout(double c0, double c1, double c2, double s) {
  return {(c0 + s * c1) + c2, c1 + (2 * s) * c2, c2};
}

// The polynomial's value d0 + d1·v + d2·v², and its conjugate with the coefficients of the
// imaginary part given negated (so that a vector of them needs no negation per frequency).
template <class T>
inline void ShiftedValue(const ShiftedQuadratic<T>& q, T v_re, T v_im, T v2_re, T v2_im, T& re, T& im) {
  re = (q.d0 + q.d1 * v_re) + q.d2 * v2_re;
  im = q.d1 * v_im + q.d2 * v2_im;
}

template <class T>
inline void ShiftedConjugate(const ShiftedQuadratic<T>& q, T minus_d1, T minus_d2, T v_re, T v_im, T v2_re, T v2_im,
                             T& re, T& im) {
  re = (q.d0 + q.d1 * v_re) + q.d2 * v2_re;
  im = minus_d1 * v_im + minus_d2 * v2_im;
}

// Its moment x·P′(x) = d1·x + 2·d2·(x·v).
template <class T>
inline void ShiftedMoment(T d1, T twice_d2, T x_re, T x_im, T xv_re, T xv_im, T& re, T& im) {
  re = d1 * x_re + twice_d2 * xv_re;
  im = d1 * x_im + twice_d2 * xv_im;
}

// Bounds of the errors of ShiftedValue and ShiftedMoment at a ShiftedPhasor with |v| ≤ r:
// e_P = p0 + p1·r + p2·r² and e_Q = q0 + q1·r.
struct ShiftedErrors {
  double p0, p1, p2, q0, q1;
};

// A quadratic about s with its roots at s itself taken out: P = v^roots·P̃ exactly, whose group
// delay is roots/2 (that of a root on the unit circle, wherever x ≠ s) plus P̃'s, free of the
// magnification of rounding that a root next to x brings. Taken out only where the coefficients
// say so exactly: d0 (and d1) zero without rounding.
struct ShiftedFactor {
  ShiftedFactor(double c0, double c1, double c2, double s);
  ShiftedQuadratic<double> rest;  // P̃
  int roots = 0;
  ShiftedErrors errors;  // P̃'s
};

inline ShiftedFactor::ShiftedFactor(double c0, double c1, double c2, double s) {
  // The rounding error of a + b, exactly (Knuth's two-sum).
  const auto error = [](double a, double b) {
    const double sum = a + b, b_part = sum - a;
    return std::fabs((a - (sum - b_part)) + (b - b_part));
  };
  rest = ShiftedAbout(c0, c1, c2, s);
  double d0_error = (error(c0, s * c1) + error(c0 + s * c1, c2)) * (1 + 0x1p-50);
  double d1_error = error(c1, (2 * s) * c2);
  while (roots < 2 && rest.d0 == 0 && d0_error == 0) {
    rest = {rest.d1, rest.d2, 0};
    d0_error = d1_error;
    d1_error = 0;
    ++roots;
  }
  // With u the unit of rounding: the parts of x and v are within 5u of their own (a sine or
  // cosine within one unit of the last place), those of v² and x·v within 13u of |v|² and |v|.
  // Summing rounds P by at most u·(2|d0| + 5|d1|·r + 4|d2|·r²), and the errors of v and v² move it
  // by u·(5|d1|·r + 13|d2|·r²); Q rounds by at most 3u·(|d1| + 2|d2|·r) and moves by
  // u·(2|d1| + 26|d2|·r). The rounding of d0 and d1 from the coefficients is known exactly; e_P is
  // never below kSmallestSum.
  constexpr double u = 0x1p-53, flushed = 0x1p-1018;  // sixteen times the least normal number
  const double d0 = std::fabs(rest.d0), d1 = std::fabs(rest.d1), d2 = std::fabs(rest.d2);
  errors = {3 * u * d0 + d0_error + flushed + kSmallestSum, 11 * u * d1 + d1_error, 18 * u * d2,
            6 * u * d1 + d1_error + flushed, 33 * u * d2};
}
