#include "filter/weighing.h"

#include <cmath>
#include <numbers>

#include "filter/design_corrections.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
// The cut-off that replaces a non-positive angular one.
constexpr double kAngularFallback = 0.1;

const char kCutoffPositiveMessage[] = "Нормированная частота должна быть положительна.\n Произведена коррекция.";
const char kOrderAboveMaxMessage[] = "Порядок ЦФ не должен превышать 500\nПроизведена коррекция.";
const char kOrderPositiveMessage[] = "Порядок ЦФ должен быть положительным.\nПроизведена коррекция.";
const char kMemoryMessage[] = "Class CWeighingFilter: Не удалось инициализировать фильтр.\n Недостаточно памяти";

// (ωc/π)·sinc(m·ωc), written as sin(m·ωc)/(π·m) so that the sine can come reduced.
double IdealTap(int m, int /*n*/, double sine, double centre_tap) { return m == 0 ? centre_tap : sine / (kPi * m); }

double HammingWeight(int m, int n) { return 0.54 + 0.46 * std::cos(kTwoPi * m / n); }

}  // namespace

CWeighingFilter::CWeighingFilter() {
  SetWc(1);
  SetHamming(false);
}

double CWeighingFilter::SetFc(double f) {
  if (f > 0.5) Correct(f, 0.5, kCyclicAboveHalfMessage);
  // No lower bound as such (a negative cut-off negates the taps), but the angular cut-off must
  // exist: a cyclic one that is not a number, or so negative that 2π·f overflows, is corrected
  // as the angular setter corrects a non-positive one.
  if (!std::isfinite(kTwoPi * f)) Correct(f, kAngularFallback / kTwoPi, kCutoffPositiveMessage);
  FFc = f;
  FWc = kTwoPi * f;
  return FFc;
}

double CWeighingFilter::SetWc(double omega) {
  if (omega > kPi) Correct(omega, kPi, kAngularAbovePiMessage);
  if (!(omega > 0)) Correct(omega, kAngularFallback, kCutoffPositiveMessage);
  FWc = omega;
  FFc = omega / kTwoPi;
  return FWc;
}

int CWeighingFilter::SetOrder(int n) {
  if (n > kMaxOrder) Correct(n, kMaxOrder, kOrderAboveMaxMessage);
  if (n <= 0) Correct(n, 1, kOrderPositiveMessage);
  FOrder = n;
  return FOrder;
}

void CWeighingFilter::Design() { FillTaps(IdealTap, kMemoryMessage); }

void CWeighingFilter::FillTaps(TapFormula tap, const char* memory_message) {
  // Only ωc modulo 2π matters to the sines. A cut-off within ±2π is used as it is; a hugely
  // negative one is reduced first, or m·ωc could overflow.
  const double centre_tap = FWc / kPi;
  const double angle = std::fabs(FWc) <= kTwoPi ? FWc : kTwoPi * std::fmod(FFc, 1.0);

  Clear();
  const int n = FOrder;
  const int centre = n / 2;
  if (FACoef.SetCount(n + 1)) {  // element N stays 0
    double* taps = FACoef.Data();
    for (int i = 0; i < n; ++i) {
      const int m = i - centre;
      double h = tap(m, n, std::sin(m * angle), centre_tap);
      if (FHamming) h *= HammingWeight(m, n);
      taps[i] = h;
    }
  }
  if (!ResizeState(n)) ShowMessage(memory_message);
}
