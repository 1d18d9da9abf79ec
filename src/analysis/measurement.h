#pragma once
// Measurement of an amplitude response on its frequency grid: the edges of its pass and stop bands
// on 0 … π and the widths of the transition bands between them, at levels picked from fixed lists,
// with the grid's resolution stated as an uncertainty. A low-pass response has the upper edge of
// its pass band and the lower edge of its stop band; the other band types have theirs.
//
// The response A[0 … N−1] belongs to ω_i = i·Δω − π, Δω = 2π/(N − 1) (N even), normalised to a
// maximum of 1 (linear levels) or in dB (decibel levels).

#include <string>
#include <vector>

#include "analysis/level_crossing.h"
#include "filter/band_type.h"

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

enum class BandKind { kPass, kStop };

// One edge of a band: which band it bounds, and on which side.
struct EdgeOf {
  BandKind band = BandKind::kPass;
  bool upper = true;  // the band's upper edge, else its lower one
};

// The edges a response of the band type has on 0 … π, in order of ω. Each pair, the (2k)th and the
// (2k + 1)th, bounds one transition band:
//   low-pass:  upper edge of the pass band, lower edge of the stop band;
//   high-pass: upper edge of the stop band, lower edge of the pass band;
//   band-pass: stop band up to the first, pass band between the second and the third, stop band
//              from the fourth;
//   band-stop: pass band up to the first, stop band between the second and the third, pass band
//              from the fourth.
std::vector<EdgeOf> BandEdges(BandType type);

struct MeasuredEdge {
  EdgeOf of;
  double omega = 0;  // the middle of the interval that pins it
  // "value±uncertainty%" in ωT and in fT; empty for a stop band when no stop level is reached.
  std::string wT, fT;
};

struct MeasuredTransition {
  double width = 0;           // between the edges of its pair
  double relative_width = 0;  // percent of the pair's pass-band edge
  std::string dwT, dfT, dw;   // empty when the stop band's edge is
};

struct MeasurementResult {
  bool valid = false;         // false only for a response of fewer than two points
  bool stop_reached = false;  // false when the response reaches no stop level where its stop bands lie
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
  // The seven result texts of a low-pass response, "value±uncertainty%", each interval containing
  // the quantity's whole interval; the stop band and the widths are empty when the stop band was
  // not reached.
  std::string wvT, fvT, wpT, fpT, dwT, dfT, dw;
  // Every band type: BandEdges' edges and the transition bands between their pairs.
  std::vector<MeasuredEdge> edges;
  std::vector<MeasuredTransition> transitions;
};

// Measures at items of the level lists of the given scale. A stop-band level that the response
// does not reach where its stop bands lie (at π for a low-pass, near 0 for a high-pass, at both
// for a band-pass, anywhere for a band-stop) is replaced by the nearest higher one that it
// reaches, with a message; when it reaches none, a message says so.
//
// A pass band spans from its first to its last grid point at or above the pass level: a dip below
// it inside the band (a ripple, noise) is passed over. A stop band is the stretch from 0 or up to
// π over which the response stays at or below the stop level; a lobe above it ends the stretch
// there. A band-stop's stop band is the widest such stretch inside (the first of equal ones),
// measured outwards from its deepest point, and its pass bands the nearest points at or above the
// pass level below and above it.
//
// With the response between the grid's points (between), each edge the grid brackets is looked
// for again on the response itself, from the far end of its search (π or 0, or a band-stop's
// deepest point) towards its grid point (see LastPassing and FirstPassing): a lobe that rises
// above the level between two grid points moves it, and it is pinned to 1e−10, so that the printed
// interval is then the value's rounding to four decimals. Without it the edges stay between grid
// points.
MeasurementResult MeasureAmplitudeResponse(const double* response, int count, LevelScale scale, int pass_index,
                                           int stop_index, const ContinuousResponse* between = nullptr,
                                           BandType band = BandType::kLowPass);
