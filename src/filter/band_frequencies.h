#pragma once
// The frequency transformations that turn the low-pass prototype into every band type. The
// prototype's response is a function of X with its pass band at |X| ≤ 1; with Ω = tan(ω/2) the
// prewarped frequency, Ω1 and Ω2 the prewarped pass edges, Ω0² = Ω1·Ω2 and B = Ω2 − Ω1:
//   low-pass X = Ω/Ω1, high-pass X = Ω1/Ω, band-pass X = (Ω² − Ω0²)/(B·Ω),
//   band-stop X = B·Ω/(Ω0² − Ω²),
// so that every pass edge lands on |X| = 1.

#include <cmath>
#include <vector>

#include "filter/band_type.h"

class BandFrequencies {
 public:
  // The pass edges ωp and ωp2 in (0, π], ωp < ωp2; ωp2 counts for band-pass and band-stop only.
  BandFrequencies(BandType band, double wp, double wp2);

  BandType Band() const { return band_; }
  double Edge() const { return t1_; }                // Ω1
  double Width() const { return width_; }            // B
  double CentreSquared() const { return centre2_; }  // Ω0²
  double CosCentre() const { return cos_centre_; }   // cos ω0 = (1 − Ω0²)/(1 + Ω0²)

  // The smallest |X| over the stop edges placed the relative width delta beyond the pass edges
  // (beyond means away from the pass band, into the stop band); infinity when no stop edge lies
  // inside (0, π).
  double StopX(double delta) const;
  // |X| at the frequency ω.
  double XAt(double omega) const { return AbsoluteX(std::tan(0.5 * omega)); }
  // The prewarped frequencies Ω at which |X| equals x > 0, ascending: one for low-pass and
  // high-pass, two for the others.
  std::vector<double> PrewarpedAt(double x) const;
  // The relative transition width at which |X| reaches x > 1: the widest of the band's transitions.
  double TransitionAt(double x) const;
  // Band-stop: the largest relative width whose stop edges do not cross, (ωp2 − ωp)/(ωp + ωp2).
  double WidestStopTransition() const { return (w2_ - w1_) / (w1_ + w2_); }

 private:
  // |X| at the prewarped frequency t.
  double AbsoluteX(double t) const;

  BandType band_;
  double w1_, w2_;
  double t1_;              // Ω1
  double width_ = 0;       // B
  double centre2_ = 0;     // Ω0²
  double cos_centre_ = 0;  // cos ω0
};
