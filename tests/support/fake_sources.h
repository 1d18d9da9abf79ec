#pragma once
// Minimal stand-ins for the windows that feed the analysis run.

#include <cmath>
#include <functional>
#include <vector>

#include "analysis/analysis_sources.h"
#include "filter/butterworth.h"
#include "filter/cascade_filter.h"
#include "filter/digital_filter.h"

class FakeTable : public TableSource {
 public:
  std::vector<double> values;
  bool processed = false;
  void GetValues(const double*& v, int& count) const override {
    v = values.data();
    count = static_cast<int>(values.size());
  }
  bool IsProcessed() const override { return processed; }
  void ClearProcessed() override { processed = false; }
};

class FakeRequest : public FilterRequestSource {
 public:
  bool requested = false;
  bool IsAnalysisRequested() const override { return requested; }
  void ClearAnalysisRequest() override { requested = false; }
};

// A library with a real Butterworth design, and a Chebyshev page whose cascade the test designs
// itself through design.
class FakeLibrary : public FilterLibrarySource {
 public:
  CBatterwortFilter butterworth;
  CCascadFilter2 cascade;
  CBaseDigitalFilter direct;
  std::function<void(CCascadFilter2&)> design;
  bool selected = false;
  int kind = kButterworthKind;
  bool IsFilterSelected() const override { return selected; }
  void ClearFilterSelected() override { selected = false; }
  int GetFilterKind() const override { return kind; }
  CCascadFilter2& Butterworth() override { return butterworth; }
  CCascadFilter2& Chebyshev() override { return cascade; }
  CBaseDigitalFilter& Weighing() override { return direct; }
  CBaseDigitalFilter& FrSampling() override { return direct; }
  void DesignFilter(int which) override {
    if (which == kButterworthKind) butterworth.Design();
    else if (design) design(cascade);
  }
};

// A single stationary cosine A·cos(ωn + φ) with no spectrum of its own.
class FakeCosine : public BiharmonicSource {
 public:
  double amplitude = 1, omega = 1, phi = 0;
  bool selected = false, stationary = true;
  double SignalAt(int n) const override { return amplitude * std::cos(omega * n + phi); }
  OscillationSum Oscillations() const override { return {{{amplitude, omega, phi}}, 1}; }
  double SpectrumAt(double, double) const override { return 0; }
  bool IsSignalSelected() const override { return selected; }
  void ClearSignalSelected() override { selected = false; }
  bool IsStationary() const override { return stationary; }
};

// The three coefficient/signal tables and the request of a typed filter, wired to a run.
struct TypedFilterBench {
  FakeTable a, b, signal;
  FakeRequest request;
  AnalysisSources Sources() {
    AnalysisSources s;
    s.input_form = &request;
    s.a_coefficients = &a;
    s.b_coefficients = &b;
    s.signal_table = &signal;
    return s;
  }
};
