#include "filter/group_delay.h"

#include <array>
#include <type_traits>

namespace {

// Half the distance from 1 to the next number: the unit of rounding.
template <class Real>
constexpr Real Unit() {
  return std::numeric_limits<Real>::epsilon() / 2;
}

// P, Q of the coefficients in long doubles at the phasor of θ, by the same Horner chains.
std::array<long double, 4> PreciseSums(const double* c, int degree, double theta) {
  if (degree < 0) return {0, 0, 0, 0};
  const long double zr = std::cos(static_cast<long double>(theta)), zi = std::sin(static_cast<long double>(theta));
  long double re = 0, im = 0, dre = 0, dim = 0;
  PhasorHorner<long double, 1, true>(c, degree, &zr, &zi, &re, &im, &dre, &dim);
  return {re, im, dre * zr - dim * zi, dre * zi + dim * zr};
}

// A constant (non-zero) has no delay, exactly: an FIR's denominator adds nothing.
bool Constant(const double* c, int degree) { return degree == 0 && c[0] != 0; }

}  // namespace

template <class Real>
SumErrors<Real> HornerSumErrors(const double* c, int degree) {
  // With S0 = Σ|ck|, S1 = Σ k·|ck|, S2 = Σ k²·|ck| and u the unit of rounding: each step of
  // Horner's chain rounds by at most (2√2 + 1)·u of its partial sum, and the partial sums are
  // bounded by the tails of Σ|ck|, which adds up to (2√2 + 1)·u·(S0 + S1) for P; the derivative's
  // chain takes the same from its own steps and from the errors of P's partial sums, (2√2 + 1)·u·
  // (S1 + S2), and the product by x that makes Q one more 2√2·u·S1. A phasor within φ·u of e^{jθ}
  // moves P by φ·u·S1 and Q by φ·u·S2: φ = 2 for the double sine and cosine (within one unit of
  // the last place), 4 for the long double ones (within two). Products flushed to 0 add at most the
  // least normal number of the type each.
  Real s0 = 0, s1 = 0, s2 = 0;
  for (int k = 0; k <= degree; ++k) {
    const Real magnitude = std::fabs(static_cast<Real>(c[k]));
    s0 += magnitude;
    s1 += k * magnitude;
    s2 += static_cast<Real>(k) * k * magnitude;
  }
  const Real flushed = Real(32) * (degree + 1) * std::numeric_limits<Real>::min();
  const Real u = Unit<Real>(), phasor = std::is_same_v<Real, double> ? 2 : 4;
  const Real smallest = std::is_same_v<Real, double> ? Real(kSmallestSum) : Real(kSmallestPreciseSum);
  return {u * (4 * s0 + (4 + phasor) * s1) + flushed + smallest, u * (7 * s1 + (4 + phasor) * s2) + flushed};
}

template SumErrors<double> HornerSumErrors<double>(const double*, int);
template SumErrors<long double> HornerSumErrors<long double>(const double*, int);

DirectDelay::DirectDelay(const double* a, int a_degree, const double* d, int d_degree)
    : a_(a),
      d_(d),
      a_degree_(a_degree),
      d_degree_(d_degree),
      a_constant_(Constant(a, a_degree)),
      d_constant_(Constant(d, d_degree)),
      a_errors_(HornerSumErrors<double>(a, a_degree)),
      d_errors_(HornerSumErrors<double>(d, d_degree)),
      a_precise_errors_(HornerSumErrors<long double>(a, a_degree)),
      d_precise_errors_(HornerSumErrors<long double>(d, d_degree)) {}

template <class T, class Pair>
DelayTerm<T> DirectDelay::FromSums(const Pair& pair, const PolySums* a, const PolySums* a_moment, const PolySums* d,
                                   const PolySums* d_moment) const {
  const auto sums = [&](const PolySums* p, const PolySums* q) {
    return std::array<T, 4>{pair(p, &PolySums::cos_sum), pair(p, &PolySums::sin_sum), pair(q, &PolySums::cos_sum),
                            pair(q, &PolySums::sin_sum)};
  };
  return Difference<T>(sums(a, a_moment), a_errors_, sums(d, d_moment), d_errors_);
}

template <class T, class Real>
DelayTerm<T> DirectDelay::Difference(const std::array<T, 4>& a, const SumErrors<Real>& a_errors,
                                     const std::array<T, 4>& d, const SumErrors<Real>& d_errors) const {
  // Splat<T> only for vectors: long double errors stay long double.
  const auto splat = [](Real value) {
    if constexpr (std::is_floating_point_v<T>) {
      return T(value);
    } else {
      return Splat<T>(value);
    }
  };
  const T u = splat(Unit<Real>());
  DelaySum<T> sum;
  if (!a_constant_) sum.Add(DelayOf<T>(a[0], a[1], a[2], a[3], splat(a_errors.p), splat(a_errors.q), u), splat(1));
  if (!d_constant_) sum.Add(DelayOf<T>(d[0], d[1], d[2], d[3], splat(d_errors.p), splat(d_errors.q), u), splat(-1));
  return sum.Total(u);
}

void DirectDelay::FromSums(const double* thetas, int count, const PolySums* a, const PolySums* a_moment,
                           const PolySums* d, const PolySums* d_moment, double* delays) const {
  int l = 0;
  for (; l + 2 <= count; l += 2) {
    const DelayTerm<simd::Lanes> two = FromSums<simd::Lanes>(
        [l](const PolySums* sums, double PolySums::*part) {
          return simd::Lanes{sums[l].*part, sums[l + 1].*part};
        },
        a, a_moment, d, d_moment);
    const int known = KnownWithin(two, kDoubleDelayTolerance);
    for (int k = 0; k < 2; ++k) delays[l + k] = (known >> k) & 1 ? two.value[k] : Precise(thetas[l + k]);
  }
  if (l < count) {
    const DelayTerm<double> one = FromSums<double>(
        [l](const PolySums* sums, double PolySums::*part) { return sums[l].*part; }, a, a_moment, d, d_moment);
    delays[l] = KnownWithin(one, kDoubleDelayTolerance) ? one.value : Precise(thetas[l]);
  }
}

double DirectDelay::Precise(double theta) const {
  return ShownDelay(Difference<long double>(PreciseSums(a_, a_degree_, theta), a_precise_errors_,
                                            PreciseSums(d_, d_degree_, theta), d_precise_errors_));
}

void DirectDelay::At(const double* thetas, int count, double* delays) const {
  constexpr int kLanes = 8;
  PolySums a[kLanes], a_moment[kLanes], d[kLanes], d_moment[kLanes];
  double cosines[kLanes], sines[kLanes];
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    UnitPhasors<kLanes>(thetas + i, cosines, sines);
    PhasorSums<kLanes>(a_, a_degree_, cosines, sines, a, a_moment);
    PhasorSums<kLanes>(d_, d_degree_, cosines, sines, d, d_moment);
    FromSums(thetas + i, kLanes, a, a_moment, d, d_moment, delays + i);
  }
  for (; i < count; ++i) {
    UnitPhasors<1>(thetas + i, cosines, sines);
    PhasorSums<1>(a_, a_degree_, cosines, sines, a, a_moment);
    PhasorSums<1>(d_, d_degree_, cosines, sines, d, d_moment);
    FromSums(thetas + i, 1, a, a_moment, d, d_moment, delays + i);
  }
}
