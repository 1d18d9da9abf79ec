#include "analysis/level_crossing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPinned = 1e-10;          // the width a crossing is narrowed to
constexpr double kFinestPoleStep = 1e-12;  // next to a pole on the circle
// A zero makes a dip, not a lobe: next to one the step shrinks only to this part of the widest,
// enough for a lobe between two close zeros.
constexpr double kZeroStepShare = 1.0 / 64;
constexpr double kGoldenShare = 0.3819660112501051;  // 2 − φ
constexpr int kMostRefinements = 200;

struct Sample {
  double omega = 0, value = 0;
};

// How far the next sample may lie: no farther than the widest step, nor than a quarter of any
// root's distance (from the circle, or along it to the root's angle). Approaching a root the
// steps shrink geometrically, so no feature of it is stepped over.
class StepRule {
 public:
  StepRule(const ContinuousResponse& response, double widest) : widest_(widest) {
    Add(response.zeros, widest * kZeroStepShare);
    Add(response.poles, kFinestPoleStep);
  }

  double At(double omega) const {
    double step = widest_;
    for (const Root& r : roots_)
      step = std::min(step, std::max(std::max(r.radial, std::fabs(omega - r.angle)) / 4, r.floor));
    return step;
  }

 private:
  struct Root {
    double angle, radial, floor;
  };

  void Add(const std::vector<std::complex<double>>& roots, double floor) {
    for (const std::complex<double>& root : roots) {
      const double radial = std::fabs(1 - std::abs(root));
      // A root farther than this from the circle never shortens the widest step.
      if (radial < 4 * widest_ && std::isfinite(radial)) roots_.push_back({std::fabs(std::arg(root)), radial, floor});
    }
  }

  double widest_;
  std::vector<Root> roots_;
};

// The crossing between a point that passes and one that does not, narrowed by bisection.
FrequencyBracket Narrowed(const ContinuousResponse& response, const std::function<bool(double)>& passes, double passing,
                          double failing) {
  while (std::fabs(failing - passing) > kPinned) {
    const double middle = passing + (failing - passing) / 2;
    if (middle == passing || middle == failing) break;
    (passes(response.at(middle)) ? passing : failing) = middle;
  }
  return {std::min(passing, failing), std::max(passing, failing)};
}

// The largest value between a and b, whose samples peak at m, by golden-section search; it stops
// at the first point that passes.
Sample Maximum(const ContinuousResponse& response, const std::function<bool(double)>& passes, Sample a, Sample m,
               Sample b) {
  for (int i = 0; i < kMostRefinements && b.omega - a.omega > kPinned; ++i) {
    const bool right = b.omega - m.omega > m.omega - a.omega;
    const double omega =
        right ? m.omega + kGoldenShare * (b.omega - m.omega) : m.omega - kGoldenShare * (m.omega - a.omega);
    const Sample probe{omega, response.at(omega)};
    if (passes(probe.value)) return probe;
    if (probe.value > m.value) {
      (right ? a : b) = m;
      m = probe;
    } else {
      (right ? b : a) = probe;
    }
  }
  return m;
}

// The first frequency from start towards end at which passes(at(ω)) holds (see LastPassing).
std::optional<FrequencyBracket> FirstFrom(const ContinuousResponse& response, double start, double end,
                                          double longest_step, const std::function<bool(double)>& passes,
                                          const std::function<bool(double)>& near) {
  const double widest = std::min(longest_step, std::numbers::pi / (4.0 * std::max(response.order, 1)));
  const StepRule steps(response, widest);
  const bool downwards = end < start;
  Sample here{start, response.at(start)};
  if (passes(here.value)) return FrequencyBracket{start, start};
  // The first sample that passes, or the first local maximum of the samples whose own maximum
  // passes, holds the crossing.
  std::optional<Sample> behind;
  while (downwards ? here.omega > end : here.omega < end) {
    const double omega =
        downwards ? std::max(end, here.omega - steps.At(here.omega)) : std::min(end, here.omega + steps.At(here.omega));
    const Sample next{omega, response.at(omega)};
    if (passes(next.value)) return Narrowed(response, passes, next.omega, here.omega);
    const Sample before = behind.value_or(here);
    if (next.value <= here.value && before.value <= here.value && near(here.value)) {
      const Sample peak =
          downwards ? Maximum(response, passes, next, here, before) : Maximum(response, passes, before, here, next);
      if (passes(peak.value)) return Narrowed(response, passes, peak.omega, before.omega);
    }
    behind = here;
    here = next;
  }
  return std::nullopt;
}

}  // namespace

std::optional<FrequencyBracket> LastPassing(const ContinuousResponse& response, double from, double to,
                                            double longest_step, const std::function<bool(double)>& passes,
                                            const std::function<bool(double)>& near) {
  return FirstFrom(response, to, from, longest_step, passes, near);
}

std::optional<FrequencyBracket> FirstPassing(const ContinuousResponse& response, double from, double to,
                                             double longest_step, const std::function<bool(double)>& passes,
                                             const std::function<bool(double)>& near) {
  return FirstFrom(response, from, to, longest_step, passes, near);
}
