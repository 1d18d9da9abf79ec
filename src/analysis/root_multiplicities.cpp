#include "analysis/root_multiplicities.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

using Word = std::uint64_t;

// Arithmetic modulo a Mersenne prime 2^bits − 1, which folds a product without a division.
template <int kBits>
struct MersenneField {
  static constexpr Word kPrime = (Word{1} << kBits) - 1;

  static Word Reduce(unsigned __int128 x) {
    Word r = static_cast<Word>(x & kPrime) + static_cast<Word>(x >> kBits);
    r = (r & kPrime) + (r >> kBits);
    return r >= kPrime ? r - kPrime : r;
  }
  static Word Multiply(Word a, Word b) { return Reduce(static_cast<unsigned __int128>(a) * b); }
  static Word Add(Word a, Word b) { return Reduce(static_cast<unsigned __int128>(a) + b); }
  static Word Subtract(Word a, Word b) { return Add(a, kPrime - b); }
  static Word Inverse(Word a) {
    Word result = 1, base = a;
    for (Word e = kPrime - 2; e != 0; e >>= 1, base = Multiply(base, base))
      if (e & 1) result = Multiply(result, base);
    return result;
  }
  // 2^k: the powers of two run round in kBits steps.
  static Word PowerOfTwo(long long k) { return Word{1} << (k % kBits); }
};

// Polynomials over the field, the coefficient of z^k at index k, no zero leading coefficient.
using Polynomial = std::vector<Word>;

int Degree(const Polynomial& p) { return static_cast<int>(p.size()) - 1; }

void Trim(Polynomial& p) {
  while (!p.empty() && p.back() == 0) p.pop_back();
}

template <class F>
Polynomial Derivative(const Polynomial& p) {
  Polynomial d;
  for (std::size_t k = 1; k < p.size(); ++k) d.push_back(F::Multiply(p[k], k));
  Trim(d);
  return d;
}

template <class F>
Polynomial Difference(Polynomial a, const Polynomial& b) {
  a.resize(std::max(a.size(), b.size()), 0);
  for (std::size_t k = 0; k < b.size(); ++k) a[k] = F::Subtract(a[k], b[k]);
  Trim(a);
  return a;
}

// a = quotient·b + remainder; a is left as the remainder. b is not 0.
template <class F>
Polynomial Divide(Polynomial& a, const Polynomial& b) {
  const Word inverse = F::Inverse(b.back());
  Polynomial quotient(a.size() >= b.size() ? a.size() - b.size() + 1 : 0, 0);
  for (int shift = Degree(a) - Degree(b); shift >= 0; --shift) {
    const auto top = static_cast<std::size_t>(shift) + b.size() - 1;
    const Word factor = F::Multiply(a[top], inverse);
    quotient[static_cast<std::size_t>(shift)] = factor;
    if (factor == 0) continue;
    for (std::size_t k = 0; k < b.size(); ++k)
      a[k + static_cast<std::size_t>(shift)] =
          F::Subtract(a[k + static_cast<std::size_t>(shift)], F::Multiply(factor, b[k]));
  }
  Trim(a);
  return quotient;
}

template <class F>
Polynomial Quotient(Polynomial a, const Polynomial& b) {
  return Divide<F>(a, b);
}

template <class F>
Polynomial Gcd(Polynomial a, Polynomial b) {
  while (!b.empty()) {
    Divide<F>(a, b);
    std::swap(a, b);
  }
  return a;
}

// The polynomial's coefficients as the integers they are times a common power of two, modulo the
// prime; empty when the leading one vanishes there.
template <class F>
Polynomial Reduced(const double* c, int n) {
  long long lowest = LLONG_MAX;
  std::vector<long long> mantissas, exponents;
  for (int k = n; k >= 0; --k) {  // the coefficient of z^(n−k) is c[k]
    int exponent = 0;
    const double fraction = std::frexp(c[k], &exponent);
    mantissas.push_back(static_cast<long long>(std::ldexp(fraction, 53)));
    exponents.push_back(exponent - 53);
    if (c[k] != 0) lowest = std::min(lowest, static_cast<long long>(exponent - 53));
  }
  Polynomial p;
  for (std::size_t k = 0; k < mantissas.size(); ++k) {
    const long long m = mantissas[k];
    const Word residue = static_cast<Word>(m < 0 ? -m : m) % F::kPrime;
    const Word value = m == 0 ? 0 : F::Multiply(residue, F::PowerOfTwo(exponents[k] - lowest));
    p.push_back(m < 0 ? F::Subtract(0, value) : value);
  }
  if (p.back() == 0) return {};
  return p;
}

// Yun's square-free factorisation: counts[m] = deg a_m.
template <class F>
std::vector<int> Multiplicities(const Polynomial& p) {
  std::vector<int> counts(p.size(), 0);
  Polynomial derivative = Derivative<F>(p);
  const Polynomial common = Gcd<F>(p, derivative);
  Polynomial b = Quotient<F>(p, common);
  Polynomial d = Difference<F>(Quotient<F>(derivative, common), Derivative<F>(b));
  for (std::size_t m = 1; Degree(b) > 0 && m < counts.size(); ++m) {
    const Polynomial a = Gcd<F>(b, d);
    counts[m] = Degree(a);
    b = Quotient<F>(b, a);
    d = Difference<F>(Quotient<F>(d, a), Derivative<F>(b));
  }
  return counts;
}

// Σ (m − 1)·counts[m]: the degree of gcd(p, p′).
int Excess(const std::vector<int>& counts) {
  int excess = 0;
  for (std::size_t m = 2; m < counts.size(); ++m) excess += static_cast<int>(m - 1) * counts[m];
  return excess;
}

}  // namespace

std::vector<int> RootMultiplicities(const double* c, int n) {
  using Large = MersenneField<61>;
  using Small = MersenneField<31>;
  std::vector<int> simple(static_cast<std::size_t>(n) + 1, 0);
  simple[1] = n;
  // The mantissa of c[0] is below 2^53, so it never vanishes modulo 2^61 − 1.
  const Polynomial large = Reduced<Large>(c, n);
  if (large.empty() || Degree(Gcd<Large>(large, Derivative<Large>(large))) == 0) return simple;
  std::vector<int> counts = Multiplicities<Large>(large);
  const Polynomial small = Reduced<Small>(c, n);
  if (!small.empty()) {
    std::vector<int> other = Multiplicities<Small>(small);
    if (Excess(other) < Excess(counts)) counts = other;
  }
  return counts;
}
