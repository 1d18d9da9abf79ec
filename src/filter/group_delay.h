#pragma once
// The group delay −dφ/dω of a polynomial c0 + c1·z^−1 + … on the unit circle, from the sums
// P = Σ ck·x^k and Q = Σ k·ck·x^k at x = e^{jθ} (the conjugates of the sums at −θ, which leave it
// as it is): τ = Re(Q/P). A filter's is its numerators' less its denominators'.
//
// Every value comes with a rigorous bound of its error, from the bounds of the rounding of the
// sums: next to a zero or a pole on the unit circle P is small and the rounding of the sums is
// magnified by |Q|/|P|², far beyond any threshold proportional to the rounding alone. A delay is
// given only where its bound is within kDelayTolerance of it; elsewhere it is NaN (a gap on the
// diagram, an empty field in a CSV).

#include <array>
#include <cmath>
#include <limits>

#include "filter/lanes.h"
#include "filter/poly_sums.h"

// The relative error a delay may have to be given; an error below kDelayFloor samples is always
// small enough (a delay that crosses 0 would otherwise be dropped next to the crossing).
constexpr double kDelayTolerance = 1e-6;
constexpr double kDelayFloor = 1e-12;
// P of a term known to less than this fraction of itself leaves the delay unknown (it also
// bounds the factor 1/(1 − e_P/|P|) of the error of a quotient).
constexpr double kLargestSumRatio = 1e-3;
// The rounding of Re(Q̂/P̂) itself, in units of rounding times |Q̂|/|P̂|.
constexpr double kQuotientRounding = 6.5;
// Added to every bound e_P: a |P̂| within a thousand times this is unknown, so that |P̂|² and the
// quotient stay far from the least normal number of the type.
constexpr double kSmallestSum = 0x1p-440;
constexpr long double kSmallestPreciseSum = 0x1p-7990L;

inline double Abs(double v) { return std::fabs(v); }
inline long double Abs(long double v) { return std::fabs(v); }
inline simd::Lanes Abs(simd::Lanes v) { return simd::Magnitude(v); }

// One term of a delay: Re(Q̂/P̂) from sums within p_error and q_error of the true P and Q, a bound of
// its error (to be divided by 1 − ratio) and a bound of e_P/|P̂| (NaN, or infinite, where P̂ is 0 or
// beyond the range). The one formula for every form of filter, in doubles, long doubles or Lanes.
template <class T>
struct DelayTerm {
  T value, bound, ratio;
  T reach = {};  // of a single term: ≥ 1/|P̂| (NaN where P̂ is 0 or its square beyond the range)
};

template <class T>
inline DelayTerm<T> DelayOf(T p_re, T p_im, T q_re, T q_im, T p_error, T q_error, T unit) {
  const T size = p_re * p_re + p_im * p_im;
  const T inverse = Splat<T>(1) / size;
  // |P̂| ≤ |Re| + |Im|, so these bound 1/|P̂| and |Q̂|/|P̂| without a square root; NaN where the
  // square overflowed (size − size). A square near the least normal number is kept out by the
  // least e_P (kSmallestSum).
  const T reach = (Abs(p_re) + Abs(p_im)) * inverse + (size - size);
  const T spread = (Abs(q_re) + Abs(q_im)) * reach;
  const T ratio = p_error * reach;
  // |Q/P − Q̂/P̂| ≤ (e_Q + |Q̂|·e_P/|P̂|) / (|P̂| − e_P), plus the quotient's own rounding (and a
  // numerator Re(Q̂·P̂*) flushed to 0 by at most 2^−1022/size).
  return {(q_re * p_re + q_im * p_im) * inverse,
          q_error * reach + spread * (ratio + Splat<T>(kQuotientRounding) * unit) + Splat<T>(0x1p-120), ratio, reach};
}

// Terms added up with their weights (a numerator +1, a denominator −1, a polynomial that occurs n
// times n or −n): values, bounds, ratios, and the magnitudes of the values (for the rounding of the
// sums themselves).
template <class T>
struct DelaySum {
  T value{}, bound{}, ratio{}, magnitude{};
  int terms = 0;
  void Add(const DelayTerm<T>& term, T weight) {
    const T size = Abs(weight);
    value += weight * term.value;
    bound += size * term.bound;
    ratio += size * term.ratio;
    magnitude += size * Abs(term.value);
    ++terms;
  }
  // The sum with the bound of its error; the bound is NaN where the sum is unknown.
  DelayTerm<T> Total(T unit) const {
    // 1/(1 − ratio) ≤ 1 + 2·ratio; each product and each of the additions rounds by at most a
    // unit of the magnitude.
    const T known = ratio <= Splat<T>(kLargestSumRatio) ? bound * (Splat<T>(1) + Splat<T>(2) * ratio)
                                                        : Splat<T>(std::numeric_limits<double>::quiet_NaN());
    return {value, known + unit * Splat<T>(2 * terms + 1) * magnitude, ratio};
  }
};

// Whether a delay is known within the relative tolerance (never where its bound is NaN): for
// Lanes a bit for each lane.
template <class Real>
inline bool KnownWithin(const DelayTerm<Real>& delay, double tolerance) {
  return std::isfinite(delay.value) && delay.bound <= std::fmax(tolerance * std::fabs(delay.value), kDelayFloor);
}

inline int KnownWithin(const DelayTerm<simd::Lanes>& delay, double tolerance) {
  const simd::Lanes finite = delay.value - delay.value;  // 0, or NaN
  const simd::Lanes allowed = simd::Larger(simd::BothLanes(tolerance) * Abs(delay.value), simd::BothLanes(kDelayFloor));
  return simd::AtMostLanes(delay.bound + finite, allowed);
}

// The value where it is known within kDelayTolerance, else NaN.
template <class Real>
inline double ShownDelay(const DelayTerm<Real>& delay) {
  return KnownWithin(delay, kDelayTolerance) ? static_cast<double>(delay.value)
                                             : std::numeric_limits<double>::quiet_NaN();
}

// Bounds of the errors of P and Q as PhasorHorner sums them in Real arithmetic at the rounded unit
// phasor of the type's sine and cosine.
template <class Real>
struct SumErrors {
  Real p = 0, q = 0;
};

template <class Real>
SumErrors<Real> HornerSumErrors(const double* c, int degree);

// The group delay of a direct form: numerator a over denominator d (either may be stored negated).
// Doubles where their bound settles it; where it does not (next to a zero on the unit circle, or
// sums beyond the range), long doubles, whose rounding is 2^11 times finer.
class DirectDelay {
 public:
  // The coefficient arrays are the caller's and must outlive the object.
  DirectDelay(const double* a, int a_degree, const double* d, int d_degree);
  // The delays at count angles from the double sums of the coefficients there (with their
  // moments), as SumCosSinLanes gives them; two at a time, with the same values as one by one.
  void FromSums(const double* thetas, int count, const PolySums* a, const PolySums* a_moment, const PolySums* d,
                const PolySums* d_moment, double* delays) const;
  // The delays at count angles from their own sums: the same values.
  void At(const double* thetas, int count, double* delays) const;

 private:
  // From the sums of one angle (T double) or two (T Lanes, pair(sums) the pair's two).
  template <class T, class Pair>
  DelayTerm<T> FromSums(const Pair& pair, const PolySums* a, const PolySums* a_moment, const PolySums* d,
                        const PolySums* d_moment) const;
  // Numerator less denominator from the sums P, Q of both (T double, long double or Lanes).
  template <class T, class Real>
  DelayTerm<T> Difference(const std::array<T, 4>& a, const SumErrors<Real>& a_errors, const std::array<T, 4>& d,
                          const SumErrors<Real>& d_errors) const;
  double Precise(double theta) const;

  const double *a_, *d_;
  int a_degree_, d_degree_;
  bool a_constant_, d_constant_;  // no delay, exactly
  SumErrors<double> a_errors_, d_errors_;
  SumErrors<long double> a_precise_errors_, d_precise_errors_;
};

// A double delay is kept where its bound is within this (actual errors stay a hundred times and
// more below the bound, so kept values are within about 1e−9); elsewhere long doubles are summed.
constexpr double kDoubleDelayTolerance = 1e-7;
