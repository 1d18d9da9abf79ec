#include "analysis/multiple_roots.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

#include "analysis/accurate_horner.h"

namespace {

using Complex = std::complex<double>;

constexpr double kUnit = std::numeric_limits<double>::epsilon() / 2;
// Newton's steps towards a cluster's centre: it converges quadratically from the cluster's mean,
// which is far closer to the multiple root than any member.
constexpr int kMostCentreSteps = 8;

bool Finite(Complex z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

// The roots a gathering has not taken, in their order.
template <class Root>
void DropTaken(std::vector<Root>& roots, const std::vector<char>& taken) {
  std::vector<Root> left;
  for (std::size_t i = 0; i < roots.size(); ++i)
    if (!taken[i]) left.push_back(roots[i]);
  roots.swap(left);
}

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
    const Complex correction =
        t[static_cast<std::size_t>(m) - 1] / (static_cast<double>(m) * t[static_cast<std::size_t>(m)]);
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
      const bool again = std::any_of(gathered.begin(), gathered.end(), [&](const PolynomialRoot& r) {
        return std::abs(r.value - value) <= r.reach + reach;
      });
      if (again) continue;
      std::vector<std::size_t> cluster = members;
      if (!real) {
        // The mirror cluster: the free root nearest the mirror image of each member (the roots of a
        // real polynomial are found in conjugate pairs).
        for (std::size_t i : members) {
          std::size_t mirror = roots.size();
          for (std::size_t j = 0; j < roots.size(); ++j)
            if (free[j] && (mirror == roots.size() ||
                            std::norm(roots[j] - std::conj(roots[i])) < std::norm(roots[mirror] - std::conj(roots[i]))))
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
  DropTaken(roots, taken);
  return gathered;
}

namespace {

// How far a typed polynomial's coefficients may lie off a multiple root's and still be taken for
// it: one rounding of each.
constexpr double kRounding = kUnit;
// Clusters are sought among the roots of the upper half plane and the real axis (each conjugate
// pair once), of up to this many.
constexpr std::size_t kMostClustered = 20;
// A cluster: a root and its nearest others, where the next nearest lies at least this many times
// as far from the root as the farthest of them. Evenly spaced roots (a stop band's zeros on the
// unit circle) never lie so apart: there the next is at most twice as far.
constexpr double kApart = 3;

// Where a cluster's root is sought: a point w of p itself, or beyond the unit circle of the
// reversed polynomial (the same coefficients), whose root 1/z has the same multiplicity.
struct Point {
  Complex w;
  bool reversed = false;
  Complex Value() const { return reversed ? 1.0 / w : w; }
};

// Whether a polynomial within one rounding of each of p's coefficients can have a k-fold root at
// the point itself, and none a (k + 1)-fold one: t_j = p^(j)(w)/j! for j < k within its error bound
// and what that rounding can change of it, and t_k beyond both. If so, the root as a point of z and
// how far from it such a polynomial's k-fold root can lie: t_(k−1) vanishes there, so that to first
// order k·t_k·(its distance) is at most |t_(k−1)| and what the rounding can change of it. Where the
// count already rules out more than k (`at_most_k`: a pair's k-fold roots from a cluster of 2k,
// whose mirror images leave no room for a (k + 1)-th), a t_k within rounding only says that the
// coefficients cannot tell how far the root can lie: the reach is then unknown (θ near 0 or π).
std::optional<PolynomialRoot> NearlyMultipleAt(const ScaledPolynomial& p, Point at, int k, bool at_most_k) {
  const auto index = [](int i) { return static_cast<std::size_t>(i); };
  std::vector<Complex> t(index(k) + 1);
  std::vector<double> error(t.size()), size(t.size());
  AccurateTaylor(at.reversed ? p.Reversed() : p.Forward(), p.Degree(), at.w, k, t.data(), error.data(), size.data());
  const auto allowed = [&](int j) { return 2 * error[index(j)] + kRounding * size[index(j)]; };
  for (int j = 0; j < k; ++j)
    if (!(std::abs(t[index(j)]) <= allowed(j))) return std::nullopt;
  if (!std::isfinite(allowed(k))) return std::nullopt;
  if (!(std::abs(t[index(k)]) > allowed(k)))
    return at_most_k ? std::optional(PolynomialRoot{at.Value(), k, std::numeric_limits<double>::infinity()})
                     : std::nullopt;
  // Twice the first-order distance: room for the higher terms, which the test keeps small.
  const double reach =
      2 * (std::abs(t[index(k) - 1]) + allowed(k - 1)) / (k * std::abs(t[index(k)])) + 4 * kUnit * std::abs(at.w);
  const Complex value = at.Value();
  return PolynomialRoot{value, k, at.reversed ? reach * std::norm(value) + 2 * kUnit * std::abs(value) : reach};
}

// The mean of real roots and their conjugate pairs, and the mean of their reciprocals as a root of the
// reversed polynomial: beyond the unit circle the one, inside it the other is the nearer to the root
// they stand for, but a cluster of many members that has not quite settled can leave either
// nearer.
std::vector<Point> MeansOf(const std::vector<Complex>& members) {
  double mean = 0, reciprocal = 0;
  for (const Complex& z : members) {
    mean += z.real() / static_cast<double>(members.size());
    reciprocal += (1.0 / z).real() / static_cast<double>(members.size());
  }
  const std::vector<Point> both = {{mean}, {reciprocal, true}};
  return std::fabs(mean) <= 1 ? both : std::vector<Point>{both[1], both[0]};
}

// The root in the upper half plane of the conjugate pair that 2k roots (closed under conjugation)
// stand for, each k-fold. A cluster's single roots move wildly with the coefficients, its power sums
// smoothly: (z − ζ)^k·(z − ζ̄)^k has the roots' mean Re ζ and the mean of their squared distances
// from it (as complex squares) −(Im ζ)², whether the two clusters overlap or not.
std::optional<Complex> UpperOfPair(const std::vector<Complex>& members) {
  const double count = static_cast<double>(members.size());
  double mean = 0, square = 0;
  for (const Complex& z : members) mean += z.real() / count;
  for (const Complex& z : members) square += ((z - mean) * (z - mean)).real() / count;
  if (!(square < 0)) return std::nullopt;
  return Complex(mean, std::sqrt(-square));
}

// The same of the roots, or beyond the unit circle of their reciprocals.
std::optional<Point> PairOf(const std::vector<Complex>& members) {
  const std::optional<Complex> pair = UpperOfPair(members);
  if (!pair || std::abs(*pair) <= 1) return pair ? std::optional<Point>(Point{*pair}) : std::nullopt;
  std::vector<Complex> reciprocals;
  for (const Complex& z : members) reciprocals.push_back(1.0 / z);
  const std::optional<Complex> reciprocal = UpperOfPair(reciprocals);
  return reciprocal ? std::optional<Point>(Point{*reciprocal, true}) : std::nullopt;
}

enum class Side { kInside, kOn, kOutside };

Side SideOf(const PolynomialRoot& root) {
  if (std::abs(root.value) + root.reach < 1) return Side::kInside;
  if (std::abs(root.value) - root.reach > 1) return Side::kOutside;
  return Side::kOn;  // also where the reach is not known
}

// A marker lies surely inside (outside) the unit circle only where every root it stands for does:
// none is moved across it, and the picture agrees with the stability verdict. One that the
// rounding leaves on the circle may stand for roots on either side.
bool KeepsSide(const PolynomialRoot& marker, const std::vector<PolynomialRoot>& members) {
  const Side side = SideOf(marker);
  return side == Side::kOn ||
         std::all_of(members.begin(), members.end(), [&](const PolynomialRoot& r) { return SideOf(r) == side; });
}

// Every cluster of roots (indices into z, ascending; roots of the upper half plane and the real
// axis, each standing for itself and its mirror image), each once, the largest first.
std::vector<std::vector<std::size_t>> Clusters(const std::vector<Complex>& z) {
  std::set<std::vector<std::size_t>> clusters;
  std::vector<std::size_t> order(z.size());
  std::vector<double> distance(z.size());  // squared, which spares a square root per pair
  const std::size_t most = std::min(z.size(), kMostClustered);
  for (std::size_t seed = 0; seed < z.size(); ++seed) {
    for (std::size_t i = 0; i < z.size(); ++i) {
      order[i] = i;
      distance[i] = std::norm(z[i] - z[seed]);
    }
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(std::min(z.size(), most + 1)),
                      order.end(), [&](std::size_t a, std::size_t b) { return distance[a] < distance[b]; });
    // A root off the real axis with its mirror image alone (a double root split into a pair).
    if (z[seed].imag() > 0 && (z.size() == 1 || distance[order[1]] >= std::norm(kApart * 2 * z[seed].imag())))
      clusters.insert({seed});
    for (std::size_t size = 2; size <= most; ++size) {
      if (size < z.size() && distance[order[size]] < kApart * kApart * distance[order[size - 1]]) continue;
      std::vector<std::size_t> cluster(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(size));
      std::sort(cluster.begin(), cluster.end());
      clusters.insert(cluster);
    }
  }
  std::vector<std::vector<std::size_t>> largest_first(clusters.begin(), clusters.end());
  std::stable_sort(largest_first.begin(), largest_first.end(),
                   [](const auto& a, const auto& b) { return a.size() > b.size(); });
  return largest_first;
}

}  // namespace

std::vector<PolynomialRoot> GatherNearlyMultipleRoots(const ScaledPolynomial& p, std::vector<PolynomialRoot>& roots) {
  std::vector<std::size_t> upper_index;
  std::vector<Complex> upper;
  for (std::size_t i = 0; i < roots.size(); ++i)
    if (roots[i].value.imag() >= 0) {
      upper_index.push_back(i);
      upper.push_back(roots[i].value);
    }
  std::vector<char> taken(roots.size(), 0);
  std::vector<PolynomialRoot> gathered;
  for (const std::vector<std::size_t>& cluster : Clusters(upper)) {
    if (std::any_of(cluster.begin(), cluster.end(), [&](std::size_t u) { return taken[upper_index[u]] != 0; }))
      continue;
    // The roots the cluster stands for: its members and their mirror images.
    std::vector<std::size_t> members;
    int real = 0;
    for (std::size_t u : cluster) {
      const std::size_t i = upper_index[u];
      members.push_back(i);
      if (roots[i].value.imag() == 0) {
        ++real;
        continue;
      }
      std::size_t mirror = 0;
      while (mirror < roots.size() && (taken[mirror] || roots[mirror].value != std::conj(roots[i].value) ||
                                       std::find(members.begin(), members.end(), mirror) != members.end()))
        ++mirror;
      if (mirror == roots.size()) break;
      members.push_back(mirror);
    }
    if (members.size() != 2 * cluster.size() - static_cast<std::size_t>(real)) continue;
    std::vector<Complex> values;
    std::vector<PolynomialRoot> stood_for;
    for (std::size_t i : members) {
      values.push_back(roots[i].value);
      stood_for.push_back(roots[i]);
    }
    // One real root of them all; else a conjugate pair, each of half their multiplicity (a pair of
    // simple roots is left as found). Each put where the cluster's power sums put it, which the
    // coefficients' rounding moves the least.
    const int count = static_cast<int>(members.size());
    std::optional<PolynomialRoot> root;
    for (const Point& mean : MeansOf(values))
      if (!root) root = NearlyMultipleAt(p, mean, count, false);
    if (root) {
      root->value.imag(0);
    } else if (const std::optional<Point> pair = PairOf(values); pair && count % 2 == 0 && count >= 4) {
      root = NearlyMultipleAt(p, *pair, count / 2, true);
      if (root) root->value.imag(std::fabs(root->value.imag()));
    }
    if (!root || !KeepsSide(*root, stood_for)) continue;
    if (root->multiplicity < count) gathered.push_back({std::conj(root->value), root->multiplicity, root->reach});
    gathered.push_back(*root);
    for (std::size_t i : members) taken[i] = 1;
  }
  DropTaken(roots, taken);
  return gathered;
}
