#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "analysis/measurement.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kLevelChanged =
    "Заданный уровень подавления не обеспечивается фильтром.\n"
    "                              Уровень подавления изменён.";

// An 8-point grid: ω_i = i·2π/7 − π, so the upper half holds π/7, 3π/7, 5π/7 and π.
std::vector<double> EightPoints(double a4, double a5, double a6, double a7) {
  return {0, 0, 0, 0, a4, a5, a6, a7};
}

TEST(MeasurementTest, ListsStartAt0707And001OrMinus3AndMinus40Decibels) {
  EXPECT_EQ(FindLevel(PassBandLevels(LevelScale::kLinear), 0.707), PassBandLevels(LevelScale::kLinear).default_index);
  EXPECT_EQ(FindLevel(PassBandLevels(LevelScale::kDecibel), -3), PassBandLevels(LevelScale::kDecibel).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kLinear), 0.01), StopBandLevels(LevelScale::kLinear).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kDecibel), -40), StopBandLevels(LevelScale::kDecibel).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kDecibel), -300), 26);  // the lowest, last
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kLinear), 0.02), -1);
}

TEST(MeasurementTest, EdgesWidthAndTheirUncertainties) {
  // pass at 3π/7, stop at 5π/7, so ωs = π: Δ = 4π/7, ρ = 133,33 %, half step π/7.
  const std::vector<double> response = EightPoints(1, 0.9, 0.3, 0.001);
  MessageRecorder messages;
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 9);
  ASSERT_TRUE(r.valid);
  EXPECT_EQ(r.pass, 5);
  EXPECT_EQ(r.stop, 6);
  EXPECT_EQ(r.stop_index, 9);
  EXPECT_NEAR(r.omega_pass, 3 * kPi / 7, 1e-12);
  EXPECT_NEAR(r.omega_stop, kPi, 1e-12);
  EXPECT_NEAR(r.width, 4 * kPi / 7, 1e-12);
  EXPECT_NEAR(r.relative_width, 400.0 / 3, 1e-10);
  EXPECT_EQ(r.wvT, "1,3464±33,33%");  // 3π/7; (π/7)/(3π/7)
  EXPECT_EQ(r.fvT, "0,2143±33,33%");  // 3/14
  EXPECT_EQ(r.wpT, "3,1416±14,29%");  // 1/7
  EXPECT_EQ(r.fpT, "0,5000±14,29%");
  EXPECT_EQ(r.dwT, "1,7952±50,00%");  // 4π/7; (2π/7)/(4π/7)
  EXPECT_EQ(r.dfT, "0,2857±50,00%");  // 2/7
  EXPECT_EQ(r.dw, "133,3333±11,11%");  // q = (4·4)/(3·6)
  EXPECT_TRUE(messages.Messages().empty());

  // The same response in dB against the dB lists (−3 and −40 dB) gives the same edges.
  const std::vector<double> db = EightPoints(0, -1, -20, -50);
  const MeasurementResult d = MeasureAmplitudeResponse(db.data(), 8, LevelScale::kDecibel, 5, 6);
  EXPECT_EQ(d.wvT, r.wvT);
  EXPECT_EQ(d.dw, r.dw);
}

TEST(MeasurementTest, AnUnreachedStopLevelIsRaisedWithAMessage) {
  // Falls to 0,003 at π: 0,00001 … 0,001 are never reached, 0,005 is.
  const std::vector<double> response = EightPoints(1, 0.8, 0.1, 0.003);
  MessageRecorder messages;
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 15);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kLevelChanged});
  EXPECT_EQ(StopBandLevels(LevelScale::kLinear).items[static_cast<std::size_t>(r.stop_index)], "0,005");
  EXPECT_EQ(r.stop, 6);

  // Above even the highest level at π: the first item, and ωs one step beyond π.
  messages.Clear();
  const std::vector<double> flat(8, 1.0);
  const MeasurementResult f = MeasureAmplitudeResponse(flat.data(), 8, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kLevelChanged});
  EXPECT_EQ(f.stop_index, 0);
  EXPECT_EQ(f.pass, 7);
  EXPECT_NEAR(f.omega_pass, kPi, 1e-12);
  EXPECT_NEAR(f.omega_stop, 9 * kPi / 7, 1e-12);

  // Already at the first item: no message.
  messages.Clear();
  MeasureAmplitudeResponse(flat.data(), 8, LevelScale::kLinear, 5, 0);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(MeasurementTest, NoPassBandAndTheNegativeWidthBound) {
  // Below 0,707 everywhere: pass stays at N/2, the first point above 0, half a step from it.
  const std::vector<double> response = EightPoints(0.6, 0.3, 0.2, 0.001);
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(r.pass, 4);
  EXPECT_NEAR(r.omega_pass, kPi / 7, 1e-12);
  // Δ = 6π/7 is more than 2·ωp, so 1 − q < 0 and the relative width stands alone: 600 %.
  EXPECT_EQ(r.dw, "600,0000");
  EXPECT_EQ(r.wvT, "0,4488±100,00%");  // the half step π/7 is ωp itself
}

TEST(MeasurementTest, FineGridUncertaintyAndTooShortResponses) {
  // N = 2048: half step π/2047 ≈ 0,00153, 0,15 % of ωp ≈ 1.
  std::vector<double> response(2048, 0.0);
  for (int i = 1024; i <= 1349; ++i) response[static_cast<std::size_t>(i)] = 1.0;  // ω_1349 ≈ 0,99908
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 2048, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(r.pass, 1349);
  EXPECT_EQ(r.stop, 1349);
  EXPECT_EQ(r.wvT, "0,9991±0,15%");

  const double one = 1.0;
  MessageRecorder messages;
  EXPECT_FALSE(MeasureAmplitudeResponse(&one, 1, LevelScale::kLinear, 5, 9).valid);
  EXPECT_FALSE(MeasureAmplitudeResponse(nullptr, 2048, LevelScale::kLinear, 5, 9).valid);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
