#pragma once
// Non-recursive low-pass filter by frequency sampling: the taps of the filter whose response,
// sampled at N equally spaced frequencies, is the ideal low-pass with cut-off ωc (a periodic sinc).
// Requirements, setters and window choice are those of the windowed design.

#include "filter/weighing.h"

class CFrSamplingFilter : public CWeighingFilter {
 public:
  // Writes the taps h(0) … h(N), the last being 0, and sizes the delay line.
  void Design();
};
