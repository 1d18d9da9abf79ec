#pragma once
// One cosine oscillation A·cos(ω·n + φ) of the biharmonic signal, with the corrections its entry
// fields apply. ω, f = ω/2π and T = 1/f always agree; a zero frequency has the period 1e10,
// which stands for an infinite one.

#include <complex>
#include <string>

class Oscillation {
 public:
  static constexpr double kInfinitePeriod = 1e10;
  // What the period field shows for a zero frequency.
  static constexpr const char* kInfinityText = "Бесконечность";

  Oscillation(double omega, double amplitude);

  double Omega() const { return omega_; }
  double Frequency() const { return frequency_; }
  double Period() const { return period_; }
  double Amplitude() const { return amplitude_; }
  double Phase() const { return phase_; }  // radians
  bool IsPhaseInDegrees() const { return phase_in_degrees_; }

  // Each setter corrects a value out of its range with a message and returns what it stored.
  double SetOmega(double omega);          // at most π, else 3
  double SetFrequency(double frequency);  // at most 0,5
  double SetPeriod(double period);        // 0 becomes 0,01, then anything below 2 becomes 2
  void SetInfinitePeriod();               // ω = f = 0
  double SetAmplitude(double amplitude);  // at most 10
  void SetPhase(double radians) { phase_ = radians; }
  // A phase typed in the unit of the phase field.
  void EnterPhase(double value);
  void SetPhaseInDegrees(bool degrees) { phase_in_degrees_ = degrees; }

  // The field texts: 3 decimals with a decimal comma; the period of a zero frequency is
  // "Бесконечность"; the phase in the chosen unit.
  std::string OmegaText() const;
  std::string FrequencyText() const;
  std::string PeriodText() const;
  std::string AmplitudeText() const;
  std::string PhaseText() const;

  double ValueAt(int n) const;
  // The spectrum of the oscillation switched on at n = 0, at the reduced frequency r; the
  // spectral line itself (within step of ω, or a vanishing denominator) stands as 600·A.
  std::complex<double> SwitchedOnSpectrum(double r, double step) const;

 private:
  void TakeFrequency(double frequency);

  double omega_;
  double frequency_;
  double period_;
  double amplitude_;
  double phase_ = 0.0;
  bool phase_in_degrees_ = true;
};
