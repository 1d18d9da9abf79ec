#include "filter/fr_sampling.h"

#include <cmath>
#include <numbers>

namespace {

const char kMemoryMessage[] = "Class CFrSamplingFilter: Не удалось инициализировать фильтр.\n Недостаточно памяти";

// sin(m·ωc)/(N·sin(π·m/N)); the denominator vanishes only at the centre, where the tap is ωc/π.
double PeriodicSincTap(int m, int n, double sine, double centre_tap) {
  const double q = n * std::sin(std::numbers::pi * m / n);
  return q == 0 ? centre_tap : sine / q;
}

}  // namespace

void CFrSamplingFilter::Design() { FillTaps(PeriodicSincTap, kMemoryMessage); }
