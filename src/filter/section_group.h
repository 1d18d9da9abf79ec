#pragma once
// Up to four sections of a cascade stepped over a block together. The block goes through them in
// chunks, section j a chunk behind section j − 1: in each pass every section takes the chunk the
// one before it gave out in the pass before. Within a pass the sections are independent, so four
// of them step side by side in the lanes of two vectors. Such a pass runs without holding values
// at the limit and tracks the largest; the rare pass in which a value passes the limit (or turns
// NaN) is stepped again from its start with every value held, as the plain steps would. Either
// way every section does the same arithmetic on the same samples as stepping one sample through
// the whole chain after another, so the results are the same bit for bit.

#include "filter/lanes.h"

// A section's coefficients as its difference equation reads them, for one section (double) or
// for two side by side (Lanes).
template <class Value>
struct SectionCoefficientsOf {
  Value gain, b0, b1, b2, a1, a2;
};
using SectionCoefficients = SectionCoefficientsOf<double>;

// One sample through a section's difference equation with the given delay line; hold(value) gives
// what w and y become. The one formula for every way of stepping, so that they agree bit for bit.
template <class Value, class Hold>
Value DifferenceStep(const SectionCoefficientsOf<Value>& c, Value x, Value& w1, Value& w2, Hold hold) {
  // Both the recursion and the numerator are held: a section whose numerator alone is large
  // overflows as surely as one whose recursion grows. (gain·x is x itself for gain 1.)
  const Value w = hold(c.gain * x + c.a1 * w1 + c.a2 * w2);
  const Value y = hold(c.b0 * w + c.b1 * w1 + c.b2 * w2);
  w2 = w1;
  w1 = w;
  return y;
}

// A section's delay line and overflow record while its group steps.
struct SectionState {
  double w1 = 0, w2 = 0;
  bool flag = false;  // raised by the section's latest step
  int first = 0;      // the first index ≥ first_checked at which the flag rose, or the block's count
};

class SectionGroup {
 public:
  static constexpr int kMost = 4;

  // size (1 … kMost) sections in chain order; the group steps them in place.
  SectionGroup(const SectionCoefficients* coefficients, SectionState* states, int size)
      : coefficients_(coefficients), states_(states), size_(size) {}

  // Steps count samples in place through the sections, as one step after another would.
  void Step(double* samples, int count, int first_checked);

 private:
  static constexpr int kChunk = 64;
  // A pass's samples: row[t][j] goes into section j, row[t][size] came out of the last one
  // (rows padded to whole pairs of lanes).
  static constexpr int kRow = kMost + 2;
  using Rows = double[kChunk][kRow];
  // What the first section steps while no chunk is left to enter it.
  static constexpr double kNoChunk[kChunk] = {};

  // Sample n (x) through section j with every value held; the flag and its first index kept.
  double StepHeld(int j, double x, int n, int first_checked);
  // Pass `pass` with every value held: section j steps chunk pass − j of chunks (the first of
  // which starts at sample first_sample), if there is one.
  void StepHeld(int pass, int chunks, int first_sample, const Rows& in, Rows& out, int first_checked);
  // The same for four sections without holding, the first taking the entering chunk (one without
  // a chunk steps whatever it is given and is left as it was); false (nothing changed but out)
  // when some value passed the limit or turned NaN.
  bool SteppedUnheld(int pass, int chunks, const double* entering, const Rows& in, Rows& out);

  const SectionCoefficients* coefficients_;
  SectionState* states_;
  int size_;
};
