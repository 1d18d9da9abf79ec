#include "filter/group_delay.h"

#include <algorithm>
#include <utility>

DelayPolynomial::DelayPolynomial(std::vector<double> coefficients) : c(std::move(coefficients)) {
  if (c.empty()) c.push_back(0.0);
  double largest = 0;
  for (double value : c) largest = std::max(largest, std::fabs(value));
  int exponent = 0;
  if (largest > 0 && std::isfinite(largest)) std::frexp(largest, &exponent);
  double magnitudes = 0;
  for (double& value : c) {
    value = std::ldexp(value, -exponent);
    magnitudes += std::fabs(value);
  }
  vanishing = VanishingSum(magnitudes, Degree());
}

namespace {

template <int Count>
void DelaysAt(const DelayPolynomial& numerator, const DelayPolynomial& denominator, const double* thetas,
              double* delays) {
  PolySums np[Count], nq[Count], dp[Count], dq[Count];
  SumCosSinLanes<Count>(numerator.c.data(), numerator.Degree(), thetas, np, nq);
  SumCosSinLanes<Count>(denominator.c.data(), denominator.Degree(), thetas, dp, dq);
  for (int l = 0; l < Count; ++l) {
    const double tau = DelayOf(np[l].cos_sum, np[l].sin_sum, nq[l].cos_sum, nq[l].sin_sum, numerator.vanishing) -
                       DelayOf(dp[l].cos_sum, dp[l].sin_sum, dq[l].cos_sum, dq[l].sin_sum, denominator.vanishing);
    delays[l] = std::isfinite(tau) ? tau : std::numeric_limits<double>::quiet_NaN();
  }
}

}  // namespace

void DirectGroupDelays(const DelayPolynomial& numerator, const DelayPolynomial& denominator, const double* thetas,
                       int count, double* delays) {
  constexpr int kLanes = 4;
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) DelaysAt<kLanes>(numerator, denominator, thetas + i, delays + i);
  for (; i < count; ++i) DelaysAt<1>(numerator, denominator, thetas + i, delays + i);
}
