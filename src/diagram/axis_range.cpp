#include "diagram/axis_range.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

double ClampInto(double value, double lo, double hi) { return std::min(std::max(value, lo), hi); }

}  // namespace

bool TAxisRange::SetRange(double min, double max) {
  if (!std::isfinite(min) || !std::isfinite(max)) return false;
  if (min > max) std::swap(min, max);
  if (max - min < kMinRangeWidth) return false;
  // Both ends go into the limits, so a range beyond one limit cannot come out reversed.
  min = ClampInto(min, limit_min_, limit_max_);
  max = ClampInto(max, limit_min_, limit_max_);
  if (max - min < kMinRangeWidth) return false;
  min_ = min;
  max_ = max;
  return true;
}

void TAxisRange::SetPrecision(int p) { precision_ = std::min(std::abs(p), 7); }

bool TAxisRange::SetLimit(double lo, double hi, double& min, double& max) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  if (lo > hi) std::swap(lo, hi);
  lo = ClampInto(lo, -kAxisLimit, kAxisLimit);
  hi = ClampInto(hi, -kAxisLimit, kAxisLimit);
  if (lo == hi) return false;
  limit_min_ = lo;
  limit_max_ = hi;
  min = ClampInto(min_, lo, hi);
  max = ClampInto(max_, lo, hi);
  if (min == min_ && max == max_) return false;
  // A view wholly outside the new limits would collapse to a point; show all that is allowed.
  if (max - min < kMinRangeWidth) {
    min = lo;
    max = hi;
  }
  return true;
}

int TAxisRange::RangePrecision() const { return whole_numbers_ ? 0 : PrecisionForWidth(Width()); }

double TAxisRange::ZoomStep() const { return ZoomStepFor(Width(), precision_); }

int PrecisionForWidth(double w) {
  if (w >= 10) return 0;
  if (w >= 1) return 1;
  if (w >= 0.1) return 2;
  if (w >= 0.01) return 3;
  if (w >= 0.001) return 4;
  if (w >= 0.0001) return 5;
  if (w >= 0.00001) return 6;
  return 7;
}

double ZoomStepFor(double w, int precision) {
  if (w > 100 && w < 1000) return 10;
  if (w > 1000 && w < 10000) return 100;
  if (w > 10000 && w < 100000) return 1000;
  if (w > 100000 && w < 1000000) return 10000;
  return 1 / std::pow(10.0, precision);
}

void IncludeZero(double& ymin, double& ymax) {
  if (ymin > 0 && ymax > 0) ymin = 0;
  if (ymin < 0 && ymax < 0) ymax = 0;
}
