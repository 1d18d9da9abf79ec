#pragma once
// Butterworth filter: the analog prototype with its cut-off prewarped so that the level at the
// pass-band edge (every edge of the band types) is exactly Lp, mapped to second-order sections by
// the bilinear transform.
// The setters correct the requirements and keep the order, the cut-off and the achieved
// transition width consistent with it; Design fills the sections.

#include "filter/low_pass_design.h"

class CBatterwortFilter : public CLowPassDesign<CBatterwortFilter> {
 public:
  static constexpr int kMaxOrder = 200;
  static const char* const kWpAbovePiMessage;

  CBatterwortFilter();

  // Level at the pass-band edge, corrected into [0.5, 0.9].
  double SetLp(double level);
  int SetOrder(int n);
  // Whether the order follows from the requirements; takes effect with the next setter.
  void SetAutoOrder(bool automatic) { FAutoOrder = automatic; }

  int GetOrder() const { return FOrder; }
  bool IsAutoOrder() const { return FAutoOrder; }
  // Cut-off of the prewarped analog prototype; for the other band types, of the prototype in X.
  double GetWc() const { return FWc; }

  // Fills the cascade for the current order and cut-off.
  void Design();

 private:
  friend class CLowPassDesign<CBatterwortFilter>;

  // Derived values of the requirements, then the order (estimated or kept).
  void Recompute();
  // Cut-off and achieved transition width for the current order.
  void RecomputeCutoff();

  int FOrder = 1;
  double FEp = 1;  // 1/Lp² − 1
  double FEs = 1;  // 1/Ls² − 1
  double FTp = 0;  // tan(ωp/2), the prewarped pass-band edge
  double FTs = 0;  // tan((1 + δ)·ωp/2), the prewarped requested stop-band edge
  double FWc = 1;  // cut-off of the prewarped analog prototype
  bool FAutoOrder = true;
};
