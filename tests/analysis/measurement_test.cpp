#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/measurement.h"
#include "platform/messages.h"
#include "support/stated_interval.h"

namespace {

constexpr double kPi = std::numbers::pi;
const std::string kLevelChanged =
    "Заданный уровень подавления не обеспечивается фильтром.\n"
    "                              Уровень подавления изменён.";
const std::string kNoLevelReached =
    "Ни один уровень подавления не обеспечивается фильтром.\n Граница полосы подавления не определена.";

// An 8-point grid: ω_i = i·2π/7 − π, so the upper half holds π/7, 3π/7, 5π/7 and π.
std::vector<double> EightPoints(double a4, double a5, double a6, double a7) { return {0, 0, 0, 0, a4, a5, a6, a7}; }

TEST(MeasurementTest, ListsStartAt0707And001OrMinus3AndMinus40Decibels) {
  EXPECT_EQ(FindLevel(PassBandLevels(LevelScale::kLinear), 0.707), PassBandLevels(LevelScale::kLinear).default_index);
  EXPECT_EQ(FindLevel(PassBandLevels(LevelScale::kDecibel), -3), PassBandLevels(LevelScale::kDecibel).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kLinear), 0.01), StopBandLevels(LevelScale::kLinear).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kDecibel), -40), StopBandLevels(LevelScale::kDecibel).default_index);
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kDecibel), -300), 26);  // the lowest, last
  EXPECT_EQ(FindLevel(StopBandLevels(LevelScale::kLinear), 0.02), -1);
}

TEST(MeasurementTest, EdgesWidthAndTheirUncertainties) {
  // The pass edge lies between 3π/7 (1 ≥ 0,707) and 5π/7 (0,3), the stop edge between 5π/7 and π
  // (0,001 ≤ 0,01): each is stated as the middle of its interval, which the text holds.
  const std::vector<double> response = EightPoints(1, 0.9, 0.3, 0.001);
  MessageRecorder messages;
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 9);
  ASSERT_TRUE(r.valid);
  EXPECT_TRUE(r.stop_reached);
  EXPECT_EQ(r.pass, 5);
  EXPECT_EQ(r.stop, 6);
  EXPECT_EQ(r.stop_index, 9);
  EXPECT_NEAR(r.omega_pass, 4 * kPi / 7, 1e-12);
  EXPECT_NEAR(r.omega_stop, 6 * kPi / 7, 1e-12);
  EXPECT_NEAR(r.width, 2 * kPi / 7, 1e-12);         // within [0, 4π/7]
  EXPECT_NEAR(r.relative_width, 200.0 / 3, 1e-10);  // within [0, 4/3]
  EXPECT_EQ(r.wvT, "1,7952±25,01%");                // 4π/7 ± π/7, the 0,01 % for the value's rounding
  EXPECT_EQ(r.fvT, "0,2857±25,01%");
  EXPECT_EQ(r.wpT, "2,6928±16,67%");  // 6π/7 ± π/7
  EXPECT_EQ(r.fpT, "0,4286±16,68%");
  EXPECT_EQ(r.dwT, "0,8976±100,00%");
  EXPECT_EQ(r.dfT, "0,1429±100,00%");
  EXPECT_EQ(r.dw, "66,6667±100,00%");
  EXPECT_TRUE(messages.Messages().empty());

  // The same response in dB against the dB lists (−3 and −40 dB) gives the same edges.
  const std::vector<double> db = EightPoints(0, -1, -20, -50);
  const MeasurementResult d = MeasureAmplitudeResponse(db.data(), 8, LevelScale::kDecibel, 5, 6);
  EXPECT_EQ(d.wvT, r.wvT);
  EXPECT_EQ(d.dw, r.dw);
}

TEST(MeasurementTest, StatedIntervalsHoldTheEdgesOfAKnownResponse) {
  // y(n) = x(n) + x(n − 1): |H| normalised is |cos(ω/2)|, at level L from ω = 2·arccos L. Every
  // pass and stop level of both lists, on every grid, on the grid alone and with the response
  // between its points, which pins each edge to the rounding of its four decimals.
  for (const int n : {1024, 2048, 4096}) {
    for (const LevelScale scale : {LevelScale::kLinear, LevelScale::kDecibel}) {
      for (const bool continuous : {false, true}) {
        const bool db = scale == LevelScale::kDecibel;
        const auto shown = [db](double omega) {
          const double a = std::fabs(std::cos(omega / 2));
          return db ? (a > 0 ? 20 * std::log10(a) : -10000) : a;
        };
        std::vector<double> response(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) response[static_cast<std::size_t>(i)] = shown(-kPi + i * 2 * kPi / (n - 1));
        const ContinuousResponse between{shown, 1, {-1.0}, {}};
        const auto edge = [&](const std::string& item) {
          const double level = LevelValue(item);
          return 2 * std::acos(db ? std::pow(10, level / 20) : level);
        };
        const LevelList& pass_levels = PassBandLevels(scale);
        const LevelList& stop_levels = StopBandLevels(scale);
        for (std::size_t p = 0; p < pass_levels.items.size(); ++p) {
          for (std::size_t q = 0; q < stop_levels.items.size(); ++q) {
            MessageRecorder quiet;
            const MeasurementResult r = MeasureAmplitudeResponse(response.data(), n, scale, static_cast<int>(p),
                                                                 static_cast<int>(q), continuous ? &between : nullptr);
            const double wp = edge(pass_levels.items[p]), ws = edge(stop_levels.items[q]);
            const std::string where = std::to_string(n) + " " + pass_levels.items[p] + " " + stop_levels.items[q];
            if (continuous) {
              EXPECT_TRUE(r.wvT.ends_with("±0,01%")) << where << " " << r.wvT;
              EXPECT_TRUE(r.wpT.ends_with("±0,01%")) << where << " " << r.wpT;
            }
            ASSERT_TRUE(r.stop_reached) << where;
            EXPECT_TRUE(StatedInterval(r.wvT).Holds(wp)) << where << " " << r.wvT << " " << wp;
            EXPECT_TRUE(StatedInterval(r.fvT).Holds(wp / (2 * kPi))) << where << " " << r.fvT;
            EXPECT_TRUE(StatedInterval(r.wpT).Holds(ws)) << where << " " << r.wpT << " " << ws;
            EXPECT_TRUE(StatedInterval(r.fpT).Holds(ws / (2 * kPi))) << where << " " << r.fpT;
            EXPECT_TRUE(StatedInterval(r.dwT).Holds(ws - wp)) << where << " " << r.dwT;
            EXPECT_TRUE(StatedInterval(r.dfT).Holds((ws - wp) / (2 * kPi))) << where << " " << r.dfT;
            EXPECT_TRUE(StatedInterval(r.dw).Holds((ws - wp) / wp * 100)) << where << " " << r.dw;
            EXPECT_LE(r.omega_stop, kPi) << where;
          }
        }
      }
    }
  }
}

TEST(MeasurementTest, BandEdgesHoldTheCrossingsOfButterworthResponses) {
  // |H|² = 1/(1 + X⁸) at Ω = tan(ω/2): X = Ωp/Ω (high-pass), (Ω² − Ω₀²)/(BΩ) (band-pass),
  // BΩ/(Ω₀² − Ω²) (band-stop), with Ω₁ = 0,4, Ω₂ = 1,5. The level L is crossed where
  // |X| = (1/L² − 1)^(1/8), so at Ωp/x, or where Ω² ∓ c·Ω − Ω₀² = 0 with c = xB (band-pass) or
  // B/x (band-stop).
  constexpr int n = 2048;
  const double o1 = 0.4, o2 = 1.5, o0 = std::sqrt(o1 * o2), bw = o2 - o1;
  for (const BandType type : {BandType::kHighPass, BandType::kBandPass, BandType::kBandStop}) {
    const auto x_of = [&](double omega) {
      const double o = std::tan(omega / 2);
      return type == BandType::kHighPass   ? o1 / o
             : type == BandType::kBandPass ? (o * o - o0 * o0) / (bw * o)
                                           : bw * o / (o0 * o0 - o * o);
    };
    // The crossings of level L in order of ω: one, or the lower and the upper.
    const auto crossings = [&](double level) {
      const double x = std::pow(1 / (level * level) - 1, 1.0 / 8);
      if (type == BandType::kHighPass) return std::vector<double>{2 * std::atan(o1 / x)};
      const double c = type == BandType::kBandPass ? x * bw : bw / x, root = std::sqrt(c * c + 4 * o0 * o0);
      return std::vector<double>{2 * std::atan((root - c) / 2), 2 * std::atan((root + c) / 2)};
    };
    for (const LevelScale scale : {LevelScale::kLinear, LevelScale::kDecibel}) {
      const bool db = scale == LevelScale::kDecibel;
      const auto shown = [&](double omega) {
        const double x = x_of(omega), a = std::isfinite(x) ? 1 / std::sqrt(1 + std::pow(x, 8)) : 0;
        return db ? (a > 0 ? 20 * std::log10(a) : -10000) : a;
      };
      std::vector<double> response(n);
      for (int i = 0; i < n; ++i)
        response[static_cast<std::size_t>(i)] = shown(std::fabs(-kPi + i * 2 * kPi / (n - 1)));
      const ContinuousResponse between{shown, 8, {}, {}};
      const int passes[] = {0, 5, db ? 18 : 10};
      for (const int p : passes) {
        for (const int q : {0, StopBandLevels(scale).default_index}) {
          for (const bool continuous : {false, true}) {
            MessageRecorder quiet;
            const MeasurementResult r =
                MeasureAmplitudeResponse(response.data(), n, scale, p, q, continuous ? &between : nullptr, type);
            const auto linear = [&](const std::string& item) {
              return db ? std::pow(10, LevelValue(item) / 20) : LevelValue(item);
            };
            const std::vector<double> pass =
                crossings(linear(PassBandLevels(scale).items[static_cast<std::size_t>(p)]));
            const std::vector<double> stop =
                crossings(linear(StopBandLevels(scale).items[static_cast<std::size_t>(q)]));
            // The edges in order of ω, each with its band.
            std::vector<std::pair<double, BandKind>> truth;
            if (type == BandType::kHighPass) {
              truth = {{stop[0], BandKind::kStop}, {pass[0], BandKind::kPass}};
            } else if (type == BandType::kBandPass) {
              truth = {{stop[0], BandKind::kStop},
                       {pass[0], BandKind::kPass},
                       {pass[1], BandKind::kPass},
                       {stop[1], BandKind::kStop}};
            } else {
              truth = {{pass[0], BandKind::kPass},
                       {stop[0], BandKind::kStop},
                       {stop[1], BandKind::kStop},
                       {pass[1], BandKind::kPass}};
            }
            const std::string where = PassBandLevels(scale).items[static_cast<std::size_t>(p)] + " " +
                                      StopBandLevels(scale).items[static_cast<std::size_t>(q)] + " " +
                                      std::to_string(static_cast<int>(type)) + (continuous ? " between" : "");
            ASSERT_TRUE(r.stop_reached) << where;
            ASSERT_EQ(r.edges.size(), truth.size()) << where;
            ASSERT_EQ(r.transitions.size(), truth.size() / 2) << where;
            EXPECT_EQ(r.wvT, "") << where;  // the low-pass fields are a low-pass's alone
            for (std::size_t i = 0; i < truth.size(); ++i) {
              const MeasuredEdge& e = r.edges[i];
              EXPECT_EQ(e.of.band, truth[i].second) << where << " " << i;
              EXPECT_EQ(e.of.upper, i % 2 == 0) << where << " " << i;
              EXPECT_TRUE(StatedInterval(e.wT).Holds(truth[i].first)) << where << " " << i << " " << e.wT;
              EXPECT_TRUE(StatedInterval(e.fT).Holds(truth[i].first / (2 * kPi))) << where << " " << i << " " << e.fT;
              // Pinned on the response: to the rounding of the four decimals.
              const StatedInterval stated(e.wT);
              if (continuous) {
                EXPECT_LE((stated.high - stated.low) / 2, 5e-5 + 1e-4 * truth[i].first)
                    << where << " " << i << " " << e.wT;
              }
            }
            for (std::size_t k = 0; k < r.transitions.size(); ++k) {
              const MeasuredTransition& t = r.transitions[k];
              const double below = truth[2 * k].first, above = truth[2 * k + 1].first;
              const double pass_edge = truth[2 * k].second == BandKind::kPass ? below : above;
              EXPECT_TRUE(StatedInterval(t.dwT).Holds(above - below)) << where << " " << k << " " << t.dwT;
              EXPECT_TRUE(StatedInterval(t.dfT).Holds((above - below) / (2 * kPi))) << where << " " << k;
              EXPECT_TRUE(StatedInterval(t.dw).Holds((above - below) / pass_edge * 100))
                  << where << " " << k << " " << t.dw;
            }
          }
        }
      }
    }
  }
}

TEST(MeasurementTest, PassBandDipsAreSpannedAndStopBandLobesEndTheStopBand) {
  // A 16-point grid: ω_i = (2i − 15)·π/15 for the upper half i = 8 … 15. Levels 0,707 and 0,01.
  const auto omega = [](int i) { return (2 * i - 15) * kPi / 15; };
  const auto edges = [](const std::vector<double>& upper, BandType type) {
    std::vector<double> response(8, 0.0);
    response.insert(response.end(), upper.begin(), upper.end());
    const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 16, LevelScale::kLinear, 5, 9, nullptr, type);
    std::vector<double> middles;
    for (const MeasuredEdge& e : r.edges) middles.push_back(e.omega);
    return middles;
  };
  const auto between = [&](int i) { return (omega(i) + omega(i + 1)) / 2; };
  const auto expect_near = [](const std::vector<double>& found, const std::vector<double>& expected) {
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) EXPECT_NEAR(found[i], expected[i], 1e-12) << i;
  };
  // Band-pass: the dip to 0,6 at i = 11 stays inside the pass band (i = 10 … 12); the lobe of
  // 0,02 at i = 14 moves the upper stop band beyond it.
  const std::vector<double> band_pass = edges({0.001, 0.3, 0.9, 0.6, 1, 0.005, 0.02, 0.001}, BandType::kBandPass);
  expect_near(band_pass, {between(8), between(9), between(12), between(14)});
  // Band-stop: of the runs at or below 0,01, i = 10 and i = 12 … 13, the wider is the stop band.
  const std::vector<double> band_stop = edges({1, 0.8, 0.005, 0.05, 0.001, 0.002, 0.9, 1}, BandType::kBandStop);
  expect_near(band_stop, {between(9), between(11), between(13), between(13)});
  // High-pass: the stop band ends before the first point above 0,01, the pass band starts at the
  // first at or above 0,707; its dip at i = 13 changes nothing.
  const std::vector<double> high_pass = edges({0.002, 0.008, 0.1, 0.8, 1, 0.5, 1, 0.9}, BandType::kHighPass);
  expect_near(high_pass, {between(9), between(10)});
}

TEST(MeasurementTest, AResonanceNarrowerThanAGridStepIsFoundBetweenItsPoints) {
  // K/|1 − 2r·cos θ·z⁻¹ + r²·z⁻²| with r = 1 − 1e−6 peaks at 5 between two grid points, where it
  // is below 0,004: the grid sees no point above 0,01, the response crosses 0,707 and 0,01 just
  // beyond θ. With x = cos ω, |D|² = (1 + r²)² − 4r(1 + r²)·cos θ·x + 4r²·(x² − sin²θ), so each
  // crossing |D|² = (K/L)² is the smaller root x of a quadratic.
  constexpr int n = 2048;
  const long double step = 2 * std::numbers::pi_v<long double> / (n - 1);
  const long double theta = 1500.5L * step - std::numbers::pi_v<long double>, r = 1 - 1e-6L;
  const long double k = 1e-5L * std::sin(theta);
  const auto amplitude = [&](double omega) {
    const std::complex<long double> w = std::polar(1.0L, static_cast<long double>(-omega));
    return static_cast<double>(k / std::abs(1.0L - 2 * r * std::cos(theta) * w + r * r * w * w));
  };
  // The upper crossing; the lower one (rising) is the larger root.
  const auto crossing = [&](long double level, bool rising = false) {
    const long double s = std::sin(theta), a = 4 * r * r, b = -4 * r * (1 + r * r) * std::cos(theta),
                      c = (1 + r * r) * (1 + r * r) - 4 * r * r * s * s - (k / level) * (k / level);
    return static_cast<double>(std::acos((-b + (rising ? 1 : -1) * std::sqrt(b * b - 4 * a * c)) / (2 * a)));
  };
  std::vector<double> response(n);
  for (int i = 0; i < n; ++i) response[static_cast<std::size_t>(i)] = amplitude(static_cast<double>(i * step) - kPi);
  ASSERT_LT(*std::max_element(response.begin(), response.end()), 0.004);
  ASSERT_GT(amplitude(static_cast<double>(theta)), 4.9);
  const std::complex<double> pole = std::polar(static_cast<double>(r), static_cast<double>(theta));
  const ContinuousResponse between{amplitude, 2, {}, {pole, std::conj(pole)}};
  MessageRecorder messages;
  const MeasurementResult r_grid = MeasureAmplitudeResponse(response.data(), n, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(r_grid.wvT, "0,0008±100,00%");  // before the first point of the upper half
  const MeasurementResult found = MeasureAmplitudeResponse(response.data(), n, LevelScale::kLinear, 5, 9, &between);
  EXPECT_TRUE(StatedInterval(found.wvT).Holds(crossing(0.707L))) << found.wvT << " " << crossing(0.707L);
  EXPECT_TRUE(StatedInterval(found.wpT).Holds(crossing(0.01L))) << found.wpT << " " << crossing(0.01L);
  EXPECT_GT(crossing(0.01L) - static_cast<double>(theta), 1e-4);
  // Measured as a high-pass, the stop band ends and the pass band starts where it rises, found
  // looking up from 0.
  const MeasurementResult rising =
      MeasureAmplitudeResponse(response.data(), n, LevelScale::kLinear, 5, 9, &between, BandType::kHighPass);
  EXPECT_TRUE(StatedInterval(rising.edges[0].wT).Holds(crossing(0.01L, true))) << rising.edges[0].wT;
  EXPECT_TRUE(StatedInterval(rising.edges[1].wT).Holds(crossing(0.707L, true))) << rising.edges[1].wT;
  EXPECT_GT(static_cast<double>(theta) - crossing(0.01L, true), 1e-4);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(MeasurementTest, AnUnreachedStopLevelIsRaisedWithAMessage) {
  // Falls to 0,003 at π: 0,00001 … 0,001 are never reached, 0,005 is.
  const std::vector<double> response = EightPoints(1, 0.8, 0.1, 0.003);
  MessageRecorder messages;
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 15);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kLevelChanged});
  EXPECT_EQ(StopBandLevels(LevelScale::kLinear).items[static_cast<std::size_t>(r.stop_index)], "0,005");
  EXPECT_EQ(r.stop, 6);

  // Above even the highest level at π: said so, the chosen level stays, and no stop edge is
  // stated (it would lie beyond π). The pass band reaches π.
  for (const int chosen : {9, 0}) {
    messages.Clear();
    const std::vector<double> flat(8, 1.0);
    const MeasurementResult f = MeasureAmplitudeResponse(flat.data(), 8, LevelScale::kLinear, 5, chosen);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{kNoLevelReached});
    EXPECT_FALSE(f.stop_reached);
    EXPECT_EQ(f.stop_index, chosen);
    EXPECT_EQ(f.pass, 7);
    EXPECT_EQ(f.wvT, "3,1416±0,01%");
    EXPECT_EQ(f.fvT, "0,5000±0,00%");  // π/2π is exactly 0,5: no minus before the zero
    for (const std::string* text : {&f.wpT, &f.fpT, &f.dwT, &f.dfT, &f.dw}) EXPECT_EQ(*text, "");
  }

  // A band-pass needs the level at both ends: 0,003 near 0 raises 0,00001 to 0,005, which then
  // holds at π too.
  messages.Clear();
  const std::vector<double> band_pass = {0, 0, 0, 0, 0.003, 1, 0.2, 0.0001};
  const MeasurementResult p =
      MeasureAmplitudeResponse(band_pass.data(), 8, LevelScale::kLinear, 5, 15, nullptr, BandType::kBandPass);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kLevelChanged});
  EXPECT_EQ(p.stop_index, 10);
  EXPECT_NEAR(p.edges[3].omega, 6 * kPi / 7, 1e-12);  // after 0,2 > 0,005 at 5π/7

  // A high-pass above every level near 0, and a band-stop that never dips to 0,45: said so, the
  // pass bands stated and the stop bands not.
  for (const BandType type : {BandType::kHighPass, BandType::kBandStop}) {
    messages.Clear();
    const std::vector<double> shallow = {0, 0, 0, 0, 0.5, 1, 0.6, 1};
    const MeasurementResult f = MeasureAmplitudeResponse(shallow.data(), 8, LevelScale::kLinear, 5, 9, nullptr, type);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{kNoLevelReached});
    EXPECT_FALSE(f.stop_reached);
    EXPECT_EQ(f.stop_index, 9);
    for (const MeasuredEdge& e : f.edges) EXPECT_EQ(e.wT.empty(), e.of.band == BandKind::kStop);
    for (const MeasuredTransition& t : f.transitions) EXPECT_EQ(t.dwT + t.dfT + t.dw, "");
  }
}

TEST(MeasurementTest, NoPassBandAndAnUnboundedRelativeWidth) {
  // Below 0,707 everywhere: the pass edge lies before the first point of the upper half, π/7.
  const std::vector<double> response = EightPoints(0.6, 0.3, 0.2, 0.001);
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 8, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(r.pass, 4);
  EXPECT_NEAR(r.omega_pass, kPi / 14, 1e-12);
  EXPECT_EQ(r.wvT, "0,2244±100,00%");
  // A pass edge that may be 0 puts no bound on the relative width: its value stands alone.
  EXPECT_EQ(r.dw, "1100,0000");
}

TEST(MeasurementTest, FineGridUncertaintyAndTooShortResponses) {
  // N = 2048: ω_1349 ≈ 0,99908 and ω_1350 ≈ 1,00221; the edge is stated as 1,0006 ± 0,0016.
  std::vector<double> response(2048, 0.0);
  for (int i = 1024; i <= 1349; ++i) response[static_cast<std::size_t>(i)] = 1.0;
  const MeasurementResult r = MeasureAmplitudeResponse(response.data(), 2048, LevelScale::kLinear, 5, 9);
  EXPECT_EQ(r.pass, 1349);
  EXPECT_EQ(r.stop, 1349);
  EXPECT_EQ(r.wvT, "1,0006±0,16%");

  const double one = 1.0;
  MessageRecorder messages;
  EXPECT_FALSE(MeasureAmplitudeResponse(&one, 1, LevelScale::kLinear, 5, 9).valid);
  EXPECT_FALSE(MeasureAmplitudeResponse(nullptr, 2048, LevelScale::kLinear, 5, 9).valid);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
