#pragma once
// Double-double arithmetic: a number hi + lo with |lo| ≤ ulp(hi)/2, some 32 significant digits.
// Sums of many products of doubles keep their digits where plain doubles would cancel. The build
// forms no fused multiply-add, so the error-free transformations below hold as written.

#include <complex>

struct Wide {
  double hi = 0, lo = 0;
};

inline Wide TwoSum(double a, double b) {
  const double s = a + b;
  const double v = s - a;
  return {s, (a - (s - v)) + (b - v)};
}

// Dekker's exact product.
inline Wide TwoProduct(double a, double b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const auto split = [](double x) {
    const double c = kSplit * x;
    const double high = c - (c - x);
    return Wide{high, x - high};
  };
  const Wide x = split(a), y = split(b);
  const double p = a * b;
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

inline Wide Add(Wide x, Wide y) {
  const Wide s = TwoSum(x.hi, y.hi);
  const double lo = s.lo + x.lo + y.lo;
  return TwoSum(s.hi, lo);
}

inline Wide Times(Wide x, double c) {
  const Wide p = TwoProduct(x.hi, c);
  return TwoSum(p.hi, p.lo + x.lo * c);
}

inline Wide Negated(Wide x) { return {-x.hi, -x.lo}; }

// A complex number of two double-doubles.
struct WideComplex {
  Wide re, im;
  std::complex<double> Rounded() const { return {re.hi + re.lo, im.hi + im.lo}; }
};

// c0 + c1·w + … + cn·w^n at a point w given in doubles, by Horner's rule in double-double. For
// |w| within rounding of 1 its error stays below WidePolynomialError.
template <class Coefficients>
WideComplex WidePolynomial(const Coefficients& c, std::complex<double> w) {
  WideComplex sum;
  for (auto k = c.size(); k-- > 0;) {
    const Wide re = Add(Times(sum.re, w.real()), Negated(Times(sum.im, w.imag())));
    const Wide im = Add(Times(sum.re, w.imag()), Times(sum.im, w.real()));
    sum = {Add(re, Wide{static_cast<double>(c[k]), 0}), im};
  }
  return sum;
}

// A bound on WidePolynomial's error for n + 1 coefficients whose magnitudes sum to magnitude_sum.
inline double WidePolynomialError(std::size_t count, double magnitude_sum) {
  return 16.0 * static_cast<double>(count + 1) * 0x1p-104 * magnitude_sum;
}
