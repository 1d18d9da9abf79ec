#pragma once
// The zeros and poles of the current filter, as the z-plane diagram and velmar-cli show them.

#include <complex>
#include <vector>

#include "numeric/wide_number.h"

class CBaseDigitalFilter;
class CCascadFilter2;

struct ZeroPoleRoot {
  std::complex<double> value;
  int multiplicity = 1;
};

enum class Stability {
  kStable,    // every pole found, each surely strictly inside the unit circle
  kUnstable,  // a pole on or beyond the circle, or too near it to tell
  kUnknown,   // the poles found lie inside, but not every pole was found
};

struct ZeroPoleSet {
  // Distinct roots, each sorted by angle (−π, π] and then by radius. A root counts several times
  // only where it is exactly a multiple root, never because computed roots lie close.
  std::vector<ZeroPoleRoot> zeros;
  std::vector<ZeroPoleRoot> poles;
  // Roots (with multiplicity) that could not be found: their values lie beyond a double's range,
  // or no method converged to them.
  int missing_zeros = 0;
  int missing_poles = 0;
  // k in H(z) = k·Π(1 − z_i·z⁻¹) / Π(1 − p_i·z⁻¹), however far below or above a double's range.
  WideNumber gain;
  // The largest |p_i| of the poles found, 0 without poles.
  double max_pole_radius = 0;
  // Judged from every pole on its own with the error bound of its value.
  Stability stability = Stability::kStable;
};

// The z-plane of a filter. Both sides are written over the common power of z, so that
// H(z) = gain·Π(z − z_i) / Π(z − p_i) with every root counted by its multiplicity, roots at 0
// included (common ones cancelled). The form in z⁻¹ then differs from H by the filter's pure delay
// alone: H(z) = z^(Z − P)·gain·Π(1 − z_i·z⁻¹) / Π(1 − p_i·z⁻¹), Z and P the numbers of zeros and
// poles; so it gives |H| on the unit circle as it stands. Roots that could not be found are told
// through ShowMessage.
ZeroPoleSet DirectZeroPoles(const CBaseDigitalFilter& filter);
ZeroPoleSet CascadeZeroPoles(const CCascadFilter2& filter);
