#include "diagram/axis_grid.h"

#include <algorithm>
#include <cmath>

#include "diagram/truncation.h"
#include "numeric/number_text.h"

namespace {

constexpr double kStepFactors[] = {0.05, 0.1, 0.2, 0.2, 0.5, 1, 2, 2, 5};
// A walk never needs more: the step search keeps a range within 200 steps.
constexpr long double kMaxWalk = 100000;

int WalkCount(long double start, long double last, long double step) {
  if (!(step > 0) || !std::isfinite(static_cast<double>(step)) || !(last >= start)) return 0;
  const long double n = std::floor((last - start) / step) + 1;
  return static_cast<int>(std::min(n, kMaxWalk));
}

bool RepeatsPrevious(const std::string& label, const std::string& previous) {
  return previous.compare(0, label.size(), label) == 0;
}

}  // namespace

long double GridStep(double pixels, double label_span, double width) {
  const long double e = std::log10(static_cast<long double>(width));
  const long double up = std::pow(10.0L, std::trunc(e));
  const long double down = std::pow(10.0L, std::trunc(-e));
  const long double room = pixels / static_cast<long double>(label_span);
  for (double f : kStepFactors) {
    if (room >= down * width / f) return up * f;
  }
  return up * kStepFactors[std::size(kStepFactors) - 1];
}

long double WholeStep(long double step) { return std::max(1.0L, std::round(step)); }

TGridWalk GridLineWalk(double min, double max, long double step) {
  const long double tol = (static_cast<long double>(max) - min) * 0.001L;
  long double s = 0;
  if (min <= 0) {
    const long double whole = std::trunc(min / step);
    s = (whole - 1) * step;
    if (min - tol > s) s = whole * step;
  } else {
    s = (std::trunc(min / step) + 1) * step;
  }
  return {s, step, WalkCount(s, max + tol, step)};
}

TGridWalk MinorTickWalk(double min, double max, long double step, bool one_before, int per_step) {
  const long double m = step / per_step;
  const long double whole = std::trunc(per_step * min / step);
  long double t = 0;
  if (min <= 0) {
    t = (one_before ? whole - 1 : whole) * m;
  } else {
    t = (whole + 1) * m;
  }
  return {t, m, WalkCount(t, max, m)};
}

int MinorTicksPerStep(long double step, bool whole_numbers) {
  constexpr int kPerStep = 5;
  if (!whole_numbers || step >= kPerStep) return kPerStep;
  return std::max(1, static_cast<int>(step));
}

std::string num2char(double value, int p) {
  return FormatNumber(p >= 0 && p <= 7 ? static_cast<unsigned>(p) : 8u, value);
}

std::string GridLabel(long double value, double tolerance, int precision) {
  if (!IsGridZero(value, tolerance)) return num2char(static_cast<double>(value), precision);
  return precision > 0 ? "0,0" : "0";
}

int DistinctLabelPrecision(const TGridWalk& walk, double tolerance, int precision) {
  for (;;) {
    bool repeated = false;
    std::string previous;
    for (int i = 0; i < walk.count && !repeated; ++i) {
      const std::string label = GridLabel(walk.At(i), tolerance, precision);
      repeated = i > 0 && RepeatsPrevious(label, previous);
      previous = label;
    }
    if (!repeated || precision > 7) return precision;
    ++precision;
  }
}

int LabelChars(double largest, int precision, bool magnitude_of_log) {
  // log10 of 0 (or of something tiny) would make the count meaningless or overflow.
  int digits = 0;
  if (largest > 0 && std::isfinite(largest)) {
    digits = TruncSaturated(std::log10(static_cast<long double>(largest)), 400);
  }
  if (magnitude_of_log) digits = std::abs(digits);
  const int shortest = precision > 0 ? precision + 2 : 1;  // "0,00" or "0"
  return std::max(digits + precision + 3, shortest);
}
