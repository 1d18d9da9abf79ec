#pragma once
// The zeros and poles of the current filter, as the z-plane diagram and velmar-cli show them.

#include <complex>
#include <vector>

class CBaseDigitalFilter;
class CCascadFilter2;

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

// The distinct roots, those within kCoincidentRoots of each other merged with their multiplicity,
// sorted by angle in (−π, π] and then by radius.
std::vector<ZeroPoleRoot> MergeRoots(const std::vector<std::complex<double>>& roots);

// The z-plane of a filter. Both sides are written over the common power of z, so that
// H(z) = gain·Π(z − z_i) / Π(z − p_i) with every root counted by its multiplicity, roots at 0
// included (common ones cancelled). The form in z⁻¹ then differs from H by the filter's pure delay
// alone: H(z) = z^(Z − P)·gain·Π(1 − z_i·z⁻¹) / Π(1 − p_i·z⁻¹), Z and P the numbers of zeros and
// poles; so it gives |H| on the unit circle as it stands.
ZeroPoleSet DirectZeroPoles(const CBaseDigitalFilter& filter);
ZeroPoleSet CascadeZeroPoles(const CCascadFilter2& filter);
