#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

#include "analysis/stationary_signal.h"
#include "numeric/numeric.h"
#include "numeric/subnormal_guard.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;

const char kImpulseOverflowDirect[] =
    "Возникло переполнение разрядной сетки:\n Возможно цифровой фильтр неустойчив.\n Анализ ИХ остановлен.";
const char kImpulseOverflowCascade[] =
    "Возникло переполнение разрядной сетки:\nцифровой фильтр неустойчив.\n Анализ ИХ остановлен.";
const char kStepStopped[] = "Анализ ПХ остановлен.";
const char kOutputOverflow[] = "Возникло переполнение разрядной сетки:\n Расчёт сигнала на выходе остановлен.";
const char kBeyondRangeStart[] = "Значения вышли за пределы диапазона чисел:\n ";
const char kBeyondRangeEnd[] = ".\n Показаны ближайшие представимые значения.";

// The characteristics as the message about values beyond the range names them.
const char kImpulseName[] = "импульсная характеристика";
const char kStepName[] = "переходная характеристика";
const char kInputName[] = "сигнал на входе";
const char kOutputName[] = "сигнал на выходе";
const char kAmplitudeName[] = "АЧХ";
const char kPhaseName[] = "ФЧХ";
const char kInputSpectrumName[] = "спектр сигнала на входе";
const char kOutputSpectrumName[] = "спектр сигнала на выходе";

// A normalised amplitude at or below this is shown as −10000 dB.
constexpr double kDecibelFloorAmplitude = 1e-300;
constexpr double kZeroAmplitudeDecibels = -10000;
// The pre-roll stops once the periodic input is back within this of its value at n = 0.
constexpr double kRealignTolerance = 0.0001;
// The most decimation whose spectral lines (2D − 1 per oscillation) the steady state is computed
// from; the dialog offers at most 30.
constexpr int kMostDecimationLines = 64;

}  // namespace

AnalysisRun::AnalysisRun()
    : impulse_(kTimeCapacity, 0.0),
      step_(kTimeCapacity, 0.0),
      input_(kTimeCapacity, 0.0),
      output_(kTimeCapacity, 0.0),
      amplitude_(kFrequencyCapacity, 0.0),
      phase_(kFrequencyCapacity, 0.0),
      input_spectrum_(kFrequencyCapacity, 0.0),
      output_spectrum_(kFrequencyCapacity, 0.0),
      raw_amplitude_(kFrequencyCapacity, 0.0),
      group_delay_(kFrequencyCapacity, 0.0),
      grid_(kFrequencyCapacity / 2, 0.0),
      scratch_(kTimeCapacity, 0.0) {
  const int initial_maxima[kAnalysisBarCount] = {2000, 2000, 100, 100, 2000, 2000, 2000};
  for (int i = 0; i < kAnalysisBarCount; ++i) {
    own_bars_[i].SetMinimum(0);
    own_bars_[i].SetMaximum(initial_maxima[i]);
    own_bars_[i].SetStep(1);
    bars_[i] = &own_bars_[i];
  }
}

void AnalysisRun::SetBar(AnalysisBar which, ProgressBar* bar) {
  bars_[which] = bar != nullptr ? bar : &own_bars_[which];
}

double AnalysisRun::GridStep() const { return 2 * kPi / (frequency_points_ - 1); }

double AnalysisRun::GridOmega(int k) const {
  const int m = frequency_points_;
  return k < m / 2 ? grid_[k] : -grid_[m - 1 - k];
}

// ---- entry points and window events ----

void AnalysisRun::Show() {
  if (window_ != nullptr) {
    window_->ShowModal();
    return;
  }
  Timer1Timer();
  FormClose();
}

void AnalysisRun::Finish() {
  // No characteristic leaves an analysis with a value beyond the range of a double.
  const int n = interval_length_, m = frequency_points_;
  KeepRepresentable(impulse_.data(), n, kImpulseName);
  KeepRepresentable(step_.data(), n, kStepName);
  KeepRepresentable(input_.data(), n, kInputName);
  KeepRepresentable(output_.data(), n, kOutputName);
  KeepRepresentable(amplitude_.data(), m, kAmplitudeName);
  KeepRepresentable(phase_.data(), m, kPhaseName);
  KeepRepresentable(input_spectrum_.data(), m, kInputSpectrumName);
  KeepRepresentable(output_spectrum_.data(), m, kOutputSpectrumName);
  if (!beyond_range_.empty()) {
    std::string names;
    for (const char* name : beyond_range_) names += (names.empty() ? "" : ", ") + std::string(name);
    beyond_range_.clear();
    ShowMessage(kBeyondRangeStart + names + kBeyondRangeEnd);
  }
  if (window_ != nullptr) window_->Close();
}

void AnalysisRun::KeepRepresentable(double* values, int count, const char* name) {
  bool replaced = false;
  for (int k = 0; k < count; ++k) {
    if (std::isfinite(values[k])) continue;
    // A value that is no number at all has no nearest one; 0 stands for it.
    values[k] = std::isnan(values[k]) ? 0.0 : std::copysign(std::numeric_limits<double>::max(), values[k]);
    replaced = true;
  }
  if (replaced && std::find(beyond_range_.begin(), beyond_range_.end(), name) == beyond_range_.end())
    beyond_range_.push_back(name);
}

void AnalysisRun::RunAnalysis(int source) {
  FFilterSource = source;
  Show();
}

namespace {

// At least one sample: h(0) and g(0) always exist.
int CorrectInterval(int n) { return std::clamp(n, 1, kTimeCapacity); }
// The grid needs two points and is always even (it is mirrored about 0).
int CorrectResolution(int m) { return std::clamp(m, 2, kMaxFrequencyPoints) & ~1; }
int CorrectAfcMode(int mode) { return (mode >= 1 && mode <= 3) ? mode : 1; }

}  // namespace

void AnalysisRun::SetInterval(int n) {
  interval_length_ = CorrectInterval(n);
  FIntervalChanged = true;
  Show();
}

void AnalysisRun::SetResolution(int m) {
  frequency_points_ = CorrectResolution(m);
  FResolutionChanged = true;
  Show();
}

void AnalysisRun::SetAfcMode(int mode) {
  FAfcMode = CorrectAfcMode(mode);
  FAfcModeChanged = true;
  Show();
}

void AnalysisRun::ChangeSettings(int n, int m, int mode) {
  n = CorrectInterval(n), m = CorrectResolution(m), mode = CorrectAfcMode(mode);
  if (n == interval_length_ && m == frequency_points_ && mode == FAfcMode) return;
  interval_length_ = n;
  frequency_points_ = m;
  FAfcMode = mode;
  FSettingsChanged = true;
}

void AnalysisRun::ShowWindow() { Show(); }

void AnalysisRun::Timer1Timer() {
  // The designs and every computation below run with subnormals flushed (see SubnormalGuard).
  const SubnormalGuard guard(flush_subnormals_);
  if (FSettingsChanged) {
    // Every result follows the new settings: the partial analyses would leave some behind.
    FIntervalChanged = FResolutionChanged = FAfcModeChanged = false;
    FullAnalysis();
  } else if (FIntervalChanged) {
    FIntervalChanged = false;
    IntervalAnalysis();
  } else if (FResolutionChanged) {
    FResolutionChanged = false;
    ResolutionAnalysis();
  } else if (FAfcModeChanged) {
    FAfcModeChanged = false;
    AfcModeAnalysis();
  } else {
    FullAnalysis();
  }
}

void AnalysisRun::FormClose() {
  if (sources_.signal_table != nullptr) sources_.signal_table->ClearProcessed();
  if (sources_.biharmonic != nullptr) sources_.biharmonic->ClearSignalSelected();
}

// ---- the four analyses ----

void AnalysisRun::EmptyFilters() {
  if (FilterLibrarySource* library = sources_.library) {
    library->Butterworth().RemoveSections();
    library->Chebyshev().RemoveSections();
    library->Weighing().Clear();
    library->FrSampling().Clear();
  }
  FFilter.Clear();
  FDirectFilter = nullptr;
  FCascadeFilter = nullptr;
}

void AnalysisRun::TakeTypedFilter() {
  EmptyFilters();
  FDirectFilter = &FFilter;
  FLibraryFilter = false;

  const double* values = nullptr;
  int count = 0;
  if (sources_.a_coefficients != nullptr) sources_.a_coefficients->GetValues(values, count);
  FFilter.SetACoef(values, count);
  if (sources_.b_coefficients != nullptr) {
    sources_.b_coefficients->GetValues(values, count);
    for (int i = 0; i < count; ++i) FFilter.SetBCoef(i + 1, values[i]);
  }
}

void AnalysisRun::TakeLibraryFilter() {
  EmptyFilters();
  FilterLibrarySource& library = *sources_.library;
  const int kind = library.GetFilterKind();
  library.DesignFilter(kind);
  switch (kind) {
    case kButterworthKind: FCascadeFilter = &library.Butterworth(); break;
    case kChebyshevKind: FCascadeFilter = &library.Chebyshev(); break;
    case kWeighingKind: FDirectFilter = &library.Weighing(); break;
    case kFrSamplingKind: FDirectFilter = &library.FrSampling(); break;
    default: FDirectFilter = &FFilter; break;  // an unknown kind leaves the (empty) typed filter
  }
  FLibraryFilter = true;
}

void AnalysisRun::FullAnalysis() {
  bool filter_changed = FRecalcFilter || FSettingsChanged;
  FRecalcFilter = false;
  bool signal_changed = FSettingsChanged;
  bool source_changed = FSettingsChanged;
  FSettingsChanged = false;

  if (sources_.input_form != nullptr && sources_.input_form->IsAnalysisRequested() && FFilterSource == 0) {
    TakeTypedFilter();
    filter_changed = signal_changed = true;
    sources_.input_form->ClearAnalysisRequest();
  }
  if (sources_.library != nullptr && sources_.library->IsFilterSelected() && FFilterSource == 1) {
    TakeLibraryFilter();
    filter_changed = signal_changed = true;
    sources_.library->ClearFilterSelected();
  }
  const bool table_new = sources_.signal_table != nullptr && sources_.signal_table->IsProcessed();
  const bool biharmonic_new = sources_.biharmonic != nullptr && sources_.biharmonic->IsSignalSelected();
  if (table_new || biharmonic_new) {
    if (table_new) FSignalSource = 0;
    if (biharmonic_new) FSignalSource = 1;
    ResetBars({PBSignal, PBOutSpectr, PBInSpectr});
    signal_changed = source_changed = true;
  }
  if (filter_changed) {
    ResetBars({PBPuls, PBStep, PBSignal, PBH, PBPsi, PBOutSpectr});
    CalcImpulseResponse();
    CalcStepResponse();
    CalcFrequencyResponses();
    zero_poles_known_ = false;
  }
  if (signal_changed) {
    if (source_changed) BuildInputSignal();
    CalcOutputSignal();
    if (source_changed) CalcInputSpectrum();
    CalcOutputSpectrum();
  }
  Finish();
}

void AnalysisRun::IntervalAnalysis() {
  ResetBars({PBPuls, PBStep, PBSignal});
  CalcImpulseResponse();
  CalcStepResponse();
  BuildInputSignal();
  CalcOutputSignal();
  Finish();
}

void AnalysisRun::ResolutionAnalysis() {
  ResetBars({PBH, PBPsi, PBOutSpectr, PBInSpectr});
  CalcFrequencyResponses();
  CalcInputSpectrum();
  CalcOutputSpectrum();
  Finish();
}

void AnalysisRun::AfcModeAnalysis() {
  ResetBars({PBH, PBPsi});
  CalcFrequencyResponses();
  Finish();
}

void AnalysisRun::ResetBars(std::initializer_list<AnalysisBar> which) {
  for (AnalysisBar bar : which) bars_[bar]->SetPosition(0);
}

// ---- the current filter ----

template <class Use, class Result>
Result AnalysisRun::WithFilter(Use use, Result none) const {
  if (FDirectFilter != nullptr) return use(*FDirectFilter);
  if (FCascadeFilter != nullptr) return use(*FCascadeFilter);
  return none;
}

void AnalysisRun::ResetFilter() {
  WithFilter([](auto& filter) { return filter.Reset(), true; }, false);
}

int AnalysisRun::StepFilterBlock(const double* x, double* y, int count, int first_checked) {
  const int stepped = WithFilter([&](auto& filter) { return filter.StepBlock(x, y, count, first_checked); }, -1);
  if (stepped >= 0) return stepped;
  std::fill(y, y + count, 0.0);
  return count;
}

// ---- time domain ----

void AnalysisRun::CalcImpulseResponse() {
  const int n_count = interval_length_;
  double* h = impulse_.data();
  ProgressBar& bar = *bars_[PBPuls];

  // The unit impulse through the filter, stopping at the first sample (from n = 1 on) that
  // raises the overflow flag.
  double* impulse = scratch_.data();
  std::fill(impulse, impulse + n_count, 0.0);
  impulse[0] = 1.0;
  ResetFilter();
  const int overflow_at = StepFilterBlock(impulse, h, n_count, 1);
  impulse_stopped_ = overflow_at < n_count;

  bar.SetMaximum(n_count);
  double peak = std::fabs(h[0]);
  int peak_index = 0;
  for (int n = 1; n < n_count; ++n) {
    bar.StepIt();
    if (std::fabs(h[n]) >= peak) {  // a later equal peak wins
      peak = std::fabs(h[n]);
      peak_index = n;
    }
    if (n == overflow_at) {
      FValidLength = n;
      ShowMessage(FDirectFilter != nullptr ? kImpulseOverflowDirect : kImpulseOverflowCascade);
      std::fill(h + n, h + n_count, 0.0);
      break;
    }
  }

  // The first index at or after the peak that starts ten samples within 1 % of the peak.
  const double threshold = 0.01 * peak;
  int length = peak_index;
  while (length < n_count - 11) {
    bool quiet = true;
    for (int i = length; i < length + 10 && quiet; ++i) quiet = std::fabs(h[i]) <= threshold;
    if (quiet) break;
    ++length;
  }
  transient_length_ = length;
}

void AnalysisRun::CalcStepResponse() {
  const int n_count = interval_length_;
  const double* h = impulse_.data();
  double* g = step_.data();
  ProgressBar& bar = *bars_[PBStep];

  bar.SetMaximum(n_count);
  g[0] = h[0];
  if (impulse_stopped_) {
    for (int n = 1; n < FValidLength; ++n) {
      g[n] = g[n - 1] + h[n];
      bar.StepIt();
    }
    std::fill(g + FValidLength, g + n_count, 0.0);
    ShowMessage(kStepStopped);
    return;
  }
  for (int n = 1; n < n_count; ++n) {
    g[n] = g[n - 1] + h[n];
    bar.StepIt();
  }
}

double AnalysisRun::SignalSample(int n) const {
  return sources_.biharmonic != nullptr ? sources_.biharmonic->SignalAt(n) : 0.0;
}

void AnalysisRun::BuildInputSignal() {
  const int n_count = interval_length_;
  double* x = input_.data();
  if (FSignalSource == 1) {
    for (int n = 0; n < n_count; ++n) x[n] = SignalSample(n);
    return;
  }
  const double* values = nullptr;
  int count = 0;
  if (sources_.signal_table != nullptr) sources_.signal_table->GetValues(values, count);
  count = values != nullptr ? std::clamp(count, 0, std::min(kTableCapacity, kTimeCapacity)) : 0;
  std::copy(values, values + count, x);
  if (count < n_count) std::fill(x + count, x + n_count, 0.0);
}

void AnalysisRun::PreRoll() {
  ProgressBar& bar = *bars_[PBSignal];
  bar.SetMaximum(bar.Maximum() + transient_length_);
  double* samples = scratch_.data();
  double* discarded = output_.data();  // overwritten by the output right afterwards

  // Let the transient die out over n = 0 … L; an overflow resets the filter and moves on at once.
  const int settle = transient_length_ + 1;
  for (int n = 0; n < settle; ++n) samples[n] = SignalSample(n);
  const int overflow_at = StepFilterBlock(samples, discarded, settle);
  for (int n = 0; n < settle && n <= overflow_at; ++n) bar.StepIt();
  long long n = settle;
  if (overflow_at < settle) {
    ResetFilter();
    n = overflow_at;
  }

  // Then go on until the periodic input is back within the tolerance of its value at n = 0.
  const double s0 = SignalSample(0);
  if (!StepUntilRealigned(n, s0, n + kShortPreRoll)) LongPreRoll(n, s0);
  last_pre_roll_ = n;
}

bool AnalysisRun::StepUntilRealigned(long long& n, double s0, long long end, ProgressBar* bar, bool* cancelled) {
  double* samples = scratch_.data();
  double* discarded = output_.data();
  while (n <= kPreRollLimit && n < end) {
    if (cancelled != nullptr && window_ != nullptr && window_->CancelRequested()) {
      *cancelled = true;
      return true;
    }
    int count = 0;
    bool aligned = false;
    while (count < kTimeCapacity && n + count <= kPreRollLimit && n + count < end) {
      const double s = SignalSample(static_cast<int>(n + count));
      if (std::fabs(s - s0) <= kRealignTolerance) {
        aligned = true;
        break;
      }
      samples[count++] = s;
    }
    const int overflow_at = StepFilterBlock(samples, discarded, count);
    if (bar != nullptr) bar->StepIt();
    n += count;
    if (overflow_at < count) {  // reset, and the pre-roll ends after the overflowing sample
      ResetFilter();
      n -= count - overflow_at - 1;
      return true;
    }
    if (aligned) return true;
  }
  return n > kPreRollLimit;
}

void AnalysisRun::LongPreRoll(long long& n, double s0) {
  // Where stepping will end is known without stepping: the bar shows the way there, and the user
  // is free to stop it.
  const long long end = FindRealignment(*sources_.biharmonic, n, kPreRollLimit, s0, kRealignTolerance);
  ProgressBar& bar = *bars_[PBSignal];
  const long long blocks = (end - n + kTimeCapacity - 1) / kTimeCapacity;
  bar.SetMaximum(bar.Maximum() + static_cast<int>(std::min<long long>(blocks, 1 << 30)));
  bool cancelled = false;
  if (window_ != nullptr) window_->OfferCancel(true);
  StepUntilRealigned(n, s0, end + 1, &bar, &cancelled);
  if (window_ != nullptr) window_->OfferCancel(false);
  if (cancelled) ShowMessage(kPreRollCancelledMessage);
}

AnalysisRun::SteadyStart AnalysisRun::StartInSteadyState() {
  // Only a filter whose every pole lies strictly inside the unit circle has a steady state. The
  // input is a sum of spectral lines, so each delay element's steady state is a sum of phasors
  // through the transfer function from the input to that element.
  if (!WithFilter([](auto& filter) { return filter.PolesWithin(1.0); }, false)) return SteadyStart::kNone;
  const std::optional<std::vector<Phasor>> input =
      SignalPhasors(sources_.biharmonic->Oscillations(), 0, kMostDecimationLines);
  if (!input) return SteadyStart::kNone;
  return WithFilter([&](auto& filter) { return filter.SetSteadyState(*input); }, false) ? SteadyStart::kSet
                                                                                        : SteadyStart::kBeyondLimit;
}

void AnalysisRun::CalcOutputSignal() {
  const int n_count = interval_length_;
  const double* x = input_.data();
  double* y = output_.data();
  ProgressBar& bar = *bars_[PBSignal];

  bar.SetMaximum(n_count);
  ResetFilter();
  last_pre_roll_ = 0;
  steady_start_ = SteadyStart::kNone;
  if (FSignalSource == 1 && sources_.biharmonic != nullptr && sources_.biharmonic->IsStationary()) {
    steady_start_ = StartInSteadyState();
    if (steady_start_ == SteadyStart::kNone) PreRoll();
  }

  // A steady state beyond the limit has overflowed before n = 0 already.
  const int overflow_at = steady_start_ == SteadyStart::kBeyondLimit ? 0 : StepFilterBlock(x, y, n_count);
  for (int n = 0; n < n_count && n <= overflow_at; ++n) bar.StepIt();
  output_stopped_ = overflow_at < n_count;
  if (output_stopped_) {
    ShowMessage(kOutputOverflow);
    std::fill(y + overflow_at, y + n_count, 0.0);
  }
}

// ---- frequency domain ----

void AnalysisRun::CalcFrequencyResponses() {
  const int m = frequency_points_;
  const int half = m / 2;
  const double delta = GridStep();
  ProgressBar& bar_h = *bars_[PBH];
  ProgressBar& bar_psi = *bars_[PBPsi];
  bar_h.SetMaximum(half + (FAfcMode == 2 || FAfcMode == 3 ? m : 0));
  bar_psi.SetMaximum(half);

  // The first half of the grid, ω advanced by Δ from −π point by point.
  double* omegas = grid_.data();
  double omega = -kPi;
  for (int k = 0; k < half; ++k) {
    omegas[k] = omega;
    omega += delta;
  }
  double* a = amplitude_.data();
  double* p = phase_.data();
  // Evaluated into the first half, then mirrored into the second.
  // The group delay (even in ω) with them; it stays out of KeepRepresentable: NaN marks where it is
  // undefined.
  double* tau = group_delay_.data();
  std::fill(tau, tau + half, std::numeric_limits<double>::quiet_NaN());
  WithFilter([&](auto& filter) { return filter.Responses(omegas, half, a, p, tau), true; }, false);
  for (int k = 0; k < half; ++k) {
    a[m - 1 - k] = a[k];
    p[m - 1 - k] = -p[k];
    tau[m - 1 - k] = tau[k];
    bar_h.StepIt();
    bar_psi.StepIt();
  }
  // Within the range before anything is normalised by the largest value.
  KeepRepresentable(a, m, kAmplitudeName);
  KeepRepresentable(p, m, kPhaseName);
  std::copy(a, a + m, raw_amplitude_.begin());

  if (FAfcMode == 1) return;
  double min = 0, max = 0;
  MinMax(a, m, min, max);
  // A response that is zero everywhere (or not finite) has nothing to normalise by: it stays as
  // it is in mode 2 and shows the floor in mode 3, instead of filling the arrays with NaN.
  const bool normalisable = max > 0 && std::isfinite(max);
  for (int k = 0; k < m; ++k) {
    if (FAfcMode == 2) {
      if (normalisable) a[k] /= max;
    } else {
      const double ratio = normalisable ? a[k] / max : 0.0;
      a[k] = (a[k] > kDecibelFloorAmplitude && ratio > 0) ? ToDecibel(ratio) : kZeroAmplitudeDecibels;
    }
    bar_h.StepIt();
  }
}

const ZeroPoleSet& AnalysisRun::ZeroPoles() const {
  // The filters change only in a full analysis, which forgets the roots found before.
  if (!zero_poles_known_) {
    if (FDirectFilter != nullptr) {
      zero_poles_ = DirectZeroPoles(*FDirectFilter);
    } else if (FCascadeFilter != nullptr) {
      zero_poles_ = CascadeZeroPoles(*FCascadeFilter);
    } else {
      zero_poles_ = ZeroPoleSet{};
    }
    zero_poles_known_ = true;
  }
  return zero_poles_;
}

void AnalysisRun::CalcInputSpectrum() {
  const int m = frequency_points_;
  double* spectrum = input_spectrum_.data();
  ProgressBar& bar = *bars_[PBInSpectr];

  if (FSignalSource == 1) {
    const double delta = GridStep();
    bar.SetMaximum(m);
    double omega = -kPi;
    for (int k = 0; k < m; ++k) {
      spectrum[k] = sources_.biharmonic != nullptr ? sources_.biharmonic->SpectrumAt(omega, delta) : 0.0;
      omega += delta;
      bar.StepIt();
    }
    return;
  }

  const double* values = nullptr;
  int count = 0;
  if (sources_.signal_table != nullptr) sources_.signal_table->GetValues(values, count);
  if (values == nullptr) count = 0;
  fft_->SetProgressBar(&bar);
  // The output spectrum holds the transform's phases for a moment; it is recomputed afterwards.
  fft_->Transform(values, count, m, spectrum, output_spectrum_.data());

  // Lay the one-sided magnitudes out on the symmetric grid: F(M/2) at ±π, F(1) next to 0.
  for (int i = 0; i < m / 4; ++i) std::swap(spectrum[i], spectrum[m / 2 - i]);
  for (int i = 0; i < m / 2; ++i) spectrum[m - 1 - i] = spectrum[i];
}

void AnalysisRun::CalcOutputSpectrum() {
  const int m = frequency_points_;
  const int half = m / 2;
  ProgressBar& bar = *bars_[PBOutSpectr];
  bar.SetMaximum(half);
  const double* in = input_spectrum_.data();
  double* out = output_spectrum_.data();
  // The output spectrum is always the input spectrum times the un-normalised |H| on the grid.
  const double* gain = raw_amplitude_.data();
  for (int k = 0; k < half; ++k) {
    bar.StepIt();
    out[k] = out[m - 1 - k] = in[k] * gain[k];
  }
}
