// The zeros and poles of the largest filters of each kind: the cascades in closed form, the direct
// forms of degree 500 through the Ehrlich–Aberth iteration.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "analysis/zero_pole.h"
#include "filter/butterworth.h"
#include "filter/chebyshev.h"
#include "filter/digital_filter.h"
#include "filter/weighing.h"
#include "platform/messages.h"

namespace {

template <class Filter, class Find>
void Measure(benchmark::State& state, const Filter& filter, Find find) {
  for (auto _ : state) {
    ZeroPoleSet set = find(filter);
    benchmark::DoNotOptimize(set.gain);
  }
}

void Butterworth200(benchmark::State& state) {
  MessageRecorder quiet;
  CBatterwortFilter design;
  design.SetAutoOrder(false);
  design.SetOrder(200);
  design.Design();
  Measure(state, design, CascadeZeroPoles);
}
BENCHMARK(Butterworth200)->Name("PoleZero/Butterworth200")->Unit(benchmark::kMillisecond);

void Chebyshev60(benchmark::State& state) {
  MessageRecorder quiet;
  CChebishevFilter design;
  design.SetAutoOrder(false);
  design.SetOrder(60);
  design.Design();
  Measure(state, design, CascadeZeroPoles);
}
BENCHMARK(Chebyshev60)->Name("PoleZero/Chebyshev60")->Unit(benchmark::kMillisecond);

void Window500(benchmark::State& state) {
  MessageRecorder quiet;
  CWeighingFilter design;
  design.SetOrder(500);
  design.SetHamming(true);
  design.Design();
  Measure(state, design, DirectZeroPoles);
}
BENCHMARK(Window500)->Name("PoleZero/Window500")->Unit(benchmark::kMillisecond);

// 500 non-recursive and 500 recursive coefficients drawn evenly from [−1, 1] (a fixed seed): two
// polynomials of degree 499 and 500 whose roots crowd the unit circle.
void Typed500(benchmark::State& state) {
  MessageRecorder quiet;
  std::mt19937 random(13);
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::vector<double> a(500);
  for (double& value : a) value = uniform(random);
  CDigitalFilter filter;
  filter.SetACoef(a.data(), 500);
  for (int i = 1; i <= 500; ++i) filter.SetBCoef(i, uniform(random));
  Measure(state, filter, DirectZeroPoles);
}
BENCHMARK(Typed500)->Name("PoleZero/Typed500")->Unit(benchmark::kMillisecond);

}  // namespace
