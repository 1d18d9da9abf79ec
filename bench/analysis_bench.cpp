// The whole analysis run at the largest settings: N = 4000, M = 4096, a stationary signal.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "analysis/analysis.h"
#include "platform/messages.h"

namespace {

class Table : public TableSource {
 public:
  std::vector<double> values;
  void GetValues(const double*& v, int& count) const override {
    v = values.data();
    count = static_cast<int>(values.size());
  }
};

class Request : public FilterRequestSource {
 public:
  bool requested = true;
  bool IsAnalysisRequested() const override { return requested; }
  void ClearAnalysisRequest() override { requested = false; }
};

class TwoCosines : public BiharmonicSource {
 public:
  bool selected = true;
  // The dialog's defaults: oscillation 1 only, ω1 = 1, A1 = 1, φ1 = 0.
  double SignalAt(int n) const override { return std::cos(1.0 * n); }
  double SpectrumAt(double, double) const override { return 0; }
  bool IsSignalSelected() const override { return selected; }
  void ClearSignalSelected() override { selected = false; }
  bool IsStationary() const override { return true; }
};

void RunTyped(benchmark::State& state, std::vector<double> a, std::vector<double> b) {
  MessageRecorder quiet;
  Table ta, tb, signal;
  ta.values = std::move(a);
  tb.values = std::move(b);
  Request request;
  TwoCosines cosines;
  AnalysisSources sources;
  sources.input_form = &request;
  sources.a_coefficients = &ta;
  sources.b_coefficients = &tb;
  sources.signal_table = &signal;
  sources.biharmonic = &cosines;
  auto run = std::make_unique<AnalysisRun>();
  run->SetSources(sources);
  run->SetInterval(4000);
  run->SetResolution(4096);
  for (auto _ : state) {
    request.requested = true;
    cosines.selected = true;
    run->RunAnalysis(0);
    benchmark::DoNotOptimize(run->OutputSpectrum()[100]);
  }
}

void FullAnalysisTyped10(benchmark::State& state) {
  RunTyped(state, {0.1, 0.2, 0.3, 0.2, 0.1, 0.05}, {0.5, -0.3, 0.1, -0.05});
}
BENCHMARK(FullAnalysisTyped10)->Name("FullAnalysis/Typed10")->Unit(benchmark::kMillisecond);

void FullAnalysisTyped501(benchmark::State& state) {
  std::vector<double> a(501);
  for (int k = 0; k < 501; ++k) {
    const double x = 0.4 * std::numbers::pi * (k - 250);
    a[k] = 0.4 * (x == 0 ? 1 : std::sin(x) / x);
  }
  RunTyped(state, a, {});
}
BENCHMARK(FullAnalysisTyped501)->Name("FullAnalysis/Typed501Taps")->Unit(benchmark::kMillisecond);

}  // namespace
