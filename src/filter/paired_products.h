#pragma once
// A cascade's section numerators and section denominators at one frequency, two polynomials side
// by side in the lanes of one vector, so that each pair costs one pass of vector operations
// instead of two of scalar ones: the sums of their principal angles (the phase, and with their
// magnitudes the amplitude), and the sum of their group delays. Lane for lane the arithmetic of
// the angle sums is AngleSum::Add's on the values a section gives on its own, so they come out bit
// for bit as adding the terms one by one.

#include <vector>

#include "filter/angle_sum.h"
#include "filter/group_delay.h"
#include "filter/lanes.h"
#include "filter/section_angles.h"
#include "filter/shifted_section.h"

class PairedProducts {
 public:
  // Delay is asked for only of products made for it: its tables cost far more to set up than the
  // sums, which a single frequency's amplitude or phase would otherwise pay at every call.
  explicit PairedProducts(bool for_delay = false) : for_delay_(for_delay) {}
  // The next section of the chain: numerator b0 + b1·z^−1 + b2·z^−2, denominator
  // 1 − a1·z^−1 − a2·z^−2.
  void Append(double b0, double b1, double b2, double a1, double a2);
  // Adds every section's numerator to numerator and denominator to denominator (both fresh);
  // false, leaving them as they were, when some term is 0 or beyond 2^±256: AngleSum takes such
  // a term its own way, and a vanishing denominator needs its frequency moved.
  bool Sum(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const;
  // The sections' numerators' group delay less their denominators', with the bound of its error
  // (of products made for_delay).
  DelayTerm<double> Delay(const SectionAngles& angles) const;

 private:
  // A section about one of z = ±1: lane 0 the numerator, lane 1 the denominator, and the
  // coefficients of the imaginary parts negated.
  struct Section {
    ShiftedQuadratic<simd::Lanes> terms;
    simd::Lanes minus_d1, minus_d2;
  };
  // The distinct polynomials of the chain about one of z = ±1 for the delay, with their roots
  // there taken out, each with the bounds of its errors and its weight (how often it occurs, a
  // denominator negative), column by column so that two load as one vector; a polynomial left
  // constant has no delay and is not kept.
  struct DelayTable {
    void Add(double c0, double c1, double c2, double s, double weight);
    std::vector<double> c0, c1, c2;  // the coefficients as given, to find a repetition
    std::vector<double> e0, e1, e2, twice_e2, p0, p1, p2, q0, q1, weight;
    double root_delay = 0;  // of the roots taken out
    // Over every |v| ≤ √2, weighted: Σ e_P, Σ e_Q, Σ |Q̂| and Σ |Q̂|·e_P.
    double p_errors = 0, q_errors = 0, moments = 0, moment_p_errors = 0;
  };
  // The delay from the sums of the table's terms; with a bound from the largest 1/|P̂| of the terms
  // and the table's constants (enough almost everywhere), or from each term's own.
  template <bool kEachOwn>
  DelayTerm<double> Delay(const DelayTable& table, const SectionAngles& angles) const;
  // About z = 1 and about z = −1.
  std::vector<Section> sections_[2];
  DelayTable delays_[2];
  bool for_delay_;
};
