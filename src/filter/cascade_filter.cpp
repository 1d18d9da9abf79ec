#include "filter/cascade_filter.h"

#include <cmath>
#include <limits>
#include <new>

#include "filter/digital_filter.h"
#include "filter/poly_sums.h"

namespace {

constexpr double kAmplitudeNudge = 0.000001;

// The denominator 1 − a1·e^{−jθ} − a2·e^{−j2θ} as ReA + j·ImA, and its squared magnitude.
struct Denominator {
  double re, im, d;
};

Denominator Evaluate(double a1, double a2, const SectionAngles& angles) {
  const double re = 1 - a1 * angles.c1 - a2 * angles.c2;
  const double im = a1 * angles.s1 + a2 * angles.s2;
  return {re, im, re * re + im * im};
}

// Moves θ by step until the denominator no longer vanishes exactly.
Denominator NudgeUntilNonZero(double a1, double a2, double theta, double step) {
  Denominator den{0, 0, 0};
  for (int attempt = 0; attempt <= kMaxNudges; ++attempt) {
    den = Evaluate(a1, a2, SectionAngles(theta));
    if (den.d != 0) break;
    theta = NudgedAngle(theta, step);
  }
  return den;
}

}  // namespace

SectionAngles::SectionAngles(double t)
    : theta(t), c1(std::cos(t)), s1(std::sin(t)), c2(std::cos(2 * t)), s2(std::sin(2 * t)) {}

void CDigitalFilter2::SetB(int k, double value) {
  if (k == 0) b0_ = value;
  else if (k == 1) b1_ = value;
  else if (k == 2) b2_ = value;
}

void CDigitalFilter2::SetA(int k, double value) {
  if (k == 1) a1_ = value;
  else if (k == 2) a2_ = value;
}

void CDigitalFilter2::ClearState() {
  w1_ = w2_ = 0;
  overflow_ = false;
}

double CDigitalFilter2::Step(double x) {
  overflow_ = false;
  const double v = gain_ == 1 ? x : gain_ * x;
  double w = v + a1_ * w1_ + a2_ * w2_;
  if (w > kFilterLimit) {
    w = kFilterLimit;
    overflow_ = true;
  } else if (std::isnan(w)) {  // a run into NaN or toward −∞ is an overflow too
    w = 0;
    overflow_ = true;
  } else if (std::isinf(w)) {
    w = -kFilterLimit;
    overflow_ = true;
  }
  double y = b0_ * w + b1_ * w1_ + b2_ * w2_;
  if (!std::isfinite(y)) {  // huge finite history can still overflow the output sum
    y = std::isnan(y) ? 0.0 : (y > 0 ? kFilterLimit : -kFilterLimit);
    overflow_ = true;
  }
  w2_ = w1_;
  w1_ = w;
  return y;
}

double CDigitalFilter2::Amplitude(double omega) const { return Amplitude(SectionAngles(omega * sampling_period_)); }

double CDigitalFilter2::Phase(double omega) const { return Phase(SectionAngles(omega * sampling_period_)); }

double CDigitalFilter2::Amplitude(const SectionAngles& angles) const {
  const double re_b = b0_ + b1_ * angles.c1 + b2_ * angles.c2;
  const double im_b = -b1_ * angles.s1 - b2_ * angles.s2;
  Denominator den = Evaluate(a1_, a2_, angles);
  if (den.d == 0) den = NudgeUntilNonZero(a1_, a2_, NudgedAngle(angles.theta, kAmplitudeNudge), kAmplitudeNudge);
  return gain_ * std::sqrt((re_b * re_b + im_b * im_b) / den.d);
}

double CDigitalFilter2::Phase(const SectionAngles& angles) const {
  const double re_b = b0_ + b1_ * angles.c1 + b2_ * angles.c2;
  const double im_b = -b1_ * angles.s1 - b2_ * angles.s2;
  Denominator den = Evaluate(a1_, a2_, angles);
  if (den.d == 0) {
    // The move is a hundredth of θ; at θ = 0 that would be no move at all, so take the
    // amplitude's step there instead of looping for ever.
    double step = angles.theta / 100;
    if (step == 0) step = kAmplitudeNudge;
    den = NudgeUntilNonZero(a1_, a2_, angles.theta + step, step);
  }
  const double phase_b = (re_b == 0 && im_b == 0) ? 0.0 : std::atan2(im_b, re_b);
  const double phase_a = (den.re == 0 && den.im == 0) ? 0.0 : std::atan2(den.im, den.re);
  return phase_b - phase_a;
}

CDigitalFilter2* CCascadFilter2::AppendSection() {
  try {
    more_.push_back(std::make_unique<CDigitalFilter2>());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  CDigitalFilter2* added = more_.back().get();
  CDigitalFilter2* last = more_.size() == 1 ? &first_ : more_[more_.size() - 2].get();
  last->next_ = added;
  return added;
}

void CCascadFilter2::RemoveSections() {
  more_.clear();
  first_.next_ = nullptr;
}

void CCascadFilter2::Reset() {
  overflow_ = false;
  for (CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) s->ClearState();
}

double CCascadFilter2::Step(double x) {
  overflow_ = false;
  double v = input_gain_ * x;
  for (CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) {
    v = s->Step(v);
    if (s->overflow_) overflow_ = true;
  }
  return v;
}

double CCascadFilter2::Amplitude(double omega) const {
  // Every section samples at the same period, so the angle terms are computed once.
  const SectionAngles angles(omega * first_.sampling_period_);
  double product = 1;
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) product *= s->Amplitude(angles);
  return product;
}

double CCascadFilter2::Phase(double omega) const {
  const SectionAngles angles(omega * first_.sampling_period_);
  double sum = 0;
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) sum += s->Phase(angles);
  return sum;
}
