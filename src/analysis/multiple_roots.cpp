#include "analysis/multiple_roots.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/accurate_horner.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;
// Newton's steps towards a cluster's centre: it converges quadratically from the cluster's mean,
// which is far closer to the multiple root than any member.
constexpr int kMostCentreSteps = 8;

bool Finite(Complex z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

// The indices of the m free roots nearest roots[seed], seed first; fewer when fewer are free.
std::vector<std::size_t> Nearest(const std::vector<Complex>& roots, const std::vector<char>& free, std::size_t seed,
                                 int m) {
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < roots.size(); ++i)
    if (free[i]) candidates.push_back(i);
  const auto distance = [&](std::size_t i) { return std::norm(roots[i] - roots[seed]); };
  const auto count = std::min(candidates.size(), static_cast<std::size_t>(m));
  std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(count), candidates.end(),
                    [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
  candidates.resize(count);
  return candidates;
}

struct Centre {
  Complex value;
  double reach = 0;
  bool found = false;
};

// An m-fold root of p is a simple root of p^(m−1): Newton's method on it from start, then the test
// that p … p^(m−1) vanish there and p^(m) does not, each within the error of its value and what the
// centre's own rounding (delta) leaves of the higher terms: t_j(ζ + δ) = Σ_i t_i(ζ)·C(i, j)·δ^(i−j).
Centre MultipleRootNear(const double* c, int n, Complex start, int m) {
  std::vector<Complex> t(static_cast<std::size_t>(m) + 2);
  std::vector<double> error(t.size());
  Complex z = start;
  double last = std::numeric_limits<double>::infinity();
  for (int step = 0; step < kMostCentreSteps && last > 2 * kUnit * std::abs(z); ++step) {
    AccurateTaylor(c, n, z, m, t.data(), error.data());
    const Complex correction = t[static_cast<std::size_t>(m) - 1] / (static_cast<double>(m) * t[static_cast<std::size_t>(m)]);
    if (!Finite(correction)) return {};
    z -= correction;
    last = std::abs(correction);
  }
  AccurateTaylor(c, n, z, m + 1, t.data(), error.data());
  const auto at = [&](int i) { return static_cast<std::size_t>(i); };
  const double leading = std::abs(t[at(m)]);
  const double delta = 4 * kUnit * std::abs(z) + last + 2 * error[at(m - 1)] / (m * leading);
  for (int j = 0; j <= m; ++j) {
    double allowed = error[at(j)], term = 1;  // term = C(i, j)·δ^(i−j)
    for (int i = j + 1; i <= m + 1; ++i) {
      term *= delta * i / (i - j);
      allowed += (std::abs(t[at(i)]) + error[at(i)]) * term;
    }
    const bool vanishes = std::abs(t[at(j)]) <= 2 * allowed;
    if (vanishes != (j < m) || !std::isfinite(allowed)) return {};
  }
  return {z, delta, true};
}

}  // namespace

std::vector<PolynomialRoot> GatherMultipleRoots(const ScaledPolynomial& p, const std::vector<int>& counts,
                                                std::vector<Complex>& roots) {
  std::vector<PolynomialRoot> gathered;
  std::vector<char> free(roots.size(), 1), taken(roots.size(), 0);
  for (int m = static_cast<int>(counts.size()) - 1; m >= 2; --m) {
    for (int wanted = counts[static_cast<std::size_t>(m)]; wanted > 0;) {
      // The seed (in the upper half plane: a complex cluster's mirror follows it) whose m − 1
      // nearest free neighbours lie closest.
      std::size_t seed = roots.size();
      double tightest = std::numeric_limits<double>::infinity();
      for (std::size_t i = 0; i < roots.size(); ++i) {
        if (!free[i] || roots[i].imag() < 0) continue;
        const std::vector<std::size_t> near = Nearest(roots, free, i, m);
        if (near.size() < static_cast<std::size_t>(m)) break;
        const double spread = std::abs(roots[near.back()] - roots[i]);
        if (spread < tightest) {
          tightest = spread;
          seed = i;
        }
      }
      if (seed == roots.size()) break;
      const std::vector<std::size_t> members = Nearest(roots, free, seed, m);
      Complex mean = 0, reciprocal_mean = 0;
      for (std::size_t i : members) {
        mean += roots[i];
        reciprocal_mean += 1.0 / roots[i];
        free[i] = 0;
      }
      mean /= static_cast<double>(m);
      reciprocal_mean /= static_cast<double>(m);
      double radius = 0;
      for (std::size_t i : members) radius = std::max(radius, std::abs(roots[i] - mean));
      // A spread across the real axis stands for a real root; Newton's steps from a real start stay real.
      const bool real = std::fabs(mean.imag()) <= radius;
      if (real) {
        mean.imag(0);
        reciprocal_mean.imag(0);
      }
      wanted -= real ? 1 : 2;
      // Beyond the unit circle the reversed polynomial's root 1/ζ, of the same multiplicity.
      const bool outside = std::abs(mean) > 1;
      const Centre centre = outside ? MultipleRootNear(p.Reversed(), p.Degree(), reciprocal_mean, m)
                                    : MultipleRootNear(p.Forward(), p.Degree(), mean, m);
      if (!centre.found) continue;
      Complex value = outside ? 1.0 / centre.value : centre.value;
      const double reach = outside ? centre.reach * std::norm(value) + 2 * kUnit * std::abs(value) : centre.reach;
      if (real) value.imag(0);
      // Two clusters that find one root are not two roots.
      const bool again = std::any_of(gathered.begin(), gathered.end(),
                                     [&](const PolynomialRoot& r) { return std::abs(r.value - value) <= r.reach + reach; });
      if (again) continue;
      std::vector<std::size_t> cluster = members;
      if (!real) {
        // The mirror cluster: the free root nearest the mirror image of each member (the roots of a
        // real polynomial are found in conjugate pairs).
        for (std::size_t i : members) {
          std::size_t mirror = roots.size();
          for (std::size_t j = 0; j < roots.size(); ++j)
            if (free[j] && (mirror == roots.size() || std::norm(roots[j] - std::conj(roots[i])) <
                                                          std::norm(roots[mirror] - std::conj(roots[i]))))
              mirror = j;
          if (mirror == roots.size()) break;
          free[mirror] = 0;
          cluster.push_back(mirror);
        }
        if (cluster.size() != 2 * members.size()) continue;
        gathered.push_back({std::conj(value), m, reach});
      }
      gathered.push_back({value, m, reach});
      for (std::size_t i : cluster) taken[i] = 1;
    }
  }
  std::vector<Complex> left;
  for (std::size_t i = 0; i < roots.size(); ++i)
    if (!taken[i]) left.push_back(roots[i]);
  roots.swap(left);
  return gathered;
}
