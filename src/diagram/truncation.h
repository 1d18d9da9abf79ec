#pragma once
// Real-to-integer conversion toward zero that cannot overflow: out-of-range values stop at the
// limit and NaN goes to the lower one.

#include <cmath>

inline int TruncSaturated(long double value, int limit) {
  if (!(value > -limit)) return -limit;  // NaN too
  if (value >= limit) return limit;
  return static_cast<int>(value);
}

// Far beyond any screen, far within what a painter handles.
constexpr int kPixelLimit = 1000000;
