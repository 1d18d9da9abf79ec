#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "filter/chebyshev.h"
#include "filter/design_test_support.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kPiMessage[] = "Верхняя граница полосы пропускания не должна превышать 3.1415...\n Произведена коррекция.";
const char kPassAboveRippleMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не больше нижнего уровня пульсаций.\n Произведена "
    "коррекция";
const char kRipplePositiveMessage[] = "Размах пульсаций должен быть положительным.\n Произведена коррекция";
const char kRippleHighMessage[] = "Размах пульсаций не должен превышать 50%.\n Произведена коррекция";
const char kRippleBelowPassMessage[] =
    "Нижний уровень пульсаций не может быть ниже уровня полосы пропускания.\n Произведена коррекция";
const char kOrderMaxMessage[] = "Порядок фильтра должен быть меньше 60\n Произведена коррекция.";

TEST(ChebyshevDesignTest, ConstructionGivesTheStatedDefaultsSilently) {
  MessageRecorder recorder;
  CChebishevFilter filter;
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(filter.GetWp(), 1);
  EXPECT_NEAR(filter.GetLp(), 0.707946, 1e-6);
  EXPECT_NEAR(filter.GetLs(), 0.0316228, 1e-7);
  EXPECT_DOUBLE_EQ(filter.GetTransition(), 10);
  EXPECT_EQ(filter.GetRipple(), 0.1);
  EXPECT_NEAR(filter.GetRippledB(), 0.91515, 1e-5);
  EXPECT_EQ(filter.GetOrder(), 10);
  EXPECT_NEAR(filter.GetWr(), 0.541356, 1e-6);
  EXPECT_NEAR(filter.GetActualTransition(), 9.09, 0.01);
}

TEST(ChebyshevDesignTest, OwnTextsForTheEdgeAndTheOrder) {
  MessageRecorder recorder;
  CChebishevFilter filter;
  EXPECT_EQ(filter.SetWp(4), kPi);  // this design names the pass-band edge in its text
  filter.SetAutoOrder(false);
  EXPECT_EQ(filter.SetOrder(61), 60);
  EXPECT_EQ(recorder.Messages(), (Messages{kPiMessage, kOrderMaxMessage}));
}

TEST(ChebyshevDesignTest, RippleAndPassLevelKeepEachOtherInOrder) {
  MessageRecorder recorder;
  CChebishevFilter filter;
  // 60 % is cut to 50 %, whose lower level 0.5 then drags Lp down from 0.708.
  EXPECT_EQ(filter.SetRipple(0.6), 0.5);
  EXPECT_EQ(filter.GetLr(), 0.5);
  EXPECT_EQ(filter.GetLp(), 0.5);
  EXPECT_NEAR(filter.GetLpdB(), 20 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(filter.GetRippledB(), -20 * std::log10(0.5), 1e-12);
  EXPECT_EQ(recorder.Messages(), (Messages{kRippleHighMessage, kRippleBelowPassMessage}));

  recorder.Clear();
  EXPECT_EQ(filter.SetRipple(0.1), 0.1);  // a narrower ripple leaves Lp where it is
  EXPECT_EQ(filter.SetLp(0.7), 0.7);
  EXPECT_EQ(filter.SetRipple(0.4), 0.4);
  EXPECT_NEAR(filter.GetLp(), 0.6, 1e-15);
  EXPECT_EQ(recorder.Messages(), (Messages{kRippleBelowPassMessage}));

  // Lp above the lower ripple level narrows the ripple band to end at Lp.
  recorder.Clear();
  filter.SetRipple(0.2);
  EXPECT_EQ(filter.SetLp(0.85), 0.85);
  EXPECT_NEAR(filter.GetRipple(), 0.15, 1e-15);
  EXPECT_EQ(filter.GetLr(), 0.85);
  EXPECT_NEAR(filter.GetRippledB(), -20 * std::log10(0.85), 1e-12);
  // Above 0.9 the level limit comes first, then the ripple band follows it.
  EXPECT_EQ(filter.SetLp(0.95), 0.9);
  EXPECT_EQ(filter.GetLr(), 0.9);
  EXPECT_EQ(recorder.Messages(), (Messages{kPassAboveRippleMessage, kPassHighMessage, kPassAboveRippleMessage}));

  // The sign of a ripple in dB does not matter.
  recorder.Clear();
  filter.SetLp(0.5);
  EXPECT_NEAR(filter.SetRippledB(-1), 1, 1e-12);
  EXPECT_NEAR(filter.GetRipple(), 1 - std::pow(10.0, -0.05), 1e-15);
  EXPECT_NEAR(filter.GetRipple(), 0.1087, 1e-4);
  EXPECT_NEAR(filter.SetRippledB(1), 1, 1e-12);
  EXPECT_NEAR(filter.GetRipple(), 1 - std::pow(10.0, -0.05), 1e-15);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ChebyshevDesignTest, RippleThatIsNoneIsCorrected) {
  MessageRecorder recorder;
  CChebishevFilter filter;
  EXPECT_EQ(filter.SetRipple(0), 0.01);
  EXPECT_EQ(filter.SetRipple(-0.3), 0.01);
  // So small that 1 − r is 1: no ripple factor, nothing to design with.
  EXPECT_EQ(filter.SetRipple(1e-20), 0.01);
  EXPECT_EQ(filter.SetRipple(std::numeric_limits<double>::quiet_NaN()), 0.01);
  EXPECT_EQ(filter.SetRippledB(0), -20 * std::log10(0.99));
  EXPECT_EQ(recorder.Messages(), (Messages{kRipplePositiveMessage, kRipplePositiveMessage, kRipplePositiveMessage,
                                           kRipplePositiveMessage, kRipplePositiveMessage}));
  // The smallest ripple that does lower the level still designs finite sections.
  recorder.Clear();
  filter.SetRipple(1e-15);
  filter.Design();
  for (double w : {0.0, 0.5, 1.0, 2.0}) EXPECT_TRUE(std::isfinite(filter.Amplitude(w))) << w;
  EXPECT_NEAR(filter.Amplitude(filter.GetWp()), filter.GetLp(), 1e-9);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ChebyshevDesignTest, OrderSearchStopsAtTheFirstOrderThatMeetsTheWidth) {
  MessageRecorder recorder;
  CChebishevFilter automatic;
  for (double percent : {10.0, 2.0, 40.0}) {
    automatic.SetTransition(percent);
    const int n = automatic.GetOrder();
    CChebishevFilter manual;
    manual.SetAutoOrder(false);
    manual.SetOrder(n);
    EXPECT_LT(manual.GetActualTransition(), percent) << percent;
    if (n > 1) {
      manual.SetOrder(n - 1);
      EXPECT_GE(manual.GetActualTransition(), percent) << percent;
    }
  }
  // Order 60 cannot reach 0.01 %: the search ends there, without a message.
  automatic.SetTransition(0.01);
  EXPECT_EQ(automatic.GetOrder(), 60);
  EXPECT_GE(automatic.GetActualTransition(), 0.01);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST(ChebyshevDesignTest, FirstOrderIsOneSectionWithItsOwnGain) {
  MessageRecorder recorder;
  CChebishevFilter filter;
  filter.SetAutoOrder(false);
  filter.SetOrder(1);
  filter.Design();
  ASSERT_EQ(filter.SectionCount(), 1);
  const CDigitalFilter2* single = filter.FirstSection();
  const double lr = filter.GetLr();
  const double eps = std::sqrt(1 / (lr * lr) - 1);
  const double wr = filter.GetWr();
  EXPECT_NEAR(single->Gain(), wr / (eps * (1 + wr / eps)), 1e-15);
  EXPECT_EQ(single->B(2), 0);
  EXPECT_EQ(single->A(2), 0);
  EXPECT_NEAR(filter.Amplitude(0), 1, 1e-12);

  filter.SetOrder(3);
  filter.Design();
  EXPECT_EQ(filter.SectionCount(), 2);
  EXPECT_EQ(filter.FirstSection()->B(2), 0);
  filter.SetOrder(60);
  filter.Design();
  EXPECT_EQ(filter.SectionCount(), 30);
  EXPECT_TRUE(recorder.Messages().empty());
}

struct Requirements {
  double lp, ls, ripple;
};

// Orders 1 … 60 at several edges, levels and ripples: Lp at ωp, 1 or Lr at ω = 0, the ripple band
// within [Lr, 1], Ls at the achieved stop-band edge, and the whole response equal to the
// bilinear-transformed textbook Chebyshev filter.
TEST(ChebyshevDesignTest, DesignsMatchTheClosedFormOverTheSweep) {
  MessageRecorder recorder;
  double worst_closed = 0, worst_edge = 0, worst_zero = 0, worst_stop = 0, worst_ripple = 0;
  for (double wp : {0.05, 0.5, 1.0, 2.0, 3.0}) {
    for (Requirements req : {Requirements{0.5, 0.3, 0.5}, Requirements{0.707946, 0.0316228, 0.1},
                             Requirements{0.85, 1e-3, 0.15}, Requirements{0.9, 1e-5, 0.01}}) {
      CChebishevFilter filter;
      filter.SetAutoOrder(false);
      filter.SetWp(wp);
      filter.SetLp(req.lp);
      filter.SetRipple(req.ripple);
      filter.SetLs(req.ls);
      const double lr = 1 - req.ripple;
      const double eps2 = 1 / (lr * lr) - 1;
      for (int n = 1; n <= CChebishevFilter::kMaxOrder; ++n) {
        filter.SetOrder(n);
        filter.Design();
        const double wr = filter.GetWr();
        worst_edge = std::fmax(worst_edge, std::fabs(filter.Amplitude(wp) - req.lp));
        worst_zero = std::fmax(worst_zero, std::fabs(filter.Amplitude(0) - (n % 2 == 1 ? 1 : lr)));
        const double ws = (1 + filter.GetActualTransition() / 100) * wp;
        worst_stop = std::fmax(worst_stop, std::fabs(filter.Amplitude(ws) / req.ls - 1));
        ForEachFrequency(24, 0, kPi, [&](double w) {
          worst_closed = std::fmax(worst_closed, RelativeError(filter.Amplitude(w), ChebyshevLevel(w, wr, eps2, n)));
        });
        // The ripple band ends where the prewarped frequency reaches Ωr; from there to ωp the
        // level falls from Lr to Lp.
        const double ripple_edge = 2 * std::atan(wr);
        ForEachFrequency(32, 0, ripple_edge, [&](double w) {
          const double a = filter.Amplitude(w);
          worst_ripple = std::fmax(worst_ripple, std::fmax(lr - a, a - 1));
        });
        ForEachFrequency(8, ripple_edge, wp, [&](double w) {
          const double a = filter.Amplitude(w);
          worst_ripple = std::fmax(worst_ripple, std::fmax(req.lp - a, a - lr));
        });
      }
    }
  }
  EXPECT_LE(worst_edge, 1e-9);
  EXPECT_LE(worst_zero, 1e-9);
  EXPECT_LE(worst_closed, 1e-9);
  EXPECT_LE(worst_ripple, 1e-9);
  EXPECT_LE(worst_stop, 1e-6);
  EXPECT_TRUE(recorder.Messages().empty());
}

// With the sections in their design order, no order up to 60 drives the cascade into its overflow
// limit or out of the numbers over the analysis' longest interval.
TEST(ChebyshevDesignTest, ImpulseResponsesStayFiniteUpToTheMaximumOrder) {
  MessageRecorder recorder;
  for (double wp : {0.05, 0.5, 1.0, 2.0, 3.0}) {
    for (double ripple : {0.01, 0.5}) {
      CChebishevFilter filter;
      filter.SetAutoOrder(false);
      filter.SetWp(wp);
      filter.SetLp(0.5);
      filter.SetRipple(ripple);
      for (int n = 1; n <= CChebishevFilter::kMaxOrder; ++n) {
        filter.SetOrder(n);
        filter.Design();
        const ImpulseRun run = RunImpulse(filter, 4000);
        EXPECT_TRUE(run.finite && !run.overflow) << "wp " << wp << " ripple " << ripple << " order " << n;
        EXPECT_LT(run.peak, 1) << "wp " << wp << " ripple " << ripple << " order " << n;
      }
    }
  }
  EXPECT_TRUE(recorder.Messages().empty());
}

// Against scipy.signal.cheby1(N, rp, Wn, btype, output='zpk') (scipy 1.10.1), Wn the edges over π
// and rp = −20·lg 0,9 dB, whose edges lie at the ripple level Lr = 0,9 (Lp = Lr, c = 1): the poles
// and the gain.
TEST(ChebyshevDesignTest, BandDesignsAgreeWithAnOutsideReference) {
  const BandReference references[] = {
      // cheby1(4, rp, 2.0/pi, 'highpass')
      {BandType::kHighPass,
       4,
       2.0,
       2.5,
       0.017567012300365514,
       {{-0.36963158815985397, 0.79464390054746969}, {-0.56292890324911449, 0.33544285317825417}}},
      // cheby1(3, rp, [0.5/pi, 0.9/pi], 'bandpass')
      {BandType::kBandPass,
       3,
       0.5,
       0.9,
       0.0034027164185399519,
       {{0.84369223505904778, 0.46346165385104432},
        {0.70719050678935025, 0.55880707566997301},
        {0.5899369308714103, 0.73214920193647792}}},
      // cheby1(3, rp, [1.0/pi, 2.5/pi], 'bandstop'), zeros at −0,24360908472454906 ± 0,96987350404043293j
      {BandType::kBandStop,
       3,
       1.0,
       2.5,
       0.15201183706119176,
       {{0.460813921045585, 0},
        {0.46003288972426931, 0.72617994787000995},
        {-0.71842957511710681, 0.53871413977960592},
        {-0.63332672455623495, 0}},
       -0.24360908472454906}};
  for (const BandReference& r : references)
    ExpectAgreesWithReference<CChebishevFilter>(r, [](CChebishevFilter& filter) {
      filter.SetRipple(0.1);
      filter.SetLp(0.9);
    });
}

}  // namespace
