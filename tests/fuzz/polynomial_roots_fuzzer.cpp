// Bytes as a polynomial of a degree up to 499, as velmar-cli takes: a cheap base whose roots are
// known in kind (roots of unity, exact multiple roots, coefficients across the range of a double),
// chosen and sized by the first bytes, with a few coefficients replaced by doubles from the rest.
// No fault and no hang; the roots found, counted with their multiplicities, and those reported
// missing are as many as the degree (leading zeros are roots at infinity, left out), both as shown
// and one by one, and those off the real axis come in exact conjugate pairs of equal multiplicity.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "analysis/polynomial_roots.h"

namespace {

constexpr int kLargestDegree = 499;
constexpr std::size_t kHeader = 4;                   // degree (2 bytes), base, its parameter
constexpr std::size_t kChange = 2 + sizeof(double);  // coefficient index, new value
constexpr std::size_t kMostChanges = 8;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// c (highest power first, degree n) times (z^shift + sign), in place.
void TimesSparseBinomial(std::vector<double>& c, int shift, double sign) {
  std::vector<double> product(c.size() + static_cast<std::size_t>(shift), 0.0);
  for (std::size_t k = 0; k < c.size(); ++k) {
    product[k] += c[k];
    product[k + static_cast<std::size_t>(shift)] += sign * c[k];
  }
  c.swap(product);
}

std::vector<double> Base(int n, std::uint8_t kind, std::uint8_t parameter) {
  std::vector<double> c = {1};
  switch (kind % 5) {
    case 0:  // z^n − 1
      TimesSparseBinomial(c, n, -1);
      break;
    case 1: {  // (z ± 1)^k·z^(n−k), k ≤ 20: one exact root of multiplicity k
      const int k = std::min(n, parameter % 21);
      for (int i = 0; i < k; ++i) TimesSparseBinomial(c, 1, parameter & 0x80 ? -1 : 1);
      c.resize(static_cast<std::size_t>(n) + 1, 0.0);
      break;
    }
    case 2: {  // (z² − t·z + 1)^m·(z^(n−2m) + 1), 2m ≤ 20: a multiple pair on the circle, exact
      // or (the last t) within the coefficients' rounding
      const double twice_cosine[] = {0, 1, -1, 2 * std::cos(0.7)};
      const int m = std::min(n / 2, parameter % 11);
      for (int i = 0; i < m; ++i) {
        std::vector<double> q(c.size() + 2, 0.0);
        for (std::size_t k = 0; k < c.size(); ++k) {
          q[k] += c[k];
          q[k + 1] -= twice_cosine[parameter >> 6] * c[k];
          q[k + 2] += c[k];
        }
        c.swap(q);
      }
      if (n > 2 * m) TimesSparseBinomial(c, n - 2 * m, 1);
      break;
    }
    case 3:  // 1 + z + … + z^n
      c.assign(static_cast<std::size_t>(n) + 1, 1.0);
      break;
    default:  // sizes 2^(−k·s) folded into 2^±1000: across the range of a double
      c.resize(static_cast<std::size_t>(n) + 1);
      for (int k = 0; k <= n; ++k)
        c[static_cast<std::size_t>(k)] = std::ldexp(1.0, (k * (parameter + 1)) % 2000 - 1000);
  }
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeader) return 0;
  // Half the inputs small (a millisecond each), the others of any degree up to 499 (a tenth of a
  // second there), so that a short run tries many.
  const int n = data[0] % 2 == 0 ? data[1] % 64 : (data[0] | data[1] << 8) % (kLargestDegree + 1);
  std::vector<double> c = Base(n, data[2], data[3]);
  for (std::size_t at = kHeader, changes = 0; at + kChange <= size && changes < kMostChanges;
       at += kChange, ++changes) {
    const std::size_t index = (data[at] | data[at + 1] << 8) % c.size();
    std::memcpy(&c[index], data + at + 2, sizeof(double));
  }

  const PolynomialRootSet set = PolynomialRoots(c.data(), n);
  const auto leading = std::find_if(c.begin(), c.end(), [](double value) { return value != 0; });
  const int degree = leading == c.end() ? 0 : static_cast<int>(c.end() - leading) - 1;
  int count = set.missing;
  for (const PolynomialRoot& r : set.roots) {
    Check(r.multiplicity > 0 && std::isfinite(r.value.real()) && std::isfinite(r.value.imag()));
    count += r.multiplicity;
    if (r.value.imag() == 0) continue;
    Check(std::any_of(set.roots.begin(), set.roots.end(), [&](const PolynomialRoot& other) {
      return other.value == std::conj(r.value) && other.multiplicity == r.multiplicity;
    }));
  }
  Check(count == degree);
  count = set.missing;
  for (const PolynomialRoot& r : set.apart) count += r.multiplicity;
  Check(count == degree);
  return 0;
}
