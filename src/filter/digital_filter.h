#pragma once
// A linear digital filter given by the coefficients of its difference equation
//   y(n) = Σ ak·x(n−k) + Σ bi·y(n−i)     (note the plus sign before the recursive sum),
// computed in direct form II with one delay line shared by both parts:
//   w(n) = g·x(n) + Σ bi·w(n−i),   y(n) = Σ ak·w(n−k).

#include <complex>
#include <vector>

#include "filter/delay_line.h"
#include "filter/steady_state.h"
#include "filter/value_list.h"

// Values beyond ±this are held at it and raise the overflow flag.
constexpr double kFilterLimit = 1e11;

// A value beyond ±kFilterLimit held at the limit of its sign (NaN at 0), setting overflow.
inline double HoldAtLimit(double value, bool& overflow) {
  if (value <= kFilterLimit && value >= -kFilterLimit) return value;
  overflow = true;
  if (value > 0) return kFilterLimit;
  return value < 0 ? -kFilterLimit : 0.0;
}

class CBaseDigitalFilter {
 public:
  CBaseDigitalFilter();

  // Empties the coefficients and the delay line; they must be set again before use.
  void Clear();
  // Clears the delay line and gives it degree + 1 elements; false when memory ran out.
  bool ResizeState(int degree);
  // Back to rest: delay line zeroed, overflow flag cleared.
  void Reset();
  // One input sample through the filter.
  double Step(double x);
  // Steps count samples of x into y; returns the first index ≥ first_checked after whose step
  // IsOverflow() is true (the samples after it are not stepped), or count.
  int StepBlock(const double* x, double* y, int count, int first_checked = 0);
  bool IsOverflow() const { return FOverflow; }
  // Whether every pole lies strictly inside the circle of the given radius.
  bool PolesWithin(double radius) const;
  // Puts the delay line into the steady state of a stationary input as it stands just before the
  // input's reference sample. False, the line left as it was, when a value of that state lies
  // beyond ±kFilterLimit (or is no number): the steady state does not fit into the filter.
  bool SetSteadyState(const std::vector<Phasor>& input);
  // Amplitude and (unwrapped) phase of H at the normalised angular frequency omega.
  void Response(double omega, double& amplitude, double& phase);
  // Response at each of count frequencies, with the same values, several frequencies at a time;
  // with delays, GroupDelays' values too, from the same sums.
  void Responses(const double* omegas, int count, double* amplitudes, double* phases, double* delays = nullptr);
  // The group delay −dφ/dω in samples at each of count frequencies; NaN where the numerator or the
  // denominator vanishes on the unit circle.
  void GroupDelays(const double* omegas, int count, double* delays) const;

  int FAOrder() const { return FACoef.Degree(); }
  int FBOrder() const { return FBCoef.Degree(); }
  int Order() const { return FAOrder() > FBOrder() ? FAOrder() : FBOrder(); }
  int StateDegree() const { return FState.Degree(); }
  double ACoef(int k) const { return FACoef.GetAt(k); }
  double BCoef(int i) const { return FBCoef.GetAt(i); }
  double StateAt(int i) const { return FState.GetAt(i); }
  // The factor applied to each input sample.
  double Gain() const { return FGain; }

 private:
  // The response from coefficients scaled to magnitudes near 1, for sums that leave the range of a
  // double; the amplitude is scaled back (and is infinite only when it lies beyond the range).
  void ScaledResponse(double theta, double& amplitude, double& phase) const;

 protected:
  CDoubleList FACoef;  // a0 … aN; element k multiplies w(n−k)
  CDoubleList FBCoef;  // element 0 is the fixed −1, element i ≥ 1 is bi
  DelayLine FState;    // element i ≥ 1 holds w(n−i)
  double FGain = 1.0;
  double FSamplingPeriod = 1.0;
  bool FOverflow = false;
};

// The filter whose coefficients the user types into the two coefficient tables.
class CDigitalFilter : public CBaseDigitalFilter {
 public:
  // Replaces a0 … a(count−1); trailing zeros are dropped.
  void SetACoef(const double* values, int count);
  // Sets bi (i ≥ 1; 0 is ignored); trailing zeros are dropped.
  void SetBCoef(int i, double value);

 private:
  // Keeps the delay line's degree at the filter's order.
  bool FitState();
};
