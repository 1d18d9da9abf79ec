#include "analysis/stationary_signal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Ulp(double x) { return std::nextafter(x, std::numeric_limits<double>::infinity()) - x; }

// How far the rotated phasors may be from SignalAt: its phase ω·n + φ is rounded twice, the
// rotation drifts by a few ulps over a block. Infinite when a term is not a finite number.
double ScanMargin(const OscillationSum& signal, long long last) {
  double margin = 0;
  for (const CosineTerm& term : signal.terms) {
    const double phase_size = std::fabs(term.omega) * static_cast<double>(last) + std::fabs(term.phase);
    margin += std::fabs(term.amplitude) * (4 * Ulp(phase_size) + 1e-12);
  }
  return std::isfinite(margin) ? margin : std::numeric_limits<double>::infinity();
}

long long ScanSampleBySample(const BiharmonicSource& signal, long long first, long long last, double s0,
                             double tolerance) {
  for (long long n = first; n <= last; ++n) {
    if (std::fabs(signal.SignalAt(static_cast<int>(n)) - s0) <= tolerance) return n;
  }
  return last + 1;
}

}  // namespace

long long FindRealignment(const BiharmonicSource& signal, long long first, long long last, double s0,
                          double tolerance) {
  const OscillationSum sum = signal.Oscillations();
  const int d = sum.decimation;
  const double margin = ScanMargin(sum, last);
  // Between the multiples of D the signal is 0: when s0 is that close to 0, the answer is at hand.
  if (d < 1 || !(margin <= tolerance / 4) || (d > 1 && std::fabs(s0) <= tolerance))
    return ScanSampleBySample(signal, first, last, s0, tolerance);

  // Only the multiples of D can come back. Each term is followed by kLanes phasors, each rotated
  // by kLanes multiples at a time, and anchored anew at the start of every block.
  constexpr int kLanes = 8;
  constexpr int kBlock = 4096;
  std::array<double, kBlock> values;
  const long long first_multiple = (first + d - 1) / d;
  const long long last_multiple = last / d;
  for (long long m0 = first_multiple; m0 <= last_multiple; m0 += kBlock) {
    const int count = static_cast<int>(std::min<long long>(kBlock, last_multiple - m0 + 1));
    values.fill(0.0);
    for (const CosineTerm& term : sum.terms) {
      const double step = term.omega * d;
      const std::complex<double> anchor =
          std::polar(term.amplitude, term.omega * static_cast<double>(m0 * d) + term.phase);
      const std::complex<double> rotation = std::polar(1.0, kLanes * step);
      double re[kLanes], im[kLanes];
      for (int l = 0; l < kLanes; ++l) {
        const std::complex<double> lane = anchor * std::polar(1.0, l * step);
        re[l] = lane.real();
        im[l] = lane.imag();
      }
      for (int j = 0; j < count; j += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
          values[static_cast<std::size_t>(j + l)] += re[l];
          const double turned = re[l] * rotation.real() - im[l] * rotation.imag();
          im[l] = re[l] * rotation.imag() + im[l] * rotation.real();
          re[l] = turned;
        }
      }
    }
    for (int j = 0; j < count; ++j) {
      if (std::fabs(values[static_cast<std::size_t>(j)] - s0) > tolerance + margin) continue;
      const long long n = (m0 + j) * d;
      if (std::fabs(signal.SignalAt(static_cast<int>(n)) - s0) <= tolerance) return n;
    }
  }
  return last + 1;
}

std::optional<std::vector<Phasor>> SignalPhasors(const OscillationSum& signal, long long at, int max_decimation) {
  const int d = signal.decimation;
  if (d < 1 || d > max_decimation) return std::nullopt;
  const long long at_in_comb = at % d;
  std::vector<Phasor> lines;
  for (const CosineTerm& term : signal.terms) {
    if (!std::isfinite(term.amplitude) || !std::isfinite(term.omega) || !std::isfinite(term.phase)) return std::nullopt;
    // e^{j(ω·at + φ)}, with the rounding error of the product ω·at carried into the second factor.
    const double product = term.omega * static_cast<double>(at);
    const double product_error = std::fma(term.omega, static_cast<double>(at), -product);
    const std::complex<double> at_phase = std::polar(1.0, product);
    for (int k = 0; k < d; ++k) {
      const double comb = kTwoPi * static_cast<double>((k * at_in_comb) % d) / d;
      const double shift = kTwoPi * k / d;
      if (k == 0) {
        lines.push_back({term.amplitude / d * at_phase * std::polar(1.0, term.phase + product_error), term.omega});
        continue;
      }
      for (const int sign : {1, -1}) {
        const double amplitude = term.amplitude / (2.0 * d);
        lines.push_back({amplitude * at_phase * std::polar(1.0, term.phase + sign * comb + product_error),
                         term.omega + sign * shift});
      }
    }
  }
  return lines;
}
