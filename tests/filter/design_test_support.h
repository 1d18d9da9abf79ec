#pragma once
// Independent values for the design tests: the textbook low-pass responses after the bilinear
// transform with prewarping, and the impulse response of any filter that steps.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "filter/band_type.h"
#include "filter/cascade_filter.h"

using Messages = std::vector<std::string>;

// Texts of the corrections that the recursive designs share.
inline const char kEdgePositiveMessage[] =
    "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";
inline const char kPassLowMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не менее 0.5 (-6дБ) \n Произведена коррекция.";
inline const char kPassHighMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не более 0.9 (-1дБ)\n Произведена коррекция.";
inline const char kStopPositiveMessage[] =
    "Уровень нижней границы полосы подавления должен быть положительным.\n Произведена коррекция.";
inline const char kStopHighMessage[] =
    "Уровень нижней границы полосы подавления должен быть не более 0.3 (-10дБ)\n Произведена коррекция.";
inline const char kStopDecibelMessage[] =
    "Уровень нижней границы полосы подавления должен быть не меньше -400дБ)\n Произведена коррекция.";
inline const char kTransitionMessage[] =
    "Относительная ширина переходной полосы не может быть меньше или равной нулю.\n Произведена коррекция.";
inline const char kOrderPositiveMessage[] = "Порядок фильтра должен быть положительным\n Произведена коррекция.";

// Butterworth: 1/sqrt(1 + (tan(ω/2)/Ωc)^(2N)).
inline double ButterworthLevel(double omega, double wc, int n) {
  return 1 / std::sqrt(1 + std::pow(std::tan(omega / 2) / wc, 2 * n));
}

// T_N(x): cos(N·arccos x) inside [−1, 1], cosh(N·arccosh |x|) beyond (only its square is used).
inline double ChebyshevPolynomial(int n, double x) {
  if (std::fabs(x) <= 1) return std::cos(n * std::acos(x));
  return std::cosh(n * std::acosh(std::fabs(x)));
}

// Chebyshev type I: 1/sqrt(1 + ε²·T_N²(tan(ω/2)/Ωr)).
inline double ChebyshevLevel(double omega, double wr, double eps2, int n) {
  const double t = ChebyshevPolynomial(n, std::tan(omega / 2) / wr);
  return 1 / std::sqrt(1 + eps2 * t * t);
}

// The prototype's frequency X of a band type at ω, in long double from the plain definitions:
// Ω = tan(ω/2), Ω1, Ω2 the edges, Ω0² = Ω1·Ω2, B = Ω2 − Ω1.
inline long double BandX(BandType band, long double omega, long double wp, long double wp2) {
  const long double t = std::tan(omega / 2), t1 = std::tan(wp / 2), t2 = std::tan(wp2 / 2);
  switch (band) {
    case BandType::kLowPass: return t / t1;
    case BandType::kHighPass: return t1 / t;
    case BandType::kBandPass: return (t * t - t1 * t2) / ((t2 - t1) * t);
    case BandType::kBandStop: return (t2 - t1) * t / (t1 * t2 - t * t);
  }
  return 0;
}

// Butterworth 1/sqrt(1 + Ep·X^(2N)) and Chebyshev 1/sqrt(1 + ε²·T_N(c·X)²) of the prototype.
inline long double ButterworthPrototype(long double x, long double ep, int n) {
  return 1 / std::sqrt(1 + ep * std::pow(std::fabs(x), 2 * n));
}
inline long double ChebyshevPrototype(long double x, long double ep, long double eps2, int n) {
  const long double c = std::cosh(std::acosh(std::sqrt(ep / eps2)) / n), cx = std::fabs(c * x);
  const long double t = cx <= 1 ? std::cos(n * std::acos(cx)) : std::cosh(n * std::acosh(cx));
  return 1 / std::sqrt(1 + eps2 * t * t);
}

// The roots of each section's z² − a1·z − a2 (poles) and of its b0·z² + b1·z + b2 (zeros, a
// first-order section's one), and k = Π g·b0, as H(z) = k·Π(z − z_i)/Π(z − p_i).
struct CascadeRoots {
  std::vector<std::complex<double>> zeros, poles;
  double gain = 1;
};
inline CascadeRoots RootsOf(const CCascadFilter2& cascade) {
  using Complex = std::complex<double>;
  CascadeRoots roots;
  const auto quadratic = [](double c2, double c1, double c0, std::vector<Complex>& out) {
    const Complex d = std::sqrt(Complex(c1 * c1 - 4 * c2 * c0));
    out.push_back((-c1 + d) / (2 * c2));
    out.push_back((-c1 - d) / (2 * c2));
  };
  roots.gain = cascade.InputGain();
  for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next()) {
    roots.gain *= s->Gain() * s->B(0);
    if (s->B(2) == 0 && s->A(2) == 0) {  // first order
      roots.zeros.push_back(-s->B(1) / s->B(0));
      roots.poles.push_back(s->A(1));
      continue;
    }
    quadratic(s->B(0), s->B(1), s->B(2), roots.zeros);
    quadratic(1, -s->A(1), -s->A(2), roots.poles);
  }
  return roots;
}

// A reference's poles (one of each conjugate pair, Im ≥ 0) and gain k: the cascade has the same
// number of poles, each reference pole within tolerance of one of them, and k to tolerance
// relative. The largest distance.
inline double PoleMismatch(const CCascadFilter2& cascade, const std::vector<std::complex<double>>& upper, double k) {
  const CascadeRoots roots = RootsOf(cascade);
  std::size_t count = 0;
  double worst = std::fabs(roots.gain / k - 1);
  for (const std::complex<double> reference : upper) {
    count += reference.imag() == 0 ? 1 : 2;
    double nearest = INFINITY;
    for (const std::complex<double> pole : roots.poles) nearest = std::fmin(nearest, std::abs(pole - reference));
    worst = std::fmax(worst, nearest);
  }
  return count == roots.poles.size() ? worst : INFINITY;
}

// An outside reference's design: band, prototype order, edges, gain k, poles (one of each
// conjugate pair) and, for band-stop, the real part of the zeros on the circle.
struct BandReference {
  BandType band;
  int order;
  double wp, wp2, k;
  std::vector<std::complex<double>> poles;
  double zero_re = 0;
};

// The design of the reference's band, edges and order, its levels set by set_levels: poles and
// gain within 1e-9 of the reference, and so the zeros of a band-stop.
template <class Filter, class SetLevels>
void ExpectAgreesWithReference(const BandReference& r, SetLevels set_levels) {
  Filter filter;
  filter.SetAutoOrder(false);
  set_levels(filter);
  filter.SetWp(r.wp);
  filter.SetWp2(r.wp2);
  filter.SetBand(r.band);
  filter.SetOrder(r.order);
  filter.Design();
  EXPECT_LE(PoleMismatch(filter, r.poles, r.k), 1e-9) << r.order;
  if (r.band == BandType::kBandStop) {
    EXPECT_NEAR(-filter.FirstSection()->B(1) / 2, r.zero_re, 1e-9);
  }
}

// |value/expected − 1|: the error relative to the level, deep into the stop band. Where the closed
// form itself underflows (beyond 1e-200), only the absolute difference is left to compare.
inline double RelativeError(double value, double expected) {
  if (expected < 1e-200) return std::fabs(value - expected);
  return std::fabs(value / expected - 1);
}

struct ImpulseRun {
  bool finite = true;     // every output a finite number
  bool overflow = false;  // the overflow flag after any step
  double peak = 0;        // largest |h(n)|
};

// h(0) … h(samples − 1) as the analysis computes it: Reset, Step(1), then Step(0).
template <class Filter>
ImpulseRun RunImpulse(Filter& filter, int samples) {
  ImpulseRun run;
  filter.Reset();
  for (int n = 0; n < samples; ++n) {
    const double y = filter.Step(n == 0 ? 1.0 : 0.0);
    if (!std::isfinite(y)) run.finite = false;
    if (filter.IsOverflow()) run.overflow = true;
    run.peak = std::fmax(run.peak, std::fabs(y));
  }
  return run;
}

// count frequencies spread evenly over the open interval (from, to).
template <class Visit>
void ForEachFrequency(int count, double from, double to, Visit visit) {
  for (int k = 0; k < count; ++k) visit(from + (to - from) * (k + 0.5) / count);
}
