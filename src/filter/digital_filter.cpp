#include "filter/digital_filter.h"

#include <algorithm>
#include <cmath>

#include "filter/group_delay.h"
#include "filter/poly_sums.h"
#include "platform/messages.h"

namespace {

const char kCoefMemoryMessage[] =
    "Class CDigitalFilter: Не удалось изменить коэффициенты фильтра.\n Недостаточно памяти";

// The denominator's frequency nudge when it vanishes exactly.
constexpr double kResponseNudge = 0.00001;

// Amplitude and phase from the numerator's and denominator's sums; d = |denominator|² ≠ 0.
void FinishResponse(const PolySums& numerator, const PolySums& denominator, double d, double& amplitude,
                    double& phase) {
  amplitude = std::sqrt((numerator.cos_sum * numerator.cos_sum + numerator.sin_sum * numerator.sin_sum) / d);
  // Squares beyond the range of a double, while the sums themselves are within it.
  if (!std::isfinite(amplitude) || !std::isfinite(d))
    amplitude = std::hypot(numerator.cos_sum, numerator.sin_sum) / std::hypot(denominator.cos_sum, denominator.sin_sum);
  const double phase_a =
      (numerator.cos_sum == 0 && numerator.sin_sum == 0) ? 0.0 : std::atan2(-numerator.sin_sum, numerator.cos_sum);
  // The recursive list holds the negated denominator, hence −CB.
  const double phase_b = (denominator.cos_sum == 0 && denominator.sin_sum == 0)
                             ? 0.0
                             : std::atan2(denominator.sin_sum, -denominator.cos_sum);
  phase = phase_a - phase_b;
}

// The coefficients times a power of two that brings the largest magnitude near 1; the exponent
// taken off is returned in exponent.
std::vector<double> ScaledCoefficients(const double* c, int degree, int& exponent) {
  double largest = 0;
  for (int k = 0; k <= degree; ++k) largest = std::max(largest, std::fabs(c[k]));
  exponent = 0;
  if (largest > 0 && std::isfinite(largest)) std::frexp(largest, &exponent);
  std::vector<double> scaled(c, c + degree + 1);
  for (double& value : scaled) value = std::ldexp(value, -exponent);
  return scaled;
}

// Σ c[i]·s[i] for i = 1 … last, with four partial sums so that a long filter's sum does not wait
// on one addition after another.
double SumOfProducts(const double* c, const double* s, int last) {
  double p0 = 0, p1 = 0, p2 = 0, p3 = 0;
  int i = 1;
  for (; i + 3 <= last; i += 4) {
    p0 += c[i] * s[i];
    p1 += c[i + 1] * s[i + 1];
    p2 += c[i + 2] * s[i + 2];
    p3 += c[i + 3] * s[i + 3];
  }
  for (; i <= last; ++i) p0 += c[i] * s[i];
  return (p0 + p1) + (p2 + p3);
}

}  // namespace

CBaseDigitalFilter::CBaseDigitalFilter() {
  Clear();
  FACoef.SetAt(0, 1.0);
}

void CBaseDigitalFilter::Clear() {
  FACoef.Clear();
  FBCoef.Clear();
  // Nothing else writes element 0: the setters write i ≥ 1 and trim down to degree 0 at most.
  FBCoef.SetAt(0, kRecursiveSentinel);
  FState.Clear();
}

bool CBaseDigitalFilter::ResizeState(int degree) {
  FState.Fill0();
  return FState.SetCount(degree + 1);
}

void CBaseDigitalFilter::Reset() {
  FOverflow = false;
  FState.Fill0();
}

double CBaseDigitalFilter::Step(double x) {
  const double* state = FState.Data();
  const int known = FState.Degree();  // history beyond the delay line reads as 0

  const double w = HoldAtLimit(x * FGain + SumOfProducts(FBCoef.Data(), state, std::min(FBOrder(), known)), FOverflow);
  const double y = FACoef.GetAt(0) * w + SumOfProducts(FACoef.Data(), state, std::min(FAOrder(), known));
  FState.Push(w);
  return HoldAtLimit(y, FOverflow);
}

int CBaseDigitalFilter::StepBlock(const double* x, double* y, int count, int first_checked) {
  for (int n = 0; n < count; ++n) {
    y[n] = Step(x[n]);
    if (FOverflow && n >= first_checked) return n;
  }
  return count;
}

PolynomialRatio CBaseDigitalFilter::Ratio() const {
  return DirectFormRatio({FACoef.Data(), static_cast<std::size_t>(FACoef.Count())},
                         {FBCoef.Data() + 1, static_cast<std::size_t>(FBOrder())}, FGain);
}

bool CBaseDigitalFilter::PolesWithin(double radius) const {
  // The poles are the roots of the denominator times z^M; at radius r those of the polynomial
  // with coefficients d(i)/r^i lie inside the unit circle.
  std::vector<double> scaled = Ratio().denominator;
  double power = 1;
  for (std::size_t i = 1; i < scaled.size(); ++i) {
    power /= radius;
    scaled[i] *= power;
  }
  return RootsInsideUnitCircle(scaled);
}

bool CBaseDigitalFilter::SetSteadyState(const std::vector<Phasor>& input) {
  // Element i holds w(n0 − i): each line's delay-line phasor g·x / (1 − Σ bi·z^i), turned back by
  // i samples. The recursive list is that denominator negated (its element 0 is −1).
  std::vector<double> state(static_cast<std::size_t>(FState.Degree() + 1), 0.0);
  for (const Phasor& line : input) {
    const std::complex<double> denominator = -DelayPolynomials(line.omega).Polynomial(FBCoef.Data(), FBOrder());
    const std::complex<double> delay = Delay(line.omega);
    std::complex<double> w = line.amplitude * FGain / denominator;
    for (std::size_t i = 1; i < state.size(); ++i) {
      w *= delay;
      state[i] += w.real();
    }
  }
  for (const double value : state)
    if (!(std::fabs(value) <= kFilterLimit)) return false;
  FState.SetElements(state);
  return true;
}

void CBaseDigitalFilter::Response(double omega, double& amplitude, double& phase) {
  double theta = omega * FSamplingPeriod;
  const PolySums numerator = SumCosSin(FACoef.Data(), FAOrder(), theta);

  PolySums denominator;
  double d = 0;
  for (int attempt = 0;; ++attempt) {
    denominator = SumCosSin(FBCoef.Data(), FBOrder(), theta);
    d = denominator.cos_sum * denominator.cos_sum + denominator.sin_sum * denominator.sin_sum;
    if (d != 0 || attempt == kMaxNudges) break;
    theta = NudgedAngle(theta, kResponseNudge);
  }

  FinishResponse(numerator, denominator, d, amplitude, phase);
  if (!std::isfinite(amplitude) || !std::isfinite(phase)) ScaledResponse(omega * FSamplingPeriod, amplitude, phase);
}

void CBaseDigitalFilter::ScaledResponse(double theta, double& amplitude, double& phase) const {
  int a_exponent = 0, b_exponent = 0;
  const std::vector<double> a = ScaledCoefficients(FACoef.Data(), FAOrder(), a_exponent);
  const std::vector<double> b = ScaledCoefficients(FBCoef.Data(), FBOrder(), b_exponent);
  const PolySums numerator = SumCosSin(a.data(), FAOrder(), theta);
  const PolySums denominator = SumCosSin(b.data(), FBOrder(), theta);
  FinishResponse(numerator, denominator, 1, amplitude, phase);
  amplitude = std::ldexp(
      std::hypot(numerator.cos_sum, numerator.sin_sum) / std::hypot(denominator.cos_sum, denominator.sin_sum),
      a_exponent - b_exponent);
}

void CBaseDigitalFilter::Responses(const double* omegas, int count, double* amplitudes, double* phases,
                                   double* delays) {
  constexpr int kLanes = 8;
  // The recursive list is the denominator negated, which leaves the delay as it is.
  const DirectDelay delay(FACoef.Data(), FAOrder(), FBCoef.Data(), FBOrder());
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    double theta[kLanes];
    for (int l = 0; l < kLanes; ++l) theta[l] = omegas[i + l] * FSamplingPeriod;
    // One phasor per angle for both polynomials.
    double cosines[kLanes], sines[kLanes];
    UnitPhasors<kLanes>(theta, cosines, sines);
    PolySums numerator[kLanes], denominator[kLanes];
    if (delays == nullptr) {
      PhasorSums<kLanes>(FACoef.Data(), FAOrder(), cosines, sines, numerator);
      PhasorSums<kLanes>(FBCoef.Data(), FBOrder(), cosines, sines, denominator);
    } else {
      PolySums a_moment[kLanes], b_moment[kLanes];
      PhasorSums<kLanes>(FACoef.Data(), FAOrder(), cosines, sines, numerator, a_moment);
      PhasorSums<kLanes>(FBCoef.Data(), FBOrder(), cosines, sines, denominator, b_moment);
      delay.FromSums(theta, kLanes, numerator, a_moment, denominator, b_moment, delays + i);
    }
    for (int l = 0; l < kLanes; ++l) {
      const double d =
          denominator[l].cos_sum * denominator[l].cos_sum + denominator[l].sin_sum * denominator[l].sin_sum;
      if (d != 0) FinishResponse(numerator[l], denominator[l], d, amplitudes[i + l], phases[i + l]);
      // Rare: a frequency to move, or values beyond the range of a double on the way.
      if (d == 0 || !std::isfinite(amplitudes[i + l]) || !std::isfinite(phases[i + l]))
        Response(omegas[i + l], amplitudes[i + l], phases[i + l]);
    }
  }
  if (delays != nullptr && i < count) GroupDelays(omegas + i, count - i, delays + i);
  for (; i < count; ++i) Response(omegas[i], amplitudes[i], phases[i]);
}

void CBaseDigitalFilter::GroupDelays(const double* omegas, int count, double* delays) const {
  std::vector<double> thetas(omegas, omegas + count);
  for (double& theta : thetas) theta *= FSamplingPeriod;
  // The recursive list with its fixed −1 in front, as Responses sums it.
  std::vector<double> b = {-1.0};
  for (int i = 1; i <= FBOrder(); ++i) b.push_back(FBCoef.GetAt(i));
  DirectDelay(FACoef.Data(), FAOrder(), b.data(), static_cast<int>(b.size()) - 1).At(thetas.data(), count, delays);
}

bool CDigitalFilter::FitState() {
  const int order = Order();
  if (order == FState.Degree()) return true;
  return ResizeState(order);
}

void CDigitalFilter::SetACoef(const double* values, int count) {
  if (!ResizeState(std::max(FBOrder(), count - 1)) || count < 1 || !FACoef.Assign(values, count)) {
    ShowMessage(kCoefMemoryMessage);
    return;
  }
  FACoef.TrimZeros();
  if (!FitState()) ShowMessage(kCoefMemoryMessage);
}

void CDigitalFilter::SetBCoef(int i, double value) {
  if (i == 0) return;
  const int degree = FState.Degree();
  if (!ResizeState(i > degree ? std::max(i, FAOrder()) : degree)) {
    ShowMessage(kCoefMemoryMessage);
    return;
  }
  if (i > 0 && !FBCoef.SetAt(i, value)) {
    ShowMessage(kCoefMemoryMessage);
    return;
  }
  while (FBCoef.Degree() > 0 && FBCoef.GetAt(FBCoef.Degree()) == 0.0) FBCoef.SetDegree(FBCoef.Degree() - 1);
  if (!FitState()) ShowMessage(kCoefMemoryMessage);
}
