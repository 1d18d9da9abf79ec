#include "filter/band_frequencies.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "filter/design_corrections.h"
#include "numeric/double_double.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

BandFrequencies::BandFrequencies(BandType band, double wp, double wp2)
    : band_(band), w1_(wp), w2_(wp2), t1_(std::tan(0.5 * wp)) {
  if (band_ != BandType::kBandPass && band_ != BandType::kBandStop) return;
  const double t2 = std::tan(0.5 * wp2);
  const double half_gap = 0.5 * (wp2 - wp);  // exact for close edges
  // Ω2 − Ω1 = sin((ω2 − ω1)/2)/(cos(ω1/2)·cos(ω2/2)), free of the cancellation of a narrow band.
  width_ = std::sin(half_gap) / (std::cos(0.5 * wp) * std::cos(0.5 * wp2));
  centre2_ = t1_ * t2;
  // (1 − Ω1Ω2)/(1 + Ω1Ω2) = cos((ω1 + ω2)/2)/cos((ω2 − ω1)/2), the rounding of ω1 + ω2 taken
  // along: near ω0 = π/2 the plain quotient keeps only the digits that 1 − Ω0² leaves.
  const Wide sum = TwoSum(wp, wp2);
  cos_centre_ = (std::cos(0.5 * sum.hi) - std::sin(0.5 * sum.hi) * (0.5 * sum.lo)) / std::cos(half_gap);
}

double BandFrequencies::AbsoluteX(double t) const {
  switch (band_) {
    case BandType::kLowPass: return t / t1_;
    case BandType::kHighPass: return t1_ / t;
    case BandType::kBandPass: return std::fabs(t - centre2_ / t) / width_;
    case BandType::kBandStop: return width_ / std::fabs(centre2_ / t - t);
  }
  return kInfinity;
}

double BandFrequencies::StopX(double delta) const {
  // A stop edge outside (0, π) asks nothing: infinity, which the minimum passes over.
  const auto at = [this](double ws) {
    if (!(ws > 0 && ws < std::numbers::pi)) return kInfinity;
    return AbsoluteX(std::tan(ws * 0.5));
  };
  switch (band_) {
    case BandType::kLowPass: return at((1 + delta) * w1_);
    case BandType::kHighPass: return at((1 - delta) * w1_);
    case BandType::kBandPass: return std::min(at((1 - delta) * w1_), at((1 + delta) * w2_));
    case BandType::kBandStop: return std::min(at((1 + delta) * w1_), at((1 - delta) * w2_));
  }
  return kInfinity;
}

std::vector<double> BandFrequencies::PrewarpedAt(double x) const {
  switch (band_) {
    case BandType::kLowPass: return {x * t1_};
    case BandType::kHighPass: return {t1_ / x};
    case BandType::kBandPass: {
      // The roots of Ω² ∓ x·B·Ω − Ω0² = 0 below and above the band, their product Ω0².
      const double upper = 0.5 * (x * width_ + std::hypot(x * width_, 2 * std::sqrt(centre2_)));
      return {centre2_ / upper, upper};
    }
    case BandType::kBandStop: {
      // The roots of Ω² ± (B/x)·Ω − Ω0² = 0 inside the stop band, their product Ω0².
      const double lower = 2 * centre2_ / (width_ / x + std::hypot(width_ / x, 2 * std::sqrt(centre2_)));
      return {lower, centre2_ / lower};
    }
  }
  return {};
}

double BandFrequencies::TransitionAt(double x) const {
  const auto above = [](double t, double w) { return RelativeTransition(t, w); };
  const auto below = [](double t, double w) { return 1 - 2 * std::atan(t) / w; };
  const std::vector<double> t = PrewarpedAt(x);
  switch (band_) {
    case BandType::kLowPass: return above(t[0], w1_);
    case BandType::kHighPass: return below(t[0], w1_);
    case BandType::kBandPass: return std::max(above(t[1], w2_), below(t[0], w1_));
    case BandType::kBandStop: return std::max(above(t[0], w1_), below(t[1], w2_));
  }
  return 0;
}
