#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "filter/butterworth.h"
#include "filter/chebyshev.h"
#include "filter/design_test_support.h"
#include "platform/messages.h"

namespace {

const char kHalfMessage[] = "Циклическая нормированная частота не должна превышать 0.5\n Произведена коррекция.";

// The corrections that the Butterworth and Chebyshev designs share, with a manual order so that
// no order message comes in between.
template <class Filter>
class LowPassDesignTest : public ::testing::Test {};
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
  for (bool automatic : {true, false}) {
    TypeParam filter;
    filter.SetAutoOrder(automatic);
    for (double value : values) {
      for (int setter = 0; setter < 9; ++setter) {
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
        }
        const auto where = ::testing::Message() << "setter " << setter << " value " << value;
        for (double got : {filter.GetWp(), filter.GetFp(), filter.GetLp(), filter.GetLpdB(), filter.GetTransition(),
                           filter.GetActualTransition(), filter.GetLs(), filter.GetLsdB()})
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
  for (bool automatic : {true, false}) {
    TypeParam filter;
    filter.SetAutoOrder(automatic);
    filter.SetWp(std::numeric_limits<double>::denorm_min());
    filter.SetLs(1e-300);
    EXPECT_FALSE(std::isnan(filter.GetActualTransition()));
    EXPECT_FALSE(std::isnan(filter.GetTransition()));
    filter.Design();
    EXPECT_FALSE(std::isnan(filter.Amplitude(0)));
    EXPECT_TRUE(RunImpulse(filter, 20).finite);
  }
}

}  // namespace
