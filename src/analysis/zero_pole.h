#pragma once
// The zeros and poles of the current filter, as the z-plane diagram and velmar-cli show them.

#include <complex>
#include <vector>

// Roots closer than this are one root of higher multiplicity.
constexpr double kCoincidentRoots = 1e-6;

struct ZeroPoleRoot {
  std::complex<double> value;
  int multiplicity = 1;
};

struct ZeroPoleSet {
  // Distinct roots, each sorted by angle (−π, π] and then by radius.
  std::vector<ZeroPoleRoot> zeros;
  std::vector<ZeroPoleRoot> poles;
  // k in H(z) = k·Π(1 − z_i·z⁻¹) / Π(1 − p_i·z⁻¹).
  double gain = 0;
  // The largest |p_i|, 0 without poles.
  double max_pole_radius = 0;
  // Every pole strictly inside the unit circle.
  bool stable = true;
};
