#pragma once
// What the recursive low-pass designs share: the pass-band edge, the levels at the band edges and
// the requested transition width, with the setters that correct them. Derived is the design itself;
// after every change a setter calls its Recompute, which derives the order and the prototype.
// No virtual operations: the design is known at compile time.

#include <numbers>

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

  double GetWp() const { return FWp; }
  double GetFp() const { return FFp; }
  double GetLp() const { return FLp; }
  double GetLpdB() const { return FLpdB; }
  double GetTransition() const { return FDelta * 100; }         // percent
  double GetActualTransition() const { return FDeltaA * 100; }  // percent, what the order achieves
  double GetLs() const { return FLs; }
  double GetLsdB() const { return FLsdB; }

 protected:
  CLowPassDesign() = default;

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

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }
};

template <class Derived>
double CLowPassDesign<Derived>::SetWp(double omega) {
  FWp = CorrectPassEdge(omega, Derived::kWpAbovePiMessage);
  FFp = FWp / (2 * std::numbers::pi);
  Self().Recompute();
  return FWp;
}

template <class Derived>
double CLowPassDesign<Derived>::SetFp(double f) {
  FFp = CorrectPassEdgeCyclic(f);
  FWp = 2 * std::numbers::pi * FFp;
  Self().Recompute();
  return FFp;
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
