#pragma once
// A plain reference for measurements of a non-recursive filter: |Σ a(k)·e^{−jωk}| in long double,
// and the last frequency at which it stands above a level in dB of its largest value on a grid.

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

inline long double FirAmplitude(const std::vector<double>& taps, long double omega) {
  // e^{−jωk} by repeated rotation: its rounding grows like k·1e−19, far below what is compared.
  const std::complex<long double> turn = std::polar(1.0L, -omega);
  std::complex<long double> sum = 0, phasor = 1;
  for (const double tap : taps) {
    sum += static_cast<long double>(tap) * phasor;
    phasor *= turn;
  }
  return std::abs(sum);
}

// The largest |H| on the grid of m points from −π to π.
inline long double FirGridPeak(const std::vector<double>& taps, int m) {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  long double peak = 0;
  for (int k = 0; k < m / 2; ++k) peak = std::max(peak, FirAmplitude(taps, -kPi + k * 2 * kPi / (m - 1)));
  return peak;
}

// The last ω in [from, π] where 20·log10(|H|/peak) > level_db: scanned at steps of 1e−4 from π
// down (a lobe of a filter of a few hundred taps spans some hundred of them), then bisected.
inline double LastFirCrossing(const std::vector<double>& taps, long double peak, double level_db, double from) {
  const auto above = [&](long double omega) { return 20 * std::log10(FirAmplitude(taps, omega) / peak) > level_db; };
  long double high = std::numbers::pi_v<long double>, low = high;
  while (low > from && !above(low)) high = low, low -= 1e-4L;
  for (int i = 0; i < 60; ++i) {
    const long double middle = (low + high) / 2;
    (above(middle) ? low : high) = middle;
  }
  return static_cast<double>(low);
}
