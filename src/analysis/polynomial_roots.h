#pragma once
// The roots of the real polynomials of a typed or FIR filter.

#include <cmath>
#include <complex>
#include <vector>

// Up to this degree the roots are the eigenvalues of the companion matrix (Eigen's real Schur
// form, a few milliseconds); its cubic cost would reach a quarter of a second at degree 500, so
// beyond it they come from the Ehrlich–Aberth iteration, quadratic per sweep.
constexpr int kLargestCompanionDegree = 100;

// The roots (in z) of c[0]·z^n + c[1]·z^(n−1) + … + c[n]: leading zero coefficients lower the
// degree (roots at infinity, left out), trailing ones are exact roots at 0, the rest come from
// CompanionRoots or AberthRoots by the degree, each standing in where the other fails.
// Complex roots come in exactly conjugate pairs. False when they could not be found (coefficients
// beyond the range of a double on the way).
bool PolynomialRoots(const double* c, int n, std::vector<std::complex<double>>& roots);

// The two ways of finding the roots of c[0]·z^n + … + c[n] with c[0] ≠ 0 and c[n] ≠ 0, appended
// to roots; false, with roots unchanged, when they fail. The eigenvalues of the balanced companion
// matrix:
bool CompanionRoots(const double* c, int n, std::vector<std::complex<double>>& roots);
// The Ehrlich–Aberth iteration, every root to within rounding of the polynomial's own terms:
bool AberthRoots(const double* c, int n, std::vector<std::complex<double>>& roots);

// |d| < reach, the modulus taken only where both parts are within reach (n² comparisons of roots).
inline bool Within(std::complex<double> d, double reach) {
  return std::fabs(d.real()) < reach && std::fabs(d.imag()) < reach && std::abs(d) < reach;
}
