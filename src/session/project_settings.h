#pragma once
// What a piece of work is made of: the filter, the test signal, the analysis settings and the
// measurement, as velmar-cli's options and the project file name them.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "filter/band_type.h"

// A request that cannot be used; its text says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class FilterChoice { kArbitrary, kButterworth, kChebyshev, kWindow, kFrSampling };
enum class SignalChoice { kEmptyTable, kTableFile, kSamples, kBiharmonic };

struct ProjectSettings {
  FilterChoice filter = FilterChoice::kArbitrary;
  std::vector<double> a = {1};  // non-recursive coefficients a0, a1, …
  std::vector<double> b;        // recursive coefficients b1, b2, …

  // Library designs: each value is applied only when given.
  std::optional<double> wp, fp, lp, lp_db, ls, ls_db, transition, ripple_percent, ripple_db, wc, fc;
  std::optional<int> order;
  std::optional<BandType> band;                          // low-pass unless given
  std::optional<double> wc2, fc2;                        // the second cut-off of a band-pass or band-stop FIR design
  bool hamming = false, hann = false, blackman = false;  // the FIR windows; none: rectangular
  std::optional<double> kaiser;                          // β: the Kaiser window
  std::optional<double> attenuation_db;                  // A: the Kaiser window, β and the order from A

  SignalChoice signal = SignalChoice::kEmptyTable;
  std::string table_file;
  std::vector<double> samples;
  std::optional<double> w1, a1, phi1, w2, a2, phi2;
  std::string oscillations = "1";  // "1", "2" or "12"
  std::optional<int> decimation;   // D = 1 (every sample) unless given
  bool switched_on = false;

  int interval = 2000;
  int points = 2048;
  int afc = 1;
  std::string frequency;  // the window's frequency axis: "" not chosen, "angular" or "cyclic"

  std::optional<std::pair<double, double>> measure;
};
