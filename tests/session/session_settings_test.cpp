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
  std::vector<ProjectSettings> kinds(10);
  kinds[0].filter = FilterChoice::kButterworth, kinds[0].wp = 0.7, kinds[0].order = 6;
  kinds[1].filter = FilterChoice::kChebyshev, kinds[1].ripple_db = 0.5, kinds[1].ls_db = -50;
  kinds[2].filter = FilterChoice::kWindow, kinds[2].wc = 1.2, kinds[2].order = 30, kinds[2].hamming = true;
  kinds[3].filter = FilterChoice::kFrSampling, kinds[3].order = 21;
  kinds[4].a = {0.5, 0.25}, kinds[4].b = {-0.3}, kinds[4].signal = SignalChoice::kSamples,
  kinds[4].samples = {1, -1, 0.5};
  kinds[5].filter = FilterChoice::kChebyshev, kinds[5].signal = SignalChoice::kBiharmonic, kinds[5].w1 = 0.2,
  kinds[5].w2 = 0.5, kinds[5].oscillations = "12", kinds[5].decimation = 2, kinds[5].switched_on = true;
  kinds[5].interval = 1000, kinds[5].points = 1024, kinds[5].afc = 3, kinds[5].measure = {{-1.5, -70}};
  kinds[6].filter = FilterChoice::kWindow, kinds[6].band = BandType::kBandStop, kinds[6].wc = 0.8, kinds[6].wc2 = 2.2,
  kinds[6].attenuation_db = 50, kinds[6].transition = 20, kinds[6].kaiser = 4;
  kinds[7].filter = FilterChoice::kFrSampling, kinds[7].band = BandType::kHighPass, kinds[7].fc = 0.3,
  kinds[7].hann = true;
  kinds[8].filter = FilterChoice::kButterworth, kinds[8].band = BandType::kBandPass, kinds[8].wp = 2.5,
  kinds[8].wp2 = 2.8, kinds[8].order = 4;
  kinds[9].filter = FilterChoice::kChebyshev, kinds[9].band = BandType::kHighPass, kinds[9].fp = 0.3;
  for (const ProjectSettings& settings : kinds) {
    Session first, second;
    Analyse(first, settings);
    const ProjectSettings taken = ProjectSettingsOf(first);
    const std::string text = WriteProject(taken);
    Analyse(second, ReadProject(text, "taken.velmar"));
    EXPECT_EQ(WriteProject(ProjectSettingsOf(second)), text);
    EXPECT_EQ(taken.filter, settings.filter) << text;
    EXPECT_EQ(taken.band, settings.band) << text;
    EXPECT_EQ(taken.wp2, settings.wp2) << text;
    EXPECT_EQ(taken.signal, settings.signal) << text;
    // The levels in the unit they were given in; the order or the transition width as given.
    EXPECT_EQ(taken.lp_db || taken.ls_db, settings.lp_db || settings.ls_db || settings.ripple_db) << text;
    EXPECT_EQ(taken.order.has_value(), settings.order.has_value() || settings.filter == FilterChoice::kWindow ||
                                           settings.filter == FilterChoice::kFrSampling)
        << text;
    if (settings.measure) {
      EXPECT_EQ(taken.measure, settings.measure) << text;
    }
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

TEST(SessionSettingsTest, WhatSettingsLeaveOutIsWhatAFreshStartHas) {
  ProjectSettings lab;
  lab.filter = FilterChoice::kChebyshev, lab.order = 7, lab.lp_db = -1, lab.afc = 3, lab.measure = {{-1, -60}};
  lab.signal = SignalChoice::kBiharmonic, lab.w1 = 0.3;
  ProjectSettings partial;
  partial.filter = FilterChoice::kChebyshev, partial.wp = 0.5;
  Session used, fresh;
  Analyse(used, lab);
  for (const ProjectSettings& settings : {partial, ProjectSettings()}) {
    Analyse(used, settings);
    Analyse(fresh, settings);
    const std::string text = WriteProject(ProjectSettingsOf(fresh));
    EXPECT_EQ(WriteProject(ProjectSettingsOf(used)), text);
    EXPECT_FALSE(used.library_fields.IsDecibel()) << text;
    EXPECT_EQ(used.biharmonic.GetOscillation(1).Omega(), fresh.biharmonic.GetOscillation(1).Omega()) << text;
    EXPECT_EQ(used.run->GetSignalSource(), 0) << text;
    EXPECT_EQ(used.measurement.PassIndex(LevelScale::kDecibel), fresh.measurement.PassIndex(LevelScale::kDecibel));
    EXPECT_TRUE(SameBits(used.run->OutputSignal(), fresh.run->OutputSignal(), fresh.run->IntervalLength())) << text;
    EXPECT_TRUE(SameBits(used.run->AmplitudeResponse(), fresh.run->AmplitudeResponse(), 2048)) << text;
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
  // Measurement levels are items of the lists of the response's scale.
  ProjectSettings levels;
  levels.afc = 2, levels.measure = {{0.707, 0.01}};
  EXPECT_NO_THROW(CheckSettings(levels));
  for (const std::pair<double, double>& wrong : {std::pair(0.71, 0.01), std::pair(0.707, -40.0)}) {
    levels.measure = wrong;
    EXPECT_THROW(CheckSettings(levels), UsageError);
  }
}

}  // namespace
