#pragma once
// Measurement of a low-pass amplitude response on its frequency grid: the upper edge of the pass
// band, the lower edge of the stop band and the transition width between them, each at a level
// picked from a fixed list, with the grid's resolution stated as an uncertainty.
//
// The response A[0 … N−1] belongs to ω_i = i·Δω − π, Δω = 2π/(N − 1) (N even), normalised to a
// maximum of 1 (linear levels) or in dB (decibel levels).

#include <string>
#include <vector>

#include "analysis/level_crossing.h"

enum class LevelScale { kLinear, kDecibel };

// A drop-down list of levels: its items as shown (decimal comma) and the item chosen at start.
struct LevelList {
  std::vector<std::string> items;
  int default_index = 0;
};

const LevelList& PassBandLevels(LevelScale scale);
// Runs from the highest level to the lowest.
const LevelList& StopBandLevels(LevelScale scale);
// The number an item stands for.
double LevelValue(const std::string& item);
// The item of the list whose number is value (to 1e-9), or −1.
int FindLevel(const LevelList& list, double value);

struct MeasurementResult {
  bool valid = false;         // false only for a response of fewer than two points
  bool stop_reached = false;  // false when the response stays above every stop level up to π
  int pass = 0;               // last grid point of the upper half at or above the pass-band level
  int stop = 0;               // last grid point still above the stop-band level
  int stop_index = 0;         // the stop-band item used: above the chosen one when that is not reached
  // Each quantity is the middle of the interval that pins it: an edge lies between the last grid
  // point on its side of the level and the next one, or within the narrower interval that the
  // response between the grid's points gives.
  double omega_pass = 0;
  double omega_stop = 0;
  double width = 0;           // ω_stop − ω_pass
  double relative_width = 0;  // percent of ω_pass
  // The seven result texts, "value±uncertainty%", each interval containing the quantity's whole
  // interval; the stop band and the widths are empty when the stop band was not reached.
  std::string wvT, fvT, wpT, fpT, dwT, dfT, dw;
};

// Measures at items of the level lists of the given scale. A stop-band level that the response
// does not reach before ω = π is replaced by the nearest higher one that it reaches, with a
// message; when it reaches none, a message says so.
//
// With the response between the grid's points (between), each edge the grid brackets is looked
// for again on the response itself from its last grid point to π (see LastPassing): a lobe that
// rises above the level between two grid points moves it, and it is pinned to 1e−10, so that the
// printed interval is then the value's rounding to four decimals. Without it the edges stay
// between grid points.
MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale, int pass_index,
                                           int stop_index, const ContinuousResponse* between = nullptr);
