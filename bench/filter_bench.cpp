// Timings of the filter model and the transform at the largest sizes the program uses.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/fft.h"
#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"
#include "numeric/subnormal_guard.h"

namespace {

std::vector<double> Grid(int points) {
  std::vector<double> omega(points);
  for (int k = 0; k < points; ++k) omega[k] = -std::numbers::pi + k * 2 * std::numbers::pi / (points - 1);
  return omega;
}

// A 501-tap sinc low-pass: the longest filter the windowed designs make.
CDigitalFilter LowPass501Taps() {
  std::vector<double> taps(501);
  for (int k = 0; k < 501; ++k) taps[k] = std::sin(0.3 * (k - 250) + 1e-9) / (k - 250 + 1e-9);
  CDigitalFilter filter;
  filter.SetACoef(taps.data(), static_cast<int>(taps.size()));
  return filter;
}

void Response501Taps(benchmark::State& state) {
  CDigitalFilter filter = LowPass501Taps();
  const std::vector<double> omega = Grid(2048);
  for (auto _ : state) {
    double amplitude = 0, phase = 0;
    for (double w : omega) {
      filter.Response(w, amplitude, phase);
      benchmark::DoNotOptimize(amplitude);
      benchmark::DoNotOptimize(phase);
    }
  }
}
BENCHMARK(Response501Taps)->Unit(benchmark::kMillisecond);

// The same values, four frequencies at a time, as the analysis run asks for them.
void Responses501Taps(benchmark::State& state) {
  CDigitalFilter filter = LowPass501Taps();
  const std::vector<double> omega = Grid(2048);
  std::vector<double> amplitude(2048), phase(2048);
  for (auto _ : state) {
    filter.Responses(omega.data(), 2048, amplitude.data(), phase.data());
    benchmark::DoNotOptimize(amplitude.data());
  }
}
BENCHMARK(Responses501Taps)->Unit(benchmark::kMillisecond);

void FillCascade(CCascadFilter2& cascade, int sections) {
  cascade.RemoveSections();
  for (int s = 0; s < sections; ++s) {
    CDigitalFilter2* section = s == 0 ? cascade.FirstSection() : cascade.AppendSection();
    const double radius = 0.5 + 0.4 * s / sections;
    const double angle = 0.1 + 2.5 * s / sections;
    section->SetA(1, 2 * radius * std::cos(angle));
    section->SetA(2, -radius * radius);
    section->SetB(0, 1);
    section->SetB(1, 2);
    section->SetB(2, 1);
    section->SetGain(0.25);
  }
}

void CascadeResponse100Sections(benchmark::State& state) {
  CCascadFilter2 cascade;
  FillCascade(cascade, 100);
  const std::vector<double> omega = Grid(2048);
  for (auto _ : state) {
    for (double w : omega) {
      benchmark::DoNotOptimize(cascade.Amplitude(w));
      benchmark::DoNotOptimize(cascade.Phase(w));
    }
  }
}
BENCHMARK(CascadeResponse100Sections)->Unit(benchmark::kMillisecond);

// Amplitude and phase in one pass over the sections, the whole grid at once, as the analysis run
// asks for them.
void CascadeJointResponse100Sections(benchmark::State& state) {
  CCascadFilter2 cascade;
  FillCascade(cascade, 100);
  const std::vector<double> omega = Grid(2048);
  std::vector<double> amplitude(2048), phase(2048);
  for (auto _ : state) {
    cascade.Responses(omega.data(), 2048, amplitude.data(), phase.data());
    benchmark::DoNotOptimize(amplitude.data());
    benchmark::DoNotOptimize(phase.data());
  }
}
BENCHMARK(CascadeJointResponse100Sections)->Unit(benchmark::kMillisecond);

void CascadeSteps100Sections(benchmark::State& state) {
  CCascadFilter2 cascade;
  FillCascade(cascade, 100);
  const SubnormalGuard flush;  // as in the analysis run: the decaying response is not slowed down
  for (auto _ : state) {
    cascade.Reset();
    double y = cascade.Step(1);
    for (int n = 1; n < 4000; ++n) y += cascade.Step(0);
    benchmark::DoNotOptimize(y);
  }
}
BENCHMARK(CascadeSteps100Sections)->Unit(benchmark::kMillisecond);

// The same impulse response a block at a time, as the analysis run steps it.
void CascadeBlock100Sections(benchmark::State& state) {
  CCascadFilter2 cascade;
  FillCascade(cascade, 100);
  const SubnormalGuard flush;
  std::vector<double> x(4000, 0.0), y(4000);
  x[0] = 1;
  for (auto _ : state) {
    cascade.Reset();
    benchmark::DoNotOptimize(cascade.StepBlock(x.data(), y.data(), 4000));
    benchmark::DoNotOptimize(y[3999]);
  }
}
BENCHMARK(CascadeBlock100Sections)->Unit(benchmark::kMillisecond);

void Transform4096(benchmark::State& state) {
  std::vector<double> data(4000), magnitude(4096), phase(4096);
  for (int i = 0; i < 4000; ++i) data[i] = std::cos(0.01 * i * i);
  FastFourierTransform fft;
  for (auto _ : state) {
    fft.Transform(data.data(), 4000, 4096, magnitude.data(), phase.data());
    benchmark::DoNotOptimize(magnitude.data());
  }
}
BENCHMARK(Transform4096)->Unit(benchmark::kMicrosecond);

}  // namespace
