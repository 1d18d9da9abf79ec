#pragma once
// Non-recursive low-pass filter by weighting: the ideal low-pass impulse response with cut-off ωc,
// truncated to N taps centred on ⌊N/2⌋, with a rectangular or a Hamming window. The setters only
// store; Design writes the taps into the direct form.

#include "filter/digital_filter.h"

class CWeighingFilter : public CBaseDigitalFilter {
 public:
  static constexpr int kMaxOrder = 500;

  CWeighingFilter();

  // Cyclic cut-off; at most 0.5, with no lower bound (a negative one negates the taps).
  double SetFc(double f);
  // Angular cut-off in (0, π].
  double SetWc(double omega);
  // Order in [1, 500].
  int SetOrder(int n);
  void SetHamming(bool hamming) { FHamming = hamming; }

  double GetFc() const { return FFc; }
  double GetWc() const { return FWc; }
  int GetOrder() const { return FOrder; }
  bool IsHamming() const { return FHamming; }

  // Writes the taps h(0) … h(N), the last being 0, and sizes the delay line.
  void Design();

 protected:
  // One tap at offset m from the centre, before the window, for order n. sine is sin(m·ωc),
  // centre_tap is ωc/π.
  using TapFormula = double (*)(int m, int n, double sine, double centre_tap);

  // The design common to the windowed taps: Clear, taps i = 0 … N, ResizeState(N).
  void FillTaps(TapFormula tap, const char* memory_message);

 private:
  double FFc = 0;   // cut-off, cyclic
  double FWc = 1;   // cut-off, angular
  int FOrder = 10;  // number of non-zero taps
  bool FHamming = false;
};
