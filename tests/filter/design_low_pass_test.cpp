#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "filter/butterworth.h"
#include "filter/chebyshev.h"
#include "filter/design_test_support.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kHalfMessage[] = "Циклическая нормированная частота не должна превышать 0.5\n Произведена коррекция.";
const char kSecondEdgeMessage[] =
    "Вторая граница полосы пропускания должна быть больше первой.\n Произведена коррекция.";
const char kStopEdgesCrossMessage[] =
    "Переходные полосы режекторного фильтра не должны перекрываться: ширина переходной полосы уменьшена.\n "
    "Произведена коррекция.";

// The corrections that the Butterworth and Chebyshev designs share, with a manual order so that
// no order message comes in between.
template <class Filter>
class LowPassDesignTest : public ::testing::Test {};

constexpr BandType kBands[] = {BandType::kLowPass, BandType::kHighPass, BandType::kBandPass, BandType::kBandStop};
using LowPassDesigns = ::testing::Types<CBatterwortFilter, CChebishevFilter>;
TYPED_TEST_SUITE(LowPassDesignTest, LowPassDesigns);

TYPED_TEST(LowPassDesignTest, CyclicEdgeCorrections) {
  MessageRecorder recorder;
  TypeParam filter;
  EXPECT_EQ(filter.SetFp(0), 0.01);
  EXPECT_DOUBLE_EQ(filter.GetWp(), 2 * std::numbers::pi * 0.01);
  EXPECT_EQ(filter.SetFp(0.7), 0.5);
  EXPECT_DOUBLE_EQ(filter.GetWp(), std::numbers::pi);
  EXPECT_EQ(filter.SetWp(-1), 0.01);
  EXPECT_DOUBLE_EQ(filter.GetFp(), 0.01 / (2 * std::numbers::pi));
  EXPECT_EQ(recorder.Messages(), (Messages{kEdgePositiveMessage, kHalfMessage, kEdgePositiveMessage}));

  recorder.Clear();
  EXPECT_EQ(filter.SetWp(std::numbers::pi), std::numbers::pi);  // the bounds themselves pass
  EXPECT_EQ(filter.SetFp(0.5), 0.5);
  EXPECT_EQ(filter.SetWp(0.3), 0.3);
  EXPECT_TRUE(recorder.Messages().empty());
}

TYPED_TEST(LowPassDesignTest, LevelCorrectionsInLinearAndDecibelForm) {
  MessageRecorder recorder;
  TypeParam filter;
  filter.SetAutoOrder(false);
  // A positive dB value is taken as its negative.
  EXPECT_NEAR(filter.SetLpdB(3), -3, 1e-12);
  EXPECT_NEAR(filter.GetLp(), std::pow(10.0, -0.15), 1e-15);
  EXPECT_TRUE(recorder.Messages().empty());

  EXPECT_EQ(filter.SetLp(0.3), 0.5);
  EXPECT_EQ(filter.SetLp(0.95), 0.9);
  // −6.5 dB passes the −7 dB floor silently and is raised by the linear check;
  // −20 dB is first held at −7 dB without a word, then raised the same way.
  EXPECT_NEAR(filter.SetLpdB(-6.5), 20 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(filter.SetLpdB(-20), 20 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(filter.SetLpdB(-0.5), 20 * std::log10(0.9), 1e-12);
  EXPECT_EQ(filter.GetLp(), 0.9);
  EXPECT_EQ(recorder.Messages(),
            (Messages{kPassLowMessage, kPassHighMessage, kPassLowMessage, kPassLowMessage, kPassHighMessage}));

  recorder.Clear();
  EXPECT_EQ(filter.SetLs(0), 0.01);
  EXPECT_EQ(filter.SetLs(-1), 0.01);
  EXPECT_EQ(filter.SetLs(0.5), 0.3);
  EXPECT_EQ(filter.SetLsdB(-500), -400);
  EXPECT_NEAR(filter.GetLs(), 1e-20, 1e-34);
  EXPECT_NEAR(filter.SetLsdB(20), -20, 1e-12);  // sign ignored
  EXPECT_NEAR(filter.GetLs(), 0.1, 1e-15);
  EXPECT_NEAR(filter.SetLsdB(-5), 20 * std::log10(0.3), 1e-12);  // above −10 dB: the linear limit
  EXPECT_EQ(recorder.Messages(), (Messages{kStopPositiveMessage, kStopPositiveMessage, kStopHighMessage,
                                           kStopDecibelMessage, kStopHighMessage}));

  recorder.Clear();
  EXPECT_EQ(filter.SetTransition(0), 10);
  EXPECT_EQ(filter.SetTransition(-3), 10);
  EXPECT_EQ(recorder.Messages(), (Messages{kTransitionMessage, kTransitionMessage}));
}

TYPED_TEST(LowPassDesignTest, ValuesThatAreNoNumbersAreCorrected) {
  MessageRecorder recorder;
  TypeParam filter;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(filter.SetWp(nan), 0.01);
  EXPECT_EQ(filter.SetFp(nan), 0.01);
  EXPECT_EQ(filter.SetLp(nan), 0.5);
  EXPECT_EQ(filter.SetLpdB(nan), 20 * std::log10(0.5));
  EXPECT_EQ(filter.SetLs(nan), 0.01);
  EXPECT_EQ(filter.SetLsdB(nan), 20 * std::log10(0.01));
  EXPECT_EQ(filter.SetTransition(nan), 10);
  EXPECT_EQ(recorder.Messages(), (Messages{kEdgePositiveMessage, kEdgePositiveMessage, kPassLowMessage, kPassLowMessage,
                                           kStopPositiveMessage, kStopPositiveMessage, kTransitionMessage}));
}

TYPED_TEST(LowPassDesignTest, ManualOrderLimits) {
  MessageRecorder recorder;
  TypeParam filter;
  filter.SetAutoOrder(false);
  EXPECT_EQ(filter.SetOrder(0), 1);
  EXPECT_EQ(filter.SetOrder(-5), 1);
  EXPECT_EQ(recorder.Messages(), (Messages{kOrderPositiveMessage, kOrderPositiveMessage}));
  recorder.Clear();
  // The message says "less than", but the limit itself is accepted.
  EXPECT_EQ(filter.SetOrder(TypeParam::kMaxOrder), TypeParam::kMaxOrder);
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(filter.SetOrder(TypeParam::kMaxOrder + 1), TypeParam::kMaxOrder);
  EXPECT_EQ(recorder.Messages().size(), 1u);

  // The width follows a manual order instead of the request, and later setters keep the order.
  EXPECT_EQ(filter.SetOrder(4), 4);
  EXPECT_GT(filter.GetActualTransition(), 20);
  EXPECT_EQ(filter.GetTransition(), filter.GetActualTransition());
  filter.SetLsdB(-60);
  EXPECT_EQ(filter.GetOrder(), 4);
  EXPECT_EQ(filter.GetTransition(), filter.GetActualTransition());
}

// Whatever a setter accepts, no getter, response or impulse response may come out as NaN, and
// every setter returns (the Chebyshev order search and the estimate are bounded). The extremes
// include the smallest edge, whose tan(ωp/2) is 0, and stop levels so small that 1/Ls² overflows.
TYPED_TEST(LowPassDesignTest, NoValueLeadsToNaN) {
  MessageRecorder recorder;
  const double inf = std::numeric_limits<double>::infinity();
  const double tiniest = std::numeric_limits<double>::denorm_min();
  const double values[] = {-inf,  -1e308, -400, -7,      -1,  0,     tiniest, 1e-300,
                           1e-15, 0.3,    1,    3.14159, 1e6, 1e308, inf,     std::numeric_limits<double>::quiet_NaN()};
  for (int run = 0; run < 8; ++run) {
    const bool automatic = run % 2 == 0;
    TypeParam filter;
    filter.SetAutoOrder(automatic);
    filter.SetBand(kBands[run / 2]);
    for (double value : values) {
      for (int setter = 0; setter < 11; ++setter) {
        switch (setter) {
          case 0: filter.SetWp(value); break;
          case 1: filter.SetFp(value); break;
          case 2: filter.SetLp(value); break;
          case 3: filter.SetLpdB(value); break;
          case 4: filter.SetTransition(value); break;
          case 5: filter.SetLs(value); break;
          case 6: filter.SetLsdB(value); break;
          case 7:
            if constexpr (requires { filter.SetRipple(value); }) filter.SetRipple(value);
            break;
          case 8:
            if constexpr (requires { filter.SetRippledB(value); }) filter.SetRippledB(value);
            break;
          case 9: filter.SetWp2(value); break;
          case 10: filter.SetFp2(value); break;
        }
        const auto where = ::testing::Message() << "run " << run << " setter " << setter << " value " << value;
        for (double got :
             {filter.GetWp(), filter.GetFp(), filter.GetWp2(), filter.GetFp2(), filter.GetLp(), filter.GetLpdB(),
              filter.GetTransition(), filter.GetActualTransition(), filter.GetLs(), filter.GetLsdB()})
          ASSERT_FALSE(std::isnan(got)) << where;
        ASSERT_GE(filter.GetOrder(), 1) << where;
        ASSERT_LE(filter.GetOrder(), TypeParam::kMaxOrder) << where;
        filter.Design();
        for (double w : {0.0, tiniest, 0.5, 3.0}) ASSERT_FALSE(std::isnan(filter.Amplitude(w))) << where << " w " << w;
        ASSERT_TRUE(RunImpulse(filter, 20).finite) << where;
      }
    }
  }
}

// The smallest edge with the smallest stop level: tan(ωp/2) = 0 meets 1/Ls² = ∞.
TYPED_TEST(LowPassDesignTest, VanishingEdgeWithVanishingStopLevel) {
  for (int run = 0; run < 8; ++run) {
    TypeParam filter;
    filter.SetAutoOrder(run % 2 == 0);
    filter.SetBand(kBands[run / 2]);
    filter.SetWp(std::numeric_limits<double>::denorm_min());
    filter.SetLs(1e-300);
    EXPECT_FALSE(std::isnan(filter.GetActualTransition()));
    EXPECT_FALSE(std::isnan(filter.GetTransition()));
    filter.Design();
    EXPECT_FALSE(std::isnan(filter.Amplitude(0)));
    EXPECT_TRUE(RunImpulse(filter, 20).finite);
  }
}

TYPED_TEST(LowPassDesignTest, SecondEdgeIsCorrectedAndKeptAboveTheFirst) {
  MessageRecorder recorder;
  TypeParam filter;
  EXPECT_EQ(filter.GetWp2(), 2);
  EXPECT_DOUBLE_EQ(filter.GetFp2(), 1 / kPi);
  // Low-pass does not use the second edge and lets it lie below the first; a band type that uses
  // it moves it halfway between the first edge and π.
  filter.SetWp(2.5);
  EXPECT_TRUE(recorder.Messages().empty());
  const double middle = (2.5 + kPi) / 2;
  EXPECT_EQ(filter.SetBand(BandType::kBandPass), BandType::kBandPass);
  EXPECT_EQ(filter.GetWp(), 2.5);
  EXPECT_EQ(filter.GetWp2(), middle);
  EXPECT_EQ(filter.SetWp2(1), middle);
  EXPECT_EQ(filter.SetWp2(4), kPi);
  EXPECT_DOUBLE_EQ(filter.SetFp2(0), middle / (2 * kPi));
  EXPECT_DOUBLE_EQ(filter.SetFp2(0.7), 0.5);
  // A first edge at π leaves no room above it: it moves down to 0,9·π.
  EXPECT_EQ(filter.SetWp(kPi), 0.9 * kPi);
  EXPECT_EQ(filter.GetWp2(), 0.95 * kPi);
  EXPECT_EQ(recorder.Messages(),
            (Messages{kSecondEdgeMessage, kSecondEdgeMessage, TypeParam::kWpAbovePiMessage, kEdgePositiveMessage,
                      kSecondEdgeMessage, kHalfMessage, kSecondEdgeMessage}));

  // Band-stop stop edges (1 + δ)·ωp and (1 − δ)·ωp2 that cross leave no stop band: the width
  // narrows to where they meet, (ωp2 − ωp)/(ωp + ωp2).
  recorder.Clear();
  TypeParam stop;
  stop.SetWp(1);
  stop.SetWp2(1.2);
  stop.SetBand(BandType::kBandStop);
  EXPECT_DOUBLE_EQ(stop.GetTransition(), 100 * 0.2 / 2.2);
  EXPECT_EQ(recorder.Messages(), (Messages{kStopEdgesCrossMessage}));
}

// The stop edges δ beyond the pass edges, inside (0, π): high-pass (1 − δ)·ωp; band-pass
// (1 − δ)·ωp and (1 + δ)·ωp2; band-stop (1 + δ)·ωp and (1 − δ)·ωp2.
std::vector<double> StopEdges(BandType band, double wp, double wp2, double delta) {
  std::vector<double> edges;
  const auto add = [&](double w) {
    if (w > 0 && w < kPi) edges.push_back(w);
  };
  if (band == BandType::kBandStop) {
    add((1 + delta) * wp);
    add((1 - delta) * wp2);
  } else {
    add((1 - delta) * wp);
    if (band == BandType::kBandPass) add((1 + delta) * wp2);
  }
  return edges;
}

// The automatic order of every band type is the lowest whose response is at most Ls at every
// stop edge; at the width it achieves, the wider transition ends at Ls exactly.
TYPED_TEST(LowPassDesignTest, OrderFromTheWidthForEveryBandType) {
  MessageRecorder recorder;
  struct Case {
    BandType band;
    double wp, wp2, percent;
  };
  const Case cases[] = {{BandType::kHighPass, 1, 2, 10},      {BandType::kHighPass, 2.8, 3, 3},
                        {BandType::kBandPass, 0.5, 1.5, 10},  {BandType::kBandPass, 1, 3, 8},  // (1 + δ)·ωp2 > π
                        {BandType::kBandPass, 0.1, 0.12, 20}, {BandType::kBandStop, 1, 2, 10},
                        {BandType::kBandStop, 0.3, 2.9, 5}};
  for (const Case& c : cases) {
    const auto design = [&](bool automatic) {
      auto filter = std::make_unique<TypeParam>();
      filter->SetAutoOrder(automatic);
      filter->SetWp(c.wp);
      filter->SetWp2(c.wp2);
      filter->SetBand(c.band);
      filter->SetTransition(c.percent);
      filter->SetLsdB(-40);
      return filter;
    };
    const auto highest = [&](TypeParam& filter, double delta) {
      filter.Design();
      double level = 0;
      for (double w : StopEdges(c.band, c.wp, c.wp2, delta)) level = std::fmax(level, filter.Amplitude(w));
      return level;
    };
    const auto automatic = design(true);
    const int n = automatic->GetOrder();
    const double ls = automatic->GetLs();
    const auto manual = design(false);
    manual->SetOrder(n);
    EXPECT_LE(highest(*manual, c.percent / 100), ls * (1 + 1e-9)) << c.wp << " " << c.percent;
    if (n > 1) {
      manual->SetOrder(n - 1);
      EXPECT_GT(highest(*manual, c.percent / 100), ls) << c.wp << " " << c.percent;
    }
    EXPECT_NEAR(highest(*automatic, automatic->GetActualTransition() / 100) / ls, 1, 1e-6) << c.wp << " " << c.percent;
  }
  EXPECT_TRUE(recorder.Messages().empty());
}

// The closed forms of the designs at the prototype's X.
long double ClosedForm(const CBatterwortFilter& f, long double x) {
  const long double lp = f.GetLp();
  return ButterworthPrototype(x, 1 / (lp * lp) - 1, f.GetOrder());
}
long double ClosedForm(const CChebishevFilter& f, long double x) {
  const long double lp = f.GetLp(), lr = f.GetLr();
  return ChebyshevPrototype(x, 1 / (lp * lp) - 1, 1 / (lr * lr) - 1, f.GetOrder());
}

// Every band type at edges across (0, π), narrow bands among them, prototype orders 1 … 20: the
// amplitude is the prototype's at X relative to the level, Lp at every pass edge, and the zeros
// lie exactly where the band type puts them, numerators (1, −2, 1) and (1, −1, 0), (1, 0, −1), or
// (1, −2·cos ω0, 1) with cos ω0 = (1 − Ω0²)/(1 + Ω0²) to its last digits where it nearly vanishes.
TYPED_TEST(LowPassDesignTest, BandDesignsAreThePrototypeAtXWithExactZeros) {
  MessageRecorder recorder;
  const std::pair<double, double> edges[] = {{0.05, 0.3}, {0.2, 2.9},   {1, 1.01},
                                             {2.5, 3.1},  {0.3, 0.302}, {1.2, kPi - 1.2 + 2e-5}};
  double worst_level = 0, worst_edge = 0, worst_cos = 0;
  for (BandType band : {BandType::kHighPass, BandType::kBandPass, BandType::kBandStop}) {
    for (const auto& [wp, wp2] : edges) {
      TypeParam filter;
      filter.SetAutoOrder(false);
      filter.SetWp(wp);
      filter.SetWp2(wp2);
      filter.SetBand(band);
      const long double t1 = std::tan(wp / 2.0L), t2 = std::tan(wp2 / 2.0L), cos0 = (1 - t1 * t2) / (1 + t1 * t2);
      for (int n = 1; n <= 20; ++n) {
        filter.SetOrder(n);
        filter.Design();
        ForEachFrequency(64, 0, kPi, [&](double w) {
          const long double expected = ClosedForm(filter, BandX(band, w, wp, wp2));
          worst_level = std::fmax(worst_level, RelativeError(filter.Amplitude(w), static_cast<double>(expected)));
        });
        worst_edge = std::fmax(worst_edge, std::fabs(filter.Amplitude(wp) - filter.GetLp()));
        if (band != BandType::kHighPass)
          worst_edge = std::fmax(worst_edge, std::fabs(filter.Amplitude(wp2) - filter.GetLp()));
        int sections = 0;
        for (const CDigitalFilter2* s = filter.FirstSection(); s != nullptr; s = s->Next(), ++sections) {
          const double first_order = band == BandType::kHighPass && s->A(2) == 0;
          const double b1 = band == BandType::kHighPass   ? (first_order ? -1 : -2)
                            : band == BandType::kBandPass ? 0
                                                          : s->B(1);
          const double b2 = first_order ? 0 : band == BandType::kBandPass ? -1 : 1;
          EXPECT_TRUE(s->B(0) == 1 && s->B(1) == b1 && s->B(2) == b2) << n << " " << s->B(1) << " " << s->B(2);
          if (band == BandType::kBandStop)
            worst_cos = std::fmax(worst_cos, static_cast<double>(std::fabs(-s->B(1) / 2 - cos0) / std::fabs(cos0)));
        }
        EXPECT_EQ(sections, band == BandType::kHighPass ? (n + 1) / 2 : n);
      }
    }
  }
  EXPECT_LE(worst_level, 1e-9);
  EXPECT_LE(worst_edge, 1e-9);
  EXPECT_LE(worst_cos, 1e-13);
  EXPECT_TRUE(recorder.Messages().empty());
}

}  // namespace
