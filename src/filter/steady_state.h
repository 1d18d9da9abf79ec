#pragma once
// What a filter needs to know about the steady state of a stationary input: the input as a sum of
// phasors, and whether the filter's transient dies out (its poles lie inside a given circle).

#include <complex>
#include <vector>

// One spectral line of an input: x(n) = Re(amplitude·e^{jω(n − n0)}), n0 being the sample at
// which the amplitude's phase holds.
struct Phasor {
  std::complex<double> amplitude;
  double omega = 0;
};

// Whether every root of z^M + c[1]·z^(M−1) + … + c[M] (c[0] is taken as 1) lies strictly inside the
// unit circle: the Schur–Cohn test, reflection coefficient by reflection coefficient.
bool RootsInsideUnitCircle(std::vector<double> c);

// e^{−jω}: one sample of delay at ω.
inline std::complex<double> Delay(double omega) { return std::polar(1.0, -omega); }
