#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "filter/butterworth.h"
#include "filter/design_test_support.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kPiMessage[] = "Круговая нормированная частота не должна превышать 3.1415...\n Произведена коррекция.";
const char kOrderMaxMessage[] = "Порядок фильтра должен быть меньше 200\n Произведена коррекция.";

TEST(ButterworthDesignTest, ConstructionGivesTheStatedDefaultsSilently) {
  MessageRecorder recorder;
  CBatterwortFilter filter;
  EXPECT_TRUE(recorder.Messages().empty());
  EXPECT_EQ(filter.GetWp(), 1);
  EXPECT_NEAR(filter.GetFp(), 0.159155, 1e-6);
  EXPECT_NEAR(filter.GetLp(), 0.707946, 1e-6);
  EXPECT_NEAR(filter.GetLpdB(), -3, 1e-12);
  EXPECT_NEAR(filter.GetLs(), 0.0316228, 1e-7);
  EXPECT_NEAR(filter.GetLsdB(), -30, 1e-12);
  EXPECT_DOUBLE_EQ(filter.GetTransition(), 10);
  EXPECT_TRUE(filter.IsAutoOrder());
  EXPECT_EQ(filter.GetOrder(), 30);
  EXPECT_NEAR(filter.GetWc(), 0.546346, 1e-6);
  EXPECT_NEAR(filter.GetActualTransition(), 9.98, 0.01);
}

TEST(ButterworthDesignTest, OwnTextsForTheEdgeAndTheOrder) {
  MessageRecorder recorder;
  CBatterwortFilter filter;
  EXPECT_EQ(filter.SetWp(4), kPi);
  EXPECT_DOUBLE_EQ(filter.GetFp(), 0.5);
  filter.SetAutoOrder(false);
  EXPECT_EQ(filter.SetOrder(201), 200);
  EXPECT_EQ(recorder.Messages(), (Messages{kPiMessage, kOrderMaxMessage}));
}

// The stop level's floor in dB, where only an order above the limit reaches 10 %: both texts.
TEST(ButterworthDesignTest, LowestStopLevelNeedsMoreThanTheHighestOrder) {
  MessageRecorder recorder;
  CBatterwortFilter filter;
  filter.SetLp(0.9);
  recorder.Clear();
  EXPECT_EQ(filter.SetLsdB(-500), -400);
  EXPECT_NEAR(filter.GetLs(), 1e-20, 1e-34);
  EXPECT_EQ(filter.GetOrder(), 200);
  EXPECT_EQ(recorder.Messages(), (Messages{kStopDecibelMessage, kOrderMaxMessage}));
}

TEST(ButterworthDesignTest, AutomaticOrderIsTheLowestThatMeetsTheWidth) {
  MessageRecorder recorder;
  CBatterwortFilter automatic;
  for (double percent : {10.0, 3.0, 25.0, 60.0}) {
    automatic.SetTransition(percent);
    const int n = automatic.GetOrder();
    CBatterwortFilter manual;
    manual.SetAutoOrder(false);
    manual.SetOrder(n);
    EXPECT_LE(manual.GetActualTransition(), percent) << percent;
    if (n > 1) {
      manual.SetOrder(n - 1);
      EXPECT_GT(manual.GetActualTransition(), percent) << percent;
    }
  }
  EXPECT_TRUE(recorder.Messages().empty());

  // A stop edge at or beyond π gives the estimate 2: where the prewarped edge is negative (up to
  // 2π), where it is positive again (3·2,5; 2·3,5), and at π itself.
  automatic.SetTransition(10);
  automatic.SetWp(3);
  EXPECT_EQ(automatic.GetOrder(), 2);
  for (const auto& [wp, percent] :
       {std::pair{3.0, 150.0}, std::pair{2.0, 250.0}, std::pair{std::numbers::pi / 2, 100.0}}) {
    automatic.SetTransition(percent);
    automatic.SetWp(wp);
    EXPECT_EQ(automatic.GetOrder(), 2) << wp;
  }
  EXPECT_TRUE(recorder.Messages().empty());

  // A width that order 200 cannot reach: the order's own message, and δ follows δa up.
  automatic.SetWp(1);
  automatic.SetTransition(0.1);
  EXPECT_EQ(automatic.GetOrder(), 200);
  EXPECT_EQ(recorder.Messages(), (Messages{kOrderMaxMessage}));
  EXPECT_NEAR(automatic.GetTransition(), 1.01 * automatic.GetActualTransition(), 1e-12);
}

// Coefficients of the sections in chain order.
std::vector<const CDigitalFilter2*> Sections(const CCascadFilter2& cascade) {
  std::vector<const CDigitalFilter2*> sections;
  for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next()) sections.push_back(s);
  return sections;
}

TEST(ButterworthDesignTest, SectionLayoutForOddAndEvenOrders) {
  CBatterwortFilter filter;
  filter.SetAutoOrder(false);
  filter.SetOrder(2);
  filter.Design();
  ASSERT_EQ(filter.SectionCount(), 1);
  const CDigitalFilter2* pair = filter.FirstSection();
  EXPECT_EQ(pair->B(0), 1);
  EXPECT_EQ(pair->B(1), 2);
  EXPECT_EQ(pair->B(2), 1);

  // Going down to order 1 must overwrite the pair's b2 and a2 in the embedded first section.
  filter.SetOrder(1);
  filter.Design();
  ASSERT_EQ(filter.SectionCount(), 1);
  const CDigitalFilter2* single = filter.FirstSection();
  const double wc = filter.GetWc();
  EXPECT_EQ(single->B(1), 1);
  EXPECT_EQ(single->B(2), 0);
  EXPECT_EQ(single->A(2), 0);
  EXPECT_NEAR(single->Gain(), wc / (wc + 1), 1e-15);
  EXPECT_NEAR(single->A(1), (1 - wc) / (1 + wc), 1e-15);

  filter.SetOrder(5);
  filter.Design();
  const auto sections = Sections(filter);
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0]->B(2), 0);
  EXPECT_EQ(sections[0]->A(2), 0);
  EXPECT_EQ(sections[1]->B(2), 1);
  EXPECT_EQ(sections[2]->B(2), 1);

  filter.SetOrder(200);
  filter.Design();
  EXPECT_EQ(filter.SectionCount(), 100);
}

// Orders 1 … 200 at several edges and levels: Lp at ωp, 1 at ω = 0, Ls at the achieved stop-band
// edge, and the whole response equal to the bilinear-transformed textbook Butterworth, relative to
// the level even deep in the stop band.
TEST(ButterworthDesignTest, DesignsMatchTheClosedFormOverTheSweep) {
  struct Levels {
    double lp, ls;
  };
  MessageRecorder recorder;
  double worst_closed = 0, worst_edge = 0, worst_stop = 0;
  for (double wp : {0.05, 0.5, 1.0, 2.0, 3.0}) {
    for (Levels levels : {Levels{0.5, 0.3}, Levels{0.707946, 0.0316228}, Levels{0.9, 1e-5}}) {
      CBatterwortFilter filter;
      filter.SetAutoOrder(false);
      filter.SetWp(wp);
      filter.SetLp(levels.lp);
      filter.SetLs(levels.ls);
      for (int n = 1; n <= CBatterwortFilter::kMaxOrder; ++n) {
        filter.SetOrder(n);
        filter.Design();
        const double wc = filter.GetWc();
        worst_edge = std::fmax(worst_edge, std::fabs(filter.Amplitude(wp) - levels.lp));
        worst_edge = std::fmax(worst_edge, std::fabs(filter.Amplitude(0) - 1));
        const double ws = (1 + filter.GetActualTransition() / 100) * wp;
        worst_stop = std::fmax(worst_stop, std::fabs(filter.Amplitude(ws) / levels.ls - 1));
        ForEachFrequency(24, 0, kPi, [&](double w) {
          worst_closed = std::fmax(worst_closed, RelativeError(filter.Amplitude(w), ButterworthLevel(w, wc, n)));
        });
      }
    }
  }
  EXPECT_LE(worst_edge, 1e-9);
  EXPECT_LE(worst_closed, 1e-9);
  EXPECT_LE(worst_stop, 1e-6);
  EXPECT_TRUE(recorder.Messages().empty());
}

// A high order with its sharpest pair first amplifies the signal inside the cascade beyond the
// overflow limit (order 200 at ωp = 1 reaches 1e11 within the first samples). Every order up to 200
// must run the analysis' longest interval with finite values and no overflow.
TEST(ButterworthDesignTest, ImpulseResponsesStayFiniteUpToTheMaximumOrder) {
  MessageRecorder recorder;
  for (double wp : {0.05, 0.5, 1.0, 2.0, 3.0}) {
    CBatterwortFilter filter;
    filter.SetAutoOrder(false);
    filter.SetWp(wp);
    filter.SetLp(0.5);
    for (int n = 1; n <= CBatterwortFilter::kMaxOrder; ++n) {
      if (n > 3 && n % 10 != 0 && n % 10 != 9) continue;  // both parities, in steps of ten
      filter.SetOrder(n);
      filter.Design();
      const ImpulseRun run = RunImpulse(filter, 4000);
      EXPECT_TRUE(run.finite && !run.overflow) << "wp " << wp << " order " << n;
      EXPECT_LT(run.peak, 1) << "wp " << wp << " order " << n;
    }
  }
  EXPECT_TRUE(recorder.Messages().empty());
}

// Against scipy.signal.butter(N, Wn, btype, output='zpk') (scipy 1.10.1), Wn the edges over π,
// whose level at the edges is 1/√2: the poles and the gain.
TEST(ButterworthDesignTest, BandDesignsAgreeWithAnOutsideReference) {
  const BandReference references[] = {
      // butter(3, 1.2/pi, 'highpass')
      {BandType::kHighPass,
       3,
       1.2,
       2,
       0.27589513650392367,
       {{0.18755197920608752, 0}, {0.24717116235654712, 0.55058578832101457}}},
      // butter(3, [0.6/pi, 1.4/pi], 'bandpass')
      {BandType::kBandPass,
       3,
       0.6,
       1.4,
       0.033166716304701832,
       {{0.70958262119123705, 0.501957733842746},
        {0.4122936477494335, 0.48548902216975193},
        {0.17782877854732879, 0.77018152352362346}}},
      // butter(2, [0.8/pi, 2.0/pi], 'bandstop'), zeros at 0,20593700287469313 ± 0,97856525119533488j
      {BandType::kBandStop,
       2,
       0.8,
       2.0,
       0.41058340723620268,
       {{0.4669808822820275, 0.52565053307280074}, {-0.21606463355064617, 0.6074581491715757}},
       0.20593700287469313}};
  for (const BandReference& r : references)
    ExpectAgreesWithReference<CBatterwortFilter>(r, [](CBatterwortFilter& filter) { filter.SetLp(std::sqrt(0.5)); });
}

}  // namespace
