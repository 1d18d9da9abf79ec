#pragma once
// The recursive band designs from their low-pass prototype: each pole of the prototype (with its
// pass edge at X = 1) is moved by the band type's transformation in s and mapped into sections by
// the bilinear transform. Each prototype factor −p/(s − p), unit at X = 0, becomes
//   high-pass  s/(s − Ω1/p)                              zero at z = 1,
//   band-pass  −p·B·s/(s² − p·B·s + Ω0²)                 zeros at z = ±1,
//   band-stop  (s² + Ω0²)/(s² − (B/p)·s + Ω0²)           zeros on the circle at ω0,
// so that the cascade's response is the prototype's at X exactly, and the zeros land exactly.

#include <complex>
#include <vector>

#include "filter/band_frequencies.h"
#include "filter/cascade_filter.h"

// Fills the cascade for a high-pass, band-pass or band-stop band. poles: one pole of each
// conjugate pair and the real pole of an odd order, in the order their sections shall take.
// gain: the prototype's level at X = 0.
void DesignBandSections(CCascadFilter2& cascade, const BandFrequencies& band,
                        const std::vector<std::complex<double>>& poles, double gain);
