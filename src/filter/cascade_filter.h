#pragma once
// A recursive filter as a chain of second-order sections, each realising
//   Hs(z) = g·(b0 + b1·z^−1 + b2·z^−2) / (1 − a1·z^−1 − a2·z^−2)
// with the same plus-sign convention as the direct form; the cascade is their product.

#include <complex>
#include <memory>
#include <vector>

#include "filter/paired_products.h"
#include "filter/section_angles.h"
#include "filter/section_group.h"
#include "filter/shifted_section.h"
#include "filter/steady_state.h"

class AngleSum;

class CDigitalFilter2 {
 public:
  // k = 0, 1, 2; other k are ignored.
  void SetB(int k, double value);
  // k = 1, 2; other k are ignored.
  void SetA(int k, double value);
  void SetGain(double g) { gain_ = g; }
  double Step(double x);
  double Amplitude(double omega) const;
  double Phase(double omega) const;
  // Delay line to rest and flag cleared.
  void ClearState();

  // The same responses with the angle terms computed once for the whole cascade.
  double Amplitude(const SectionAngles& angles) const;
  double Phase(const SectionAngles& angles) const;

  double B(int k) const { return k == 0 ? b0_ : k == 1 ? b1_ : k == 2 ? b2_ : 0.0; }
  double A(int k) const { return k == 1 ? a1_ : k == 2 ? a2_ : 0.0; }
  double Gain() const { return gain_; }
  double SamplingPeriod() const { return sampling_period_; }
  bool IsOverflow() const { return overflow_; }
  CDigitalFilter2* Next() const { return next_; }

 private:
  friend class CCascadFilter2;

  // The numerator b0 + b1·e^{−jθ} + b2·e^{−j2θ} and the denominator 1 − a1·e^{−jθ} − a2·e^{−j2θ},
  // each written about the s of the angles (as PairedProducts evaluates them).
  struct Value {
    double re_b, im_b, re_a, im_a, d;  // d = |denominator|²
  };
  Value Evaluate(const SectionAngles& angles) const;
  // g·|numerator|/|denominator| from an evaluation.
  double AmplitudeOf(const Value& v) const;
  // The denominator after moving a vanishing frequency by step until it no longer vanishes.
  Value Nudged(Value value, double theta, double step) const;
  // The denominator after the amplitude's (or the phase's) move of a vanishing frequency.
  Value AmplitudeNudged(Value value, double theta) const;
  Value PhaseNudged(Value value, double theta) const;
  SectionCoefficients Coefficients() const;
  // Steps count samples in place through size (1 … 4) sections of a chain, each section's
  // overflow flag left as its last sample raised it; returns the earliest index ≥ first_checked
  // at which a section raised its flag, or count.
  static int StepGroup(CDigitalFilter2* const* group, int size, double* samples, int count, int first_checked);

  double b0_ = 1, b1_ = 0, b2_ = 0;  // numerator
  double a1_ = 0, a2_ = 0;           // recursive coefficients (plus sign)
  double w1_ = 0, w2_ = 0;           // w(n−1), w(n−2)
  double gain_ = 1;                  // applied to the section's input
  double sampling_period_ = 1;       // responses are evaluated at θ = ω·T
  bool overflow_ = false;            // set by a step that hit the limit
  CDigitalFilter2* next_ = nullptr;  // next section of the chain
};

class CCascadFilter2 {
 public:
  CCascadFilter2() = default;
  CCascadFilter2(const CCascadFilter2&) = delete;
  CCascadFilter2& operator=(const CCascadFilter2&) = delete;

  // A new section with its initial values at the end of the chain; null when memory ran out.
  CDigitalFilter2* AppendSection();
  // Frees every section but the first, which keeps its coefficients.
  void RemoveSections();
  CDigitalFilter2* FirstSection() { return &first_; }
  const CDigitalFilter2* FirstSection() const { return &first_; }
  int SectionCount() const { return 1 + static_cast<int>(more_.size()); }
  // The factor applied to the cascade's input, ahead of the first section.
  double InputGain() const { return input_gain_; }

  void Reset();
  double Step(double x);
  // Steps count samples of x into y as Step would, one section after the other over the whole
  // block (the sections' recursions then overlap). Returns the first index ≥ first_checked at
  // which IsOverflow() would have been true, or count; afterwards IsOverflow() tells whether any
  // sample overflowed. The delay lines are those after the block only when nothing overflowed.
  int StepBlock(const double* x, double* y, int count, int first_checked = 0);
  bool IsOverflow() const { return overflow_; }
  // Whether every section's poles lie strictly inside the circle of the given radius.
  bool PolesWithin(double radius) const;
  // Puts the delay lines into the steady state of a stationary input as they stand just before
  // the input's reference sample. False, the lines left as they were, when a value of that state
  // lies beyond ±kFilterLimit (or is no number): the steady state does not fit into the filter.
  bool SetSteadyState(const std::vector<Phasor>& input);
  // Product of the sections' amplitudes.
  double Amplitude(double omega) const;
  // Sum of the sections' phases, in radians, not wrapped.
  double Phase(double omega) const;
  // Amplitude and Phase together, each section evaluated once: the amplitude as the magnitude of
  // the products of the numerators and denominators (within 1e−12 relative of Amplitude's
  // product of the sections' amplitudes), the phase exactly Phase's.
  void Response(double omega, double& amplitude, double& phase) const;
  // Response at each of count frequencies; with delays, GroupDelays' values too.
  void Responses(const double* omegas, int count, double* amplitudes, double* phases, double* delays = nullptr) const;
  // The group delay −dφ/dω in samples at each of count frequencies, the sum of the sections'; NaN
  // where it cannot be known within kDelayTolerance (next to a zero or a pole on the unit circle).
  void GroupDelays(const double* omegas, int count, double* delays) const;

 private:
  // Adds the sections' numerators and denominators to the sums one by one, each vanishing
  // denominator moved as Phase moves it; returns whether one was.
  bool AddOneByOne(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const;
  // The product of the sections' amplitudes at the given angles.
  double Amplitude(const SectionAngles& angles) const;
  // That product when it left the range of a double on the way.
  double WideProduct(const SectionAngles& angles) const;
  // The sections side by side, numerator and denominator; for_delay, with the group delay's tables.
  PairedProducts Paired(bool for_delay) const;
  // Whether a section's gain is 0: H is 0 everywhere, and its delay nowhere known.
  bool Silent() const;
  // mantissa·2^exponent.
  struct WideValue {
    double mantissa = 1;
    long long exponent = 0;
  };
  // The product of factor(section) over the sections, free of overflow and underflow on the way.
  template <class Factor>
  WideValue WideProductOf(Factor factor) const;
  // value·2^exponent, for any exponent.
  static double ScaledByPowerOfTwo(double value, long long exponent);

  CDigitalFilter2 first_;                               // embedded, never removed
  std::vector<std::unique_ptr<CDigitalFilter2>> more_;  // owned, in chain order
  bool overflow_ = false;
  double input_gain_ = 1;
};
