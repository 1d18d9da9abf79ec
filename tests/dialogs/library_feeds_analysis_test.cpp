#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/measurement.h"
#include "dialogs/biharmonic_model.h"
#include "dialogs/filter_library_model.h"
#include "numeric/subnormal_guard.h"
#include "platform/messages.h"
#include "support/stated_interval.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct LibraryAndRun {
  FilterLibraryModel library;
  BiharmonicModel biharmonic;
  AnalysisRun run;
  MessageRecorder recorder;

  LibraryAndRun() {
    run.SetSources({.library = &library, .biharmonic = &biharmonic});
    biharmonic.Show();
    run.ShowWindow();  // the first analysis, of the initial identity filter
  }
  void Choose(int page) {
    library.Show();
    library.SetPage(page);
    library.SelectFilter();
    run.RunAnalysis(1);
  }
};

TEST(LibraryFeedsAnalysisTest, ChosenButterworthBecomesTheCurrentCascade) {
  LibraryAndRun m;
  m.Choose(kButterworthKind);
  EXPECT_TRUE(m.run.IsLibraryFilter());
  EXPECT_FALSE(m.library.IsFilterSelected());
  ASSERT_EQ(m.run.CascadeFilter(), &m.library.Butterworth());
  EXPECT_EQ(m.run.DirectFilter(), nullptr);
  EXPECT_EQ(m.library.Butterworth().SectionCount(), 15);  // order 30
  // The amplitude response is the designed cascade's on the grid, and has Lp at the pass-band edge.
  const double delta = 2 * kPi / 2047;
  for (int k = 0; k < 2048; k += 31) {
    const double w = -kPi + (k < 1024 ? k : 2047 - k) * delta;
    ASSERT_NEAR(m.run.AmplitudeResponse()[k], m.library.Butterworth().Amplitude(w), 1e-12) << k;
  }
  EXPECT_NEAR(m.library.Butterworth().Amplitude(m.library.ButterworthDesign().GetWp()),
              m.library.ButterworthDesign().GetLp(), 1e-9);
  EXPECT_TRUE(m.recorder.Messages().empty());

  // Closing the dialog without choosing leaves the filter as it is.
  m.library.Show();
  m.library.SetPage(kChebyshevKind);
  m.run.RunAnalysis(1);
  EXPECT_EQ(m.run.CascadeFilter(), &m.library.Butterworth());
}

TEST(LibraryFeedsAnalysisTest, ChosenFrequencySamplingPageDesignsItsFilter) {
  LibraryAndRun m;
  m.library.FrSamplingDesign().SetOrder(21);
  m.Choose(kFrSamplingKind);
  ASSERT_EQ(m.run.DirectFilter(), &m.library.FrSampling());
  EXPECT_EQ(m.run.CascadeFilter(), nullptr);
  EXPECT_EQ(m.library.Butterworth().SectionCount(), 1);  // the other designs were emptied
  // The impulse response is the designed taps h(0) … h(N), then zeros.
  for (int n = 0; n <= 21; ++n) EXPECT_EQ(m.run.ImpulseResponse()[n], m.library.FrSampling().ACoef(n)) << n;
  for (int n = 22; n < 2000; ++n) ASSERT_EQ(m.run.ImpulseResponse()[n], 0) << n;
}

TEST(LibraryFeedsAnalysisTest, StationaryBiharmonicGivesLinesScaledByTheAmplitude) {
  LibraryAndRun m;
  m.Choose(kChebyshevKind);
  m.biharmonic.SetOscillationEnabled(2, true);  // ω1 = 1, A1 = 1 and ω2 = 2, A2 = 0,2
  m.biharmonic.RequestAnalysis();
  m.run.ShowWindow();
  const double delta = 2 * kPi / 2047;
  int lines = 0;
  for (int k = 0; k < 2048; ++k) {
    const double w = -kPi + k * delta;
    const double in = m.run.InputSpectrum()[k];
    const bool near1 = std::fabs(std::fabs(w) - 1) <= delta / 2, near2 = std::fabs(std::fabs(w) - 2) <= delta / 2;
    if (near1) EXPECT_NEAR(in, 0.5, 1e-15) << k;
    else if (near2) EXPECT_NEAR(in, 0.1, 1e-15) << k;
    else ASSERT_EQ(in, 0) << k;
    lines += near1 || near2;
    const double mirrored = -kPi + (k < 1024 ? k : 2047 - k) * delta;
    ASSERT_NEAR(m.run.OutputSpectrum()[k], in * m.library.Chebyshev().Amplitude(mirrored), 1e-12) << k;
  }
  EXPECT_EQ(lines, 4);  // each line at its nearest grid point, and its mirror image
}

TEST(LibraryFeedsAnalysisTest, MeasuredEdgesOfAButterworthHoldItsDesignedEdges) {
  // Designed at −3 dB and −40 dB, measured at the same levels in dB: the pass edge is ωp and the
  // stop edge (1 + δa)·ωp, where the design puts those levels exactly.
  LibraryAndRun m;
  m.run.SetAfcMode(3);
  CBatterwortFilter& design = m.library.ButterworthDesign();
  design.SetLsdB(-40);
  for (const double wp : {0.3, 1.0, 2.2}) {
    design.SetWp(wp);
    m.Choose(kButterworthKind);
    const MeasurementResult r = MeasureAmplitudeResponse(
        m.run.AmplitudeResponse(), m.run.FrequencyPoints(), LevelScale::kDecibel,
        FindLevel(PassBandLevels(LevelScale::kDecibel), -3), FindLevel(StopBandLevels(LevelScale::kDecibel), -40));
    const double ws = (1 + design.GetActualTransition() / 100) * wp;
    EXPECT_TRUE(StatedInterval(r.wvT).Holds(wp)) << r.wvT << " " << wp;
    EXPECT_TRUE(StatedInterval(r.wpT).Holds(ws)) << r.wpT << " " << ws;
    EXPECT_TRUE(StatedInterval(r.dwT).Holds(ws - wp)) << r.dwT;
    EXPECT_TRUE(StatedInterval(r.dw).Holds(design.GetActualTransition())) << r.dw;
  }
  EXPECT_TRUE(m.recorder.Messages().empty());
}

// Subnormal values in the eight result arrays over the whole interval and grid.
int CountSubnormals(const AnalysisRun& run) {
  const double* time[] = {run.ImpulseResponse(), run.StepResponse(), run.InputSignal(), run.OutputSignal()};
  const double* frequency[] = {run.AmplitudeResponse(), run.PhaseResponse(), run.InputSpectrum(), run.OutputSpectrum()};
  int count = 0;
  for (const double* values : time)
    for (int n = 0; n < run.IntervalLength(); ++n) count += std::fpclassify(values[n]) == FP_SUBNORMAL;
  for (const double* values : frequency)
    for (int k = 0; k < run.FrequencyPoints(); ++k) count += std::fpclassify(values[k]) == FP_SUBNORMAL;
  return count;
}

TEST(LibraryFeedsAnalysisTest, DecayingFilterLeavesNoSubnormalInAnyResult) {
  // Order 200 falls below the smallest normal double near ±π and in its sections' delay lines.
  LibraryAndRun m;
  m.run.SetInterval(4000);
  m.run.SetResolution(4096);
  m.library.ButterworthDesign().SetAutoOrder(false);
  m.library.ButterworthDesign().SetOrder(200);
  m.biharmonic.RequestAnalysis();
  m.Choose(kButterworthKind);
  EXPECT_EQ(CountSubnormals(m.run), 0);
  EXPECT_FALSE(SubnormalGuard::Flushing());  // the caller's state is back

  if (!SubnormalGuard::Supported()) GTEST_SKIP() << "no control over subnormals on this CPU";
  // The same run without flushing does produce them: the check above can fail.
  m.run.SetFlushSubnormals(false);
  m.biharmonic.RequestAnalysis();
  m.Choose(kButterworthKind);
  EXPECT_GT(CountSubnormals(m.run), 0);

  SubnormalGuard outer;  // a guard inside another restores the outer one's state
  { SubnormalGuard inner; }
  EXPECT_TRUE(SubnormalGuard::Flushing());
}

}  // namespace
