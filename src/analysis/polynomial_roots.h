#pragma once
// The roots of the real polynomials of a typed or FIR filter.

#include <complex>
#include <vector>

// Up to this degree the roots are first found as the eigenvalues of the companion matrix (Eigen's
// real Schur form, a few milliseconds); its cubic cost would reach a quarter of a second at degree
// 500, so beyond it they come from the Ehrlich–Aberth iteration, quadratic per sweep.
constexpr int kLargestCompanionDegree = 100;

// A distinct root, how many times it is a root, and how far from value the exact root can lie.
struct PolynomialRoot {
  std::complex<double> value;
  int multiplicity = 1;
  double reach = 0;  // ∞ where it cannot be told
};

struct PolynomialRootSet {
  // Complex ones in exactly conjugate pairs, each with its mirror image's multiplicity.
  std::vector<PolynomialRoot> roots;
  // The same roots with each one that `roots` shows as multiple only within the coefficients'
  // rounding listed as the simple roots it stands for, each with its own reach: where the
  // polynomial's own roots lie against the unit circle, and how far out the farthest lies, is told
  // from these.
  std::vector<PolynomialRoot> apart;
  // How many roots (counted with multiplicity) could not be found: the degree less the roots'.
  int missing = 0;
};

// The roots (in z) of c[0]·z^n + c[1]·z^(n−1) + … + c[n]. Leading zero coefficients lower the degree
// (roots at infinity, left out); trailing ones are an exact root at 0. The others are found as
// eigenvalues or by the iteration, which stands in where eigenvalues fail; the multiple ones are
// told by the polynomial's exact square-free factorisation and put where the polynomial and its
// derivatives vanish, and the simple ones are sharpened in twice the working precision. Clusters
// of simple roots that stand for a multiple root of a polynomial within one rounding of each
// coefficient are then shown as that root.
PolynomialRootSet PolynomialRoots(const double* c, int n);

// The two ways of finding the roots of c[0]·z^n + … + c[n] with c[0] ≠ 0 and c[n] ≠ 0 in the
// working precision, each root once, appended to roots. The eigenvalues of the balanced companion
// matrix; false, with roots unchanged, when they cannot be had:
bool CompanionRoots(const double* c, int n, std::vector<std::complex<double>>& roots);
// The Ehrlich–Aberth iteration, every root to within rounding of the polynomial's own terms; false
// where some estimates have not settled there (they are appended all the same):
bool AberthRoots(const double* c, int n, std::vector<std::complex<double>>& roots);

// Σ 1/(z[i] − z[j]) over the other estimates of the roots (those equal to z[i] left out): how the
// others deflect Newton's step in the Ehrlich–Aberth iteration. Without overflow for roots of very
// different sizes.
std::complex<double> Pull(const std::vector<std::complex<double>>& z, std::size_t i);

// The roots of a real polynomial are real or conjugate pairs; estimates found one by one are off by
// rounding. Each estimate nearer its own mirror image than any other's is made real; any other is
// paired with the estimate nearest its mirror image, both put on the pair's mean, the upper member
// first. reach, when it holds one radius per estimate, grows by what the pairing moved each.
void PairConjugates(std::vector<std::complex<double>>& z, std::vector<double>& reach);
