#pragma once
// The angles a second-order section is evaluated at, computed once per frequency and shared by
// every section of a cascade and by the paired products.

#include <cmath>

// cos θ, sin θ, cos 2θ, sin 2θ: what every section of a cascade needs at one frequency.
struct SectionAngles {
  explicit SectionAngles(double t)
      : theta(t), c1(std::cos(t)), s1(std::sin(t)), c2(std::cos(2 * t)), s2(std::sin(2 * t)) {}
  double theta, c1, s1, c2, s2;
};
