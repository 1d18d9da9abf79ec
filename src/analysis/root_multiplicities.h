#pragma once
// How often each root of a polynomial with double coefficients is a root: exactly, not by how close
// computed roots lie. The coefficients are binary fractions, so the polynomial is one with integer
// coefficients times a power of two, and its square-free factorisation p = Π a_m^m (Yun's method)
// can be carried out modulo a prime. A prime can only make more roots coincide than do over the
// complex numbers (when it divides one of a few resultants), never fewer, so the least multiple
// structure of two primes is the true one but for the rarest of coincidences.

#include <vector>

// counts[m] = the number of distinct complex roots of multiplicity m of c[0]·z^n + … + c[n]
// (c[0] ≠ 0), for m = 1 … n (counts[0] is 0): Σ m·counts[m] = n.
std::vector<int> RootMultiplicities(const double* c, int n);
