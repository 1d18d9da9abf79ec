#pragma once
// The sums of the principal angles of a cascade's section numerators and of its section
// denominators at one frequency, the two side by side in the lanes of one vector: each section then
// costs one pass of vector operations instead of two of scalar ones. Lane for lane the arithmetic
// is AngleSum::Add's, so the sums come out bit for bit as adding the terms one by one.

#include <vector>

#include "filter/angle_sum.h"
#include "filter/lanes.h"
#include "filter/section_angles.h"

class PairedProducts {
 public:
  // The next section of the chain: numerator b0 + b1·z^−1 + b2·z^−2, denominator
  // 1 − a1·z^−1 − a2·z^−2.
  void Append(double b0, double b1, double b2, double a1, double a2);
  // Adds every section's numerator to numerator and denominator to denominator (both fresh);
  // false, leaving them as they were, when some term is 0 or beyond 2^±256: AngleSum takes such
  // a term its own way, and a vanishing denominator needs its frequency moved.
  bool Sum(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const;

 private:
  // Lane 0 the numerator, lane 1 the denominator: re = k0 + k1·cos θ + k2·cos 2θ and
  // im = l1·sin θ + l2·sin 2θ, with the very operations of the scalar evaluation.
  struct Section {
    Lanes k0, k1, k2, l1, l2;
  };
  std::vector<Section> sections_;
};
