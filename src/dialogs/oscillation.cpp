#include "dialogs/oscillation.h"

#include <cmath>
#include <numbers>

#include "numeric/number_text.h"
#include "numeric/numeric.h"
#include "platform/messages.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kMaxFrequency = 0.5;
constexpr double kMinPeriod = 2.0;
constexpr double kMaxAmplitude = 10.0;
// The value standing for a spectral line of the switched-on signal, per unit amplitude.
constexpr double kLineHeight = 600.0;
constexpr int kDecimals = 3;

double PeriodOf(double frequency) { return frequency != 0 ? 1.0 / frequency : Oscillation::kInfinitePeriod; }

}  // namespace

Oscillation::Oscillation(double omega, double amplitude)
    : omega_(omega), frequency_(omega * (1.0 / kTwoPi)), period_(kTwoPi / omega), amplitude_(amplitude) {}

double Oscillation::SetOmega(double omega) {
  if (omega > std::numbers::pi) {
    ShowMessage("Круговая нормированная частота должна быть не более 3.1415...\n Произведена коррекция.");
    omega = 3.0;
  }
  omega_ = omega;
  frequency_ = omega_ * (1.0 / kTwoPi);
  period_ = PeriodOf(frequency_);
  return omega_;
}

double Oscillation::SetFrequency(double frequency) {
  if (frequency > kMaxFrequency) {
    ShowMessage("Нормированная частота должна быть не более 0,5\n Произведена коррекция.");
    frequency = kMaxFrequency;
  }
  TakeFrequency(frequency);
  return frequency_;
}

double Oscillation::SetPeriod(double period) {
  if (period == 0) {
    ShowMessage("Период должен быть положительным\n Произведена коррекция.");
    period = 0.01;
  }
  if (period < kMinPeriod) {
    ShowMessage("Период должен быть не менее 2.\n Произведена коррекция.");
    period = kMinPeriod;
  }
  period_ = period;
  frequency_ = 1.0 / period_;
  omega_ = kTwoPi * frequency_;
  return period_;
}

void Oscillation::SetInfinitePeriod() { TakeFrequency(0.0); }

double Oscillation::SetAmplitude(double amplitude) {
  if (amplitude > kMaxAmplitude) {
    ShowMessage("Амплитуда должна быть менее 10 В.\n Произведена коррекция.");
    amplitude = kMaxAmplitude;
  }
  amplitude_ = amplitude;
  return amplitude_;
}

void Oscillation::EnterPhase(double value) { phase_ = phase_in_degrees_ ? DegToRad(value) : value; }

std::string Oscillation::OmegaText() const { return FormatNumber(kDecimals, omega_); }

std::string Oscillation::FrequencyText() const { return FormatNumber(kDecimals, frequency_); }

std::string Oscillation::PeriodText() const {
  return frequency_ != 0 ? FormatNumber(kDecimals, period_) : kInfinityText;
}

std::string Oscillation::AmplitudeText() const { return FormatNumber(kDecimals, amplitude_); }

std::string Oscillation::PhaseText() const {
  return FormatNumber(kDecimals, phase_in_degrees_ ? RadToDeg(phase_) : phase_);
}

double Oscillation::ValueAt(int n) const { return amplitude_ * std::cos(omega_ * n + phase_); }

std::complex<double> Oscillation::SwitchedOnSpectrum(double r, double step) const {
  const std::complex<double> z1 = std::polar(1.0, -r);
  const std::complex<double> z2 = std::polar(1.0, -2.0 * r);
  // Z{cos(ωn + φ)·u(n)} = (cos φ − cos(ω − φ)·z⁻¹) / (1 − 2·cos ω·z⁻¹ + z⁻²); with cos(ω + φ)
  // the numerator would belong to cos(ωn − φ), whose spectrum differs in magnitude for most φ.
  const std::complex<double> numerator = std::cos(phase_) - std::cos(omega_ - phase_) * z1;
  const std::complex<double> denominator = 1.0 - 2.0 * std::cos(omega_) * z1 + z2;
  if (std::fabs(std::fabs(r) - omega_) > step && std::abs(denominator) != 0) {
    return amplitude_ * numerator / denominator;
  }
  return kLineHeight * amplitude_;
}

void Oscillation::TakeFrequency(double frequency) {
  frequency_ = frequency;
  omega_ = kTwoPi * frequency_;
  period_ = PeriodOf(frequency_);
}
