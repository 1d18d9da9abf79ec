#pragma once
// The stationary biharmonic signal in closed form: its spectral lines, which give a stable filter's
// steady state, and where it comes back to its starting value, for a pre-roll too long to step.

#include <optional>
#include <vector>

#include "analysis/analysis_sources.h"
#include "filter/steady_state.h"

// The first n in [first, last] with |s(n) − s0| ≤ tolerance, or last + 1 when there is none. The
// oscillations are followed by rotating phasors instead of a cosine per sample; every candidate
// they find is checked with SignalAt itself, so the answer is SignalAt's.
long long FindRealignment(const BiharmonicSource& signal, long long first, long long last, double s0, double tolerance);

// The signal as spectral lines, s(n) = Σ Re(amplitude·e^{jω(n − at)}) for every n: each term times
// the decimation comb (1/D)·Σk cos(2πkn/D) gives the lines ω ± 2πk/D. None when a term is not a
// finite number or the decimation is beyond max_decimation.
std::optional<std::vector<Phasor>> SignalPhasors(const OscillationSum& signal, long long at, int max_decimation);
