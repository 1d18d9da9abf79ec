// Timings of the filter designs at their largest orders, and of the Chebyshev order search.
#include <benchmark/benchmark.h>

#include <string>

#include "filter/butterworth.h"
#include "filter/chebyshev.h"
#include "filter/fr_sampling.h"
#include "filter/weighing.h"
#include "platform/messages.h"

namespace {

// Keeps a correction message from reaching stderr inside a timed loop.
class Silence {
 public:
  Silence() : previous_(SetMessageHandler([](const std::string&) {})) {}
  ~Silence() { SetMessageHandler(previous_); }

 private:
  MessageHandler previous_;
};

template <class Filter>
void DesignAtOrder(benchmark::State& state, Filter& filter) {
  for (auto _ : state) {
    filter.Design();
    benchmark::ClobberMemory();
  }
}

void DesignButterworth200(benchmark::State& state) {
  Silence silence;
  CBatterwortFilter filter;
  filter.SetAutoOrder(false);
  filter.SetOrder(200);
  DesignAtOrder(state, filter);
}
BENCHMARK(DesignButterworth200)->Unit(benchmark::kMicrosecond);

void DesignChebyshev60(benchmark::State& state) {
  Silence silence;
  CChebishevFilter filter;
  filter.SetAutoOrder(false);
  filter.SetOrder(60);
  DesignAtOrder(state, filter);
}
BENCHMARK(DesignChebyshev60)->Unit(benchmark::kMicrosecond);

void DesignWeighing500(benchmark::State& state) {
  CWeighingFilter filter;
  filter.SetOrder(500);
  filter.SetHamming(true);
  DesignAtOrder(state, filter);
}
BENCHMARK(DesignWeighing500)->Unit(benchmark::kMicrosecond);

void DesignFrSampling500(benchmark::State& state) {
  CFrSamplingFilter filter;
  filter.SetOrder(500);
  filter.SetHamming(true);
  DesignAtOrder(state, filter);
}
BENCHMARK(DesignFrSampling500)->Unit(benchmark::kMicrosecond);

// The search at its longest: a width that no order meets runs through all 60 orders.
void ChebyshevOrderSearch(benchmark::State& state) {
  Silence silence;
  CChebishevFilter filter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(filter.SetTransition(0.01));
    benchmark::DoNotOptimize(filter.GetOrder());
  }
}
BENCHMARK(ChebyshevOrderSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
