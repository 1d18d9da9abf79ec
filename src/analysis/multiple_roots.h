#pragma once
// Multiple roots among roots found in the working precision. A root of multiplicity m comes out of
// any root finder as m roots spread around it by about ε^(1/m) (a tenth for m = 16), while distinct
// roots can lie closer than that: closeness alone tells nothing. The exact count of multiple roots
// (RootMultiplicities) says how many clusters to look for, and a cluster is taken for one root only
// where the polynomial and its first m − 1 derivatives vanish at its centre within error bounds.
// A power whose coefficients had to be rounded, (1 − 2cos θ·z⁻¹ + z⁻²)^m for most θ, has no
// multiple root at all, but its roots spread as a multiple root's do; they are taken for one where
// the derivatives vanish within what one rounding of each coefficient can leave of them.

#include <complex>
#include <vector>

#include "analysis/polynomial_roots.h"

class ScaledPolynomial;

// counts[m]: how many distinct roots of multiplicity m the polynomial has. For each, the cluster of
// m computed roots that stands for it is taken off `roots`, and the root it stands for returned with
// its multiplicity, sharpened in twice the working precision. A cluster that fails the test stays in
// `roots`, its members counted once each.
std::vector<PolynomialRoot> GatherMultipleRoots(const ScaledPolynomial& p, const std::vector<int>& counts,
                                                std::vector<std::complex<double>>& roots);

// Among simple roots (each with its reach, complex ones in exactly conjugate pairs), each cluster
// that stands for a k-fold root of a polynomial within one rounding of each of p's coefficients:
// at the point the cluster's power sums give, p and its first k − 1 derivatives vanish within their
// error bounds and what that rounding can change of them. Such a cluster is taken off `roots` and
// returned as one root (a conjugate pair as two), its reach how far such a polynomial's root can
// lie from it; not where the root would lie on another side of the unit circle than the roots do.
std::vector<PolynomialRoot> GatherNearlyMultipleRoots(const ScaledPolynomial& p, std::vector<PolynomialRoot>& roots);
