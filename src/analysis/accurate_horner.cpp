#include "analysis/accurate_horner.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/double_double.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;  // the unit roundoff

// x·y + w·v + b, the products and the sum with hi's error kept and lo's folded in.
inline Wide ProductsPlus(double x, double y, double w, double v, const Wide& b, double lo_terms) {
  const double p1 = x * y, p2 = w * v;
  const double e1 = std::fma(x, y, -p1), e2 = std::fma(w, v, -p2);
  const Wide s1 = TwoSum(p1, p2), s2 = TwoSum(s1.hi, b.hi);
  return TwoSum(s2.hi, ((e1 + e2) + (s1.lo + s2.lo)) + (lo_terms + b.lo));
}

struct ExtendedComplex {
  Wide re, im;
  Complex Value() const { return {re.hi + re.lo, im.hi + im.lo}; }
};

// a·z + b in twice the working precision.
inline ExtendedComplex MultiplyAdd(const ExtendedComplex& a, Complex z, const ExtendedComplex& b) {
  const double zr = z.real(), zi = z.imag();
  return {ProductsPlus(a.re.hi, zr, -a.im.hi, zi, b.re, a.re.lo * zr - a.im.lo * zi),
          ProductsPlus(a.re.hi, zi, a.im.hi, zr, b.im, a.re.lo * zi + a.im.lo * zr)};
}

// Fused multiply-adds, which the error-free products need, are one instruction where the processor
// has them and a slow library call where it has not: the loops are built both ways and the
// processor's own chosen when the program starts.
#if defined(__x86_64__) && defined(__GNUC__)
#define FMA_WHERE_AVAILABLE __attribute__((target_clones("fma", "default")))
#else
#define FMA_WHERE_AVAILABLE
#endif

struct ValueAndSlope {
  Complex value, slope;
  double size, slope_size;  // the same of Σ |ck|·x^(n−k) and of its derivative at |w|
};

// p(w) and p′(w) by Horner's rule in twice the working precision.
FMA_WHERE_AVAILABLE ValueAndSlope AccurateHorner(const double* c, int n, Complex w) {
  const double r = std::abs(w);
  ExtendedComplex value, slope;
  double size = 0, slope_size = 0;
  for (int k = 0; k <= n; ++k) {
    slope = MultiplyAdd(slope, w, value);
    slope_size = slope_size * r + size;
    ExtendedComplex coefficient;
    coefficient.re.hi = c[k];
    value = MultiplyAdd(value, w, coefficient);
    size = size * r + std::fabs(c[k]);
  }
  return {value.Value(), slope.Value(), size, slope_size};
}

// The error of a value carried through n steps in twice the working precision, relative to the
// terms' magnitudes: a few units of u² per step and per order, with room to spare.
double CarriedError(int n, int order) { return 16.0 * (n + 1) * (order + 1) * kUnit * kUnit; }

// The Taylor coefficients in twice the working precision, and their terms' sizes.
FMA_WHERE_AVAILABLE void TaylorTerms(const double* c, int n, Complex z, int order, std::vector<ExtendedComplex>& terms,
                                     std::vector<double>& sizes) {
  const double r = std::abs(z);
  for (int k = 0; k <= n; ++k) {
    for (int j = std::min(order, k); j >= 1; --j) {
      const auto i = static_cast<std::size_t>(j);
      terms[i] = MultiplyAdd(terms[i], z, terms[i - 1]);
      sizes[i] = sizes[i] * r + sizes[i - 1];
    }
    ExtendedComplex coefficient;
    coefficient.re.hi = c[k];
    terms[0] = MultiplyAdd(terms[0], z, coefficient);
    sizes[0] = sizes[0] * r + std::fabs(c[k]);
  }
}

}  // namespace

void AccurateTaylor(const double* c, int n, Complex z, int order, Complex* t, double* error, double* size) {
  std::vector<ExtendedComplex> terms(static_cast<std::size_t>(order) + 1);
  std::vector<double> sizes(static_cast<std::size_t>(order) + 1, 0.0);  // the same of Σ |ck|·x^(n−k) at |z|
  TaylorTerms(c, n, z, order, terms, sizes);
  for (int j = 0; j <= order; ++j) {
    const auto i = static_cast<std::size_t>(j);
    t[j] = terms[i].Value();
    // The sizes are rounded too, by less than a hundredth for any degree here.
    error[j] = 2 * kUnit * std::abs(t[j]) + CarriedError(n, order) * 1.01 * sizes[i];
    if (size != nullptr) size[j] = sizes[i];
  }
}

ScaledPolynomial::ScaledPolynomial(const double* c, int n) : n_(n), forward_(c, c + n + 1) {
  double largest = 0;
  for (double value : forward_) largest = std::max(largest, std::fabs(value));
  int exponent = 0;
  std::frexp(largest, &exponent);
  for (double& value : forward_) value = std::ldexp(value, -exponent);
  reversed_.assign(forward_.rbegin(), forward_.rend());
}

AccurateStep ScaledPolynomial::NewtonStep(Complex z) const {
  // Inside the circle p itself, outside q(w) = w^n·p(1/w) at w = 1/z: p/p′ = z·q / (n·q − w·q′).
  const bool outside = std::abs(z) > 1;
  const Complex w = outside ? 1.0 / z : z;
  const double* c = outside ? reversed_.data() : forward_.data();
  const ValueAndSlope at = AccurateHorner(c, n_, w);
  const Complex q = at.value, slope = at.slope;
  const double r = std::abs(w);
  const double q_error = 2 * kUnit * std::abs(q) + CarriedError(n_, 1) * 1.01 * at.size;
  const double slope_error = 2 * kUnit * std::abs(slope) + CarriedError(n_, 1) * 1.01 * at.slope_size;
  const double n = n_;
  AccurateStep result;
  if (!outside) {
    result.value = q;
    result.slope = slope;
    const double below = std::abs(slope) - slope_error;
    result.reach = below > 0 ? n * (std::abs(q) + q_error) / below : std::numeric_limits<double>::infinity();
    return result;
  }
  const Complex denominator = n * q - w * slope;
  result.value = z * q;
  result.slope = denominator;
  const double below = std::abs(denominator) - (n * q_error + r * slope_error);
  result.reach =
      below > 0 ? n * std::abs(z) * (std::abs(q) + q_error) / below : std::numeric_limits<double>::infinity();
  return result;
}
