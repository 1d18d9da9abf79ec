#pragma once
// Multiple roots among roots found in the working precision. A root of multiplicity m comes out of
// any root finder as m roots spread around it by about ε^(1/m) (a tenth for m = 16), while distinct
// roots can lie closer than that: closeness alone tells nothing. The exact count of multiple roots
// (RootMultiplicities) says how many clusters to look for, and a cluster is taken for one root only
// where the polynomial and its first m − 1 derivatives vanish at its centre within error bounds.

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
