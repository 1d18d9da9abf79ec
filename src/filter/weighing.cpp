#include "filter/weighing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "filter/design_corrections.h"
#include "platform/messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
// The cut-off that replaces a non-positive angular one.
constexpr double kAngularFallback = 0.1;

const char kCutoffPositiveMessage[] = "Нормированная частота должна быть положительна.\n Произведена коррекция.";
const char kFirstCutoffBelowSecondMessage[] =
    "Нижняя частота среза должна быть меньше верхней.\n Произведена коррекция.";
const char kSecondCutoffAboveFirstMessage[] =
    "Верхняя частота среза должна быть больше нижней.\n Произведена коррекция.";
const char kOrderAboveMaxMessage[] = "Порядок ЦФ не должен превышать 500\nПроизведена коррекция.";
const char kOrderPositiveMessage[] = "Порядок ЦФ должен быть положительным.\nПроизведена коррекция.";
const char kKaiserBetaMessage[] = "Параметр β окна Кайзера должен быть от 0 до 100.\n Произведена коррекция.";
const char kAttenuationMessage[] =
    "Подавление в полосе задерживания не должно превышать 400 дБ.\n Произведена коррекция.";
const char kMemoryMessage[] = "Class CWeighingFilter: Не удалось инициализировать фильтр.\n Недостаточно памяти";

// (ωc/π)·sinc(m·ωc), written as sin(m·ωc)/(π·m) so that the sine can come reduced.
double IdealTap(int m, int /*n*/, double sine, double centre_tap) { return m == 0 ? centre_tap : sine / (kPi * m); }

// β of the Kaiser window that reaches a stop-band attenuation of a dB.
double KaiserBeta(double a) {
  if (a > 50) return 0.1102 * (a - 8.7);
  if (a >= 21) return 0.5842 * std::pow(a - 21, 0.4) + 0.07886 * (a - 21);
  return 0;
}

// The low-pass taps of one cut-off, before the window.
class LowPassKernel {
 public:
  using TapFormula = double (*)(int m, int n, double sine, double centre_tap);

  // Only ωc modulo 2π matters to the sines. A cut-off within ±2π is used as it is; a hugely
  // negative one is reduced first (through the cyclic one), or m·ωc could overflow.
  LowPassKernel(TapFormula tap, int n, double wc, double fc)
      : tap_(tap), n_(n), centre_tap_(wc / kPi), angle_(std::fabs(wc) <= kTwoPi ? wc : kTwoPi * std::fmod(fc, 1.0)) {}

  double operator()(int m) const { return tap_(m, n_, std::sin(m * angle_), centre_tap_); }

 private:
  TapFormula tap_;
  int n_;
  double centre_tap_;
  double angle_;
};

// The weight of the tap at offset m from the centre of n taps.
class Window {
 public:
  Window(FirWindow window, double beta, int n)
      : window_(window), beta_(beta), i0_beta_(std::cyl_bessel_i(0.0, beta)), n_(n) {}

  double operator()(int m) const {
    const double c = std::cos(kTwoPi * m / n_);
    switch (window_) {
      case FirWindow::kRectangular: return 1;
      case FirWindow::kHamming: return 0.54 + 0.46 * c;
      case FirWindow::kHann: return 0.5 + 0.5 * c;
      case FirWindow::kBlackman: return 0.42 + 0.5 * c + 0.08 * std::cos(2 * kTwoPi * m / n_);
      case FirWindow::kKaiser: {
        // |2m/N| ≤ 1 for every tap; the guard keeps a rounding from the square root.
        const double x = 2.0 * m / n_;
        return std::cyl_bessel_i(0.0, beta_ * std::sqrt(std::max(0.0, 1 - x * x))) / i0_beta_;
      }
    }
    return 1;
  }

 private:
  FirWindow window_;
  double beta_;     // at most 100, so that I₀(β) stays far from overflow
  double i0_beta_;  // I₀(β)
  int n_;
};

}  // namespace

CWeighingFilter::CWeighingFilter() {
  SetWc(1);
  SetWc2(2);
  SetHamming(false);
  SetAttenuationDb(FAttenuationDb);
}

double CWeighingFilter::SetFc(double f) {
  if (f > 0.5) Correct(f, 0.5, kCyclicAboveHalfMessage);
  // No lower bound as such (a negative cut-off negates the taps), but the angular cut-off must
  // exist: a cyclic one that is not a number, or so negative that 2π·f overflows, is corrected
  // as the angular setter corrects a non-positive one.
  if (!std::isfinite(kTwoPi * f)) Correct(f, kAngularFallback / kTwoPi, kCutoffPositiveMessage);
  // The other band types are new and have no negated taps to keep.
  if (FBand != BandType::kLowPass && !(f > 0)) Correct(f, kAngularFallback / kTwoPi, kCutoffPositiveMessage);
  if (HasTwoCutoffs(FBand) && f >= FFc2) Correct(f, FFc2 / 2, kFirstCutoffBelowSecondMessage);
  FFc = f;
  FWc = kTwoPi * f;
  return FFc;
}

double CWeighingFilter::SetWc(double omega) {
  if (omega > kPi) Correct(omega, kPi, kAngularAbovePiMessage);
  if (!(omega > 0)) Correct(omega, kAngularFallback, kCutoffPositiveMessage);
  if (HasTwoCutoffs(FBand) && omega >= FWc2) Correct(omega, FWc2 / 2, kFirstCutoffBelowSecondMessage);
  FWc = omega;
  FFc = omega / kTwoPi;
  return FWc;
}

double CWeighingFilter::SetWc2(double omega) {
  if (omega > kPi) Correct(omega, kPi, kAngularAbovePiMessage);
  if (!(omega > 0)) Correct(omega, kAngularFallback, kCutoffPositiveMessage);
  // Halfway between the first cut-off and π: above the first whenever the first is below π.
  if (omega <= FWc) Correct(omega, (FWc + kPi) / 2, kSecondCutoffAboveFirstMessage);
  FWc2 = omega;
  FFc2 = omega / kTwoPi;
  return FWc2;
}

double CWeighingFilter::SetFc2(double f) {
  if (f > 0.5) Correct(f, 0.5, kCyclicAboveHalfMessage);
  if (!(f > 0)) Correct(f, kAngularFallback / kTwoPi, kCutoffPositiveMessage);
  if (f <= FFc) Correct(f, (FFc + 0.5) / 2, kSecondCutoffAboveFirstMessage);
  FFc2 = f;
  FWc2 = kTwoPi * f;
  return FFc2;
}

int CWeighingFilter::SetOrder(int n) {
  if (n > kMaxOrder) Correct(n, kMaxOrder, kOrderAboveMaxMessage);
  if (n <= 0) Correct(n, 1, kOrderPositiveMessage);
  FOrder = n;
  return FOrder;
}

double CWeighingFilter::SetKaiserBeta(double beta) {
  if (!(beta >= 0)) Correct(beta, 0, kKaiserBetaMessage);
  if (beta > kMaxKaiserBeta) Correct(beta, kMaxKaiserBeta, kKaiserBetaMessage);
  FKaiserBeta = beta;
  return FKaiserBeta;
}

double CWeighingFilter::SetAttenuationDb(double a) {
  a = std::fabs(a);
  if (!(a <= kMaxAttenuationDb)) Correct(a, kMaxAttenuationDb, kAttenuationMessage);
  FAttenuationDb = a;
  FKaiserBeta = KaiserBeta(a);
  if (FWindow == FirWindow::kKaiser) SetOrder(EstimateKaiserOrder());
  return FAttenuationDb;
}

double CWeighingFilter::SetTransition(double percent) {
  FTransition = CorrectTransitionPercent(percent);
  if (FWindow == FirWindow::kKaiser) SetOrder(EstimateKaiserOrder());
  return FTransition;
}

int CWeighingFilter::EstimateKaiserOrder() const {
  // A negative cut-off designs the taps of |ωc|; a zero one leaves no width at all.
  const double width = FTransition / 100 * std::fabs(FWc);
  const double estimate = std::ceil((FAttenuationDb - 8) / (2.285 * width)) + 1;
  if (!(estimate < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(std::max<double>(estimate, std::numeric_limits<int>::min()));
}

void CWeighingFilter::Design() { FillTaps(IdealTap, kMemoryMessage); }

void CWeighingFilter::FillTaps(TapFormula tap, const char* memory_message) {
  // The band between the two cut-offs, whichever way round they were left by a low-pass or
  // high-pass design.
  const bool ordered = FWc <= FWc2;
  const LowPassKernel first(tap, FOrder, FWc, FFc);
  const LowPassKernel lower(tap, FOrder, ordered ? FWc : FWc2, ordered ? FFc : FFc2);
  const LowPassKernel upper(tap, FOrder, ordered ? FWc2 : FWc, ordered ? FFc2 : FFc);
  const Window window(FWindow, FKaiserBeta, FOrder);

  Clear();
  const int n = FOrder;
  const int centre = n / 2;
  if (FACoef.SetCount(n + 1)) {  // element N stays 0
    double* taps = FACoef.Data();
    for (int i = 0; i < n; ++i) {
      const int m = i - centre;
      const double delta = m == 0 ? 1 : 0;
      double h = 0;
      switch (FBand) {
        case BandType::kLowPass: h = first(m); break;
        case BandType::kHighPass: h = delta - first(m); break;
        case BandType::kBandPass: h = upper(m) - lower(m); break;
        case BandType::kBandStop: h = delta - (upper(m) - lower(m)); break;
      }
      taps[i] = h * window(m);
    }
  }
  if (!ResizeState(n)) ShowMessage(memory_message);
}
