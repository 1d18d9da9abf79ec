#pragma once
// Independent values for the design tests: the textbook low-pass responses after the bilinear
// transform with prewarping, and the impulse response of any filter that steps.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using Messages = std::vector<std::string>;

// Texts of the corrections that the recursive designs share.
inline const char kEdgePositiveMessage[] =
    "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";
inline const char kPassLowMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не менее 0.5 (-6дБ) \n Произведена коррекция.";
inline const char kPassHighMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не более 0.9 (-1дБ)\n Произведена коррекция.";
inline const char kStopPositiveMessage[] =
    "Уровень нижней границы полосы подавления должен быть положительным.\n Произведена коррекция.";
inline const char kStopHighMessage[] =
    "Уровень нижней границы полосы подавления должен быть не более 0.3 (-10дБ)\n Произведена коррекция.";
inline const char kStopDecibelMessage[] =
    "Уровень нижней границы полосы подавления должен быть не меньше -400дБ)\n Произведена коррекция.";
inline const char kTransitionMessage[] =
    "Относительная ширина переходной полосы не может быть меньше или равной нулю.\n Произведена коррекция.";
inline const char kOrderPositiveMessage[] = "Порядок фильтра должен быть положительным\n Произведена коррекция.";

// Butterworth: 1/sqrt(1 + (tan(ω/2)/Ωc)^(2N)).
inline double ButterworthLevel(double omega, double wc, int n) {
  return 1 / std::sqrt(1 + std::pow(std::tan(omega / 2) / wc, 2 * n));
}

// T_N(x): cos(N·arccos x) inside [−1, 1], cosh(N·arccosh |x|) beyond (only its square is used).
inline double ChebyshevPolynomial(int n, double x) {
  if (std::fabs(x) <= 1) return std::cos(n * std::acos(x));
  return std::cosh(n * std::acosh(std::fabs(x)));
}

// Chebyshev type I: 1/sqrt(1 + ε²·T_N²(tan(ω/2)/Ωr)).
inline double ChebyshevLevel(double omega, double wr, double eps2, int n) {
  const double t = ChebyshevPolynomial(n, std::tan(omega / 2) / wr);
  return 1 / std::sqrt(1 + eps2 * t * t);
}

// |value/expected − 1|: the error relative to the level, deep into the stop band. Where the closed
// form itself underflows (beyond 1e-200), only the absolute difference is left to compare.
inline double RelativeError(double value, double expected) {
  if (expected < 1e-200) return std::fabs(value - expected);
  return std::fabs(value / expected - 1);
}

struct ImpulseRun {
  bool finite = true;     // every output a finite number
  bool overflow = false;  // the overflow flag after any step
  double peak = 0;        // largest |h(n)|
};

// h(0) … h(samples − 1) as the analysis computes it: Reset, Step(1), then Step(0).
template <class Filter>
ImpulseRun RunImpulse(Filter& filter, int samples) {
  ImpulseRun run;
  filter.Reset();
  for (int n = 0; n < samples; ++n) {
    const double y = filter.Step(n == 0 ? 1.0 : 0.0);
    if (!std::isfinite(y)) run.finite = false;
    if (filter.IsOverflow()) run.overflow = true;
    run.peak = std::fmax(run.peak, std::fabs(y));
  }
  return run;
}

// count frequencies spread evenly over the open interval (from, to).
template <class Visit>
void ForEachFrequency(int count, double from, double to, Visit visit) {
  for (int k = 0; k < count; ++k) visit(from + (to - from) * (k + 0.5) / count);
}
