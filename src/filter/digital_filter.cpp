#include "filter/digital_filter.h"

#include <algorithm>
#include <cmath>

#include "filter/poly_sums.h"
#include "platform/messages.h"

namespace {

const char kCoefMemoryMessage[] =
    "Class CDigitalFilter: Не удалось изменить коэффициенты фильтра.\n Недостаточно памяти";

// The denominator's frequency nudge when it vanishes exactly.
constexpr double kResponseNudge = 0.00001;

}  // namespace

CBaseDigitalFilter::CBaseDigitalFilter() {
  FBCoef.SetAt(0, -1.0);
  FACoef.SetAt(0, 1.0);
}

void CBaseDigitalFilter::Clear() {
  FACoef.Clear();
  FBCoef.Clear();
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

double CBaseDigitalFilter::Limit(double value) {
  if (value > kFilterLimit) {
    FOverflow = true;
    return kFilterLimit;
  }
  // A run toward −∞ or into NaN is an overflow too: nothing downstream may see a non-finite value.
  if (std::isnan(value)) {
    FOverflow = true;
    return 0.0;
  }
  if (std::isinf(value)) {
    FOverflow = true;
    return -kFilterLimit;
  }
  return value;
}

double CBaseDigitalFilter::Step(double x) {
  FBCoef.SetAt(0, -1.0);
  const double* state = FState.Data();
  const int known = FState.Degree();  // history beyond the delay line reads as 0

  double w = x * FGain;
  const double* b = FBCoef.Data();
  const int b_last = std::min(FBOrder(), known);
  for (int i = 1; i <= b_last; ++i) w += b[i] * state[i];
  w = Limit(w);

  double y = FACoef.GetAt(0) * w;
  const double* a = FACoef.Data();
  const int a_last = std::min(FAOrder(), known);
  for (int k = 1; k <= a_last; ++k) y += a[k] * state[k];

  FState.ShiftUp();
  FState.SetAt(1, w);
  return Limit(y);
}

void CBaseDigitalFilter::Response(double omega, double& amplitude, double& phase) {
  double theta = omega * FSamplingPeriod;
  const PolySums numerator = SumCosSin(FACoef.Data(), FAOrder(), theta);

  FBCoef.SetAt(0, -1.0);
  PolySums denominator;
  double d = 0;
  for (int attempt = 0;; ++attempt) {
    denominator = SumCosSin(FBCoef.Data(), FBOrder(), theta);
    d = denominator.cos_sum * denominator.cos_sum + denominator.sin_sum * denominator.sin_sum;
    if (d != 0 || attempt == kMaxNudges) break;
    theta = NudgedAngle(theta, kResponseNudge);
  }

  amplitude = std::sqrt((numerator.cos_sum * numerator.cos_sum + numerator.sin_sum * numerator.sin_sum) / d);
  const double phase_a = (numerator.cos_sum == 0 && numerator.sin_sum == 0)
                             ? 0.0
                             : std::atan2(-numerator.sin_sum, numerator.cos_sum);
  const double phase_b = (denominator.cos_sum == 0 && denominator.sin_sum == 0)
                             ? 0.0
                             : std::atan2(denominator.sin_sum, -denominator.cos_sum);
  phase = phase_a - phase_b;
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
  FBCoef.SetAt(0, -1.0);
  while (FBCoef.Degree() > 0 && FBCoef.GetAt(FBCoef.Degree()) == 0.0) FBCoef.SetDegree(FBCoef.Degree() - 1);
  if (!FitState()) ShowMessage(kCoefMemoryMessage);
}
