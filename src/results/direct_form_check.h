#pragma once
// Whether a cascade multiplied out into one numerator and one denominator, each coefficient rounded
// to a double, is still the filter. At high orders it is not: the rounding moves the poles of the
// long denominator far from the sections' (a Chebyshev filter of order 60 gets poles outside the
// unit circle and a gain of 1e−15 where its own is 1).

#include "results/filter_coefficients.h"

// The direct form's response against the product of the sections' responses, both evaluated in
// double-double: at the 2048 points of the finest frequency grid between −π and 0 (the other half
// mirrors them), at ω = 0 and at the angles of the sections' poles, where a narrow pass band lies.
// Each point must agree within 1e−6 of the sections' |H| there, or of 1e−6 of the largest |H|
// where the response is smaller than that (a deep stop band), the direct form's own rounding in
// the evaluation counted against it. And where the sections are stable, every root of the rounded
// denominator must lie inside the unit circle.
bool DirectFormIsTheFilter(const FilterCoefficients& filter, const DirectForm& form);
