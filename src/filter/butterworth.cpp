#include "filter/butterworth.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "filter/band_sections.h"
#include "filter/bilinear_sections.h"
#include "numeric/numeric.h"

const char* const CBatterwortFilter::kWpAbovePiMessage = kAngularAbovePiMessage;

namespace {

const char kOrderAboveMaxMessage[] = "Порядок фильтра должен быть меньше 200\n Произведена коррекция.";

// trunc(g) + 1. An estimate beyond every order (or not a number, which a degenerate edge can give)
// becomes an order far out of range, for SetOrder to correct, instead of an undefined conversion.
int OrderFromEstimate(double g) {
  constexpr double kFarOut = 1e9;
  if (!(g <= kFarOut)) return static_cast<int>(kFarOut);
  if (g < -kFarOut) return -static_cast<int>(kFarOut);
  return static_cast<int>(std::trunc(g)) + 1;
}

}  // namespace

CBatterwortFilter::CBatterwortFilter() {
  SetTransition(10);
  SetWp(1);
  SetLpdB(-3);
  SetLsdB(-30);
}

double CBatterwortFilter::SetLp(double level) {
  StoreLp(CorrectPassLevel(level));
  Recompute();
  return FLp;
}

int CBatterwortFilter::SetOrder(int n) {
  FOrder = CorrectOrder(n, kMaxOrder, kOrderAboveMaxMessage);
  RecomputeCutoff();
  return FOrder;
}

void CBatterwortFilter::Recompute() {
  FEp = LevelFactor(FLp);
  FEs = LevelFactor(FLs);
  FTp = std::tan(0.5 * FWp);
  FTs = std::tan((1 + FDelta) * FWp * 0.5);
  if (!FAutoOrder) {
    SetOrder(FOrder);
    return;
  }
  KeepStopBandOpen();
  // The prototype's order formula at the stop edge nearest to the pass band in X. A stop edge at
  // or beyond π (or at or below 0) lies outside the band: its prewarped tangent is negative up to
  // 2π, positive but meaningless again beyond (even below Tp). A band without a stop edge keeps
  // the estimate at 1, the order at 2.
  double g = 1;
  const double xs = Frequencies().StopX(FDelta);
  if (std::isfinite(xs)) g = 0.5 * std::log10(FEs / FEp) / std::log10(xs);
  SetOrder(OrderFromEstimate(g));
}

void CBatterwortFilter::RecomputeCutoff() {
  const double root = 1.0 / (2 * FOrder);
  if (FBand == BandType::kLowPass) {
    FWc = FTp / std::pow(FEp, root);
    const double ws = std::pow(FEs, root) * FWc;
    FDeltaA = RelativeTransition(ws, FWp);
  } else {
    FWc = 1 / std::pow(FEp, root);
    FDeltaA = Frequencies().TransitionAt(std::pow(FEs, root) * FWc);
  }
  if (FDeltaA > FDelta) FDelta = 1.01 * FDeltaA;
  if (!FAutoOrder) FDelta = FDeltaA;
}

void CBatterwortFilter::Design() {
  const int n = FOrder;
  const double wc = FWc;
  if (FBand != BandType::kLowPass) {
    // The prototype's poles Ωc·e^{jθ}, the real one first, then from the most damped pair on;
    // θ = π/2 + φ with φ = (2k − 1)·π/(2N), whose sine keeps the digits of a small damping.
    std::vector<std::complex<double>> poles;
    if (n % 2 == 1) poles.emplace_back(-wc, 0);
    for (int k = n / 2; k >= 1; --k) {
      const double phi = (2 * k - 1) * std::numbers::pi / (2 * n);
      poles.emplace_back(-wc * std::sin(phi), wc * std::cos(phi));
    }
    DesignBandSections(*this, Frequencies(), poles, 1);
    return;
  }
  SectionChain chain(*this);
  if (n % 2 == 1) {
    CDigitalFilter2* single = chain.Next();
    SetLowPassSingle(*single, wc / (wc + 1), (1 - wc) / (1 + wc));
  }
  // The pairs go from the most damped to the sharpest. In the opposite order the first sharp
  // resonances of a high order amplify the signal inside the cascade far beyond the overflow limit
  // (about 1e19 at order 200) before the damped sections take it back; this way the intermediate
  // signals stay of the output's size. The product, and so the response, is the same.
  const double e = wc * wc;
  for (int k = n / 2; k >= 1; --k) {
    CDigitalFilter2* pair = chain.Next();
    if (pair == nullptr) return;
    const double theta = (n + 2 * k - 1) * std::numbers::pi / (2 * n);
    SetLowPassPair(*pair, e, 2 * wc * std::cos(theta), e);
  }
}
