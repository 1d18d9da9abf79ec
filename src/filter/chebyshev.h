#pragma once
// Chebyshev filter (type I): the pass band ripples between 1 and Lr = 1 − r, and the response
// falls to Lp at the pass-band edge (every edge of the band types). The analog prototype is prewarped and mapped to
// second-order sections by the bilinear transform. The setters correct the requirements and keep
// the order, the ripple-band edge and the achieved transition width consistent with it (Lp ≤ Lr
// always); Design fills the sections.

#include "filter/low_pass_design.h"

class CChebishevFilter : public CLowPassDesign<CChebishevFilter> {
 public:
  static constexpr int kMaxOrder = 60;
  static const char* const kWpAbovePiMessage;

  CChebishevFilter();

  // Level at the pass-band edge, corrected into [0.5, 0.9]; above Lr it narrows the ripple band.
  double SetLp(double level);
  double SetRipple(double r);    // ripple span (fraction); lowers Lp if needed
  double SetRippledB(double x);  // the same in dB, sign ignored; returns the stored dB value
  int SetOrder(int n);
  // Whether the order is searched from the requirements; takes effect with the next setter.
  void SetAutoOrder(bool automatic) { FAutoOrder = automatic; }

  double GetRipple() const { return FRipple; }
  double GetRippledB() const { return FRippledB; }
  int GetOrder() const { return FOrder; }
  bool IsAutoOrder() const { return FAutoOrder; }
  // Lower ripple level 1 − r.
  double GetLr() const { return FLr; }
  // Prewarped edge of the ripple band; for the other band types, of the prototype in X.
  double GetWr() const { return FWr; }

  // Fills the cascade for the current order, ripple and ripple-band edge.
  void Design();

 private:
  friend class CLowPassDesign<CChebishevFilter>;

  // Derived values of the requirements, then the order (searched or kept).
  void Recompute();
  // Stop-band edge and achieved transition width for the current order and ripple-band edge.
  void RecomputeStop();
  // The ripple-band edge at which order n reaches Lp exactly at ωp.
  double RippleEdge(int n) const;
  // Stores a ripple span with its lower level lr = 1 − r.
  void StoreRipple(double r, double lr);

  double FRipple = 0.1;  // ripple span r
  double FRippledB = 0;  // |dB(1 − r)|
  double FLr = 0.9;      // lower ripple level 1 − r
  int FOrder = 1;
  double FEp = 1;    // 1/Lp² − 1
  double FEs = 1;    // 1/Ls² − 1
  double FEps2 = 1;  // 1/Lr² − 1, the ripple factor squared
  double FWr = 1;    // prewarped ripple-band edge
  double FTp = 0;    // tan(ωp/2)
  double FWs = 1;    // prewarped stop-band edge the order achieves (in X for the other band types)
  bool FAutoOrder = true;
};
