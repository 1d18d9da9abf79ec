#pragma once
// Building blocks of the recursive low-pass designs: the bilinear images, with
// s = (1 − z^−1)/(1 + z^−1), of the analog sections of a prototype, and the order in which a
// design fills a cascade with them.

#include "filter/cascade_filter.h"

// Hands out a cascade's sections in design order: the embedded first section, then new ones.
class SectionChain {
 public:
  // Starts the cascade afresh: every section but the first is removed.
  explicit SectionChain(CCascadFilter2& cascade);
  // The next section to fill; null when memory ran out (the design then stops).
  CDigitalFilter2* Next();

 private:
  CCascadFilter2& cascade_;
  bool first_taken_ = false;
};

// The image of numerator·N(s)/(s² − t·s + e), t = 2·Re(pole), e = |pole|², for an N(s) of degree
// two or less with (1 + z^−1)²·N(s) = 1 + b1·z^−1 + b2·z^−2 (a constant factor of N goes into the
// numerator): gain numerator/g with g = 1 − t + e, b = (1, b1, b2), a1 = 2(1 − e)/g,
// a2 = −(1 + t + e)/g.
void SetBilinearPair(CDigitalFilter2& section, double numerator, double t, double e, double b1, double b2);

// The same for N(s) = 1: b = (1, 2, 1).
void SetLowPassPair(CDigitalFilter2& section, double numerator, double t, double e);

// A first-order section g·(1 + b1·z^−1)/(1 − a1·z^−1).
void SetFirstOrder(CDigitalFilter2& section, double gain, double b1, double a1);

// The low-pass one, b1 = 1.
void SetLowPassSingle(CDigitalFilter2& section, double gain, double a1);
