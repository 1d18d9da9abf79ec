#include "filter/chebyshev.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

#include "filter/band_sections.h"
#include "filter/bilinear_sections.h"
#include "filter/design_corrections.h"
#include "numeric/numeric.h"
#include "platform/messages.h"

const char* const CChebishevFilter::kWpAbovePiMessage =
    "Верхняя граница полосы пропускания не должна превышать 3.1415...\n Произведена коррекция.";

namespace {

const char kOrderAboveMaxMessage[] = "Порядок фильтра должен быть меньше 60\n Произведена коррекция.";
const char kPassLevelAboveRippleMessage[] =
    "Уровень верхней границы полосы пропускания должен быть не больше нижнего уровня пульсаций.\n "
    "Произведена коррекция";
const char kRipplePositiveMessage[] = "Размах пульсаций должен быть положительным.\n Произведена коррекция";
const char kRippleHighMessage[] = "Размах пульсаций не должен превышать 50%.\n Произведена коррекция";
const char kRippleBelowPassMessage[] =
    "Нижний уровень пульсаций не может быть ниже уровня полосы пропускания.\n Произведена коррекция";

// The frequency ratio x ≥ 1 at which T_N(x) = level: cosh(arccosh(level)/N). The level is held
// finite so that the ratio is too.
double ChebyshevStretch(double level, int n) {
  return std::cosh(ArcCosh(std::min(level, std::numeric_limits<double>::max())) / n);
}

}  // namespace

CChebishevFilter::CChebishevFilter() {
  StoreRipple(0.1, 0.9);
  SetTransition(10);
  SetWp(1);
  SetLpdB(-3);
  SetLsdB(-30);
}

double CChebishevFilter::SetLp(double level) {
  level = CorrectPassLevel(level);
  if (level > FLr) {
    ShowMessage(kPassLevelAboveRippleMessage);
    StoreRipple(1 - level, level);  // the band ends exactly at Lp
  }
  StoreLp(level);
  Recompute();
  return FLp;
}

double CChebishevFilter::SetRipple(double r) {
  // A ripple too small to bring 1 − r below 1 is no ripple: it would leave ε = 0 and nothing to design.
  if (!(1 - r < 1)) Correct(r, 0.01, kRipplePositiveMessage);
  if (r > 0.5) Correct(r, 0.5, kRippleHighMessage);
  if (1 - r < FLp) {
    ShowMessage(kRippleBelowPassMessage);
    StoreLp(1 - r);
  }
  StoreRipple(r, 1 - r);
  Recompute();
  return FRipple;
}

double CChebishevFilter::SetRippledB(double x) {
  SetRipple(1 - FromDecibel(-std::fabs(x)));
  return FRippledB;
}

void CChebishevFilter::StoreRipple(double r, double lr) {
  FRipple = r;
  FLr = lr;
  FRippledB = std::fabs(ToDecibel(FLr));
}

int CChebishevFilter::SetOrder(int n) {
  FOrder = CorrectOrder(n, kMaxOrder, kOrderAboveMaxMessage);
  FWr = RippleEdge(FOrder);
  RecomputeStop();
  return FOrder;
}

double CChebishevFilter::RippleEdge(int n) const {
  const double scale = FBand == BandType::kLowPass ? FTp : 1;  // the other band types stay in X
  return scale / ChebyshevStretch(std::sqrt(FEp / FEps2), n);
}

void CChebishevFilter::Recompute() {
  FEp = LevelFactor(FLp);
  FEs = LevelFactor(FLs);
  FEps2 = LevelFactor(FLr);
  FTp = std::tan(0.5 * FWp);
  if (!FAutoOrder) {
    FWr = RippleEdge(FOrder);
    RecomputeStop();
    return;
  }
  KeepStopBandOpen();
  // The lowest order that meets the transition width; the highest if none does.
  for (int n = 1; n <= kMaxOrder; ++n) {
    FOrder = n;
    FWr = RippleEdge(n);
    RecomputeStop();
    if (FDeltaA < FDelta) break;
  }
}

void CChebishevFilter::RecomputeStop() {
  FWs = FWr * ChebyshevStretch(std::sqrt(FEs / FEps2), FOrder);
  FDeltaA = FBand == BandType::kLowPass ? RelativeTransition(FWs, FWp) : Frequencies().TransitionAt(FWs);
  if (!FAutoOrder) FDelta = FDeltaA;
}

void CChebishevFilter::Design() {
  const int n = FOrder;
  const double wr = FWr;
  const double eps = std::sqrt(FEps2);
  const double phi = ArcSinh(1 / eps) / n;
  const double sh = std::sinh(phi);
  const double ch = std::cosh(phi);
  if (FBand != BandType::kLowPass) {
    // The prototype's poles Ωr·(sinh φ·cos θ + j·cosh φ·sin θ), the real one first, then from the
    // most damped pair on; θ = π/2 + ψ with ψ = (2k − 1)·π/(2N), whose sine keeps the digits of a
    // small damping. An even order's level at X = 0 is Lr.
    std::vector<std::complex<double>> poles;
    if (n % 2 == 1) poles.emplace_back(-wr * sh, 0);
    for (int k = n / 2; k >= 1; --k) {
      const double psi = (2 * k - 1) * std::numbers::pi / (2 * n);
      poles.emplace_back(-wr * sh * std::sin(psi), wr * ch * std::cos(psi));
    }
    DesignBandSections(*this, Frequencies(), poles, n % 2 == 0 ? FLr : 1);
    return;
  }
  SectionChain chain(*this);
  if (n % 2 == 1) {
    // The real pole −sinh φ. Alone (N = 1) it must also carry the 1/ε that the pairs share otherwise.
    double gain = wr / (1 + wr * sh);
    if (n == 1) gain /= eps;
    SetLowPassSingle(*chain.Next(), gain, (1 - wr * sh) / (1 + wr * sh));
  }
  const int pairs = n / 2;
  if (pairs == 0) return;
  // Each pair's share of the gain, 1/(4·ε^(2/N)) for even N and 1/(4·ε^(2/(N−1))) for odd N: both
  // are 1/(4·ε^(1/pairs)), which never divides by zero.
  const double share = 1 / (4 * std::pow(eps, 1.0 / pairs));
  for (int k = 1; k <= pairs; ++k) {
    CDigitalFilter2* pair = chain.Next();
    if (pair == nullptr) return;
    const double theta = (n + 2 * k - 1) * std::numbers::pi / (2 * n);
    const double sigma = sh * std::cos(theta);
    const double omega = ch * std::sin(theta);
    double numerator = wr * wr * share;
    if (k == 1 && n % 2 == 0) numerator *= 2;  // brings the even order's ripple peaks up to 1
    SetLowPassPair(*pair, numerator, 2 * sigma * wr, wr * wr * (sigma * sigma + omega * omega));
  }
}
