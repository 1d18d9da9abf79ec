#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/messages.h"
#include "session/session.h"

namespace {

// The dialogs' models wired to a run, shown once as the program shows them at start.
struct ModelsAndRun : Session {
  AnalysisRun& run = *Session::run;
  ModelsAndRun() {
    input_form.Show(a, b);
    biharmonic.Show();
  }
};

TEST(ModelsFeedAnalysisTest, TypedFilterAndProcessedSignalTable) {
  ModelsAndRun m;
  m.run.RunAnalysis(0);  // the first paint: the empty table, the identity filter of a(0) = 1

  // a = 0,5; 0,5 typed into the grid and processed; signal 1, 2, 3.
  m.a.Show();
  m.a.SetValueText(0, "0,5");
  m.a.SetValueText(1, "0,5");
  m.a.Accept();
  m.a.Close();
  ASSERT_TRUE(m.input_form.RequestAnalysis(m.a));
  const double samples[] = {1, 2, 3};
  m.signal.SetValues(samples, 3);
  m.signal.Show();
  m.signal.Accept();
  m.signal.Close();
  m.run.RunAnalysis(0);

  const double* y = m.run.OutputSignal();
  EXPECT_EQ(std::vector<double>(y, y + 5), (std::vector<double>{0.5, 1.5, 2.5, 1.5, 0}));
  EXPECT_FALSE(m.input_form.IsAnalysisRequested());  // taken by the run
  EXPECT_FALSE(m.signal.IsProcessed());              // cleared when the run closed
}

TEST(ModelsFeedAnalysisTest, SelectedBiharmonicSignalBecomesTheInput) {
  ModelsAndRun m;
  m.run.RunAnalysis(0);
  m.biharmonic.SetStationary(false);
  m.biharmonic.RequestAnalysis();
  m.run.ShowWindow();
  EXPECT_EQ(m.run.GetSignalSource(), 1);
  EXPECT_FALSE(m.biharmonic.IsSignalSelected());
  for (int n : {0, 1, 5, 1999}) EXPECT_NEAR(m.run.InputSignal()[n], std::cos(static_cast<double>(n)), 1e-15) << n;
  // The identity filter passes it unchanged; the spectrum at ±π is that of cos n switched on.
  EXPECT_NEAR(m.run.OutputSignal()[7], std::cos(7.0), 1e-15);
  EXPECT_NEAR(m.run.InputSpectrum()[0], 0.5, 1e-12);
}

}  // namespace
