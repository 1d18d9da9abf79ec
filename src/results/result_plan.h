#pragma once
// What each of the result diagrams shows after an analysis run: which array, over which
// arguments, in which colour and kind, and the limits and view ranges it opens with. Deciding
// this is kept apart from the diagrams, so that the main window and the command-line pictures
// show the same thing.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/zero_pole.h"
#include "diagram/keeper.h"

class AnalysisRun;
class BiharmonicModel;
class TableModel;

// The frames of the main window, page by page, upper frame first: four pages of the filter's and
// the signal's characteristics, then the page of zeros and poles.
enum ResultDiagram {
  DFh,
  DFg,
  DFMag,
  DFPh,
  DFInput,
  DFOut,
  DFInSpectr,
  DFOutSpectr,
  DFZeroPole,
  DFGroupDelay,
  kResultDiagramCount
};

// The names of the frames, as the pictures of the command-line tool are named.
const char* ResultDiagramName(ResultDiagram diagram);

enum class ResultSeriesKind { kDiscrete, kAnalogPeriodic, kDiscretePeriodic, kZeroPole };

// Points drawn as markers of one colour.
struct MarkerPlan {
  std::span<const TMarkedPoint> points;  // borrowed from the plan
  std::uint32_t color = 0;
};

struct ValueRange {
  double min = 0;
  double max = 0;
  bool operator==(const ValueRange&) const = default;
};

struct DiagramPlan {
  const double* values = nullptr;  // borrowed: the run's arrays, the table's values or the plan's padding
  int count = 0;
  ValueRange arguments;     // of the first and the last value
  std::uint32_t color = 0;  // 0x00BBGGRR
  ResultSeriesKind kind = ResultSeriesKind::kDiscrete;
  double period = 0;  // periodic kinds: in argument units (analog) or samples (discrete)
  bool has_limits = false;
  ValueRange limits_x;
  ValueRange range_x;
  bool auto_range_y = false;  // the y range is the series' own
  ValueRange range_y;
  // kZeroPole: the base series is the unit circle in `color`; the zeros (○) and poles (×) follow,
  // on equal scales.
  MarkerPlan zeros;
  MarkerPlan poles;
};

// Everything besides the run that the diagrams depend on.
struct ResultSettings {
  std::span<const double> table_signal;  // the signal table's accepted values
  bool cyclic_frequency = false;         // "Циклическая": fT over [−0.5, 0.5]
  // The biharmonic signal.
  double period1 = 0;
  double period2 = 0;
  bool oscillation1 = true;
  bool oscillation2 = false;
  bool stationary = true;
};

// The settings as the signal table, the biharmonic dialog and the frequency unit hold them.
ResultSettings SettingsOf(const TableModel& signal_table, const BiharmonicModel& biharmonic, bool cyclic_frequency);

// The least and greatest of the values, a constant sequence given a tiny height as the
// diagram's series does; an empty sequence is 0 .. 0.
ValueRange SeriesValueRange(const double* values, int count);

// The sample count the signal diagrams open on for a biharmonic signal: ten periods of the
// slower switched-on oscillation after the transient, at most the interval.
int BiharmonicSignalRange(const ResultSettings& settings, int transient_length, int interval_length);

// The z-plane: the unit circle, and the zeros and poles (written into the two vectors, which the
// plan then borrows), in a square view holding the circle and every root within twice its radius,
// with a margin.
DiagramPlan ZeroPolePlan(const ZeroPoleSet& roots, std::vector<TMarkedPoint>& zeros, std::vector<TMarkedPoint>& poles);
// The group delay in samples over the frequency axis (±half_span); NaN where it is undefined,
// which the diagram leaves as a gap and the y range ignores.
DiagramPlan GroupDelayPlan(const double* values, int points, double half_span);

// The line under the z-plane: "Устойчив" or "Неустойчив" and the largest pole radius to six
// significant digits, with a decimal comma; or that stability is unknown when not every pole was
// found.
std::string StabilityText(const ZeroPoleSet& roots);

class ResultPlan {
 public:
  ResultPlan() = default;
  ResultPlan(const ResultPlan&) = delete;
  ResultPlan& operator=(const ResultPlan&) = delete;

  // Plans every diagram from the run's results. The run and the table values must outlive
  // the diagrams' use of the plan.
  void Plan(const AnalysisRun& run, const ResultSettings& settings) {
    PlanResponses(run, settings);
    PlanZeroPoles(run);
  }
  // Every diagram but the z-plane, whose roots take a good part of a second for a polynomial of a
  // high degree: a window plans it only when it is shown.
  void PlanResponses(const AnalysisRun& run, const ResultSettings& settings);
  void PlanZeroPoles(const AnalysisRun& run);
  const DiagramPlan& operator[](ResultDiagram diagram) const { return plans_[diagram]; }

 private:
  std::array<DiagramPlan, kResultDiagramCount> plans_{};
  std::array<double, 2> short_signal_{};  // a table of fewer than two values, padded with 0
  std::vector<TMarkedPoint> zero_points_;
  std::vector<TMarkedPoint> pole_points_;
};
