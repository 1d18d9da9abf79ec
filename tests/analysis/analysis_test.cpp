#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <complex>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "dialogs/biharmonic_model.h"
#include "filter/digital_filter.h"
#include "platform/messages.h"
#include "support/fake_sources.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kImpulseOverflowDirect[] =
    "Возникло переполнение разрядной сетки:\n Возможно цифровой фильтр неустойчив.\n Анализ ИХ остановлен.";
const char kImpulseOverflowCascade[] =
    "Возникло переполнение разрядной сетки:\nцифровой фильтр неустойчив.\n Анализ ИХ остановлен.";
const char kOutputOverflow[] = "Возникло переполнение разрядной сетки:\n Расчёт сигнала на выходе остановлен.";

class AnalysisTest : public ::testing::Test {
 protected:
  AnalysisTest() : run(std::make_unique<AnalysisRun>()) { run->SetSources(bench.Sources()); }

  // The biharmonic dialog (a single cosine) and the library join the tables as sources.
  void UseCosine() {
    AnalysisSources sources = bench.Sources();
    sources.biharmonic = &cosine;
    sources.library = &library;
    run->SetSources(sources);
  }

  // Types a filter into the coefficient tables and presses "Анализ".
  void TypeFilter(std::vector<double> a, std::vector<double> b) {
    bench.a.values = std::move(a);
    bench.b.values = std::move(b);
    bench.request.requested = true;
    run->RunAnalysis(0);
  }

  std::vector<double> Copy(const double* values, int count) { return {values, values + count}; }

  TypedFilterBench bench;
  FakeCosine cosine;
  FakeLibrary library;
  std::unique_ptr<AnalysisRun> run;
  MessageRecorder recorder;
};

TEST_F(AnalysisTest, FirstRunComputesTheInitialFilterAndLaterRunsWithoutChangeComputeNothing) {
  run->ShowWindow();
  EXPECT_EQ(run->ImpulseResponse()[0], 1);
  EXPECT_EQ(run->ImpulseResponse()[1], 0);
  EXPECT_EQ(run->StepResponse()[1999], 1);
  EXPECT_EQ(run->AmplitudeResponse()[0], 1);
  EXPECT_EQ(run->AmplitudeResponse()[2047], 1);
  EXPECT_EQ(run->TransientLength(), 1);  // a pure gain: the quiet run cannot start at the peak

  // Coefficients typed but not confirmed: the next full analysis recomputes nothing.
  bench.a.values = {0.5};
  run->Bar(PBPuls).SetPosition(0);
  run->ShowWindow();
  EXPECT_EQ(run->ImpulseResponse()[0], 1);
  EXPECT_EQ(run->Bar(PBPuls).Position(), 0);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AnalysisTest, ImpulseResponsesOfTypedFiltersHaveTheirClosedForms) {
  TypeFilter({0.5}, {0.5});
  for (int n = 0; n < 60; ++n) EXPECT_DOUBLE_EQ(run->ImpulseResponse()[n], std::pow(0.5, n + 1)) << n;
  // g(n) = Σ 0.5^(k+1) = 1 − 0.5^(n+1).
  for (int n = 0; n < 60; ++n) EXPECT_NEAR(run->StepResponse()[n], 1 - std::pow(0.5, n + 1), 1e-15) << n;
  EXPECT_FALSE(bench.request.requested);  // the request was consumed

  const double r = 0.95, theta = 0.3;
  TypeFilter({1}, {2 * r * std::cos(theta), -r * r});
  for (int n = 0; n < 2000; ++n)
    EXPECT_NEAR(run->ImpulseResponse()[n], std::pow(r, n) * std::sin((n + 1) * theta) / std::sin(theta), 1e-12);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AnalysisTest, UnstableFilterIsTruncatedAtItsOverflow) {
  TypeFilter({1}, {1.5});
  const double* h = run->ImpulseResponse();
  const double* g = run->StepResponse();
  double sum = 0;
  for (int n = 0; n <= 62; ++n) {
    EXPECT_DOUBLE_EQ(h[n], std::pow(1.5, n)) << n;
    sum += std::pow(1.5, n);
    EXPECT_NEAR(g[n], sum, 1e-15 * sum) << n;
  }
  for (int n = 63; n < 2000; ++n) {
    ASSERT_EQ(h[n], 0) << n;
    ASSERT_EQ(g[n], 0) << n;
  }
  EXPECT_EQ(run->ValidLength(), 63);
  EXPECT_EQ(run->TransientLength(), 63);
  // The typed filter also runs the (empty) signal table: zero input, no output overflow.
  EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{kImpulseOverflowDirect, "Анализ ПХ остановлен."}));
  // The frequency responses are computed as usual.
  EXPECT_NEAR(run->AmplitudeResponse()[0], 1 / 2.5, 1e-12);  // |1/(1 + 1.5)| at ω = −π
}

TEST_F(AnalysisTest, TransientLengthAtItsBounds) {
  TypeFilter({0}, {});
  EXPECT_EQ(run->TransientLength(), 1999);  // all zero: every sample ties with the peak
  TypeFilter({1}, {1});
  EXPECT_EQ(run->TransientLength(), 1999);  // a constant: the last equal peak wins
  TypeFilter({1, -0.5}, {1});               // 1, 0.5, 0.5, …: never decays below 1 %
  EXPECT_EQ(run->TransientLength(), 2000 - 11);
  TypeFilter({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, {});
  EXPECT_EQ(run->TransientLength(), 21);  // the peak at 20, then ten quiet samples from 21
}

TEST_F(AnalysisTest, IntervalChangeRecomputesTimeDomainOnly) {
  TypeFilter({0.5}, {0.5});
  bench.signal.values = {1, 2, 3};
  bench.signal.processed = true;
  run->ShowWindow();
  const std::vector<double> amplitude = Copy(run->AmplitudeResponse(), 2048);
  const std::vector<double> input_spectrum = Copy(run->InputSpectrum(), 2048);

  // Change the filter behind the run's back: only what the interval change recomputes may see it.
  run->SetInterval(4000);
  EXPECT_EQ(run->IntervalLength(), 4000);
  EXPECT_EQ(run->InputSignal()[2], 3);
  EXPECT_EQ(run->InputSignal()[3999], 0);
  EXPECT_EQ(Copy(run->AmplitudeResponse(), 2048), amplitude);
  EXPECT_EQ(Copy(run->InputSpectrum(), 2048), input_spectrum);
  EXPECT_DOUBLE_EQ(run->OutputSignal()[0], 0.5);
  EXPECT_DOUBLE_EQ(run->OutputSignal()[1], 0.25 + 1.0);
  run->SetInterval(100000);
  EXPECT_EQ(run->IntervalLength(), kTimeCapacity);
}

TEST_F(AnalysisTest, GridIsMirroredAndSymmetric) {
  TypeFilter({0.2, 0.5, 0.3}, {0.4, -0.1});
  const double* a = run->AmplitudeResponse();
  const double* p = run->PhaseResponse();
  EXPECT_EQ(a[1023], a[1024]);
  EXPECT_EQ(p[1023], -p[1024]);
  for (int k = 0; k < 2048; ++k) {
    const double w = -kPi + k * 2 * kPi / 2047;
    const std::complex<double> z1 = std::polar(1.0, -w), z2 = z1 * z1;
    const std::complex<double> h = (0.2 + 0.5 * z1 + 0.3 * z2) / (1.0 - 0.4 * z1 + 0.1 * z2);
    ASSERT_NEAR(a[k], std::abs(h), 1e-12) << k;
  }
}

TEST_F(AnalysisTest, ModesNormaliseTheAmplitudeButNotTheOutputSpectrum) {
  bench.signal.values = {1, -1, 0.5};
  bench.signal.processed = true;
  TypeFilter({0.25, 0.5, 0.25}, {});  // |H| = cos²(ω/2), largest next to ω = 0
  const std::vector<double> raw = Copy(run->AmplitudeResponse(), 2048);
  const std::vector<double> output_spectrum = Copy(run->OutputSpectrum(), 2048);
  const double max = raw[1023];

  run->SetAfcMode(2);
  EXPECT_DOUBLE_EQ(run->AmplitudeResponse()[1023], 1);
  EXPECT_DOUBLE_EQ(run->AmplitudeResponse()[500], raw[500] / max);
  run->SetAfcMode(3);
  EXPECT_DOUBLE_EQ(run->AmplitudeResponse()[1024], 0);
  EXPECT_NEAR(run->AmplitudeResponse()[500], 20 * std::log10(raw[500] / max), 1e-12);
  EXPECT_EQ(run->AmplitudeResponse()[0], -10000);  // cos²(π/2) vanishes at ±π
  EXPECT_EQ(Copy(run->OutputSpectrum(), 2048), output_spectrum);

  // A new signal in mode 3 still gives the input spectrum times the un-normalised |H|.
  bench.signal.processed = true;
  run->ShowWindow();
  EXPECT_EQ(Copy(run->OutputSpectrum(), 2048), output_spectrum);
  run->SetAfcMode(7);
  EXPECT_EQ(run->GetAfcMode(), 1);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AnalysisTest, ZeroResponseNormalisesWithoutNaN) {
  TypeFilter({0}, {});
  run->SetAfcMode(2);
  for (int k = 0; k < 2048; ++k) ASSERT_EQ(run->AmplitudeResponse()[k], 0) << k;
  run->SetAfcMode(3);
  for (int k = 0; k < 2048; ++k) ASSERT_EQ(run->AmplitudeResponse()[k], -10000) << k;
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(AnalysisTest, ValuesBeyondTheRangeAreHeldAndReportedOnce) {
  // |H| = 1e308·|1 + e^{−jω}| passes the largest double for |ω| < 0,93; the input spectrum of a
  // single 1e200 is 1e200 everywhere, the output spectrum beyond the range wherever |H| is held.
  bench.signal.values = {1e200};
  bench.signal.processed = true;
  TypeFilter({1e308, 1e308}, {});
  const double largest = std::numeric_limits<double>::max();
  const double* a = run->AmplitudeResponse();
  EXPECT_EQ(a[1023], largest);
  EXPECT_NEAR(a[1], 1e308 * (2 * std::sin(kPi / 2047)), 1e294);  // 2·cos(ω/2) one step from −π
  for (int k = 0; k < 2048; ++k) {
    ASSERT_TRUE(std::isfinite(a[k]) && std::isfinite(run->PhaseResponse()[k])) << k;
    ASSERT_EQ(run->InputSpectrum()[k], 1e200) << k;
    ASSERT_TRUE(std::isfinite(run->OutputSpectrum()[k])) << k;
  }
  EXPECT_EQ(run->OutputSpectrum()[1023], largest);
  const std::string held =
      "Значения вышли за пределы диапазона чисел:\n АЧХ, спектр сигнала на выходе.\n"
      " Показаны ближайшие представимые значения.";
  ASSERT_FALSE(recorder.Messages().empty());
  EXPECT_EQ(recorder.Messages().back(), held);
  EXPECT_EQ(std::count(recorder.Messages().begin(), recorder.Messages().end(), held), 1);

  // Normalised by the largest double, the response keeps its shape.
  recorder.Clear();
  run->SetAfcMode(2);
  EXPECT_EQ(run->AmplitudeResponse()[1023], 1);
  EXPECT_NEAR(run->AmplitudeResponse()[1], 1e308 * (2 * std::sin(kPi / 2047)) / largest, 1e-15);
  EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"Значения вышли за пределы диапазона чисел:\n АЧХ.\n"
                                                          " Показаны ближайшие представимые значения."});
}

TEST_F(AnalysisTest, TableSpectrumIsThePlainDftLaidOutOnTheGrid) {
  bench.signal.values = {1};
  bench.signal.processed = true;
  run->ShowWindow();
  for (int k = 0; k < 2048; ++k) ASSERT_NEAR(run->InputSpectrum()[k], 1, 1e-15) << k;
  EXPECT_FALSE(bench.signal.processed);  // cleared when the window closed

  const std::vector<double> x = {0.3, -1.2, 2.0, 0.7, -0.4, 1.1};
  bench.signal.values = x;
  bench.signal.processed = true;
  run->SetResolution(1024);
  run->ShowWindow();
  const int m = 1024;
  auto dft = [&](int j) {
    std::complex<double> sum = 0;
    for (std::size_t t = 0; t < x.size(); ++t) sum += x[t] * std::polar(1.0, -2 * kPi * j * t / m);
    return std::abs(sum);
  };
  for (int k = 0; k < m / 2; ++k) ASSERT_NEAR(run->InputSpectrum()[k], dft(m / 2 - k), 1e-12) << k;
  for (int k = m / 2; k < m; ++k) ASSERT_NEAR(run->InputSpectrum()[k], dft(k - m / 2 + 1), 1e-12) << k;
  // The output spectrum is the input spectrum times |H| (here the identity).
  for (int k = 0; k < m; ++k) ASSERT_NEAR(run->OutputSpectrum()[k], run->InputSpectrum()[k], 1e-12) << k;
}

TEST_F(AnalysisTest, SteadyStatePreRollStartsTheOutputInSteadyState) {
  UseCosine();
  cosine.amplitude = 2;
  cosine.omega = 2 * kPi / 8;
  cosine.phi = 0.4;
  cosine.selected = true;
  TypeFilter({1}, {0.1});

  // H(ω) = 1/(1 − 0.1·e^{−jω}).
  const std::complex<double> h = 1.0 / (1.0 - 0.1 * std::polar(1.0, -cosine.omega));
  EXPECT_EQ(run->GetSignalSource(), 1);
  EXPECT_GT(run->LastPreRollSteps(), run->TransientLength());
  for (int n = 0; n < 2000; ++n) {
    const double expected = std::abs(h) * 2 * std::cos(cosine.omega * n + cosine.phi + std::arg(h));
    ASSERT_NEAR(run->OutputSignal()[n], expected, 1e-6) << n;
  }
  EXPECT_FALSE(cosine.selected);

  // Switched on at n = 0 the output shows the transient instead.
  cosine.stationary = false;
  cosine.selected = true;
  run->ShowWindow();
  EXPECT_DOUBLE_EQ(run->OutputSignal()[0], 2 * std::cos(0.4));
  EXPECT_GT(std::fabs(run->OutputSignal()[0] - std::abs(h) * 2 * std::cos(0.4 + std::arg(h))), 1e-3);
}

TEST_F(AnalysisTest, BiharmonicWinsOverTheTableAndOutputOverflowIsTruncated) {
  UseCosine();
  cosine.omega = 0;  // a constant drives the slowly growing filter below into overflow
  cosine.stationary = false;
  // Either sign overflows at the same sample.
  for (const double amplitude : {1e6, -1e6}) {
    recorder.Clear();
    cosine.amplitude = amplitude;
    cosine.selected = true;
    bench.signal.processed = true;
    TypeFilter({1}, {1.01});
    EXPECT_EQ(run->GetSignalSource(), 1);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kOutputOverflow});
    const double* y = run->OutputSignal();
    EXPECT_EQ(y[0], amplitude);
    EXPECT_DOUBLE_EQ(y[1], 2.01 * amplitude);
    // w(n) = 1e8·(1.01^(n+1) − 1) passes 1e11 at n = 694.
    int first_zero = 0;
    while (first_zero < 2000 && y[first_zero] != 0) ++first_zero;
    EXPECT_EQ(first_zero, 694);
    for (int n = first_zero; n < 2000; ++n) ASSERT_EQ(y[n], 0);
    EXPECT_TRUE(run->Overflowed());
  }
}

TEST_F(AnalysisTest, UnstableCascadeShowsItsOwnImpulseMessage) {
  UseCosine();
  // A section that doubles (or doubles with alternating sign) passes the limit at n = 37.
  for (const double a1 : {2.0, -2.0}) {
    recorder.Clear();
    library.design = [a1](CCascadFilter2& cascade) { cascade.FirstSection()->SetA(1, a1); };
    library.kind = kChebyshevKind;
    library.selected = true;
    run->RunAnalysis(1);
    ASSERT_EQ(run->CascadeFilter(), &library.cascade);
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{kImpulseOverflowCascade, "Анализ ПХ остановлен."}));
    EXPECT_EQ(run->ValidLength(), 37);
    EXPECT_EQ(run->ImpulseResponse()[36], std::pow(a1, 36));
    EXPECT_EQ(run->ImpulseResponse()[37], 0);
  }
}

}  // namespace

namespace {

// The pre-roll and output exactly as described, every sample stepped one at a time (filter is
// a CBaseDigitalFilter or a CCascadFilter2). Also gives where the pre-roll ended.
struct PlainRun {
  std::vector<double> output;
  long long pre_roll = 0;
};

template <class Filter>
PlainRun PlainStationaryRun(Filter& filter, const BiharmonicSource& signal, int transient, int count) {
  const auto s = [&](long long n) { return signal.SignalAt(static_cast<int>(n)); };
  PlainRun plain;
  filter.Reset();
  long long n = 0;
  for (; n <= transient; ++n) {
    filter.Step(s(n));
    if (filter.IsOverflow()) {
      filter.Reset();
      break;  // on to the realignment without counting the sample
    }
  }
  const double s0 = s(0);
  while (std::fabs(s(n) - s0) > 0.0001) {
    filter.Step(s(n++));
    if (filter.IsOverflow()) {
      filter.Reset();
      break;
    }
    if (n > kPreRollLimit) break;
  }
  plain.pre_roll = n;
  bool stopped = false;
  for (int k = 0; k < count; ++k) {
    const double y = stopped ? 0.0 : filter.Step(s(k));
    stopped = stopped || filter.IsOverflow();
    plain.output.push_back(stopped ? 0.0 : y);
  }
  return plain;
}

// H(e^{jω}) of a cascade from its sections' coefficients.
std::complex<double> CascadeResponse(const CCascadFilter2& cascade, double omega) {
  const std::complex<double> z1 = std::polar(1.0, -omega), z2 = z1 * z1;
  std::complex<double> h = 1;
  for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next())
    h *= s->Gain() * (s->B(0) + s->B(1) * z1 + s->B(2) * z2) / (1.0 - s->A(1) * z1 - s->A(2) * z2);
  return h;
}

class LongPreRollTest : public AnalysisTest {
 protected:
  LongPreRollTest() {
    UseCosine();
    cosine.omega = 2 * kPi / 300007;  // back at s(0) = 0 only after half a period: 150003 samples
    cosine.phi = kPi / 2;
  }
  void RunTyped(std::vector<double> a, std::vector<double> b) {
    cosine.selected = true;
    TypeFilter(a, b);
    typed.Clear();
    typed.SetACoef(a.data(), static_cast<int>(a.size()));
    for (std::size_t i = 0; i < b.size(); ++i) typed.SetBCoef(static_cast<int>(i) + 1, b[i]);
  }
  void RunLibrary(int kind) {
    library.kind = kind;
    library.selected = true;
    cosine.selected = true;
    run->RunAnalysis(1);
  }
  template <class Filter>
  void ExpectThePlainRun(Filter& filter, double tolerance) {
    const PlainRun plain = PlainStationaryRun(filter, cosine, run->TransientLength(), 2000);
    EXPECT_EQ(run->LastPreRollSteps(), plain.pre_roll);
    for (int n = 0; n < 2000; ++n) ASSERT_NEAR(run->OutputSignal()[n], plain.output[n], tolerance) << n;
  }
  CDigitalFilter typed;  // the typed filter again, for the plain run
};

TEST_F(LongPreRollTest, StableFiltersJumpToTheSteadyStateThatSteppingReaches) {
  // A resonance of radius 0.99 is settled long before the realignment at 150003.
  const double r = 0.99, theta = 0.02;
  RunTyped({0.01, 0.02}, {2 * r * std::cos(theta), -r * r});
  EXPECT_GT(run->LastPreRollSteps(), 149990);
  EXPECT_LT(run->LastPreRollSteps(), 150010);
  EXPECT_LT(run->LastPreRollStepped(), kShortPreRoll + 2000);
  ExpectThePlainRun(typed, 1e-12);

  // The same for a cascade whose sections carry gains and zeros.
  library.design = [](CCascadFilter2& cascade) {
    CDigitalFilter2* first = cascade.FirstSection();
    first->SetGain(0.25);
    first->SetB(1, 1);
    first->SetA(1, 0.5);
    CDigitalFilter2* second = cascade.AppendSection();
    second->SetB(2, -0.3);
    second->SetA(1, 2 * 0.995 * std::cos(0.01));
    second->SetA(2, -0.995 * 0.995);
  };
  RunLibrary(kChebyshevKind);
  EXPECT_LT(run->LastPreRollStepped(), kShortPreRoll + 2000);
  ExpectThePlainRun(library.cascade, 1e-9);
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(LongPreRollTest, DecimatedPairOfOscillationsJumpsToo) {
  // Two oscillations, every third sample kept: the steady state of all 2D − 1 lines of each.
  // cos(ωn + 0,3) leads, and comes back to its start only at ωn = 2π − 0,6 (n ≈ 271000).
  BiharmonicModel pair;
  pair.Show();
  pair.SetOscillationEnabled(2, true);
  pair.SetOmega(1, 2 * kPi / 300009);
  pair.SetPhase(1, 0.3);
  pair.SetOmega(2, 4 * kPi / 300009);
  pair.SetAmplitude(2, 0.05);
  pair.SetPhase(2, -1);
  ASSERT_TRUE(pair.SelectDecimation(2));
  pair.RequestAnalysis();
  AnalysisSources sources = bench.Sources();
  sources.biharmonic = &pair;
  run->SetSources(sources);
  const double r = 0.99, theta = 0.3;
  RunTyped({0.3, 0.2, 0.1}, {2 * r * std::cos(theta), -r * r});
  EXPECT_GT(run->LastPreRollSteps(), 2 * kShortPreRoll);
  EXPECT_LT(run->LastPreRollStepped(), kShortPreRoll + 2000);
  const PlainRun plain = PlainStationaryRun(typed, pair, run->TransientLength(), 2000);
  EXPECT_EQ(run->LastPreRollSteps(), plain.pre_roll);
  for (int n = 0; n < 2000; ++n) ASSERT_NEAR(run->OutputSignal()[n], plain.output[n], 1e-12) << n;
}

// A window whose user stops the long computation at its third question.
struct CancellingWindow : AnalysisWindow {
  explicit CancellingWindow(AnalysisRun& run) : run(run) {}
  void ShowModal() override {
    run.Timer1Timer();
    run.FormClose();
  }
  void Close() override {}
  void OfferCancel(bool offered) override { offers.push_back(offered); }
  bool CancelRequested() override { return ++asked == 3; }
  AnalysisRun& run;
  std::vector<bool> offers;
  int asked = 0;
};

TEST_F(LongPreRollTest, FilterThatIsNotSettledByThenIsSteppedAllTheWay) {
  // An integrator keeps every sample it was given: its long pre-roll cannot be shortened.
  RunTyped({1}, {1});
  EXPECT_EQ(run->LastPreRollStepped(), run->LastPreRollSteps());
  ExpectThePlainRun(typed, 0);
  const long long whole = run->LastPreRollSteps();

  // The user may stop it: the pre-roll ends two blocks on, with a message, and the output starts
  // from the state reached, y(0) = s(0) + Σ s(k) over the samples stepped.
  CancellingWindow window(*run);
  run->SetWindow(&window);
  RunTyped({1}, {1});
  run->SetWindow(nullptr);
  EXPECT_EQ(window.offers, (std::vector<bool>{true, false}));
  EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kPreRollCancelledMessage});
  const long long stopped = run->LastPreRollSteps();
  EXPECT_LT(stopped, whole);
  EXPECT_GT(stopped, kShortPreRoll);
  double sum = cosine.SignalAt(0);
  for (long long k = 0; k < stopped; ++k) sum += cosine.SignalAt(static_cast<int>(k));
  EXPECT_NEAR(run->OutputSignal()[0], sum, 1e-9 * std::max(1.0, std::fabs(sum)));
  recorder.Clear();

  // Butterworth of order 2 at ωp = 0,0002 still remembers the start at the realignment near
  // 125380: stepped all the way, and never from before n = 0.
  library.butterworth.SetAutoOrder(false);
  library.butterworth.SetWp(0.0002);
  library.butterworth.SetOrder(2);
  cosine.omega = 5e-5;
  cosine.phi = 0;
  RunLibrary(kButterworthKind);
  EXPECT_GT(run->LastPreRollSteps(), kShortPreRoll);
  ExpectThePlainRun(library.butterworth, 0);
}

TEST_F(LongPreRollTest, OverflowEndsThePreRollWhereSteppingWould) {
  // Overflow while settling (at n = 1): reset, and the realignment starts at that sample, which
  // is aligned.
  cosine.phi = 0;
  RunTyped({1e11}, {0.5});
  EXPECT_EQ(run->LastPreRollSteps(), 1);
  ExpectThePlainRun(typed, 0);
  // Overflow while settling and again on the way to the realignment.
  cosine.phi = kPi / 2;
  RunTyped({1}, {1.5});
  ExpectThePlainRun(typed, 0);
  EXPECT_LT(run->LastPreRollSteps(), 1000);
  // A slow filter overflowing long after the short pre-roll: stepped up to the overflow.
  RunTyped({1e6}, {0.999999});
  EXPECT_GT(run->LastPreRollSteps(), kShortPreRoll);
  EXPECT_LT(run->LastPreRollSteps(), 150000);
  ExpectThePlainRun(typed, 0);
  // A settled filter whose steady state comes near the limit is stepped, not jumped.
  RunTyped({1e9}, {0.5});
  EXPECT_EQ(run->LastPreRollStepped(), run->LastPreRollSteps());
  ExpectThePlainRun(typed, 0);
}

TEST_F(LongPreRollTest, PreRollThatNeverRealignsJumpsToTheSteadyStateAtTheLimit) {
  // Order 200 at ωp = 1e−4 and ω = 3e−8: the input does not come back within 1e8 samples. The
  // sharpest pole, of radius 1 − 7,9e−7, has shrunk its transient by e^−78 by then.
  library.butterworth.SetAutoOrder(false);
  library.butterworth.SetWp(1e-4);
  library.butterworth.SetOrder(200);
  cosine.omega = 3e-8;
  run->SetInterval(4000);  // the transient length N − 1 lets s(n) leave s(0) before the pre-roll goes on
  RunLibrary(kButterworthKind);
  EXPECT_EQ(run->LastPreRollSteps(), kPreRollLimit + 1);
  EXPECT_LT(run->LastPreRollStepped(), kShortPreRoll + 5000);
  // The impulse response is below the smallest double over the interval, so the output there is
  // the steady state of the input as it continues from the realignment on.
  const std::complex<double> h = CascadeResponse(library.butterworth, cosine.omega);
  for (int n = 0; n < 4000; ++n) {
    const double expected = std::abs(h) * std::cos(cosine.omega * (kPreRollLimit + 1 + n) + cosine.phi + std::arg(h));
    ASSERT_NEAR(run->OutputSignal()[n], expected, 1e-9) << n;
  }
  EXPECT_TRUE(recorder.Messages().empty());
}

}  // namespace
