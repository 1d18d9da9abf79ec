#pragma once
// Minimal stand-ins for the windows that feed the analysis run.

#include <cmath>
#include <vector>

#include "analysis/analysis_sources.h"

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

// A single stationary cosine A·cos(ωn + φ) with no spectrum of its own.
class FakeCosine : public BiharmonicSource {
 public:
  double amplitude = 1, omega = 1, phi = 0;
  bool selected = false, stationary = true;
  double SignalAt(int n) const override { return amplitude * std::cos(omega * n + phi); }
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
