#pragma once
// Simple roots found in the working precision are only as good as the polynomial's values there:
// near other roots (∏(z − j/20) has twenty between 0 and 1) the terms cancel to rounding noise, and
// two roots closer than about √ε come out as one double root or a conjugate pair. Evaluated in
// twice the working precision, the polynomial still tells them apart.

#include <complex>
#include <vector>

#include "analysis/polynomial_roots.h"

class ScaledPolynomial;

// The roots of p that `roots` approximate, each a simple root, sharpened by sweeps of the
// Ehrlich–Aberth correction (Newton's step deflated by the other roots, the multiple roots in
// `fixed` with their multiplicities) with p in twice the working precision, each root moved as soon
// as its correction is known. Complex ones come back in exactly conjugate pairs, each with the reach
// of the disc around it that holds a root of p.
std::vector<PolynomialRoot> PolishedRoots(const ScaledPolynomial& p, std::vector<std::complex<double>> roots,
                                          const std::vector<PolynomialRoot>& fixed);
