#include "results/result_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "dialogs/arbitrary_filter_request.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/table_model.h"
#include "platform/messages.h"

namespace {

// A typed filter and a table signal feeding a run, as the main window wires them.
struct TypedFilterRun {
  TableModel a, b, signal;
  ArbitraryFilterRequest input_form;
  BiharmonicModel biharmonic;
  AnalysisRun run;

  explicit TypedFilterRun(const std::vector<double>& coefficients, const std::vector<double>& samples = {}) {
    run.SetSources({.input_form = &input_form,
                    .a_coefficients = &a,
                    .b_coefficients = &b,
                    .signal_table = &signal,
                    .biharmonic = &biharmonic});
    b.SetFirstIndex(1);
    input_form.Show(a, b);
    a.SetValues(coefficients.data(), static_cast<int>(coefficients.size()));
    EXPECT_TRUE(input_form.RequestAnalysis(a));
    if (!samples.empty()) {
      signal.SetValues(samples.data(), static_cast<int>(samples.size()));
      signal.Show();
      signal.Accept();
      signal.Close();
    }
    run.RunAnalysis(0);
  }
};

TEST(ResultPlanTest, IncludeZeroWidensOnlyOneSidedRanges) {
  double lo = 2, hi = 5;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 5);
  lo = -5, hi = -2;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 0);
  lo = -1, hi = 3;
  IncludeZero(lo, hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 3);
}

TEST(ResultPlanTest, TableSignalOpensOnItsLengthPlusTheTransient) {
  // Thirty equal taps: the last of the equal peaks is at n = 29, quiet from n = 30 on, so L = 30.
  const std::vector<double> samples(50, 1.0);
  TypedFilterRun t(std::vector<double>(30, 1.0), samples);
  ASSERT_EQ(t.run.TransientLength(), 30);
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));

  EXPECT_EQ(plan[DFh].range_x, (ValueRange{0, 60}));  // 2L
  EXPECT_EQ(plan[DFh].limits_x, (ValueRange{-10, 2000}));
  EXPECT_EQ(plan[DFh].range_y, (ValueRange{0, 1}));  // h ≥ 0 widened down to 0
  EXPECT_EQ(plan[DFg].range_y, (ValueRange{0, 30}));
  EXPECT_EQ(plan[DFInput].count, 50);
  EXPECT_EQ(plan[DFInput].values, t.signal.Values().data());
  EXPECT_EQ(plan[DFInput].range_x, (ValueRange{0, 80}));
  EXPECT_EQ(plan[DFOut].range_x, (ValueRange{0, 80}));
  EXPECT_EQ(plan[DFOut].range_y, (ValueRange{0, 30}));
  EXPECT_EQ(plan[DFh].color, 0xFF0000u);  // blue in 0x00BBGGRR
  EXPECT_EQ(plan[DFInput].color, 0x0000FFu);
  EXPECT_EQ(plan[DFMag].color, 0x008000u);
  EXPECT_EQ(plan[DFInSpectr].color, 0xFF00FFu);
}

TEST(ResultPlanTest, ShortTransientAndShortTablesAreShownWhole) {
  TypedFilterRun t({1.0});  // the identity: L = 1, and the signal table is empty
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plan[DFh].range_x, (ValueRange{0, 2}));
  // No values: two zero points, and a constant series still gets a height.
  ASSERT_EQ(plan[DFInput].count, 2);
  EXPECT_EQ(plan[DFInput].values[0], 0);
  EXPECT_EQ(plan[DFInput].values[1], 0);
  EXPECT_EQ(plan[DFInput].range_y.min, 0);
  EXPECT_DOUBLE_EQ(plan[DFInput].range_y.max, 0.00001);
  EXPECT_EQ(plan[DFInput].range_x, (ValueRange{0, 1}));

  const double one = -2.5;
  ResultSettings settings = SettingsOf(t.signal, t.biharmonic, false);
  settings.table_signal = {&one, 1};
  plan.Plan(t.run, settings);
  ASSERT_EQ(plan[DFInput].count, 2);
  EXPECT_EQ(plan[DFInput].values[0], -2.5);
  EXPECT_EQ(plan[DFInput].values[1], 0);
  EXPECT_EQ(plan[DFInput].range_y, (ValueRange{-2.5, 0}));
}

TEST(ResultPlanTest, BiharmonicRangeCountsTenPeriodsOfTheSlowerOscillation) {
  ResultSettings s;
  s.period1 = 2 * std::numbers::pi;  // ω = 1: 6 whole samples
  s.period2 = std::numbers::pi;      // ω = 2: 3
  s.oscillation1 = true;
  s.oscillation2 = false;
  EXPECT_EQ(BiharmonicSignalRange(s, 30, 2000), 90);
  s.oscillation1 = false;
  s.oscillation2 = true;
  EXPECT_EQ(BiharmonicSignalRange(s, 30, 2000), 60);
  s.oscillation1 = true;
  EXPECT_EQ(BiharmonicSignalRange(s, 30, 2000), 90);
  s.oscillation1 = false;
  s.oscillation2 = false;
  EXPECT_EQ(BiharmonicSignalRange(s, 30, 2000), 90);  // both off: the first period
  EXPECT_EQ(BiharmonicSignalRange(s, 1990, 2000), 2000);
  // A zero frequency: a period of 1e10 samples, ten of which overflow an int.
  s.oscillation1 = true;
  s.period1 = 1e10;
  EXPECT_EQ(BiharmonicSignalRange(s, 30, 1000), 1000);
}

TEST(ResultPlanTest, FrequencyDiagramsFollowTheUnitAndTheMode) {
  TypedFilterRun t({0.5, 0.5});  // |H| = |cos(ω/2)|: 1 at 0, 0 at ±π
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plan[DFMag].kind, ResultSeriesKind::kAnalogPeriodic);
  EXPECT_DOUBLE_EQ(plan[DFMag].period, 2 * std::numbers::pi);
  EXPECT_EQ(plan[DFMag].arguments, (ValueRange{-std::numbers::pi, std::numbers::pi}));
  EXPECT_EQ(plan[DFMag].count, 2048);
  EXPECT_EQ(plan[DFMag].range_y.min, 0);
  EXPECT_NEAR(plan[DFMag].range_y.max, 1.0, 1e-6);  // the grid misses ω = 0 by half a step
  EXPECT_TRUE(plan[DFPh].auto_range_y);
  EXPECT_FALSE(plan[DFMag].has_limits);

  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, true));
  EXPECT_EQ(plan[DFMag].arguments, (ValueRange{-0.5, 0.5}));
  EXPECT_EQ(plan[DFOutSpectr].range_x, (ValueRange{-0.5, 0.5}));
  EXPECT_DOUBLE_EQ(plan[DFPh].period, 1.0);
  EXPECT_EQ(plan[DFMag].values, t.run.AmplitudeResponse());  // the same values, only the argument changes

  // In dB the zero at ±π (−10000 dB or so) is cut at −100.
  MessageRecorder messages;
  t.run.SetAfcMode(3);
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plan[DFMag].range_y, (ValueRange{-100, 0}));
}

TEST(ResultPlanTest, DecibelRangeStopsAtTheSmallestValueAboveTheFloor) {
  // |H| from 1 + c at ω = 0 down to 1 − c at ω = ±π: normalised, (1 − c)/(1 + c) = 0.001 is −60 dB.
  const double c = 0.999 / 1.001;
  TypedFilterRun t({1.0, c});
  t.run.SetAfcMode(3);
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_NEAR(plan[DFMag].range_y.min, -60, 1e-4);  // normalised to the grid's maximum, just off ω = 0
  EXPECT_EQ(plan[DFMag].range_y.max, 0);
}

TEST(ResultPlanTest, FlatDecibelResponseStillGetsARange) {
  TypedFilterRun t({1.0});  // 0 dB at every frequency
  t.run.SetAfcMode(3);
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plan[DFMag].range_y, (ValueRange{-100, 0}));
}

TEST(ResultPlanTest, StationaryBiharmonicSpectraAreDiscreteLines) {
  TypedFilterRun t({1.0});
  t.biharmonic.Show();
  t.biharmonic.RequestAnalysis();
  t.run.ShowWindow();
  ASSERT_EQ(t.run.GetSignalSource(), 1);
  ResultPlan plan;
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  for (ResultDiagram d : {DFInSpectr, DFOutSpectr}) {
    EXPECT_EQ(plan[d].kind, ResultSeriesKind::kDiscretePeriodic);
    EXPECT_EQ(plan[d].period, 2048);
  }
  EXPECT_EQ(plan[DFInput].values, t.run.InputSignal());
  EXPECT_EQ(plan[DFInput].count, 2000);
  // ω = 1 only: ten periods of 6 samples after the identity's transient of 1.
  EXPECT_EQ(plan[DFInput].range_x, (ValueRange{0, 61}));

  t.biharmonic.SetStationary(false);
  plan.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plan[DFInSpectr].kind, ResultSeriesKind::kAnalogPeriodic);
}

TEST(ResultPlanTest, GroupDelayFollowsTheFrequencyUnitAndLeavesGapsUndefined) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> tau = {nan, 2, 3, nan, 5, 4};
  DiagramPlan plan = GroupDelayPlan(tau.data(), 6, std::numbers::pi);
  EXPECT_EQ(plan.values, tau.data());  // the NaN stay: the curve breaks there
  EXPECT_EQ(plan.kind, ResultSeriesKind::kAnalogPeriodic);
  EXPECT_EQ(plan.arguments, (ValueRange{-std::numbers::pi, std::numbers::pi}));
  EXPECT_EQ(plan.range_x, plan.arguments);
  EXPECT_DOUBLE_EQ(plan.period, 2 * std::numbers::pi);
  EXPECT_EQ(plan.range_y, (ValueRange{0, 5.5}));  // from the defined values, down to 0, a tenth to spare
  plan = GroupDelayPlan(tau.data(), 6, 0.5);
  EXPECT_EQ(plan.arguments, (ValueRange{-0.5, 0.5}));
  EXPECT_EQ(plan.period, 1);
  const std::vector<double> negative = {-3, nan, -1};
  EXPECT_EQ(GroupDelayPlan(negative.data(), 3, 0.5).range_y, (ValueRange{-3.3, 0}));
  // Undefined or zero everywhere still gets a range the diagram accepts.
  const std::vector<double> none = {nan, nan}, zero = {0, 0};
  EXPECT_EQ(GroupDelayPlan(none.data(), 2, 0.5).range_y, (ValueRange{0, 1.1}));
  EXPECT_EQ(GroupDelayPlan(zero.data(), 2, 0.5).range_y, (ValueRange{0, 1.1}));

  // Through a run, on either unit.
  TypedFilterRun t({0.5, 0.5});
  ResultPlan plans;
  plans.Plan(t.run, SettingsOf(t.signal, t.biharmonic, true));
  EXPECT_EQ(plans[DFGroupDelay].arguments, (ValueRange{-0.5, 0.5}));
  EXPECT_EQ(plans[DFGroupDelay].values, t.run.GroupDelay());
  EXPECT_EQ(plans[DFGroupDelay].count, 2048);
  plans.Plan(t.run, SettingsOf(t.signal, t.biharmonic, false));
  EXPECT_EQ(plans[DFGroupDelay].range_x, (ValueRange{-std::numbers::pi, std::numbers::pi}));
}

TEST(ResultPlanTest, ZeroPlaneMarksEveryRootInASquareViewAndTellsStability) {
  ZeroPoleSet roots;
  roots.zeros = {{{-1, 0}, 2}};
  roots.poles = {{{0.5, -0.5}, 1}, {{0.5, 0.5}, 1}};
  roots.max_pole_radius = std::sqrt(0.5);
  std::vector<TMarkedPoint> zeros, poles;
  DiagramPlan plan = ZeroPolePlan(roots, zeros, poles);
  EXPECT_EQ(plan.kind, ResultSeriesKind::kZeroPole);
  ASSERT_EQ(plan.zeros.points.size(), 1u);
  EXPECT_EQ(plan.zeros.points.data(), zeros.data());
  EXPECT_EQ(zeros[0].x, -1);
  EXPECT_EQ(zeros[0].count, 2);
  ASSERT_EQ(poles.size(), 2u);
  EXPECT_EQ(poles[0].y, -0.5);
  EXPECT_NE(plan.zeros.color, plan.poles.color);
  // The unit circle with 15 % to spare, the same on both axes.
  EXPECT_EQ(plan.range_x, (ValueRange{-1.15, 1.15}));
  EXPECT_EQ(plan.range_y, plan.range_x);
  EXPECT_EQ(StabilityText(roots), "Устойчив: наибольший радиус полюса 0,707107");

  // A pole at 1,5 sets the view and the verdict.
  roots.poles = {{{1.5, 0}, 1}};
  roots.max_pole_radius = 1.5;
  roots.stability = Stability::kUnstable;
  plan = ZeroPolePlan(roots, zeros, poles);
  EXPECT_NEAR(plan.range_y.max, 1.725, 1e-15);
  EXPECT_EQ(StabilityText(roots), "Неустойчив: наибольший радиус полюса 1,5");
  // A far zero (the mirror image of one at −0,15) leaves the circle large: the view stops at 2.
  roots.zeros.push_back({{-6.5, 0}, 1});
  EXPECT_EQ(ZeroPolePlan(roots, zeros, poles).range_x, (ValueRange{-2.3, 2.3}));
  EXPECT_EQ(zeros.size(), 2u);
  roots.poles.clear();
  roots.max_pole_radius = 0;
  roots.stability = Stability::kStable;
  EXPECT_EQ(StabilityText(roots), "Устойчив: полюсов нет");
  // Poles that could not be found leave the verdict open.
  roots.poles = {{{0.5, 0}, 1}};
  roots.missing_poles = 2;
  roots.stability = Stability::kUnknown;
  EXPECT_EQ(StabilityText(roots), "Устойчивость не определена: найдены не все полюсы");
}

}  // namespace
