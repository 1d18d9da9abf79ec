// The whole analysis run at the largest settings: N = 4000, M = 4096, with the biharmonic
// dialog's default signal (cos n) in steady state, so that the pre-roll runs too.
#include <benchmark/benchmark.h>

#include <vector>

#include "dialogs/model_set.h"
#include "platform/messages.h"

namespace {

struct Bench : ModelSet {
  Bench() {
    input_form.Show(a, b);
    biharmonic.Show();
    run->ShowWindow();
    run->SetInterval(4000);
    run->SetResolution(4096);
  }
};

// How long the last pre-roll was, and how much of it was stepped.
void ReportPreRoll(benchmark::State& state, const Bench& bench) {
  state.counters["pre_roll"] = static_cast<double>(bench.run->LastPreRollSteps());
  state.counters["stepped"] = static_cast<double>(bench.run->LastPreRollStepped());
  state.counters["transient"] = bench.run->TransientLength();
}

// Each iteration chooses the filter and the signal anew, so the run recomputes everything.
void RunLibrary(benchmark::State& state, Bench& bench, int kind) {
  for (auto _ : state) {
    bench.library.Show();
    bench.library.SetPage(kind);
    bench.library.SelectFilter();
    bench.biharmonic.RequestAnalysis();
    bench.run->RunAnalysis(1);
    benchmark::DoNotOptimize(bench.run->OutputSpectrum()[100]);
  }
  ReportPreRoll(state, bench);
}

// Each iteration confirms the typed coefficients and the signal anew.
void RunTyped(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    bench.input_form.RequestAnalysis(bench.a);
    bench.biharmonic.RequestAnalysis();
    bench.run->RunAnalysis(0);
    benchmark::DoNotOptimize(bench.run->OutputSpectrum()[100]);
  }
  ReportPreRoll(state, bench);
}

void Butterworth200(benchmark::State& state, bool flush_subnormals) {
  MessageRecorder quiet;
  Bench bench;
  bench.run->SetFlushSubnormals(flush_subnormals);
  bench.library.ButterworthDesign().SetAutoOrder(false);
  bench.library.ButterworthDesign().SetOrder(200);
  RunLibrary(state, bench, kButterworthKind);
}
BENCHMARK_CAPTURE(Butterworth200, flushed, true)->Name("FullAnalysis/Butterworth200")->Unit(benchmark::kMillisecond);
// The same run with subnormal numbers left as they are: what flushing them saves on this CPU.
BENCHMARK_CAPTURE(Butterworth200, kept, false)
    ->Name("SubnormalsKept/Butterworth200")
    ->Unit(benchmark::kMillisecond);

void Chebyshev60(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  bench.library.ChebyshevDesign().SetAutoOrder(false);
  bench.library.ChebyshevDesign().SetOrder(60);
  RunLibrary(state, bench, kChebyshevKind);
}
BENCHMARK(Chebyshev60)->Name("FullAnalysis/Chebyshev60")->Unit(benchmark::kMillisecond);

void Window500(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  bench.library.WeighingDesign().SetOrder(500);
  bench.library.WeighingDesign().SetHamming(true);
  RunLibrary(state, bench, kWeighingKind);
}
BENCHMARK(Window500)->Name("FullAnalysis/Window500")->Unit(benchmark::kMillisecond);

void FrSampling500(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  bench.library.FrSamplingDesign().SetOrder(500);
  RunLibrary(state, bench, kFrSamplingKind);
}
BENCHMARK(FrSampling500)->Name("FullAnalysis/FrSampling500")->Unit(benchmark::kMillisecond);

void Typed10(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  const double a[] = {0.1, 0.2, 0.3, 0.2, 0.1, 0.05};
  const double b[] = {0.5, -0.3, 0.1, -0.05};
  bench.a.SetValues(a, 6);
  bench.b.SetValues(b, 4);
  RunTyped(state, bench);
}
BENCHMARK(Typed10)->Name("FullAnalysis/Typed10")->Unit(benchmark::kMillisecond);

// The pre-roll of a stationary signal that does not come back to its start within the limit of
// 1e8 samples (ω = 3e−8, φ = π/2), before filters that remember it for 1e6 samples and more.
void UseSlowSignal(Bench& bench) {
  bench.biharmonic.SetOmega(1, 3e-8);
  bench.biharmonic.SetPhase(1, 1.5707963267948966);
}

void LongPreRollButterworth200(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  UseSlowSignal(bench);
  CBatterwortFilter& design = bench.library.ButterworthDesign();
  design.SetAutoOrder(false);
  design.SetWp(1e-4);
  design.SetOrder(200);
  RunLibrary(state, bench, kButterworthKind);
}
BENCHMARK(LongPreRollButterworth200)->Name("LongPreRoll/Butterworth200")->Unit(benchmark::kMillisecond);

// a(0) = 1, a(499) = 1e−10; b(1) = 0,99999, b(500) = 1e−10.
void LongPreRollDirect500(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  UseSlowSignal(bench);
  std::vector<double> a(500, 0.0), b(500, 0.0);
  a[0] = 1;
  a[499] = 1e-10;
  b[0] = 0.99999;
  b[499] = 1e-10;
  bench.a.SetValues(a.data(), 500);
  bench.b.SetValues(b.data(), 500);
  RunTyped(state, bench);
}
BENCHMARK(LongPreRollDirect500)->Name("LongPreRoll/Direct500")->Unit(benchmark::kMillisecond);

}  // namespace
