#include "filter/cascade_filter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "filter/angle_sum.h"
#include "filter/digital_filter.h"
#include "filter/group_delay.h"
#include "filter/poly_sums.h"

namespace {

constexpr double kAmplitudeNudge = 0.000001;

// The delay as shown: NaN where it is not known, and everywhere for a silent cascade.
double CascadeDelay(const PairedProducts& paired, const SectionAngles& angles, bool silent) {
  return silent ? std::numeric_limits<double>::quiet_NaN() : ShownDelay(paired.Delay(angles));
}

}  // namespace

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

SectionCoefficients CDigitalFilter2::Coefficients() const { return {gain_, b0_, b1_, b2_, a1_, a2_}; }

double CDigitalFilter2::Step(double x) {
  overflow_ = false;
  return DifferenceStep(Coefficients(), x, w1_, w2_, [&](double v) { return HoldAtLimit(v, overflow_); });
}

int CDigitalFilter2::StepGroup(CDigitalFilter2* const* group, int size, double* samples, int count, int first_checked) {
  SectionCoefficients coefficients[SectionGroup::kMost];
  SectionState states[SectionGroup::kMost];
  for (int j = 0; j < size; ++j) {
    coefficients[j] = group[j]->Coefficients();
    states[j].w1 = group[j]->w1_;
    states[j].w2 = group[j]->w2_;
  }
  SectionGroup(coefficients, states, size).Step(samples, count, first_checked);
  int earliest = count;
  for (int j = 0; j < size; ++j) {
    group[j]->w1_ = states[j].w1;
    group[j]->w2_ = states[j].w2;
    group[j]->overflow_ = states[j].flag;
    earliest = std::min(earliest, states[j].first);
  }
  return earliest;
}

CDigitalFilter2::Value CDigitalFilter2::Evaluate(const SectionAngles& angles) const {
  // The conjugates of the values at e^{jθ}, as PairedProducts evaluates them.
  const auto conjugate = [&](const ShiftedQuadratic<double>& q, double& re, double& im) {
    ShiftedConjugate(q, -q.d1, -q.d2, angles.v_re, angles.v_im, angles.v2_re, angles.v2_im, re, im);
  };
  Value v;
  conjugate(ShiftedAbout(b0_, b1_, b2_, angles.shift), v.re_b, v.im_b);
  conjugate(ShiftedAbout(1, -a1_, -a2_, angles.shift), v.re_a, v.im_a);
  v.d = v.re_a * v.re_a + v.im_a * v.im_a;
  return v;
}

CDigitalFilter2::Value CDigitalFilter2::Nudged(Value value, double theta, double step) const {
  for (int attempt = 0; attempt <= kMaxNudges && value.d == 0; ++attempt) {
    theta = NudgedAngle(theta, step);
    const Value moved = Evaluate(SectionAngles(theta));
    value.re_a = moved.re_a;
    value.im_a = moved.im_a;
    value.d = moved.d;
  }
  return value;
}

CDigitalFilter2::Value CDigitalFilter2::AmplitudeNudged(Value value, double theta) const {
  return Nudged(value, theta, kAmplitudeNudge);
}

CDigitalFilter2::Value CDigitalFilter2::PhaseNudged(Value value, double theta) const {
  // The move is a hundredth of θ; at θ = 0 that would be no move at all, so the amplitude's step
  // is taken there instead of looping for ever.
  const double step = theta / 100;
  return Nudged(value, theta, step != 0 ? step : kAmplitudeNudge);
}

double CDigitalFilter2::Amplitude(double omega) const { return Amplitude(SectionAngles(omega * sampling_period_)); }

double CDigitalFilter2::Phase(double omega) const { return Phase(SectionAngles(omega * sampling_period_)); }

double CDigitalFilter2::Amplitude(const SectionAngles& angles) const {
  Value v = Evaluate(angles);
  if (v.d == 0) v = AmplitudeNudged(v, angles.theta);
  return AmplitudeOf(v);
}

double CDigitalFilter2::AmplitudeOf(const Value& v) const {
  const double amplitude = gain_ * std::sqrt((v.re_b * v.re_b + v.im_b * v.im_b) / v.d);
  if (std::isfinite(amplitude) && std::isfinite(v.d)) return amplitude;
  // Squares beyond the range of a double.
  return gain_ * (std::hypot(v.re_b, v.im_b) / std::hypot(v.re_a, v.im_a));
}

double CDigitalFilter2::Phase(const SectionAngles& angles) const {
  Value v = Evaluate(angles);
  if (v.d == 0) v = PhaseNudged(v, angles.theta);
  const double phase_b = (v.re_b == 0 && v.im_b == 0) ? 0.0 : std::atan2(v.im_b, v.re_b);
  const double phase_a = (v.re_a == 0 && v.im_a == 0) ? 0.0 : std::atan2(v.im_a, v.re_a);
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

int CCascadFilter2::StepBlock(const double* x, double* y, int count, int first_checked) {
  for (int n = 0; n < count; ++n) y[n] = input_gain_ * x[n];
  // A section's samples depend only on its own history and its input, so running the sections
  // over the whole block gives every sample exactly as the sample-by-sample order does. They run
  // in groups, so that their recursions overlap.
  CDigitalFilter2* group[SectionGroup::kMost];
  int grouped = 0;
  int first = count;
  for (CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) {
    group[grouped++] = s;
    if (grouped < SectionGroup::kMost && s->next_ != nullptr) continue;
    first = std::min(first, CDigitalFilter2::StepGroup(group, grouped, y, count, first_checked));
    grouped = 0;
  }
  overflow_ = first < count;
  return first;
}

bool CCascadFilter2::PolesWithin(double radius) const {
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) {
    // z² − a1·z − a2, scaled to the circle of the radius.
    if (!QuadraticRootsInsideUnitCircle(-s->a1_ / radius, -s->a2_ / (radius * radius))) return false;
  }
  return true;
}

bool CCascadFilter2::SetSteadyState(const std::vector<Phasor>& input) {
  // Line by line through the chain: a section's w is its gain times its input over its
  // denominator, its output w times its numerator, the next section's input.
  std::vector<double> w1(static_cast<std::size_t>(SectionCount()), 0.0), w2(w1);
  for (const Phasor& line : input) {
    const DelayPolynomials z(line.omega);
    const std::complex<double> delay = Delay(line.omega);
    std::complex<double> drive = input_gain_ * line.amplitude;
    std::size_t k = 0;
    for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_, ++k) {
      const std::complex<double> w = s->gain_ * drive / z.Quadratic(1, -s->a1_, -s->a2_);
      w1[k] += (w * delay).real();
      w2[k] += (w * delay * delay).real();
      drive = w * z.Quadratic(s->b0_, s->b1_, s->b2_);
    }
  }
  for (std::size_t k = 0; k < w1.size(); ++k)
    if (!(std::fabs(w1[k]) <= kFilterLimit && std::fabs(w2[k]) <= kFilterLimit)) return false;
  std::size_t k = 0;
  for (CDigitalFilter2* s = &first_; s != nullptr; s = s->next_, ++k) {
    s->w1_ = w1[k];
    s->w2_ = w2[k];
  }
  return true;
}

double CCascadFilter2::WideProduct(const SectionAngles& angles) const {
  const WideValue product = WideProductOf([&](const CDigitalFilter2& s) { return s.Amplitude(angles); });
  return ScaledByPowerOfTwo(product.mantissa, product.exponent);
}

template <class Factor>
CCascadFilter2::WideValue CCascadFilter2::WideProductOf(Factor factor) const {
  // Mantissa and exponent apart, so that a product which passes beyond the range of a double on
  // the way only ends there when it truly lies beyond it.
  WideValue product;
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) {
    int factor_exponent = 0;
    product.mantissa = std::frexp(product.mantissa * factor(*s), &factor_exponent);
    product.exponent += factor_exponent;
  }
  return product;
}

double CCascadFilter2::ScaledByPowerOfTwo(double value, long long exponent) {
  constexpr long long kBeyond = 1 << 12;  // further than any double's exponent
  return std::ldexp(value, static_cast<int>(std::clamp(exponent, -kBeyond, kBeyond)));
}

double CCascadFilter2::Amplitude(double omega) const {
  // Every section samples at the same period, so the angle terms are computed once.
  return Amplitude(SectionAngles(omega * first_.sampling_period_));
}

double CCascadFilter2::Amplitude(const SectionAngles& angles) const {
  double product = 1;
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) product *= s->Amplitude(angles);
  return std::isfinite(product) ? product : WideProduct(angles);
}

double CCascadFilter2::Phase(double omega) const {
  double amplitude = 0, phase = 0;
  Response(omega, amplitude, phase);
  return phase;
}

void CCascadFilter2::Response(double omega, double& amplitude, double& phase) const {
  Responses(&omega, 1, &amplitude, &phase);
}

void CCascadFilter2::Responses(const double* omegas, int count, double* amplitudes, double* phases,
                               double* delays) const {
  // The gains do not depend on the frequency: their product is taken once.
  const WideValue gains = WideProductOf([](const CDigitalFilter2& s) { return s.gain_; });
  const PairedProducts paired = Paired(delays != nullptr);
  const bool silent = delays != nullptr && Silent();
  for (int k = 0; k < count; ++k) {
    const SectionAngles angles(omegas[k] * first_.sampling_period_);
    // The products of the sections' numerators and denominators give the phase (as sums of
    // angles) and the amplitude: one square root and one division per frequency, not per section.
    AngleSum numerator, denominator;
    const bool moved = !paired.Sum(angles, numerator, denominator) && AddOneByOne(angles, numerator, denominator);
    phases[k] = numerator.Value() - denominator.Value();
    const double amplitude = ScaledByPowerOfTwo(gains.mantissa * (numerator.Magnitude() / denominator.Magnitude()),
                                                gains.exponent + numerator.Exponent() - denominator.Exponent());
    // Rare: a denominator that vanished (the amplitude moves the frequency its own way), or a
    // product that left the range of a double.
    amplitudes[k] = !moved && std::isfinite(amplitude) ? amplitude : Amplitude(angles);
    if (delays != nullptr) delays[k] = CascadeDelay(paired, angles, silent);
  }
}

PairedProducts CCascadFilter2::Paired(bool for_delay) const {
  PairedProducts paired(for_delay);
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_)
    paired.Append(s->b0_, s->b1_, s->b2_, s->a1_, s->a2_);
  return paired;
}

bool CCascadFilter2::Silent() const {
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_)
    if (s->gain_ == 0) return true;
  return false;
}

void CCascadFilter2::GroupDelays(const double* omegas, int count, double* delays) const {
  const PairedProducts paired = Paired(true);
  const bool silent = Silent();
  for (int k = 0; k < count; ++k)
    delays[k] = CascadeDelay(paired, SectionAngles(omegas[k] * first_.sampling_period_), silent);
}

bool CCascadFilter2::AddOneByOne(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const {
  bool moved = false;
  for (const CDigitalFilter2* s = &first_; s != nullptr; s = s->next_) {
    CDigitalFilter2::Value v = s->Evaluate(angles);
    if (v.d == 0) {
      moved = true;
      v = s->PhaseNudged(v, angles.theta);
    }
    numerator.Add(v.re_b, v.im_b);
    denominator.Add(v.re_a, v.im_a);
  }
  return moved;
}
