#include "session/session_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "session/project_file.h"

namespace {

// The settings put into a fresh session and analysed.
void Analyse(Session& s, const ProjectSettings& settings) {
  s.run->ShowWindow();
  ApplySettings(s, settings, nullptr);
  s.run->RunAnalysis(settings.filter == FilterChoice::kArbitrary ? 0 : 1);
}

bool SameBits(const double* x, const double* y, int n) { return std::memcmp(x, y, sizeof(double) * n) == 0; }

TEST(SessionSettingsTest, ASessionTakenAndAppliedAgainGivesTheSameWork) {
  std::vector<ProjectSettings> kinds(8);
  kinds[0].filter = FilterChoice::kButterworth, kinds[0].wp = 0.7, kinds[0].order = 6;
  kinds[1].filter = FilterChoice::kChebyshev, kinds[1].ripple_db = 0.5, kinds[1].ls_db = -50;
  kinds[2].filter = FilterChoice::kWindow, kinds[2].wc = 1.2, kinds[2].order = 30, kinds[2].hamming = true;
  kinds[3].filter = FilterChoice::kFrSampling, kinds[3].order = 21;
  kinds[4].a = {0.5, 0.25}, kinds[4].b = {-0.3}, kinds[4].signal = SignalChoice::kSamples,
  kinds[4].samples = {1, -1, 0.5};
  kinds[5].filter = FilterChoice::kChebyshev, kinds[5].signal = SignalChoice::kBiharmonic, kinds[5].w1 = 0.2,
  kinds[5].w2 = 0.5, kinds[5].oscillations = "12", kinds[5].decimation = 2, kinds[5].switched_on = true;
  kinds[5].interval = 1000, kinds[5].points = 1024, kinds[5].afc = 3;
  kinds[6].filter = FilterChoice::kWindow, kinds[6].band = BandType::kBandStop, kinds[6].wc = 0.8, kinds[6].wc2 = 2.2,
  kinds[6].attenuation_db = 50, kinds[6].transition = 20, kinds[6].kaiser = 4;
  kinds[7].filter = FilterChoice::kFrSampling, kinds[7].band = BandType::kHighPass, kinds[7].fc = 0.3,
  kinds[7].hann = true;
  for (const ProjectSettings& settings : kinds) {
    Session first, second;
    Analyse(first, settings);
    const ProjectSettings taken = ProjectSettingsOf(first);
    const std::string text = WriteProject(taken);
    Analyse(second, ReadProject(text, "taken.velmar"));
    EXPECT_EQ(WriteProject(ProjectSettingsOf(second)), text);
    EXPECT_EQ(taken.filter, settings.filter) << text;
    EXPECT_EQ(taken.signal, settings.signal) << text;
    const AnalysisRun &x = *first.run, &y = *second.run;
    ASSERT_EQ(x.IntervalLength(), settings.interval);
    ASSERT_EQ(y.IntervalLength(), x.IntervalLength());
    ASSERT_EQ(y.FrequencyPoints(), x.FrequencyPoints());
    EXPECT_TRUE(SameBits(x.ImpulseResponse(), y.ImpulseResponse(), x.IntervalLength())) << text;
    EXPECT_TRUE(SameBits(x.OutputSignal(), y.OutputSignal(), x.IntervalLength())) << text;
    EXPECT_TRUE(SameBits(x.AmplitudeResponse(), y.AmplitudeResponse(), x.FrequencyPoints())) << text;
    EXPECT_TRUE(SameBits(x.OutputSpectrum(), y.OutputSpectrum(), x.FrequencyPoints())) << text;
  }
}

TEST(SessionSettingsTest, SettingsTheModelsRefuseAreFoundWithoutTouchingASession) {
  ProjectSettings zeros;
  zeros.a = {0, 0};
  EXPECT_THROW(CheckSettings(zeros), UsageError);
  ProjectSettings decimation;
  decimation.signal = SignalChoice::kBiharmonic, decimation.w1 = 3.0, decimation.decimation = 5;
  EXPECT_THROW(CheckSettings(decimation), UsageError);
  decimation.decimation = 1;
  EXPECT_NO_THROW(CheckSettings(decimation));
}

}  // namespace
