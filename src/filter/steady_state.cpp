#include "filter/steady_state.h"

#include <cmath>
#include <utility>

bool RootsInsideUnitCircle(std::vector<double> c) {
  // Stepping the degree m down: c[m] is the reflection coefficient k, and (c[i] − k·c[m−i]) / (1 − k²)
  // the polynomial of degree m − 1 with the same verdict.
  if (c.size() < 2) return true;
  std::vector<double> lower(c.size(), 1.0);
  for (std::size_t m = c.size() - 1; m >= 1; --m) {
    const double k = c[m];
    if (!(std::fabs(k) < 1)) return false;  // NaN fails too
    const double scale = 1 / (1 - k * k);
    for (std::size_t i = 1; i < m; ++i) lower[i] = (c[i] - k * c[m - i]) * scale;
    std::swap(c, lower);
  }
  return true;
}
