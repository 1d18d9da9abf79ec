#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "dialogs/biharmonic_model.h"
#include "filter/digital_filter.h"
#include "platform/messages.h"
#include "session/session.h"
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

  // H(ω) = 1/(1 − 0.1·e^{−jω}), from n = 0 on, with nothing stepped before.
  const std::complex<double> h = 1.0 / (1.0 - 0.1 * std::polar(1.0, -cosine.omega));
  EXPECT_EQ(run->GetSignalSource(), 1);
  EXPECT_EQ(run->LastSteadyStart(), AnalysisRun::SteadyStart::kSet);
  EXPECT_EQ(run->LastPreRollSteps(), 0);
  for (int n = 0; n < 2000; ++n) {
    const double expected = std::abs(h) * 2 * std::cos(cosine.omega * n + cosine.phi + std::arg(h));
    ASSERT_NEAR(run->OutputSignal()[n], expected, 1e-12) << n;
  }
  EXPECT_EQ(run->Bar(PBSignal).Maximum(), 2000);
  EXPECT_EQ(run->Bar(PBSignal).Position(), 2000);
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
  template <class Filter>
  void ExpectThePlainRun(Filter& filter, double tolerance) {
    const PlainRun plain = PlainStationaryRun(filter, cosine, run->TransientLength(), 2000);
    EXPECT_EQ(run->LastSteadyStart(), AnalysisRun::SteadyStart::kNone);
    EXPECT_EQ(run->LastPreRollSteps(), plain.pre_roll);
    for (int n = 0; n < 2000; ++n) ASSERT_NEAR(run->OutputSignal()[n], plain.output[n], tolerance) << n;
  }
  CDigitalFilter typed;  // the typed filter again, for the plain run
};

// A window whose user stops the long computation at its third question.
struct CancellingWindow : AnalysisWindow {
  explicit CancellingWindow(AnalysisRun& analysis) : run(analysis) {}
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

TEST_F(LongPreRollTest, FilterWithAPoleOnTheCircleIsSteppedAllTheWay) {
  // An integrator has no steady state: its long pre-roll is stepped as it always was.
  RunTyped({1}, {1});
  ExpectThePlainRun(typed, 0);
  const long long whole = run->LastPreRollSteps();
  EXPECT_GT(whole, kShortPreRoll);

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

  // A resonator on the circle, typed and as a section.
  RunTyped({1}, {2 * std::cos(0.3), -1});
  ExpectThePlainRun(typed, 0);
  library.design = [](CCascadFilter2& cascade) {
    cascade.FirstSection()->SetA(1, 2 * std::cos(0.3));
    cascade.FirstSection()->SetA(2, -1);
  };
  library.kind = kChebyshevKind;
  library.selected = cosine.selected = true;
  run->RunAnalysis(1);
  ExpectThePlainRun(library.cascade, 0);
}

TEST_F(LongPreRollTest, OverflowOfAFilterWithoutSteadyState) {
  // Overflow while settling and again on the way to the realignment: reset each time.
  RunTyped({1}, {1.5});
  ExpectThePlainRun(typed, 0);
  EXPECT_LT(run->LastPreRollSteps(), 1000);
  // A slow growth overflowing long after the short pre-roll: stepped up to the overflow.
  RunTyped({10}, {1.0001});
  EXPECT_GT(run->LastPreRollSteps(), kShortPreRoll);
  EXPECT_LT(run->LastPreRollSteps(), 150000);
  ExpectThePlainRun(typed, 0);
  // Overflow while settling (at n = 1): the realignment starts at that sample, which is aligned.
  cosine.phi = 0;
  RunTyped({1e11}, {1.5});
  EXPECT_EQ(run->LastPreRollSteps(), 1);
  ExpectThePlainRun(typed, 0);
}

// The steady state of a stable filter is set in closed form, whatever the filter and the signal.
class SteadyStateTest : public ::testing::Test {
 protected:
  SteadyStateTest() {
    models.input_form.Show(models.a, models.b);
    models.biharmonic.Show();
    models.run->SetInterval(4000);
  }

  // Both oscillations with the given phases, every third sample kept (or every one).
  void UseDecimatedPair(double omega1, double phi1, double omega2, double phi2, int decimation = 3) {
    BiharmonicModel& signal = models.biharmonic;
    signal.SetOscillationEnabled(2, true);
    signal.SetOmega(1, omega1);
    signal.SetPhase(1, phi1);
    signal.SetOmega(2, omega2);
    signal.SetAmplitude(2, 0.7);
    signal.SetPhase(2, phi2);
    ASSERT_TRUE(signal.SelectDecimation(decimation - 1));
  }
  void RunLibrary(int kind) {
    models.library.SetPage(kind);
    models.library.SelectFilter();
    models.biharmonic.RequestAnalysis();
    models.run->RunAnalysis(1);
  }
  void RunTyped(std::vector<double> a, std::vector<double> b) {
    models.a.SetValues(a.data(), static_cast<int>(a.size()));
    models.b.SetValues(b.data(), static_cast<int>(b.size()));
    models.input_form.RequestAnalysis(models.a);
    models.biharmonic.RequestAnalysis();
    models.run->RunAnalysis(0);
  }

  // The output against Σ over the oscillations and the D images Ω = ω + 2πk/D of each of
  // (A/D)·|H(Ω)|·cos(Ω·n + φ + arg H(Ω)), H evaluated from the coefficients in long double:
  // within 1e−9 of the output's amplitude Σ (A/D)·|H(Ω)|, from n = 0 on.
  void ExpectTheSteadyState(const char* name) {
    const AnalysisRun& run = *models.run;
    const OscillationSum sum = models.biharmonic.Oscillations();
    const int count = run.IntervalLength();
    std::vector<long double> expected(static_cast<std::size_t>(count), 0.0L);
    long double amplitude = 0;
    for (const CosineTerm& term : sum.terms) {
      for (int k = 0; k < sum.decimation; ++k) {
        const long double omega = term.omega + 2 * std::numbers::pi_v<long double> * k / sum.decimation;
        const std::complex<long double> h = run.DirectFilter() != nullptr ? ResponseOf(*run.DirectFilter(), omega)
                                                                          : ResponseOf(*run.CascadeFilter(), omega);
        amplitude += term.amplitude / sum.decimation * std::abs(h);
        for (int n = 0; n < count; ++n)
          expected[n] += term.amplitude / sum.decimation * std::abs(h) * std::cos(omega * n + term.phase + std::arg(h));
      }
    }
    long double error = 0;
    for (int n = 0; n < count; ++n) error = std::max(error, std::fabs(run.OutputSignal()[n] - expected[n]));
    EXPECT_EQ(run.LastSteadyStart(), AnalysisRun::SteadyStart::kSet) << name;
    EXPECT_GT(amplitude, 0.1) << name;
    EXPECT_LE(error, 1e-9 * amplitude) << name << ": " << static_cast<double>(error / amplitude);
  }

  static std::complex<long double> ResponseOf(const CCascadFilter2& cascade, long double omega) {
    const std::complex<long double> z = std::polar(1.0L, -omega), z2 = z * z;
    std::complex<long double> h = cascade.InputGain();
    for (const CDigitalFilter2* s = cascade.FirstSection(); s != nullptr; s = s->Next()) {
      const auto c = [&](double value) { return static_cast<long double>(value); };
      h *= c(s->Gain()) * (c(s->B(0)) + c(s->B(1)) * z + c(s->B(2)) * z2) / (1.0L - c(s->A(1)) * z - c(s->A(2)) * z2);
    }
    return h;
  }
  static std::complex<long double> ResponseOf(const CBaseDigitalFilter& filter, long double omega) {
    std::complex<long double> numerator = 0, denominator = 1;
    for (int k = 0; k <= filter.FAOrder(); ++k) numerator += std::polar<long double>(filter.ACoef(k), -omega * k);
    for (int i = 1; i <= filter.FBOrder(); ++i) denominator -= std::polar<long double>(filter.BCoef(i), -omega * i);
    return static_cast<long double>(filter.Gain()) * numerator / denominator;
  }

  Session models;
  MessageRecorder recorder;
};

TEST_F(SteadyStateTest, EveryKindOfStableFilterStartsInItsSteadyState) {
  FilterLibraryModel& library = models.library;
  library.ButterworthDesign().SetAutoOrder(false);
  library.ButterworthDesign().SetOrder(8);
  library.ChebyshevDesign().SetAutoOrder(false);
  library.ChebyshevDesign().SetOrder(10);
  library.WeighingDesign().SetOrder(500);
  library.WeighingDesign().SetHamming(true);
  library.FrSamplingDesign().SetOrder(301);
  // The phases in all four quadrants, one pair and then the other.
  for (const auto& [phi1, phi2] : {std::pair{2.0, -2.5}, std::pair{0.7, -0.8}}) {
    UseDecimatedPair(0.3, phi1, 0.8, phi2);
    for (const int kind : {kButterworthKind, kChebyshevKind, kWeighingKind, kFrSamplingKind}) {
      RunLibrary(kind);
      ExpectTheSteadyState(("library filter " + std::to_string(kind)).c_str());
    }
    RunTyped({1}, {0.9999});
    ExpectTheSteadyState("pole at 0,9999");
    // A pair of radius 1 − 1e−12 next to the signal's frequencies, and a third pole.
    const double r = 1 - 1e-12, theta = 0.5;
    RunTyped({0.1, 0.2}, {2 * r * std::cos(theta), -r * r});
    ExpectTheSteadyState("pair near the circle");
    RunTyped({0.3, -0.2, 0.1, 0.05}, {0.4, 0.3, -0.2});
    ExpectTheSteadyState("third order");
  }
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SteadyStateTest, SlowFiltersAndSlowSignals) {
  // Poles within 1e−6 of z = 1 and an input that turns once in 2e8 samples: the state of each
  // section is far from anything a pre-roll could reach.
  UseDecimatedPair(3e-8, kPi / 2, 0.2, -2);
  FilterLibraryModel& library = models.library;
  library.ButterworthDesign().SetAutoOrder(false);
  library.ButterworthDesign().SetWp(1e-4);
  library.ButterworthDesign().SetOrder(200);
  RunLibrary(kButterworthKind);
  ExpectTheSteadyState("Butterworth 200");
  library.ChebyshevDesign().SetAutoOrder(false);
  library.ChebyshevDesign().SetWp(2e-4);
  library.ChebyshevDesign().SetOrder(60);
  RunLibrary(kChebyshevKind);
  ExpectTheSteadyState("Chebyshev 60");
  // The same near z = −1: a pass band up to 3,14 and oscillations beside it.
  UseDecimatedPair(3.1415, 1, 3.13, 3, 1);
  library.ButterworthDesign().SetWp(3.14);
  library.ButterworthDesign().SetOrder(100);
  RunLibrary(kButterworthKind);
  ExpectTheSteadyState("Butterworth near π");
  EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(SteadyStateTest, SteadyStateBeyondTheLimitOverflowsAtOnce) {
  UseDecimatedPair(0.3, 1, 0.8, 2);
  models.biharmonic.SetOscillationEnabled(2, false);
  ASSERT_TRUE(models.biharmonic.SelectDecimation(0));
  // The delay line fits, the output 1e11·w does not: stepped up to the first sample beyond.
  RunTyped({1e11}, {0.5});
  AnalysisRun& run = *models.run;
  EXPECT_EQ(run.LastSteadyStart(), AnalysisRun::SteadyStart::kSet);
  EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kOutputOverflow});
  const std::complex<double> h = 1e11 / (1.0 - 0.5 * std::polar(1.0, -0.3));
  int first_zero = 0;
  while (first_zero < 4000 && run.OutputSignal()[first_zero] != 0) {
    ASSERT_NEAR(run.OutputSignal()[first_zero], std::abs(h) * std::cos(0.3 * first_zero + 1 + std::arg(h)), 1e-3);
    ++first_zero;
  }
  EXPECT_GT(std::abs(h) * std::fabs(std::cos(0.3 * first_zero + 1 + std::arg(h))), kFilterLimit);
  for (int n = first_zero; n < 4000; ++n) ASSERT_EQ(run.OutputSignal()[n], 0) << n;
  EXPECT_TRUE(run.Overflowed());
  recorder.Clear();

  // A pole 1e−12 from z = 1 before a constant: the delay line itself would hold 1e12.
  models.biharmonic.SetOmega(1, 0);
  RunTyped({1}, {1 - 1e-12});
  EXPECT_EQ(run.LastSteadyStart(), AnalysisRun::SteadyStart::kBeyondLimit);
  EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kOutputOverflow});
  for (int n = 0; n < 4000; ++n) ASSERT_EQ(run.OutputSignal()[n], 0) << n;
  EXPECT_EQ(run.Bar(PBSignal).Maximum(), 4000);
  EXPECT_EQ(run.Bar(PBSignal).Position(), 1);
}

}  // namespace
