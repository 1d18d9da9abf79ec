#include "results/result_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "analysis/analysis.h"
#include "diagram/axis_range.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/table_model.h"
#include "numeric/number_text.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kGray = 0x808080;

// The decibel response reaches −10000 where it is zero; the diagram stops at −100.
constexpr double kDecibelFloor = -100;
// Time diagrams may be pulled a little left of the first sample.
constexpr double kTimeLimitMargin = 10;
constexpr int kSignalPeriodsShown = 10;
// Room around the unit circle and the outermost root of the z-plane.
constexpr double kZeroPoleMargin = 1.15;
// The z-plane opens no wider than this many radii of the unit circle, so that one far root (the
// mirror image of one near 0) does not shrink the circle to a dot; the diagram marks it at the edge.
constexpr double kZeroPoleReachCap = 2;

void MarkRoots(const std::vector<ZeroPoleRoot>& roots, std::vector<TMarkedPoint>& points) {
  points.clear();
  points.reserve(roots.size());
  for (const ZeroPoleRoot& root : roots) points.push_back({root.value.real(), root.value.imag(), root.multiplicity});
}

// The largest coordinate of a finite root, at least 1 (the unit circle).
double ZeroPoleReach(const std::vector<TMarkedPoint>& zeros, const std::vector<TMarkedPoint>& poles) {
  double reach = 1;
  for (const auto* points : {&zeros, &poles}) {
    for (const TMarkedPoint& p : *points) {
      if (std::isfinite(p.x) && std::isfinite(p.y)) reach = std::max({reach, std::fabs(p.x), std::fabs(p.y)});
    }
  }
  return reach;
}

DiagramPlan TimePlan(const double* values, int count, std::uint32_t color, int interval, int range_end) {
  DiagramPlan plan;
  plan.values = values;
  plan.count = count;
  plan.arguments = {0, static_cast<double>(count - 1)};
  plan.color = color;
  plan.kind = ResultSeriesKind::kDiscrete;
  plan.has_limits = true;
  plan.limits_x = {-kTimeLimitMargin, static_cast<double>(interval)};
  plan.range_x = {0, static_cast<double>(range_end)};
  plan.range_y = SeriesValueRange(values, count);
  IncludeZero(plan.range_y.min, plan.range_y.max);
  return plan;
}

DiagramPlan FrequencyPlan(const double* values, int points, std::uint32_t color, double half_span) {
  DiagramPlan plan;
  plan.values = values;
  plan.count = points;
  plan.arguments = {-half_span, half_span};
  plan.color = color;
  plan.kind = ResultSeriesKind::kAnalogPeriodic;
  plan.period = 2 * half_span;
  plan.range_x = {-half_span, half_span};
  plan.range_y = {0, SeriesValueRange(values, points).max};
  return plan;
}

}  // namespace

const char* ResultDiagramName(ResultDiagram diagram) {
  static const char* const names[kResultDiagramCount] = {
      "DFh", "DFg", "DFMag", "DFPh", "DFInput", "DFOut", "DFInSpectr", "DFOutSpectr", "DFZeroPole", "DFGroupDelay"};
  return names[diagram];
}

DiagramPlan ZeroPolePlan(const ZeroPoleSet& roots, std::vector<TMarkedPoint>& zeros, std::vector<TMarkedPoint>& poles) {
  MarkRoots(roots.zeros, zeros);
  MarkRoots(roots.poles, poles);
  DiagramPlan plan;
  plan.kind = ResultSeriesKind::kZeroPole;
  plan.color = kGray;
  plan.zeros = {zeros, kBlue};
  plan.poles = {poles, kRed};
  const double reach = kZeroPoleMargin * std::min(ZeroPoleReach(zeros, poles), kZeroPoleReachCap);
  plan.arguments = {-1, 1};
  plan.range_x = {-reach, reach};
  plan.range_y = {-reach, reach};
  return plan;
}

std::string StabilityText(const ZeroPoleSet& roots) {
  if (roots.stability == Stability::kUnknown) return "Устойчивость не определена: найдены не все полюсы";
  const std::string verdict = roots.stability == Stability::kStable ? "Устойчив" : "Неустойчив";
  if (roots.poles.empty()) return verdict + ": полюсов нет";
  char radius[32];
  std::snprintf(radius, sizeof radius, "%.6g", roots.max_pole_radius);
  return verdict + ": наибольший радиус полюса " + DotToComma(radius);
}

DiagramPlan GroupDelayPlan(const double* values, int points, double half_span) {
  DiagramPlan plan = FrequencyPlan(values, points, kGreen, half_span);
  // From the defined values only, down to 0 like the other responses; a delay undefined
  // everywhere gets a range all the same.
  bool any = false;
  for (int i = 0; values != nullptr && i < points; ++i) {
    if (!std::isfinite(values[i])) continue;
    plan.range_y.min = any ? std::min(plan.range_y.min, values[i]) : values[i];
    plan.range_y.max = any ? std::max(plan.range_y.max, values[i]) : values[i];
    any = true;
  }
  if (!any) plan.range_y = {0, 1};
  IncludeZero(plan.range_y.min, plan.range_y.max);
  if (plan.range_y.max - plan.range_y.min < 1e-6) plan.range_y.max = plan.range_y.min + 1;
  // A tenth to spare away from 0, so that a constant delay does not run along the net's edge.
  const double spare = 0.1 * (plan.range_y.max - plan.range_y.min);
  if (plan.range_y.max > 0) plan.range_y.max += spare;
  if (plan.range_y.min < 0) plan.range_y.min -= spare;
  return plan;
}

ResultSettings SettingsOf(const TableModel& signal_table, const BiharmonicModel& biharmonic, bool cyclic_frequency) {
  ResultSettings settings;
  settings.table_signal = signal_table.Values();
  settings.cyclic_frequency = cyclic_frequency;
  settings.period1 = biharmonic.GetPeriod1();
  settings.period2 = biharmonic.GetPeriod2();
  settings.oscillation1 = biharmonic.IsOscillationEnabled(1);
  settings.oscillation2 = biharmonic.IsOscillationEnabled(2);
  settings.stationary = biharmonic.IsStationary();
  return settings;
}

ValueRange SeriesValueRange(const double* values, int count) {
  if (values == nullptr || count <= 0) return {};
  const auto [lo, hi] = std::minmax_element(values, values + count);
  ValueRange range{*lo, *hi};
  if (range.max - range.min < 1e-6) range.max = range.min + 0.00001;
  return range;
}

int BiharmonicSignalRange(const ResultSettings& settings, int transient_length, int interval_length) {
  double period = settings.period1;
  if (settings.oscillation1 && !settings.oscillation2) period = settings.period1;
  if (settings.oscillation2 && !settings.oscillation1) period = settings.period2;
  if (settings.oscillation1 && settings.oscillation2) period = std::max(settings.period1, settings.period2);
  // In doubles: a zero frequency has a period of 1e10 samples, beyond any int.
  const double end = kSignalPeriodsShown * std::trunc(period) + transient_length;
  return end >= interval_length ? interval_length : static_cast<int>(end);
}

void ResultPlan::PlanResponses(const AnalysisRun& run, const ResultSettings& settings) {
  const int n = run.IntervalLength();
  const int l = run.TransientLength();
  const int m = run.FrequencyPoints();
  const int time_range = std::min(2 * l, n);
  plans_[DFh] = TimePlan(run.ImpulseResponse(), n, kBlue, n, time_range);
  plans_[DFg] = TimePlan(run.StepResponse(), n, kBlue, n, time_range);

  const double half_span = settings.cyclic_frequency ? 0.5 : std::numbers::pi;
  plans_[DFMag] = FrequencyPlan(run.AmplitudeResponse(), m, kGreen, half_span);
  if (run.GetAfcMode() == 3) {
    const ValueRange own = SeriesValueRange(run.AmplitudeResponse(), m);
    // A flat response (0 dB everywhere) would leave an empty range, which the diagram ignores
    // and keeps showing the old one: show it down to the floor instead.
    const double low = std::max(own.min, kDecibelFloor);
    plans_[DFMag].range_y = {low < 0 ? low : kDecibelFloor, 0};
  }
  plans_[DFPh] = FrequencyPlan(run.PhaseResponse(), m, kGreen, half_span);
  plans_[DFPh].auto_range_y = true;
  plans_[DFPh].range_y = SeriesValueRange(run.PhaseResponse(), m);

  const double* input = run.InputSignal();
  int input_count = n;
  int signal_range = 0;
  if (run.GetSignalSource() == 0) {
    const int table_count = static_cast<int>(settings.table_signal.size());
    input = settings.table_signal.data();
    input_count = table_count;
    if (table_count < 2) {
      short_signal_ = {table_count == 1 ? settings.table_signal[0] : 0.0, 0.0};
      input = short_signal_.data();
      input_count = 2;
    }
    signal_range = table_count + l;
  } else {
    signal_range = BiharmonicSignalRange(settings, l, n);
  }
  plans_[DFInput] = TimePlan(input, input_count, kRed, n, signal_range);
  plans_[DFOut] = TimePlan(run.OutputSignal(), n, kRed, n, signal_range);

  plans_[DFInSpectr] = FrequencyPlan(run.InputSpectrum(), m, kMagenta, half_span);
  plans_[DFOutSpectr] = FrequencyPlan(run.OutputSpectrum(), m, kMagenta, half_span);
  if (run.GetSignalSource() == 1 && settings.stationary) {
    for (ResultDiagram spectrum : {DFInSpectr, DFOutSpectr}) {
      plans_[spectrum].kind = ResultSeriesKind::kDiscretePeriodic;
      plans_[spectrum].period = m;
    }
  }

  plans_[DFGroupDelay] = GroupDelayPlan(run.GroupDelay(), m, half_span);
}

void ResultPlan::PlanZeroPoles(const AnalysisRun& run) {
  plans_[DFZeroPole] = ZeroPolePlan(run.ZeroPoles(), zero_points_, pole_points_);
}
