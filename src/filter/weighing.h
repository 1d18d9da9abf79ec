#pragma once
// Non-recursive filter by weighting: the ideal impulse response of a low-pass, high-pass, band-pass
// or band-stop filter, truncated to N taps centred on ⌊N/2⌋ and multiplied by a window. The setters
// only store; Design writes the taps into the direct form.
//
// What follows what:
// - The band type picks the cut-offs that count: ωc alone for low-pass and high-pass, ωc < ωc2 for
//   band-pass and band-stop.
// - SetAttenuationDb sets A and β from A. SetKaiserBeta sets β alone, A stays.
// - With the Kaiser window chosen, setting A or the transition width also sets the order to the
//   estimate from A and Δω = width·ωc, through SetOrder's corrections. Choosing the window, the
//   cut-offs or β leaves the order as it is.

#include "filter/band_type.h"
#include "filter/digital_filter.h"

class CWeighingFilter : public CBaseDigitalFilter {
 public:
  static constexpr int kMaxOrder = 500;
  static constexpr double kMaxKaiserBeta = 100;
  static constexpr double kMaxAttenuationDb = 400;

  CWeighingFilter();

  void SetBand(BandType band) { FBand = band; }
  BandType GetBand() const { return FBand; }

  // Cyclic cut-off; at most 0.5. A low-pass one has no lower bound (a negative one negates the
  // taps), the other band types' is positive. For band-pass and band-stop also below the second.
  double SetFc(double f);
  // Angular cut-off in (0, π]; for band-pass and band-stop also below the second cut-off.
  double SetWc(double omega);
  // The second cut-off of band-pass and band-stop, in (0, π] and above the first.
  double SetWc2(double omega);
  double SetFc2(double f);
  // Order in [1, 500].
  int SetOrder(int n);

  void SetWindow(FirWindow window) { FWindow = window; }
  FirWindow GetWindow() const { return FWindow; }
  // The two windows of old: Hamming or rectangular.
  void SetHamming(bool hamming) { FWindow = hamming ? FirWindow::kHamming : FirWindow::kRectangular; }
  bool IsHamming() const { return FWindow == FirWindow::kHamming; }

  // Kaiser's β in [0, 100].
  double SetKaiserBeta(double beta);
  // Stop-band attenuation A in dB: the sign is ignored, at most 400 dB. Sets β from A.
  double SetAttenuationDb(double a);
  // Transition width for the order estimate, in percent of ωc; positive.
  double SetTransition(double percent);
  // ⌈(A − 8)/(2,285·Δω)⌉ + 1, held within the range of int.
  int EstimateKaiserOrder() const;

  double GetFc() const { return FFc; }
  double GetWc() const { return FWc; }
  double GetFc2() const { return FFc2; }
  double GetWc2() const { return FWc2; }
  int GetOrder() const { return FOrder; }
  double GetKaiserBeta() const { return FKaiserBeta; }
  double GetAttenuationDb() const { return FAttenuationDb; }
  double GetTransition() const { return FTransition; }

  // Writes the taps h(0) … h(N), the last being 0, and sizes the delay line.
  void Design();

 protected:
  // One low-pass tap at offset m from the centre, before the window, for order n. sine is
  // sin(m·ωc), centre_tap is ωc/π.
  using TapFormula = double (*)(int m, int n, double sine, double centre_tap);

  // The design common to the windowed taps: Clear, taps i = 0 … N, ResizeState(N).
  void FillTaps(TapFormula tap, const char* memory_message);

 private:
  double FFc = 0;   // cut-off, cyclic
  double FWc = 1;   // cut-off, angular
  double FFc2 = 0;  // second cut-off, cyclic
  double FWc2 = 2;  // second cut-off, angular
  int FOrder = 10;  // number of non-zero taps
  BandType FBand = BandType::kLowPass;
  FirWindow FWindow = FirWindow::kRectangular;
  double FKaiserBeta = 0;      // set from the attenuation by the constructor
  double FAttenuationDb = 60;  // A
  double FTransition = 10;     // percent of ωc
};
