#pragma once
// What a filter needs to know about the steady state of a stationary input: the input as a sum of
// phasors, whether the filter's transient dies out (its poles lie inside a given circle), and its
// polynomials on the unit circle evaluated without losing the small values they take near z = ±1.

#include <complex>
#include <vector>

// One spectral line of an input: x(n) = Re(amplitude·e^{jω(n − n0)}), n0 being the sample at
// which the amplitude's phase holds.
struct Phasor {
  std::complex<double> amplitude;
  double omega = 0;
};

// Whether every root of z^M + c[1]·z^(M−1) + … + c[M] (c[0] is taken as 1) lies strictly inside the
// unit circle: the Schur–Cohn test, reflection coefficient by reflection coefficient. Up to degree 2
// the verdict is exact for the given doubles.
bool RootsInsideUnitCircle(const std::vector<double>& c);
// The same for z² + c1·z + c2: |c2| < 1 and |c1| < 1 + c2, decided without rounding.
bool QuadraticRootsInsideUnitCircle(double c1, double c2);

// e^{−jω}: one sample of delay at ω.
inline std::complex<double> Delay(double omega) { return std::polar(1.0, -omega); }

// Polynomials in the delay z = e^{−jω}. Near a pole or zero at z = ±1 such a polynomial is small
// and its terms large; written as s·(1 − u), s = ±1 the nearer of the two and u = 1 − e^{−jω'} from
// the sines of the small angle ω', the polynomial is a sum of small terms instead.
class DelayPolynomials {
 public:
  explicit DelayPolynomials(double omega);
  // p0 + p1·z + p2·z².
  std::complex<double> Quadratic(double p0, double p1, double p2) const;
  // p[0] + p[1]·z + … + p[degree]·z^degree.
  std::complex<double> Polynomial(const double* p, int degree) const;

 private:
  double sign_ = 1;         // s
  std::complex<double> u_;  // 1 − s·z
};
