#pragma once
// What the recursive designs share: the band type, the pass-band edges, the levels at the band
// edges and the requested transition width, with the setters that correct them. Low-pass and
// high-pass use the first edge only; band-pass passes ωp…ωp2, band-stop passes below ωp and above
// ωp2; the setters keep ωp2 above ωp for those two. Derived is the design itself; after every
// change a setter calls its Recompute, which derives the order and the prototype. No virtual
// operations: the design is known at compile time.

#include <numbers>

#include "filter/band_frequencies.h"
#include "filter/band_type.h"
#include "filter/cascade_filter.h"
#include "filter/design_corrections.h"
#include "numeric/numeric.h"

template <class Derived>
class CLowPassDesign : public CCascadFilter2 {
 public:
  // Each setter corrects its argument, stores it, recomputes and returns the stored value.
  double SetWp(double omega);            // pass-band edge, angular
  double SetFp(double f);                // pass-band edge, cyclic
  double SetLpdB(double x);              // level at the pass-band edge in dB; returns the stored dB value
  double SetTransition(double percent);  // requested relative transition width
  double SetLs(double level);            // level at the stop-band edge
  double SetLsdB(double x);              // the same in dB; returns the stored dB value
  BandType SetBand(BandType band);       // band type; the edges are put in order if it needs both
  double SetWp2(double omega);           // second pass-band edge, angular
  double SetFp2(double f);               // second pass-band edge, cyclic

  double GetWp() const { return FWp; }
  double GetFp() const { return FFp; }
  double GetLp() const { return FLp; }
  double GetLpdB() const { return FLpdB; }
  double GetTransition() const { return FDelta * 100; }         // percent
  double GetActualTransition() const { return FDeltaA * 100; }  // percent, what the order achieves
  double GetLs() const { return FLs; }
  double GetLsdB() const { return FLsdB; }
  BandType GetBand() const { return FBand; }
  double GetWp2() const { return FWp2; }
  double GetFp2() const { return FFp2; }
  // Whether the band type uses the second edge.
  bool HasSecondEdge() const { return HasTwoCutoffs(FBand); }
  // The filter's order: the prototype's, twice that for the band types with two edges.
  int FilterOrder() const { return static_cast<const Derived&>(*this).GetOrder() * (HasSecondEdge() ? 2 : 1); }

 protected:
  CLowPassDesign() = default;

  BandFrequencies Frequencies() const { return {FBand, FWp, FWp2}; }
  // Band-stop: a requested width whose stop edges (1 + δ)·ωp and (1 − δ)·ωp2 cross leaves no stop
  // band to ask for; it is narrowed, with a message, to where they meet.
  void KeepStopBandOpen();

  // Stores a level at the pass-band edge that the design has corrected.
  void StoreLp(double level) {
    FLp = level;
    FLpdB = ToDecibel(level);
  }

  double FWp = 1;        // pass-band edge, angular
  double FFp = 0;        // pass-band edge, cyclic
  double FLp = 0.707;    // level at the pass-band edge
  double FLpdB = 0;      // the same in dB
  double FDelta = 0.1;   // requested relative transition width
  double FDeltaA = 0.1;  // relative transition width the order achieves
  double FLs = 0.01;     // level at the stop-band edge
  double FLsdB = 0;      // the same in dB
  BandType FBand = BandType::kLowPass;
  double FWp2 = 2;                     // second pass-band edge, angular
  double FFp2 = 1 / std::numbers::pi;  // the same, cyclic

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }
  // For the band types that use both edges, moves the second above the first with a message.
  void KeepEdgesInOrder();
  void StoreWp2(double omega) {
    FWp2 = omega;
    FFp2 = omega / (2 * std::numbers::pi);
  }
};

template <class Derived>
double CLowPassDesign<Derived>::SetWp(double omega) {
  FWp = CorrectPassEdge(omega, Derived::kWpAbovePiMessage);
  FFp = FWp / (2 * std::numbers::pi);
  KeepEdgesInOrder();
  Self().Recompute();
  return FWp;
}

template <class Derived>
double CLowPassDesign<Derived>::SetFp(double f) {
  FFp = CorrectPassEdgeCyclic(f);
  FWp = 2 * std::numbers::pi * FFp;
  KeepEdgesInOrder();
  Self().Recompute();
  return FFp;
}

template <class Derived>
BandType CLowPassDesign<Derived>::SetBand(BandType band) {
  FBand = band;
  KeepEdgesInOrder();
  Self().Recompute();
  return FBand;
}

template <class Derived>
double CLowPassDesign<Derived>::SetWp2(double omega) {
  StoreWp2(CorrectPassEdge(omega, Derived::kWpAbovePiMessage));
  KeepEdgesInOrder();
  Self().Recompute();
  return FWp2;
}

template <class Derived>
double CLowPassDesign<Derived>::SetFp2(double f) {
  const double fp2 = CorrectPassEdgeCyclic(f);
  StoreWp2(2 * std::numbers::pi * fp2);
  FFp2 = fp2;
  KeepEdgesInOrder();
  Self().Recompute();
  return FFp2;
}

template <class Derived>
void CLowPassDesign<Derived>::KeepStopBandOpen() {
  if (FBand != BandType::kBandStop) return;
  const double widest = Frequencies().WidestStopTransition();
  if (FDelta > widest) Correct(FDelta, widest, kStopEdgesCrossMessage);
}

template <class Derived>
void CLowPassDesign<Derived>::KeepEdgesInOrder() {
  if (!HasSecondEdge()) return;
  const EdgePair edges = OrderedEdges(FWp, FWp2);
  if (edges.first == FWp && edges.second == FWp2) return;
  FWp = edges.first;
  FFp = FWp / (2 * std::numbers::pi);
  StoreWp2(edges.second);
}

template <class Derived>
double CLowPassDesign<Derived>::SetLpdB(double x) {
  Self().SetLp(PassLevelFromDecibel(x));
  return FLpdB;
}

template <class Derived>
double CLowPassDesign<Derived>::SetTransition(double percent) {
  percent = CorrectTransitionPercent(percent);
  FDelta = percent / 100;
  Self().Recompute();
  return percent;
}

template <class Derived>
double CLowPassDesign<Derived>::SetLs(double level) {
  FLs = CorrectStopLevel(level);
  FLsdB = ToDecibel(FLs);
  Self().Recompute();
  return FLs;
}

template <class Derived>
double CLowPassDesign<Derived>::SetLsdB(double x) {
  SetLs(StopLevelFromDecibel(x));
  return FLsdB;
}
