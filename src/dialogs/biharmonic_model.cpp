#include "dialogs/biharmonic_model.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "dialogs/field_texts.h"
#include "numeric/number_text.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kDesignTimeDecimationItems = 20;

std::vector<std::string> DecimationItems(int count) {
  std::vector<std::string> items;
  for (int d = 1; d <= count; ++d) items.push_back("D=" + std::to_string(d));
  return items;
}

// Reads a field and hands the number on; unreadable text is reported and gives false.
template <typename Take>
bool EnterField(const std::string& text, Take take) {
  double value = 0;
  if (!TextToDouble(text, value)) {
    ShowMessage(kInvalidCharactersMessage);
    return false;
  }
  take(value);
  return true;
}

}  // namespace

BiharmonicModel::BiharmonicModel() : decimation_list_(DecimationItems(kDesignTimeDecimationItems)) {}

double BiharmonicModel::SignalAt(int n) const {
  if (n % decimation_ != 0) return 0.0;
  double value = 0.0;
  if (first_enabled_) value += first_.ValueAt(n);
  if (second_enabled_) value += second_.ValueAt(n);
  return value;
}

OscillationSum BiharmonicModel::Oscillations() const {
  OscillationSum sum;
  sum.decimation = decimation_;
  for (const int k : {1, 2}) {
    if (!IsOscillationEnabled(k)) continue;
    const Oscillation& oscillation = At(k);
    sum.terms.push_back({oscillation.Amplitude(), oscillation.Omega(), oscillation.Phase()});
  }
  return sum;
}

double BiharmonicModel::SpectrumAt(double omega, double step) const {
  double r = std::fabs(omega);
  if (!std::isfinite(r)) return 0.0;
  // Into (−P/2, P/2], P = 2π/D. The remainder first, so that no frequency loops for long.
  const double period = 2.0 * kPi / decimation_;
  r = std::fmod(r, period);
  if (r > period / 2) r -= period;

  if (stationary_) {
    const auto line = [&](const Oscillation& osc) { return std::fabs(std::fabs(r) - osc.Omega()) <= step / 2; };
    const auto height = [&](const Oscillation& osc) {
      return osc.Omega() != 0 ? osc.Amplitude() / (2.0 * decimation_) : osc.Amplitude() / decimation_;
    };
    if (first_enabled_ && line(first_)) return height(first_);
    if (second_enabled_ && line(second_)) return height(second_);
    return 0.0;
  }

  std::complex<double> sum = 0.0;
  if (first_enabled_) sum += first_.SwitchedOnSpectrum(r, step);
  if (second_enabled_) sum += second_.SwitchedOnSpectrum(r, step);
  return std::abs(sum);
}

bool BiharmonicModel::IsOscillationEnabled(int k) const { return k == 2 ? second_enabled_ : first_enabled_; }

void BiharmonicModel::SetOscillationEnabled(int k, bool enabled) {
  EnabledFlag(k) = enabled;
  FillDecimationList();
}

bool BiharmonicModel::EnterOmega(int k, const std::string& text) {
  return EnterField(text, [&](double value) { SetOmega(k, value); });
}

bool BiharmonicModel::EnterFrequency(int k, const std::string& text) {
  return EnterField(text, [&](double value) { SetFrequency(k, value); });
}

bool BiharmonicModel::EnterPeriod(int k, const std::string& text) {
  if (text == Oscillation::kInfinityText) {
    At(k).SetInfinitePeriod();
    return true;
  }
  return EnterField(text, [&](double value) { SetPeriod(k, value); });
}

bool BiharmonicModel::EnterAmplitude(int k, const std::string& text) {
  return EnterField(text, [&](double value) { SetAmplitude(k, value); });
}

bool BiharmonicModel::EnterPhase(int k, const std::string& text) {
  return EnterField(text, [&](double value) { At(k).EnterPhase(value); });
}

double BiharmonicModel::SetOmega(int k, double omega) {
  const double stored = At(k).SetOmega(omega);
  FillDecimationList();
  return stored;
}

double BiharmonicModel::SetFrequency(int k, double frequency) {
  const double stored = At(k).SetFrequency(frequency);
  FillDecimationList();
  return stored;
}

double BiharmonicModel::SetPeriod(int k, double period) {
  const double stored = At(k).SetPeriod(period);
  FillDecimationList();
  return stored;
}

void BiharmonicModel::FillDecimationList() {
  double w = 0.0;
  if (first_enabled_) w = std::max(w, first_.Omega());
  if (second_enabled_) w = std::max(w, second_.Omega());
  if (w == 0) w = kPi / 20;
  // Kept as a double until limited: a tiny frequency gives a count far beyond any int.
  const double m = std::trunc(kPi / (1.2 * w));
  if (m == static_cast<double>(decimation_list_.size())) return;
  // The run keeps every sample (D = 1) even when no decimation would do: the list shows that.
  const int count = static_cast<int>(std::clamp(m, 1.0, static_cast<double>(kMaxDecimationItems)));
  decimation_list_ = DecimationItems(count);
  decimation_ = 1;
}

bool BiharmonicModel::SelectDecimation(int index) {
  if (index < 0 || index >= static_cast<int>(decimation_list_.size())) return false;
  decimation_ = index + 1;
  return true;
}

void BiharmonicModel::Show() {
  signal_selected_ = false;
  if (!first_show_) return;
  FillDecimationList();
  decimation_ = 1;
  first_show_ = false;
}

std::vector<double> BiharmonicModel::TableValues(int n) const {
  if (n <= 0) n = kDefaultTableSamples;
  n = std::min(n, kMaxTableSamples);
  std::vector<double> values(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = SignalAt(i);
  return values;
}
