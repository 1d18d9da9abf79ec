#pragma once
// The command line of velmar-cli: what the user asked for, read and checked before anything runs.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "diagram/picture_file.h"

// A command line that cannot be used; its text says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class FilterChoice { kArbitrary, kButterworth, kChebyshev, kWindow, kFrSampling };
enum class SignalChoice { kEmptyTable, kTableFile, kSamples, kBiharmonic };

struct CliOptions {
  FilterChoice filter = FilterChoice::kArbitrary;
  std::vector<double> a = {1};  // non-recursive coefficients a0, a1, …
  std::vector<double> b;        // recursive coefficients b1, b2, …

  // Library designs: each value is applied only when given.
  std::optional<double> wp, fp, lp, lp_db, ls, ls_db, transition, ripple_percent, ripple_db, wc, fc;
  std::optional<int> order;
  bool hamming = false;

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

  std::string time_csv, freq_csv;                // "" none, "-" standard output
  std::string zpk_csv;                           // zeros, poles and gain; "" none, "-" standard output
  std::string pictures_dir;                      // "" none: the result diagrams as picture files there
  std::optional<TPictureFormat> picture_format;  // BMP unless given
  std::string coefficients_csv;                  // "" none, "-" standard output
  std::string c_header;                          // "" none, "-" standard output
  std::string c_prefix;                          // the header's identifiers; "" made from the header's file name
  std::string coefficients_layout;  // "" the filter's own (sos for a cascade, else direct), "direct" or "sos"
  std::optional<std::pair<double, double>> measure;
  bool help = false;
};

// Reads the arguments (without the program name); throws UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

std::string CliUsage();
