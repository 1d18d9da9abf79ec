// Any bytes as the coefficients of a polynomial, 8 to a double, up to degree 160 (both ways of
// finding roots): no fault and no hang; when the roots are found they are as many as the degree
// (leading zeros are roots at infinity, left out), and those off the real axis are exact
// conjugate pairs, each as often as its mirror image.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "analysis/polynomial_roots.h"

namespace {

constexpr std::size_t kMostCoefficients = 161;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<double> c(std::min(size / sizeof(double), kMostCoefficients));
  if (c.empty()) return 0;
  std::memcpy(c.data(), data, c.size() * sizeof(double));
  std::vector<std::complex<double>> roots;
  if (!PolynomialRoots(c.data(), static_cast<int>(c.size()) - 1, roots)) return 0;

  const auto leading = std::find_if(c.begin(), c.end(), [](double value) { return value != 0; });
  const std::size_t degree = leading == c.end() ? 0 : static_cast<std::size_t>(c.end() - leading) - 1;
  Check(roots.size() == degree);
  for (const std::complex<double>& z : roots)
    if (std::isfinite(z.real()) && std::isfinite(z.imag()))
      Check(std::count(roots.begin(), roots.end(), std::conj(z)) == std::count(roots.begin(), roots.end(), z));
  return 0;
}
