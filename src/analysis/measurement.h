#pragma once
// Measurement of a low-pass amplitude response on its frequency grid: the upper edge of the pass
// band, the lower edge of the stop band and the transition width between them, each at a level
// picked from a fixed list, with the grid's resolution stated as an uncertainty.
//
// The response A[0 … N−1] belongs to ω_i = i·Δω − π, Δω = 2π/(N − 1) (N even), normalised to a
// maximum of 1 (linear levels) or in dB (decibel levels).

#include <string>
#include <vector>

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
  // Each quantity is the middle of the interval that the grid pins it to: an edge lies between the
  // last grid point on its side of the level and the next one.
  double omega_pass = 0;
  double omega_stop = 0;
  double width = 0;           // ω_stop − ω_pass
  double relative_width = 0;  // percent of ω_pass
  // The seven result texts, "value±uncertainty%", each interval containing the quantity's whole
  // interval; the stop band and the widths are empty when the stop band was not reached.
  std::string wvT, fvT, wpT, fpT, dwT, dfT, dw;
};

// Measures at pass_level and stop_levels[stop_index]. A stop-band level that the response does
// not reach before ω = π is replaced by the nearest higher one that it reaches, with a message;
// when it reaches none, a message says so.
MeasurementResult MeasureAmplitudeResponse(const double* response, int count, double pass_level,
                                           const std::vector<double>& stop_levels, int stop_index);
// The same with items of the level lists of the given scale.
MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale,
                                           int pass_index, int stop_index);
