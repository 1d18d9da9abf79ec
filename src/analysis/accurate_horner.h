#pragma once
// Values of a real polynomial at a complex point in twice the working precision: Horner's rule with
// every rounding error carried along (error-free transformations through fma). Where the terms
// cancel to their last digits, near a cluster of roots or a multiple one, the plain rule leaves
// only rounding noise; this one still tells how far from zero the polynomial is.

#include <complex>
#include <vector>

// t[j] = p^(j)(z)/j! for j = 0 … order, the Taylor coefficients of p(z) = c[0]·z^n + … + c[n] at z,
// and error[j] ≥ |t[j] − the exact value|; size[j], where given, is the same sum of the terms'
// magnitudes, Σ_k |c[k]|·C(n − k, j)·|z|^(n−k−j): how far t[j] can move when each coefficient moves
// by its own magnitude. Meant for |z| ≤ 1 and coefficients of at most about 1 (the terms then stay
// within range); beyond it a non-finite error says so.
void AccurateTaylor(const double* c, int n, std::complex<double> z, int order, std::complex<double>* t, double* error,
                    double* size = nullptr);

// The Newton step p(z)/p′(z) = value/slope, p and p′ in twice the working precision, as a fraction (either part may
// vanish), with a bound on how far z can be from the nearest root of p: n·|p(z)|/|p′(z)| with the errors on the side of
// caution (infinite where p′ is lost in rounding). Beyond the unit circle both come from the reversed polynomial in
// 1/z, so that no power of z grows.
struct AccurateStep {
  std::complex<double> value, slope;
  double reach = 0;
};

// A real polynomial scaled so that its largest coefficient lies in [0.5, 1) (exactly, by a power of
// two), and its reversal: their values at any point within the unit circle neither overflow nor
// underflow.
class ScaledPolynomial {
 public:
  ScaledPolynomial(const double* c, int n);
  int Degree() const { return n_; }
  // c[0]·z^n + … + c[n] scaled, and c[n]·z^n + … + c[0] scaled (whose roots are the reciprocals).
  const double* Forward() const { return forward_.data(); }
  const double* Reversed() const { return reversed_.data(); }
  AccurateStep NewtonStep(std::complex<double> z) const;

 private:
  int n_;
  std::vector<double> forward_, reversed_;
};
