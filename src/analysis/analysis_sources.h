#pragma once
// What the analysis run asks of the windows that hold its inputs. Each window's model
// implements its interface; a missing source reports no change and holds no data.

#include <vector>

class CBaseDigitalFilter;
class CCascadFilter2;

// The values a table holds: the two coefficient tables and the signal table alike.
constexpr int kTableCapacity = 500;

// A table editor: the coefficient tables and the signal table.
class TableSource {
 public:
  virtual ~TableSource() = default;
  // The accepted values and their count.
  virtual void GetValues(const double*& values, int& count) const = 0;
  // Whether the table's data were confirmed since the last analysis.
  virtual bool IsProcessed() const { return false; }
  virtual void ClearProcessed() {}
};

// The arbitrary-filter dialog.
class FilterRequestSource {
 public:
  virtual ~FilterRequestSource() = default;
  virtual bool IsAnalysisRequested() const = 0;
  virtual void ClearAnalysisRequest() = 0;
};

// The filter library dialog with its four design objects.
enum FilterKind { kButterworthKind = 0, kChebyshevKind = 1, kWeighingKind = 2, kFrSamplingKind = 3 };

class FilterLibrarySource {
 public:
  virtual ~FilterLibrarySource() = default;
  virtual bool IsFilterSelected() const = 0;
  virtual void ClearFilterSelected() = 0;
  virtual int GetFilterKind() const = 0;
  virtual CCascadFilter2& Butterworth() = 0;
  virtual CCascadFilter2& Chebyshev() = 0;
  virtual CBaseDigitalFilter& Weighing() = 0;
  virtual CBaseDigitalFilter& FrSampling() = 0;
  // Designs the filter of the given kind into its object from the dialog's parameters.
  virtual void DesignFilter(int kind) = 0;
};

// One oscillation A·cos(ω·n + φ).
struct CosineTerm {
  double amplitude = 0;
  double omega = 0;
  double phase = 0;
};

// A stationary signal in closed form: at every n that decimation divides the sum of the terms,
// 0 at every other n.
struct OscillationSum {
  std::vector<CosineTerm> terms;
  int decimation = 1;
};

// The biharmonic signal dialog.
class BiharmonicSource {
 public:
  virtual ~BiharmonicSource() = default;
  virtual double SignalAt(int n) const = 0;
  // The closed form that SignalAt evaluates.
  virtual OscillationSum Oscillations() const = 0;
  virtual double SpectrumAt(double omega, double step) const = 0;
  virtual bool IsSignalSelected() const = 0;
  virtual void ClearSignalSelected() = 0;
  // The checked state of "Стационарный": the signal exists for all n, not only from n = 0.
  virtual bool IsStationary() const = 0;
};

struct AnalysisSources {
  FilterRequestSource* input_form = nullptr;
  FilterLibrarySource* library = nullptr;
  TableSource* a_coefficients = nullptr;  // TabAKoef: a0, a1, …
  TableSource* b_coefficients = nullptr;  // TabBKoef: b1, b2, …
  TableSource* signal_table = nullptr;    // TabSignal
  BiharmonicSource* biharmonic = nullptr;
};
