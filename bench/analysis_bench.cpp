// The analysis run at the largest settings: N = 4000, M = 4096, with the biharmonic dialog's
// signal in steady state (the default cos n, unless a case says otherwise).
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "platform/messages.h"
#include "session/session.h"

namespace {

struct Bench : Session {
  Bench() {
    input_form.Show(a, b);
    biharmonic.Show();
    run->ShowWindow();
    run->SetInterval(4000);
    run->SetResolution(4096);
  }
};

// Whether the last output started in its exact steady state, and how many samples were stepped
// before n = 0 instead (a filter without a steady state).
void ReportStart(benchmark::State& state, const Bench& bench) {
  state.counters["steady_state"] = bench.run->LastSteadyStart() == AnalysisRun::SteadyStart::kSet;
  state.counters["pre_roll"] = static_cast<double>(bench.run->LastPreRollSteps());
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
  ReportStart(state, bench);
}

// Each iteration confirms the typed coefficients and the signal anew.
void RunTyped(benchmark::State& state, Bench& bench) {
  for (auto _ : state) {
    bench.input_form.RequestAnalysis(bench.a);
    bench.biharmonic.RequestAnalysis();
    bench.run->RunAnalysis(0);
    benchmark::DoNotOptimize(bench.run->OutputSpectrum()[100]);
  }
  ReportStart(state, bench);
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
BENCHMARK_CAPTURE(Butterworth200, kept, false)->Name("SubnormalsKept/Butterworth200")->Unit(benchmark::kMillisecond);

void Chebyshev60(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  bench.library.ChebyshevDesign().SetAutoOrder(false);
  bench.library.ChebyshevDesign().SetOrder(60);
  RunLibrary(state, bench, kChebyshevKind);
}
BENCHMARK(Chebyshev60)->Name("FullAnalysis/Chebyshev60")->Unit(benchmark::kMillisecond);

// A band-pass of prototype order 30 (order 60, 30 sections) around the signal's ω = 1: its poles
// lie near the circle all along the pass band, not near z = ±1.
void BandPassChebyshev30(benchmark::State& state) {
  MessageRecorder quiet;
  Bench bench;
  CChebishevFilter& design = bench.library.ChebyshevDesign();
  design.SetAutoOrder(false);
  design.SetWp(0.8);
  design.SetWp2(1.2);
  design.SetBand(BandType::kBandPass);
  design.SetOrder(30);
  RunLibrary(state, bench, kChebyshevKind);
}
BENCHMARK(BandPassChebyshev30)->Name("FullAnalysis/BandPass/Chebyshev30")->Unit(benchmark::kMillisecond);

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

// A low-pass design of the given order with its pass band up to wp.
template <class Design>
void UseLowPass(Design& design, double wp, int order) {
  design.SetAutoOrder(false);
  design.SetWp(wp);
  design.SetOrder(order);
}

// The output signal alone, the filter chosen once and the signal confirmed anew in each iteration:
// in steady state, and the same run switched on at n = 0. The signal ω = 3e−8, φ = π/2 does not
// come back to its start within 1e8 samples, and the recursive filters remember it for 1e6 samples
// and more: what a steady state found by stepping would have to go through.
void SlowSignal(benchmark::State& state, int kind, bool stationary) {
  MessageRecorder quiet;
  Bench bench;
  UseLowPass(bench.library.ButterworthDesign(), 1e-4, 200);
  UseLowPass(bench.library.ChebyshevDesign(), 2e-4, 60);
  bench.library.WeighingDesign().SetOrder(500);
  bench.library.WeighingDesign().SetHamming(true);
  bench.biharmonic.SetOmega(1, 3e-8);
  bench.biharmonic.SetPhase(1, 1.5707963267948966);
  bench.biharmonic.SetStationary(stationary);
  bench.library.Show();
  bench.library.SetPage(kind);
  bench.library.SelectFilter();
  bench.biharmonic.RequestAnalysis();
  bench.run->RunAnalysis(1);
  for (auto _ : state) {
    bench.biharmonic.RequestAnalysis();
    bench.run->ShowWindow();
    benchmark::DoNotOptimize(bench.run->OutputSignal()[100]);
  }
  ReportStart(state, bench);
}
// SteadyState/<case> and SwitchedOn/<case>.
const bool kSlowSignalRegistered = [] {
  const std::pair<const char*, int> cases[] = {
      {"Butterworth200", kButterworthKind}, {"Chebyshev60", kChebyshevKind}, {"Window500", kWeighingKind}};
  for (const auto& [name, kind] : cases) {
    for (const bool stationary : {true, false}) {
      const std::string full = std::string(stationary ? "SteadyState/" : "SwitchedOn/") + name;
      benchmark::RegisterBenchmark(full.c_str(), SlowSignal, kind, stationary)->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
