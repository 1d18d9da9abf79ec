#include "filter/coefficient_conventions.h"

PolynomialRatio DirectFormRatio(std::span<const double> a, std::span<const double> b, double gain) {
  PolynomialRatio ratio;
  for (const double value : a) ratio.numerator.push_back(value * gain);
  if (ratio.numerator.empty()) ratio.numerator.push_back(0);  // every a was 0: H = 0
  ratio.denominator.push_back(1);
  for (const double value : b) ratio.denominator.push_back(-value);
  return ratio;
}

SectionRatio SectionFormRatio(double g, double b0, double b1, double b2, double a1, double a2) {
  return {g, {b0, b1, b2}, {1, -a1, -a2}};
}

std::array<double, 6> SosRow(const SectionRatio& section, double extra_gain) {
  const double g = extra_gain * section.gain;
  const auto& [b0, b1, b2] = section.numerator;
  const auto& [a0, a1, a2] = section.denominator;
  return {g * b0, g * b1, g * b2, a0, a1, a2};
}
