#pragma once
// The amplitude response of the run's current filter at any frequency, as the run stores it on
// its grid: |H|, |H| divided by its largest value on the grid, or that in dB.

#include <optional>

#include "analysis/level_crossing.h"

class AnalysisRun;

// Nothing when the run has no current filter.
std::optional<ContinuousResponse> AnalysedResponse(const AnalysisRun& run);
